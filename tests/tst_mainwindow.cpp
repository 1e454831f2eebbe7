// The main window's widgets over a started main form: operator input through
// the widgets must have exactly the model's effects, the widgets must show
// what the model holds, and the page preview must put every number where its
// centimetres have the printer put it. Also renders the window to PNG files in the build folder
// and checks what they show.
#include "platform/Colour.h"
#include "platform/Numeric.h"
#include "ui/BoundCheckBox.h"
#include "ui/BoundComboBox.h"
#include "ui/BoundLabel.h"
#include "ui/BoundLineEdit.h"
#include "ui/BoundScrollBar.h"
#include "ui/CodeDialog.h"
#include "ui/MainWindow.h"
#include "ui/PagePreviewWidget.h"
#include "ui/PrintOrderIllustration.h"
#include "ui/ViewSupport.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

using namespace numora;
using namespace numora::ui;

namespace {

using test::child;
using test::colourIn;
using test::placeIn;
using test::pngPath;

// A started main form with real text sizes, so that the rendering shows the
// boxes as the program does.
struct Harness : test::WindowFixture
{
    Harness()
        : WindowFixture({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Mono"),
                         QStringLiteral("Liberation Sans"), QStringLiteral("Tahoma")})
    {}
};

// The main window over such a form, shown.
struct Shown : Harness
{
    MainWindow w{*form};

    Shown() { w.show(); }
};

bool isRed(QRgb c) { return qRed(c) > 230 && qGreen(c) < 40 && qBlue(c) < 40; }

// The first column from x0 on (or row from y0 on) within `span` pixels that
// has a red pixel anywhere along the given stretch of the other axis; -1 for
// none. A stretch, not a single line, so that the text in a box cannot hide
// its edge.
int firstRedLine(const QImage &img, bool columns, int from, int span, int alongFrom, int alongTo)
{
    const int lines = columns ? img.width() : img.height();
    const int length = columns ? img.height() : img.width();
    for (int i = std::max(0, from); i < std::min(lines, from + span); ++i)
        for (int j = std::max(0, alongFrom); j <= std::min(length - 1, alongTo); ++j)
            if (isRed(columns ? img.pixel(i, j) : img.pixel(j, i)))
                return i;
    return -1;
}

int firstRedColumn(const QImage &img, int x0, int span, int yFrom, int yTo)
{
    return firstRedLine(img, true, x0, span, yFrom, yTo);
}

int firstRedRow(const QImage &img, int y0, int span, int xFrom, int xTo)
{
    return firstRedLine(img, false, y0, span, xFrom, xTo);
}

// The bounding box of the pure white pixels: the page, whatever lies on it.
QRect whiteArea(const QImage &img)
{
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == qRgb(255, 255, 255))
                r = r.united(QRect(x, y, 1, 1));
    return r;
}

// Stands the preview's page upright when `portrait`, and puts all twelve
// boxes where their slots' centimetres say on the page as it stands.
void standPage(MainForm &f, bool portrait)
{
    if (portrait) {
        f.doc.orientationMark = QStringLiteral("Hor");
        f.doc.orientationCode.setCaption(QStringLiteral("6"));
        f.preview.page.setWidth(PagePreview::ShortEdgeUnits);
        f.preview.page.setHeight(PagePreview::LongEdgeUnits);
    }
    for (int n = 1; n <= 12; ++n) {
        f.preview.placeLongEdge(n);
        f.preview.placeShortEdge(n);
    }
}

} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { applyLook(*qApp); }

    void typingIntoStartNumberFollowsTheModel();
    void ctrlZUndoesTheTypedValueInTheField();
    void editableListsTypeAndChoose();
    void checkBoxAndBarsGoThroughTheModel();
    void slotEditorsClampOnKeyRelease();
    void gridTypeShowsItsPanels();
    void buttonsAreTheModelsClicks();
    void printOrderPictureFollowsTheChoice();
    void boxesStandAtTheirCentimetres_data();
    void boxesStandAtTheirCentimetres();
    void clickOnGridCrossingPlacesThere_data();
    void clickOnGridCrossingPlacesThere();
    void sampleShowsTheWholeText_data();
    void sampleShowsTheWholeText();
    void positionFieldsShowThreeDecimals();
    void renderWindow();
    void codesBesideTheNumbers();
};

void TstMainWindow::typingIntoStartNumberFollowsTheModel()
{
    Shown h;
    auto *te1 = child<BoundLineEdit>(h.w, "Te1");
    QCOMPARE(te1->text(), QStringLiteral("1"));

    // The same keys given straight to a second form's model.
    Harness twin;
    QTest::keyClicks(te1, QStringLiteral("25"));
    h.settle();
    twin.form->doc.startNumber.pressKey('2');
    twin.form->doc.startNumber.pressKey('5');
    twin.settle();
    QCOMPARE(h.form->doc.sampleLabel.caption(), twin.form->doc.sampleLabel.caption());
    QCOMPARE(h.form->doc.sampleLabel.caption(), QStringLiteral("No:000125"));
    QCOMPARE(te1->text(), QStringLiteral("125"));

    // With everything selected the start number's filter empties the field
    // first: the widget's selection must have reached the model.
    te1->selectAll();
    QTest::keyClicks(te1, QStringLiteral("7"));
    h.settle();
    QCOMPARE(h.form->doc.startNumber.text(), QStringLiteral("7"));
    QCOMPARE(te1->text(), QStringLiteral("7"));
    QCOMPARE(h.form->doc.sampleLabel.caption(), QStringLiteral("No:000007"));

    // A letter is refused by the model, so the widget does not take it.
    QTest::keyClick(te1, Qt::Key_X);
    QCOMPARE(te1->text(), QStringLiteral("7"));
    QCOMPARE(h.form->doc.startNumber.text(), QStringLiteral("7"));
    // A ninth character is refused as well.
    QTest::keyClicks(te1, QStringLiteral("12345678"));
    QCOMPARE(te1->text(), QStringLiteral("71234567"));

    // Backspace is a typed key of the model; Delete edits the text directly.
    te1->setCursorPosition(1);
    QTest::keyClick(te1, Qt::Key_Backspace);
    QCOMPARE(h.form->doc.startNumber.text(), QStringLiteral("1234567"));
    QTest::keyClick(te1, Qt::Key_Delete);
    QCOMPARE(h.form->doc.startNumber.text(), QStringLiteral("234567"));
    QCOMPARE(te1->text(), QStringLiteral("234567"));

    // A program write shows in the widget.
    h.form->doc.startNumber.setText(QStringLiteral("42"));
    QCOMPARE(te1->text(), QStringLiteral("42"));
}

void TstMainWindow::editableListsTypeAndChoose()
{
    Shown h;
    auto *name = child<BoundComboBox>(h.w, "Co1");
    auto *before = child<BoundComboBox>(h.w, "Combo1");
    auto *after = child<BoundComboBox>(h.w, "Combo2");
    QCOMPARE(name->currentText(), QStringLiteral("No:"));
    QCOMPARE(name->count(), h.form->doc.nameText.count());

    name->lineEdit()->selectAll();
    QTest::keyClicks(name->lineEdit(), QStringLiteral("Nr "));
    h.settle();
    QCOMPARE(h.form->doc.nameText.text(), QStringLiteral("Nr "));
    QCOMPARE(h.form->doc.sampleLabel.caption(), QStringLiteral("Nr 000001"));
    // Typing must not have grown the list.
    QCOMPARE(name->count(), h.form->doc.nameText.count());

    // Picking "[" from the keyboard is a choice in the model, which pairs
    // the closing bracket into the other list.
    QCOMPARE(before->currentIndex(), 0);
    QTest::keyClick(before, Qt::Key_Down);
    QTest::keyClick(before, Qt::Key_Down);
    h.settle();
    QCOMPARE(h.form->doc.bracketBefore.text(), QStringLiteral("["));
    QCOMPARE(h.form->doc.bracketAfter.text(), QStringLiteral("]"));
    QCOMPARE(after->currentText(), QStringLiteral("]"));
    QCOMPARE(h.form->doc.sampleLabel.caption(), QStringLiteral("Nr [000001]"));

    // Typing a bracket is no choice: it does not pair, also not when the
    // edit ends and the combo box would match the typed text to an item.
    QVERIFY(QTest::qWaitForWindowActive(&h.w));
    before->lineEdit()->setFocus();
    before->lineEdit()->selectAll();
    QTest::keyClicks(before->lineEdit(), QStringLiteral("("));
    child<QWidget>(h.w, "Te1")->setFocus();
    QVERIFY(!before->lineEdit()->hasFocus());
    h.settle();
    QCOMPARE(h.form->doc.bracketBefore.text(), QStringLiteral("("));
    QCOMPARE(h.form->doc.bracketAfter.text(), QStringLiteral("]"));
    QCOMPARE(h.form->doc.sampleLabel.caption(), QStringLiteral("Nr (000001]"));

    // A pick list: End picks the last grid type.
    auto *grid = child<BoundComboBox>(h.w, "Combo3");
    QTest::keyClick(grid, Qt::Key_End);
    QCOMPARE(h.form->doc.gridType.text(), QStringLiteral("12 X 12"));
    QCOMPARE(h.form->doc.typeCaption.caption(), QStringLiteral("Type: 12x12"));
}

void TstMainWindow::checkBoxAndBarsGoThroughTheModel()
{
    Shown h;
    auto *zeros = child<BoundCheckBox>(h.w, "Check1");
    auto *width = child<BoundComboBox>(h.w, "Te2");
    QVERIFY(zeros->isChecked());
    QVERIFY(width->isEnabled());
    // On the tick box itself.
    QTest::mouseClick(zeros, Qt::LeftButton, {}, QPoint(7, zeros->height() / 2));
    h.settle();
    QCOMPARE(h.form->doc.zeroPad.value(), 0);
    QVERIFY(!zeros->isChecked());
    // The model disables the width list; the widget follows.
    QVERIFY(!width->isEnabled());
    QCOMPARE(h.form->doc.sampleLabel.caption(), QStringLiteral("No:1"));
    QTest::keyClick(zeros, Qt::Key_Space);
    QCOMPARE(h.form->doc.zeroPad.value(), 1);
    QVERIFY(width->isEnabled());

    auto *order = child<BoundScrollBar>(h.w, "HScroll1");
    order->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    h.settle();
    QCOMPARE(h.form->doc.alignLCR.value(), 1);
    QCOMPARE(h.form->doc.sampleLabel.caption(), QStringLiteral("000001No:"));
    // At the end of its range the bar cannot go further, neither can the model.
    order->triggerAction(QAbstractSlider::SliderPageStepAdd);
    order->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(h.form->doc.alignLCR.value(), 2);
    QCOMPARE(order->value(), 2);

    // A move of a slot's bar rewrites its text through the scroll rule.
    auto *vs2 = child<BoundScrollBar>(h.w, "VS2");
    auto *tee2 = child<BoundLineEdit>(h.w, "Tee2");
    QCOMPARE(h.form->doc.slot(2).topScroll.value(), 1700);
    vs2->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(h.form->doc.slot(2).topScroll.value(), 1690);
    QCOMPARE(tee2->text(), QStringLiteral("16.9"));
    // A spin bar shifts every slot; each slot's widgets follow.
    auto *shift = child<BoundScrollBar>(h.w, "VScroll2");
    shift->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(child<BoundLineEdit>(h.w, "Teee1")->text(), QStringLiteral("5.1"));
    QCOMPARE(child<BoundScrollBar>(h.w, "VSc12")->value(), h.form->doc.slot(12).leftScroll.value());
}

void TstMainWindow::slotEditorsClampOnKeyRelease()
{
    Shown h;
    auto *tee3 = child<BoundLineEdit>(h.w, "Tee3");
    auto *vs3 = child<BoundScrollBar>(h.w, "VS3");
    tee3->selectAll();
    // Each key's release runs the clamp: "3" then "30", which becomes 29.7.
    QTest::keyClicks(tee3, QStringLiteral("30"));
    QCOMPARE(h.form->doc.slot(3).topCm.text(), QStringLiteral("29.7"));
    QCOMPARE(tee3->text(), QStringLiteral("29.7"));
    QCOMPARE(vs3->value(), 2970);

    auto *teee5 = child<BoundLineEdit>(h.w, "Teee5");
    teee5->selectAll();
    QTest::keyClick(teee5, Qt::Key_Delete);
    QCOMPARE(teee5->text(), QStringLiteral("0.1"));
}

void TstMainWindow::ctrlZUndoesTheTypedValueInTheField()
{
    Shown h;
    auto *tee3 = child<BoundLineEdit>(h.w, "Tee3");
    const QString before = tee3->text();
    tee3->selectAll();
    // Two keys into one field are one step; Ctrl+Z in the field undoes the
    // layout's step, not the field's own text.
    QTest::keyClicks(tee3, QStringLiteral("12"));
    QCOMPARE(h.form->doc.slot(3).topScroll.value(), 1200);
    QTest::keyClick(tee3, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(h.form->doc.slot(3).topCm.text(), before);
    QCOMPARE(tee3->text(), before);
    QCOMPARE(child<BoundScrollBar>(h.w, "VS3")->value(), h.form->doc.slot(3).topScroll.value());
    QTest::keyClick(tee3, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(tee3->text(), QStringLiteral("12"));
    QCOMPARE(h.form->doc.slot(3).topScroll.value(), 1200);
}

void TstMainWindow::gridTypeShowsItsPanels()
{
    Shown h;
    const auto shown = [&h] {
        int n = 0;
        for (int i = 1; i <= 12; ++i)
            n += child<QWidget>(h.w, qPrintable(PagePreview::panelName(i)))->isVisible() ? 1 : 0;
        return n;
    };
    QCOMPARE(shown(), 2);
    QTest::keyClick(child<BoundComboBox>(h.w, "Combo3"), Qt::Key_End);
    h.settle();
    QCOMPARE(shown(), 12);
    QVERIFY(child<QWidget>(h.w, "Picture15")->isVisible());
    h.form->doc.gridType.choose(QStringLiteral("4 X 4"));
    h.settle();
    QCOMPARE(shown(), 4);
    QVERIFY(child<QWidget>(h.w, "Picture6")->isVisible());
    QVERIFY(!child<QWidget>(h.w, "Picture7")->isVisible());
}

void TstMainWindow::buttonsAreTheModelsClicks()
{
    Shown h;
    PagePreviewWidget *preview = h.w.pagePreview();
    QVERIFY(preview->pageRect().width() > preview->pageRect().height());
    // The orientation button turns the page; the widgets show the result.
    auto *turn = child<QWidget>(h.w, "Label4");
    QTest::mouseClick(turn, Qt::LeftButton);
    h.settle();
    QCOMPARE(h.form->doc.orientationMark, QStringLiteral("Hor"));
    QVERIFY(preview->pageRect().height() > preview->pageRect().width());
    QVERIFY(child<QWidget>(h.w, "Im1")->isVisible());
    QVERIFY(!child<QWidget>(h.w, "Im2")->isVisible());
    // A press that leaves the button before the release is no click.
    QTest::mousePress(turn, Qt::LeftButton);
    QTest::mouseRelease(turn, Qt::LeftButton, {}, QPoint(turn->width() + 20, 2));
    QCOMPARE(h.form->doc.orientationMark, QStringLiteral("Hor"));

    // The back-colour button asks for a colour and the sample takes it.
    h.dialogs.answers.push_back(QString::number(rgbColour(0, 128, 255)));
    QTest::mouseClick(child<QWidget>(h.w, "Command4"), Qt::LeftButton);
    h.settle();
    QCOMPARE(h.dialogs.asked, QStringList{QStringLiteral("colour")});
    QCOMPARE(h.form->doc.sampleLabel.backColor(), rgbColour(0, 128, 255));
}

void TstMainWindow::printOrderPictureFollowsTheChoice()
{
    Shown h;
    auto *picture = qobject_cast<PrintOrderIllustration *>(h.w.printOrderPicture());
    QVERIFY(picture);
    QCOMPARE(picture->order(), 1);
    QVERIFY(!child<QWidget>(h.w, "Tx1")->isVisible());
    // Order 8 counts per slot: its picture shows and so do the counters.
    QTest::keyClick(child<BoundComboBox>(h.w, "WayPrint"), Qt::Key_End);
    h.settle();
    QCOMPARE(h.form->doc.wayPrint.listIndex(), 7);
    QCOMPARE(picture->order(), 8);
    QVERIFY(child<QWidget>(h.w, "Tx1")->isVisible());
    QVERIFY(!child<QWidget>(h.w, "Te1")->isEnabled());
    QTest::keyClick(child<BoundComboBox>(h.w, "WayPrint"), Qt::Key_Up);
    h.settle();
    QCOMPARE(picture->order(), 7);
}

void TstMainWindow::boxesStandAtTheirCentimetres_data()
{
    QTest::addColumn<bool>("portrait");
    QTest::newRow("landscape") << false;
    QTest::newRow("portrait") << true;
}

void TstMainWindow::boxesStandAtTheirCentimetres()
{
    QFETCH(bool, portrait);
    Shown h;
    MainForm &f = *h.form;
    f.doc.gridType.choose(QStringLiteral("12 X 12"));
    h.settle();
    // Red boxes are easy to find on the white page: each number is drawn
    // with the box the printer draws round it, in the sample's colour.
    f.doc.sampleLabel.setBackColor(rgbColour(255, 0, 0));
    f.doc.sampleLabel.setBorder(0);
    f.doc.borderLine.setValue(1);
    f.sample.refreshPreviewNumbers();
    // An odd position, off the default grid.
    f.doc.slot(5).topCm.setText(QStringLiteral("13.3"));
    f.doc.slot(5).leftCm.setText(QStringLiteral("7.7"));
    standPage(f, portrait);
    // The crosshair's design place is along the page's edges; out of view,
    // the white shows the page's whole extent.
    f.placement.parkCrosshair();
    PagePreviewWidget *preview = h.w.pagePreview();
    const QImage img = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);

    // The page is drawn whole, with the proportions of Picture2.
    const QRect page = whiteArea(img);
    const QRectF expected = preview->pageRect();
    QVERIFY2(std::abs(page.left() - expected.left()) <= 1 && std::abs(page.top() - expected.top()) <= 1,
             qPrintable(QStringLiteral("page at %1,%2").arg(page.left()).arg(page.top())));
    QVERIFY(std::abs(page.width() - expected.width()) <= 1.5);
    QVERIFY(std::abs(page.height() - expected.height()) <= 1.5);
    const double aspect = double(page.width()) / page.height();
    const double want = f.preview.page.width() / f.preview.page.height();
    QVERIFY2(std::abs(aspect - want) < 0.01, qPrintable(QString::number(aspect)));
    QCOMPARE(portrait, page.height() > page.width());

    // Each box's corner stands where the printer puts it, 150 twips left of
    // and 200 above its centimetres, at 275 units to the centimetre, scaled
    // as the page is.
    const double s = page.width() / f.preview.page.width();
    const double twipsPerCm = 1440 / 2.54;
    for (int n = 1; n <= 12; ++n) {
        const double longCm = leadingNumber(f.doc.slot(n).topCm.text());
        const double shortCm = leadingNumber(f.doc.slot(n).leftCm.text());
        const double xUnits = ((portrait ? shortCm : longCm) - 150 / twipsPerCm) * 275;
        const double yUnits = ((portrait ? longCm : shortCm) - 200 / twipsPerCm) * 275;
        const int x = page.left() + qRound(xUnits * s);
        const int y = page.top() + qRound(yUnits * s);
        // Inside the box: a few pixels, well short of its smallest size. The
        // red fill starts inside the box's one-pixel outline.
        const int foundX = firstRedColumn(img, x - 6, 12, y + 1, y + 4);
        const int foundY = firstRedRow(img, y - 6, 12, x + 2, x + 12);
        QVERIFY2(foundX >= 0 && std::abs(foundX - (x + 1)) <= 1,
                 qPrintable(QStringLiteral("box %1 left at %2, expected %3").arg(n).arg(foundX).arg(x)));
        QVERIFY2(foundY >= 0 && std::abs(foundY - (y + 1)) <= 1,
                 qPrintable(QStringLiteral("box %1 top at %2, expected %3").arg(n).arg(foundY).arg(y)));
    }
}

void TstMainWindow::clickOnGridCrossingPlacesThere_data()
{
    QTest::addColumn<bool>("portrait");
    QTest::newRow("landscape") << false;
    QTest::newRow("portrait") << true;
}

// The operator clicks where the grid lines of 10 cm across and 5 cm down
// cross, as they are drawn; the slot lands on those centimetres. Also run at
// twice the resolution (QT_SCALE_FACTOR=2), where a logical pixel is two.
void TstMainWindow::clickOnGridCrossingPlacesThere()
{
    QFETCH(bool, portrait);
    Shown h;
    MainForm &f = *h.form;
    if (portrait) {
        QTest::mouseClick(child<QWidget>(h.w, "Label4"), Qt::LeftButton);
        h.settle();
    }
    QTest::mouseClick(child<QWidget>(h.w, "Check4"), Qt::LeftButton);
    QVERIFY(f.preview.Line26[28]->visible());
    QCOMPARE(f.doc.moveByMouse.value(), 1);
    QCOMPARE(f.doc.placementSlot.text(), QStringLiteral("1"));
    PagePreviewWidget *preview = h.w.pagePreview();
    const double dpr = preview->devicePixelRatioF();
    QCOMPARE(dpr, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());

    // The device pixel of a grid line, looked for in the picture near where
    // the mapping puts it, on a stretch of the line between crossings.
    const auto lineAt = [&](const QImage &img, QColor colour, bool upright, double at, double along) {
        const QPointF p = preview->toPixels(upright ? QPointF(at, along) : QPointF(along, at)) * dpr;
        const int near = int(upright ? p.x() : p.y());
        const int other = qRound(upright ? p.y() : p.x());
        for (int i = near - 3; i <= near + 3; ++i)
            if (img.pixelColor(upright ? i : other, upright ? other : i) == colour)
                return i;
        return -1;
    };
    const QColor grey(192, 192, 192);
    QImage img = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int column = lineAt(img, grey, true, 10 * 275 - 15, 5.5 * 275);
    const int row = lineAt(img, grey, false, 5 * 275 - 15, 9.5 * 275);
    QVERIFY(column >= 0 && row >= 0);

    const QPointF at(column / dpr, row / dpr);
    const auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF where) {
        QMouseEvent e(type, where, preview->mapToGlobal(where), button, held, Qt::NoModifier);
        QApplication::sendEvent(preview, &e);
    };
    send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, at);
    QCOMPARE(f.placement.pointerX.caption(), QStringLiteral("10"));
    QCOMPARE(f.placement.pointerY.caption(), QStringLiteral("5"));
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, at);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, at);
    const SignSlot &slot = f.doc.slot(1);
    QCOMPARE(portrait ? slot.leftCm.text() : slot.topCm.text(), QStringLiteral("10"));
    QCOMPARE(portrait ? slot.topCm.text() : slot.leftCm.text(), QStringLiteral("5"));
    QCOMPARE(f.doc.placementSlot.text(), QStringLiteral("2"));

    // The crosshair stands on the pointer's pixels, over the grid lines
    // (looked for above and left of the box that now starts there).
    img = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(lineAt(img, QColor(0, 255, 255), true, 10 * 275 - 15, 2.5 * 275), column);
    QCOMPARE(lineAt(img, QColor(0, 255, 0), false, 5 * 275 - 15, 9.5 * 275), row);

    // The desk round the page is the window's background: the crosshair
    // leaves the page.
    send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPointF(2, 2));
    QCOMPARE(f.preview.crosshairVertical.y1(), -10.0);
    QCOMPARE(f.preview.crosshairHorizontal.y2(), -10.0);
}

void TstMainWindow::sampleShowsTheWholeText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("trueSize");
    QTest::newRow("short, 12 points") << QStringLiteral("No:") << QStringLiteral("12") << true;
    QTest::newRow("long name, 40 points") << QStringLiteral("Receipt No:") << QStringLiteral("40") << false;
    QTest::newRow("long name, 200 points") << QStringLiteral("Receipt No:") << QStringLiteral("200") << false;
    QTest::newRow("Arabic name, 200 points") << QStringLiteral("الرقم:") << QStringLiteral("200") << false;
}

// However large the number, the sample shows all of it inside its backdrop;
// the font keeps the size the operator chose.
void TstMainWindow::sampleShowsTheWholeText()
{
    QFETCH(QString, name);
    QFETCH(QString, size);
    QFETCH(bool, trueSize);
    Shown h;
    MainForm &f = *h.form;
    f.doc.nameText.setText(name);
    f.doc.fontSize.setText(size);
    f.doc.fontSize.click();
    h.settle();
    QCOMPARE(f.doc.fontSize.text(), size);
    QCOMPARE(f.doc.sampleLabel.font().size, size.toDouble());

    auto *sample = child<BoundLabel>(h.w, "La5");
    const QWidget *backdrop = sample->parentWidget();
    QVERIFY(sample->isVisible());
    QVERIFY2(backdrop->rect().contains(sample->geometry()), qPrintable(QStringLiteral("%1 x %2 in %3 x %4")
                                                                           .arg(sample->width())
                                                                           .arg(sample->height())
                                                                           .arg(backdrop->width())
                                                                           .arg(backdrop->height())));
    // The whole text, at the scale it is drawn.
    const QFontMetricsF fm(sample->shownFont());
    QVERIFY(fm.horizontalAdvance(f.doc.sampleLabel.caption()) * sample->textScale() <= sample->width() + 0.5);
    QVERIFY(fm.height() * sample->textScale() <= sample->height() + 0.5);
    QCOMPARE(sample->textScale() == 1.0, trueSize);
}

// A position typed to three decimals shows whole in its field, in every
// panel.
void TstMainWindow::positionFieldsShowThreeDecimals()
{
    Shown h;
    h.form->doc.gridType.choose(QStringLiteral("12 X 12"));
    h.settle();
    QCoreApplication::processEvents();
    const QString typed = QStringLiteral("28.125");
    for (int n = 1; n <= 12; ++n) {
        for (const QString &name : {QStringLiteral("Tee%1").arg(n), QStringLiteral("Teee%1").arg(n)}) {
            auto *field = child<BoundLineEdit>(h.w, qPrintable(name));
            QStyleOptionFrame opt;
            opt.initFrom(field);
            opt.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, field);
            const QRect text = field->style()->subElementRect(QStyle::SE_LineEditContents, &opt, field);
            // The line edit keeps two pixels either side of its text.
            const int room = text.width() - 4 - field->textMargins().left() - field->textMargins().right();
            QVERIFY2(field->fontMetrics().horizontalAdvance(typed) <= room,
                     qPrintable(QStringLiteral("%1: %2 px for %3 px")
                                    .arg(name)
                                    .arg(room)
                                    .arg(field->fontMetrics().horizontalAdvance(typed))));
        }
    }
}

void TstMainWindow::renderWindow()
{
    Shown h;
    MainForm &f = *h.form;
    QCOMPARE(h.w.windowTitle(), QStringLiteral("Numora"));
    // As the program starts on an empty settings store: "2 X 2".
    QCoreApplication::processEvents();
    const QImage start = h.w.grab().toImage();
    QVERIFY(start.save(pngPath(QStringLiteral("mainwindow-start.png"))));
    // The sample stands inside its yellow backdrop, which is drawn where its
    // control is.
    QWidget *backdrop = child<QWidget>(h.w, "Label6");
    QWidget *sampleShown = child<QWidget>(*backdrop, "La5");
    QCOMPARE(colourIn(start, h.w, *backdrop, QPoint(3, 3)), QColor(255, 255, 0));
    QVERIFY(backdrop->rect().contains(sampleShown->geometry()));
    // The page lies in the preview, wider than high.
    PagePreviewWidget *preview = h.w.pagePreview();
    const QRect startPage = whiteArea(start.copy(placeIn(h.w, *preview)).convertToFormat(QImage::Format_RGB32));
    QVERIFY(std::abs(startPage.width() - preview->pageRect().width()) <= 1.5);
    QVERIFY(startPage.width() > startPage.height());

    f.doc.gridType.choose(QStringLiteral("12 X 12"));
    f.doc.wayPrint.choose(0);
    QTest::mouseClick(child<QWidget>(h.w, "Check4"), Qt::LeftButton);
    h.settle();
    // Placing by mouse: the pointer over the page at 13.7 cm across, 9.1 cm
    // down, with crosshair and readout.
    const QPointF pointer = preview->toPixels(QPointF(3770, 2500)).toPoint();
    QMouseEvent move(QEvent::MouseMove, pointer, preview->mapToGlobal(pointer), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(preview, &move);
    QCOMPARE(f.placement.pointerX.caption(), QStringLiteral("13.7"));
    // Let the layouts catch up with the new captions before the picture.
    QCoreApplication::processEvents();
    QImage landscape = h.w.grab().toImage();
    QVERIFY(landscape.save(pngPath(QStringLiteral("mainwindow-landscape.png"))));

    // A long name at 40 points: the sample drawn smaller, all of it shown.
    const QString shortName = f.doc.nameText.text();
    f.doc.nameText.setText(QStringLiteral("Receipt No:"));
    f.doc.fontSize.setText(QStringLiteral("40"));
    f.doc.fontSize.click();
    h.settle();
    QCoreApplication::processEvents();
    const QImage sample40 = h.w.grab().toImage();
    QVERIFY(sample40.save(pngPath(QStringLiteral("mainwindow-sample40.png"))));
    QVERIFY2(
        backdrop->rect().contains(sampleShown->geometry()),
        qPrintable(
            QStringLiteral("sample %1 wide in a backdrop %2 wide").arg(sampleShown->width()).arg(backdrop->width())));
    QCOMPARE(colourIn(sample40, h.w, *backdrop, QPoint(3, 3)), QColor(255, 255, 0));
    f.doc.nameText.setText(shortName);
    f.doc.fontSize.setText(QStringLiteral("12"));
    f.doc.fontSize.click();
    h.settle();

    standPage(f, true);
    // Arabic script in the sample and in the boxes; an order with a counter
    // per slot, so that the counters show on the panels.
    f.doc.nameText.choose(1);
    f.doc.wayPrint.choose(6);
    h.settle();
    QCoreApplication::processEvents();
    QImage portrait = h.w.grab().toImage();
    QVERIFY(portrait.save(pngPath(QStringLiteral("mainwindow-portrait.png"))));
    QCOMPARE(landscape.size(), portrait.size());
    // The page stands upright now, as high as the preview lets it be.
    const QRect upright = whiteArea(portrait.copy(placeIn(h.w, *preview)).convertToFormat(QImage::Format_RGB32));
    QVERIFY(std::abs(upright.height() - preview->pageRect().height()) <= 1.5);
    QVERIFY(upright.height() > upright.width());
    QVERIFY(h.dialogs.asked.isEmpty());
}

namespace {

// Black pixels of a picture: the codes' modules (the numbers are dark grey
// anti-aliased glyphs, their boxes grey).
int blackPixels(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixel(x, y) == qRgb(0, 0, 0);
    return n;
}

} // namespace

void TstMainWindow::codesBesideTheNumbers()
{
    Shown h;
    MainForm &f = *h.form;
    f.doc.gridType.choose(QStringLiteral("12 X 12"));
    h.settle();
    QCoreApplication::processEvents();
    PagePreviewWidget *preview = h.w.pagePreview();
    const int without = blackPixels(preview->grab().toImage().convertToFormat(QImage::Format_RGB32));

    // The editor: a sample of the code for the start number, and OK hands it back.
    CodeSettings qr;
    qr.type = CodeSettings::Type::Qr;
    ui::CodeDialog editor(qr, f.doc.sampleLabel.caption(), &h.w);
    editor.show();
    QCoreApplication::processEvents();
    const QImage edited = editor.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(edited.save(pngPath(QStringLiteral("code-editor.png"))));
    QVERIFY(blackPixels(edited) > 200);
    QCOMPARE(editor.settings(), qr);
    editor.close();

    f.setCode(qr);
    QCoreApplication::processEvents();
    const QImage shown = h.w.grab().toImage();
    QVERIFY(shown.save(pngPath(QStringLiteral("mainwindow-codes.png"))));
    // Twelve codes appear on the page, each below its number's box.
    const QImage page = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY2(blackPixels(page) > without + 12 * 20, qPrintable(QStringLiteral("%1 black pixels, %2 without codes")
                                                                    .arg(blackPixels(page))
                                                                    .arg(without)));
    // Each code stands under its number as the number prints, not above it.
    for (int n = 1; n <= 12; ++n) {
        const QRectF printed = preview->printedRect(n);
        const QRect below(QPointF(printed.left(), printed.bottom() + 1).toPoint(),
                          QSize(int(printed.width()) + 2, int(preview->scale() * 400) + 2));
        const QRect above(QPointF(printed.left(), printed.top() - preview->scale() * 400 - 3).toPoint(),
                          QSize(int(printed.width()) + 2, int(preview->scale() * 400) + 2));
        QVERIFY2(blackPixels(page.copy(below)) > 0, qPrintable(QStringLiteral("no code under number %1").arg(n)));
        QCOMPARE(blackPixels(page.copy(above)), 0);
    }
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
