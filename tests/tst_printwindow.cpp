// The print dialog's window over a started main form: it opens from the main
// window's Print as a window of its own above it, the operator's input on
// it has exactly the form's effects, a run disables its commands until the
// run ends, and the progress of a run stops it when Stop is pressed. Also
// renders the dialog and its progress to PNG files in the build folder.
#include "layout/SessionKeys.h"
#include "platform/ManualScheduler.h"
#include "printing/PrintForm.h"
#include "ui/BoundCheckBox.h"
#include "ui/BoundComboBox.h"
#include "ui/BoundLabel.h"
#include "ui/BoundLineEdit.h"
#include "ui/MainWindow.h"
#include "ui/PageCopiesIllustration.h"
#include "ui/PrintProgressPanel.h"
#include "ui/PrintWindow.h"
#include "ui/ViewSupport.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace numora;
using namespace numora::ui;

namespace {

using test::placeIn;
using test::pngPath;

// The main window over a started form with two printers, and the print
// dialog once the main window's Print has opened it.
struct Harness : test::WindowFixture
{
    MainWindow w{*form};
    PrintWindow *pw = nullptr;

    Harness()
        : WindowFixture({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Mono"),
                         QStringLiteral("Liberation Sans"), QStringLiteral("Tahoma")})
    {
        printer.setPrinters({QStringLiteral("Laser"), QStringLiteral("Inkjet")});
    }

    PrintForm &dialog() const { return form->printForm; }

    QWidget *printLabel() { return test::child<QWidget>(w, "Label50", Qt::FindDirectChildrenOnly); }

    // Shows the main window and clicks its Print; false when the dialog's
    // window does not come up.
    bool open()
    {
        if (!w.isVisible()) {
            w.move(40, 30);
            w.show();
            if (!QTest::qWaitForWindowExposed(&w))
                return false;
        }
        QTest::mouseClick(printLabel(), Qt::LeftButton);
        pw = w.printWindow();
        return pw && pw->isVisible() && QTest::qWaitForWindowExposed(pw);
    }

    // The page field's count replaced by typing, as the operator does.
    void typePages(const QString &count)
    {
        QTest::mouseClick(pw->pageField(), Qt::LeftButton);
        pw->pageField()->selectAll();
        QTest::keyClicks(pw->pageField(), count);
    }

    bool printed() const { return printer.lines().contains(QStringLiteral("EndDoc")); }
};

} // namespace

class TstPrintWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { applyLook(*qApp); }

    void opensAboveTheMainWindow();
    void closing_data();
    void closing();
    void twoPageOptionSwapsThePictures();
    void pageFieldGoesThroughTheForm();
    void runDisablesTheCommandsUntilItEnds();
    void keepsItselfInFront();
    void progressOfARun_data();
    void progressOfARun();
    void claimShownAndStopped();
    void progressInParts_data();
    void progressInParts();
    void render();
};

void TstPrintWindow::opensAboveTheMainWindow()
{
    Harness h;
    QVERIFY(!h.w.printWindow());
    QVERIFY(h.open());
    PrintWindow *pw = h.pw;
    QCOMPARE(pw->windowTitle(), QStringLiteral("Print"));
    // A window of its own, kept above the main window by the window system:
    // as a child it would be disabled with the main window.
    QVERIFY(pw->isWindow());
    QVERIFY(!pw->parentWidget());
    QCOMPARE(pw->windowHandle()->transientParent(), h.w.windowHandle());
    QVERIFY(!h.w.isEnabled());
    QVERIFY(pw->isEnabled());
    QVERIFY(pw->printButton()->isEnabled());

    // Where the form puts it: 1000 twips right of and below the main window.
    QCOMPARE(pw->pos(), QPoint(px(pw, h.form->left() + 1000), px(pw, h.form->top() + 1000)));

    // The printers in the form's order, the current one shown.
    QCOMPARE(pw->printerBox()->count(), 2);
    QCOMPARE(pw->printerBox()->currentText(), QStringLiteral(" Laser"));

    // The sample stands in the middle of the preview strip.
    BoundLabel *sample = pw->sample();
    QCOMPARE(sample->control().caption(), QStringLiteral("No:000001"));
    QVERIFY(sample->isVisibleTo(pw));
    const QRect strip = pw->previewArea()->rect();
    const QRect at = sample->geometry();
    QVERIFY(strip.contains(at));
    QVERIFY2(qAbs(at.left() - (strip.width() - at.right() - 1)) <= 2, qPrintable(QString::number(at.left())));
    QVERIFY2(qAbs(at.top() - (strip.height() - at.bottom() - 1)) <= 2, qPrintable(QString::number(at.top())));

    // Cancel and Print again: the same window, in the same place.
    QTest::mouseClick(pw->cancelButton(), Qt::LeftButton);
    QVERIFY(!pw->isVisible());
    QVERIFY(h.w.isEnabled());
    QVERIFY(h.open());
    QCOMPARE(h.pw, pw);
    QVERIFY(h.dialogs.asked.isEmpty());
}

void TstPrintWindow::closing_data()
{
    QTest::addColumn<bool>("byCloseButton");
    QTest::newRow("Cancel") << false;
    QTest::newRow("window's close button") << true;
}

void TstPrintWindow::closing()
{
    QFETCH(bool, byCloseButton);
    Harness h;
    QVERIFY(h.open());
    QTest::mouseClick(h.pw->twoPageOption(), Qt::LeftButton);
    QCOMPARE(h.dialog().twoPageOption.value(), 1);

    if (byCloseButton)
        QVERIFY(h.pw->close());
    else
        QTest::mouseClick(h.pw->cancelButton(), Qt::LeftButton);
    // Either way the form's Cancel ran: the option is cleared and the main
    // window given back.
    QVERIFY(!h.pw->isVisible());
    QVERIFY(!h.dialog().visible());
    QVERIFY(h.w.isEnabled());
    QCOMPARE(h.dialog().twoPageOption.value(), 0);
    QCOMPARE(h.pw->twoPageOption()->checkState(), Qt::Unchecked);
    QCOMPARE(h.dialog().keepInFrontTimer.interval(), 0);
}

void TstPrintWindow::twoPageOptionSwapsThePictures()
{
    Harness h;
    QVERIFY(h.open());
    PrintWindow *pw = h.pw;
    QVERIFY(pw->oneCopyPicture()->isVisibleTo(pw));
    QVERIFY(!pw->twoCopiesPicture()->isVisibleTo(pw));
    QCOMPARE(pw->oneCopyPicture()->geometry(), pw->twoCopiesPicture()->geometry());

    QTest::mouseClick(pw->twoPageOption(), Qt::LeftButton);
    QCOMPARE(h.dialog().twoPageOption.value(), 1);
    QVERIFY(!pw->oneCopyPicture()->isVisibleTo(pw));
    QVERIFY(pw->twoCopiesPicture()->isVisibleTo(pw));

    // The space bar is a click too.
    pw->twoPageOption()->setFocus();
    QTest::keyClick(pw->twoPageOption(), Qt::Key_Space);
    QCOMPARE(h.dialog().twoPageOption.value(), 0);
    QVERIFY(pw->oneCopyPicture()->isVisibleTo(pw));
    QVERIFY(!pw->twoCopiesPicture()->isVisibleTo(pw));
}

void TstPrintWindow::pageFieldGoesThroughTheForm()
{
    Harness h;
    h.settings.saveSetting(session::appName(), session::sectionName(), session::fieldKey(0), QStringLiteral("12"));
    QVERIFY(h.open());
    BoundLineEdit *field = h.pw->pageField();
    QCOMPARE(field->text(), QStringLiteral("12"));

    // The first click selects the whole count, so that typing replaces it;
    // the form's filter lets digits, ":" and ";" through.
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(3, field->height() / 2));
    QCOMPARE(h.dialog().pageFieldSelected, 1);
    QCOMPARE(field->selectedText(), QStringLiteral("12"));
    QTest::keyClicks(field, QStringLiteral("7a-;2"));
    QCOMPARE(field->text(), QStringLiteral("7;2"));
    QCOMPARE(h.form->pageCountMirror.text(), QStringLiteral("7;2"));

    // Later clicks only place the caret.
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(3, field->height() / 2));
    QVERIFY(!field->hasSelectedText());
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClicks(field, QStringLiteral("345"));
    // Five characters at most.
    QCOMPARE(h.dialog().pageField.text(), QStringLiteral("7;234"));
    QCOMPARE(field->text(), QStringLiteral("7;234"));
}

void TstPrintWindow::runDisablesTheCommandsUntilItEnds()
{
    Harness h;
    QVERIFY(h.open());
    PrintWindow *pw = h.pw;
    h.typePages(QStringLiteral("2"));
    QTest::mouseClick(pw->printButton(), Qt::LeftButton);

    // Under way: the commands, the page field and the option wait for the
    // run, and the window's close button does not cancel it.
    for (QWidget *c : std::initializer_list<QWidget *>{pw->printButton(), pw->propertiesButton(), pw->cancelButton(),
                                                       pw->pageField(), pw->twoPageOption()})
        QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
    QVERIFY(!pw->close());
    QVERIFY(pw->isVisible());
    QVERIFY(!h.printed());

    h.settle();
    QVERIFY(h.printed());
    QCOMPARE(h.dialog().lastJobPages(), 2);
    QVERIFY(!pw->isVisible());
    QVERIFY(h.w.isEnabled());
    for (QWidget *c : std::initializer_list<QWidget *>{pw->printButton(), pw->propertiesButton(), pw->cancelButton(),
                                                       pw->pageField(), pw->twoPageOption()})
        QVERIFY2(c->isEnabled(), qPrintable(c->objectName()));
    // A short run never showed its progress.
    QVERIFY(pw->progress()->isHidden());
    QVERIFY(!pw->progress()->running());
}

void TstPrintWindow::keepsItselfInFront()
{
    Harness h;
    QVERIFY(h.open());
    // The operator clicks the disabled main window; the dialog's next
    // keep-in-front tick takes the focus back.
    h.w.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &h.w);
    h.scheduler.advance(1000);
    QTRY_COMPARE(QApplication::activeWindow(), h.pw);

    // Closed, it stays closed.
    QTest::mouseClick(h.pw->cancelButton(), Qt::LeftButton);
    h.scheduler.advance(2000);
    QVERIFY(!h.pw->isVisible());
}

void TstPrintWindow::progressOfARun_data()
{
    QTest::addColumn<bool>("stop");
    QTest::newRow("Stop pressed") << true;
    QTest::newRow("left to finish") << false;
}

void TstPrintWindow::progressOfARun()
{
    QFETCH(bool, stop);
    Harness h;
    QVERIFY(h.open());
    PrintWindow *pw = h.pw;
    PrintProgressPanel *panel = pw->progress();
    panel->setShowAfter(0);
    const QString startBefore = h.form->doc.startNumber.text();
    const int printerBefore = h.dialog().printerBox.listIndex();
    h.typePages(QStringLiteral("3"));
    QTest::mouseClick(pw->printButton(), Qt::LeftButton);

    // While the first page's events are let through: what the panel shows,
    // a key that would choose another printer (it must not reach the box),
    // and the operator's Stop.
    QString shown;
    bool panelShown = false;
    QTimer::singleShot(0, this, [&] {
        panelShown = panel->isVisible();
        shown = panel->pageText()->text();
        QTest::keyClick(pw->printerBox(), Qt::Key_Up);
        if (stop)
            QTest::mouseClick(panel->stopButton(), Qt::LeftButton);
    });
    h.settle();

    QVERIFY(panelShown);
    QCOMPARE(shown, QStringLiteral("Page 1 of 3"));
    QCOMPARE(h.dialog().printerBox.listIndex(), printerBefore);
    if (stop) {
        // Nothing reached the printer's end and the numbers stand as before.
        QVERIFY(!h.printed());
        QCOMPARE(h.dialog().lastJobPages(), 0);
        QCOMPARE(h.form->doc.startNumber.text(), startBefore);
    } else {
        QVERIFY(h.printed());
        QCOMPARE(h.dialog().lastJobPages(), 3);
        QVERIFY(h.form->doc.startNumber.text() != startBefore);
    }
    // Either way the run is over: no progress, no dialog, the main window
    // back, and no question asked.
    QVERIFY(panel->isHidden());
    QVERIFY(!panel->running());
    QVERIFY(!pw->isVisible());
    QVERIFY(h.w.isEnabled());
    QVERIFY(h.dialogs.asked.isEmpty());

    // The next run starts afresh: a Stop of the last one does not stop it.
    // Between runs the same key does choose the other printer.
    QVERIFY(h.open());
    QTest::keyClick(pw->printerBox(), Qt::Key_Up);
    QCOMPARE(h.dialog().printerBox.listIndex(), printerBefore - 1);
    h.typePages(QStringLiteral("1"));
    QTest::mouseClick(pw->printButton(), Qt::LeftButton);
    h.printer.takeLines();
    h.settle();
    QVERIFY(h.printed());
}

void TstPrintWindow::claimShownAndStopped()
{
    // A journal slow to claim: the panel says so before any page, and Stop
    // ends the wait.
    PrintProgressPanel panel;
    panel.setShowAfter(0);
    QVERIFY(panel.claiming());
    QVERIFY(panel.isVisible());
    QCOMPARE(panel.pageText()->text(), QStringLiteral("Claiming the run's numbers in the journal…"));
    QTest::mouseClick(panel.stopButton(), Qt::LeftButton);
    QVERIFY(!panel.claiming());
    panel.runEnded();
    QVERIFY(panel.isHidden());
}

void TstPrintWindow::progressInParts_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("partPages"); // 0: one document
    QTest::addColumn<int>("taken");
    QTest::addColumn<QString>("shown");
    QTest::newRow("one document") << 1200 << 2000 << 0 << 0 << QStringLiteral("Page 1200 of 2000");
    QTest::newRow("fits in one part") << 300 << 400 << 500 << 0 << QStringLiteral("Page 300 of 400");
    // The caption as the operator reads it: the page, the part drawn, the parts taken.
    const auto inParts = [](int page, int pages, int drawn, int parts, int taken) {
        return QStringLiteral("Page %1 of %2 \u00b7 part %3 of %4 \u00b7 %5 taken")
            .arg(page).arg(pages).arg(drawn).arg(parts).arg(taken);
    };
    QTest::newRow("third drawn, two taken") << 1200 << 2000 << 500 << 1000 << inParts(1200, 2000, 3, 4, 2);
    QTest::newRow("last page of the second, one taken") << 1000 << 2001 << 500 << 500 << inParts(1000, 2001, 2, 5, 1);
}

// A run handed over in parts shows the parts drawn and those the printer took.
void TstPrintWindow::progressInParts()
{
    QFETCH(int, page);
    QFETCH(int, pages);
    QFETCH(int, partPages);
    QFETCH(int, taken);
    QFETCH(QString, shown);
    Harness h;
    QVERIFY(h.open());
    PrintWindow *pw = h.pw;
    PrintProgressPanel *panel = pw->progress();
    panel->setShowAfter(0);
    QVERIFY(panel->pageDone(page, pages, partPages, taken));
    QCOMPARE(panel->pageText()->text(), shown);
    QCOMPARE(panel->bar()->value(), page);
    if (QByteArray(QTest::currentDataTag()) == "third drawn, two taken")
        QVERIFY(pw->grab().toImage().save(pngPath(QStringLiteral("print-progress-parts.png"))));
    panel->runEnded();
}

void TstPrintWindow::render()
{
    Harness h;
    QVERIFY(h.open());
    PrintWindow *pw = h.pw;
    QCoreApplication::processEvents();
    QVERIFY(pw->grab().toImage().save(pngPath(QStringLiteral("print-dialog.png"))));

    // The dialog's pieces each drawn whole inside it.
    for (QWidget *piece : {static_cast<QWidget *>(pw->twoPageOption()), static_cast<QWidget *>(pw->printButton())})
        QVERIFY(pw->rect().contains(placeIn(*pw, *piece)));

    QTest::mouseClick(pw->twoPageOption(), Qt::LeftButton);
    QVERIFY(pw->grab().toImage().save(pngPath(QStringLiteral("print-dialog-two-pages.png"))));
    QVERIFY(pw->twoPageOption()->isChecked());

    // The dialog over the main window as they stand on the screen.
    QImage both(h.w.size(), QImage::Format_RGB32);
    {
        QPainter p(&both);
        h.w.render(&p);
        p.fillRect(QRect(QPoint(), h.w.size()), QColor(0, 0, 0, 40));
        pw->render(&p, pw->pos() - h.w.pos());
    }
    QVERIFY(both.save(pngPath(QStringLiteral("print-over-main.png"))));
    // The dialog lies over the main window; inside it the picture is the
    // dialog's own, undimmed.
    const QRect dialogPlace(pw->pos() - h.w.pos(), pw->size());
    QVERIFY(QRect(QPoint(), h.w.size()).contains(dialogPlace));
    const QImage dialog = pw->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint inside(pw->width() / 2, 5);
    QCOMPARE(both.pixelColor(dialogPlace.topLeft() + inside), dialog.pixelColor(inside));

    // The progress of a run, caught on its first page.
    pw->progress()->setShowAfter(0);
    h.typePages(QStringLiteral("400"));
    QTest::mouseClick(pw->printButton(), Qt::LeftButton);
    bool saved = false;
    QTimer::singleShot(0, this, [&] {
        saved = pw->grab().toImage().save(pngPath(QStringLiteral("print-progress.png")))
                && pw->progress()->isVisibleTo(pw) && pw->rect().contains(placeIn(*pw, *pw->progress()))
                && pw->progress()->stopButton()->isVisibleTo(pw);
        QTest::mouseClick(pw->progress()->stopButton(), Qt::LeftButton);
    });
    h.settle();
    QVERIFY(saved);
}

QTEST_MAIN(TstPrintWindow)
#include "tst_printwindow.moc"
