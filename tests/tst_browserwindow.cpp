// The layout browser's window over a started main form: it opens from the
// main window's Open docked at its right edge and follows it, and the
// operator's input on its widgets has exactly the form's effects (filter,
// preview, search, delete, load), with no choice echoed back by the list.
// Also renders the two windows side by side into browser-docked.png.
#include "layoutfiles/BrowserForm.h"
#include "layoutfiles/LayoutFile.h"
#include "platform/qt/QtDialogs.h"
#include "ui/BoundComboBox.h"
#include "ui/BoundLabel.h"
#include "ui/BoundLineEdit.h"
#include "ui/BoundListBox.h"
#include "ui/BrowserWindow.h"
#include "ui/MainWindow.h"
#include "ui/SheetStackIcon.h"
#include "ui/ViewSupport.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace numora;
using namespace numora::ui;

namespace {

using test::placeIn;
using test::pngPath;

// A started main form with four layout files and a text file in its Data
// folder.
struct StockedForm : test::WindowFixture
{
    StockedForm()
        : WindowFixture({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Tahoma")})
    {
        folder.ensureExists();
        // Listed by name without regard to case: Plan, pliers, Receipts, Tickets.
        layout(QStringLiteral("Plan.2x2"), QStringLiteral("120"), QStringLiteral("6"));
        layout(QStringLiteral("Receipts.10x10"), QStringLiteral("5000"), QStringLiteral("4"));
        layout(QStringLiteral("Tickets.2x2"), QStringLiteral("77"), QStringLiteral("4"));
        layout(QStringLiteral("pliers.4x4"), QStringLiteral("3"), QStringLiteral("6"));
        QVERIFY(folder.write(folder.filePath(QStringLiteral("Notes.txt")), "not a layout", nullptr));
    }

    // A layout file of the current fields with its own start number (line
    // 8) and orientation code (line 13).
    void layout(const QString &name, const QString &start, const QString &orientation)
    {
        QStringList values = layoutFileValues(form->doc);
        values[7] = start;
        values[12] = orientation;
        const QByteArray bytes = encodeLayoutFile(layoutFileKeys(LayoutWriter::SaveCommand), values);
        QVERIFY(folder.write(folder.filePath(name), bytes, nullptr));
    }
};

// The main window's own framed button of that name; the browser has
// controls of the same names.
QWidget *mainButton(MainWindow &w, const char *name)
{
    return test::child<QWidget>(w, name, Qt::FindDirectChildrenOnly);
}

// The main window over that form, and the browser and its list of files once
// the main window's Open has opened it.
struct Harness : StockedForm
{
    MainWindow w{*form};
    BrowserWindow *b = nullptr;
    BoundListBox *list = nullptr;

    // Shows the main window at a known place and opens the browser with the
    // main window's Open; false when either does not come up.
    bool openBrowser()
    {
        w.move(30, 20);
        w.show();
        if (!QTest::qWaitForWindowExposed(&w))
            return false;
        QTest::mouseClick(mainButton(w, "Command2"), Qt::LeftButton);
        b = w.browserWindow();
        list = b ? b->fileList() : nullptr;
        return b != nullptr;
    }
};

QStringList itemsOf(const QListWidget *list)
{
    QStringList l;
    for (int i = 0; i < list->count(); ++i)
        l << list->item(i)->text();
    return l;
}

QString selectedText(const QListWidget *list)
{
    const auto sel = list->selectedItems();
    return sel.size() == 1 ? sel.first()->text() : QString();
}

QPoint rowCentre(QListWidget *list, const QString &text)
{
    const auto found = list->findItems(text, Qt::MatchExactly);
    if (found.size() != 1)
        qFatal("no row %s", qPrintable(text));
    return list->visualItemRect(found.first()).center();
}

// A mouse click on the row of that text.
void clickRow(QListWidget *list, const QString &text, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, rowCentre(list, text));
}

} // namespace

class TstBrowserWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { applyLook(*qApp); }

    void opensDockedAndFollowsTheMainWindow();
    void closingKeepsItClosed();
    void filterChangesTheListedFiles();
    void clickingARowPreviewsIt();
    void programSelectionIsNotEchoed();
    void searchSelectsTheFirstMatch();
    void deleteRemovesTheRow();
    void doubleClickAsksAndLoads();
    void questionsWithoutTitleShowTheProgramName();
    void buttonsInsideTheWindow_data();
    void buttonsInsideTheWindow();
    void messagesCentredOnTheActiveWindow_data();
    void messagesCentredOnTheActiveWindow();
    void renderSideBySide();
};

void TstBrowserWindow::opensDockedAndFollowsTheMainWindow()
{
    Harness h;
    QVERIFY(!h.w.browserWindow());
    QVERIFY(h.openBrowser());
    QVERIFY(h.b->isVisible());
    QVERIFY(h.b->isWindow());
    QCOMPARE(h.b->windowTitle(), QStringLiteral("File Of Save"));
    BrowserForm &form = h.form->browser();
    QVERIFY(form.visible());
    QVERIFY(form.enabled());

    // Docked: left = main left + main width, top = main top, in twips; in
    // pixels the browser's left edge touches the main window's right edge.
    const QRect main = h.w.frameGeometry();
    QCOMPARE(h.b->frameGeometry().topLeft(), QPoint(main.right() + 1, main.top()));
    QCOMPARE(h.b->pos(), QPoint(px(h.b, h.form->left() + h.form->width()), px(h.b, h.form->top())));
    QCOMPARE(form.left(), h.form->left() + h.form->width());
    // Its inside as high as the frameless main window; the form learns the
    // window's size once it is shown.
    QCOMPARE(h.b->geometry().height(), main.height());
    QTRY_COMPARE(px(h.b, form.width()), h.b->frameGeometry().width());
    QCOMPARE(px(h.b, form.height()), h.b->frameGeometry().height());
    QCOMPARE(h.b->frameGeometry().topLeft(), QPoint(main.right() + 1, main.top()));
    QVERIFY(h.b->width() > 150 && h.b->width() < 320);

    // Moving the main window takes the browser along.
    h.w.move(140, 75);
    QCOMPARE(h.b->pos(), QPoint(140 + h.w.frameGeometry().width(), 75));
    QCOMPARE(form.top(), twips(h.b, 75));

    // The operator moves the browser away; it stays there until the main
    // window moves again, which docks it once more.
    h.b->move(600, 300);
    QCOMPARE(form.left(), twips(h.b, 600));
    QCOMPARE(h.b->pos(), QPoint(600, 300));
    h.w.move(150, 80);
    QCOMPARE(h.b->pos(), QPoint(150 + h.w.frameGeometry().width(), 80));

    // A program write of the form's window state minimises the window, and
    // the operator's restore reaches the form.
    form.setWindowState(1);
    QVERIFY(h.b->isMinimized());
    h.b->setWindowState(Qt::WindowNoState);
    QCOMPARE(form.windowState(), 0);

    // Disabling the main window (the print dialog does) leaves the browser
    // usable: it is a window of its own.
    h.form->setEnabled(false);
    QVERIFY(!h.w.isEnabled());
    QVERIFY(h.b->isEnabled());
    h.form->setEnabled(true);
    QVERIFY(h.dialogs.asked.isEmpty());
}

void TstBrowserWindow::closingKeepsItClosed()
{
    Harness h;
    QVERIFY(h.openBrowser());
    BrowserForm &form = h.form->browser();
    // A choice to keep: the "4 X 4" filter.
    QTest::keyClick(h.b->filter(), Qt::Key_End);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(h.b->filter(), Qt::Key_Up);
    QCOMPARE(form.typeFilter.text(), QStringLiteral("4 X 4"));
    QCOMPARE(itemsOf(h.list), QStringList{QStringLiteral("pliers.4x4")});

    QTest::mouseClick(h.b->closeButton(), Qt::LeftButton);
    QVERIFY(!h.b->isVisible());
    QVERIFY(!form.visible());
    QVERIFY(!form.enabled());
    // A closed browser does not follow the main window.
    const QPoint closedAt = h.b->pos();
    h.w.move(200, 90);
    QVERIFY(!h.b->isVisible());
    QCOMPARE(h.b->pos(), closedAt);

    // Open again: the same window, docked at the new place, with its filter.
    QTest::mouseClick(mainButton(h.w, "Command2"), Qt::LeftButton);
    QCOMPARE(h.w.browserWindow(), h.b);
    QVERIFY(h.b->isVisible());
    QCOMPARE(h.b->pos(), QPoint(200 + h.w.frameGeometry().width(), 90));
    QCOMPARE(h.b->filter()->currentText(), QStringLiteral("4 X 4"));
    QCOMPARE(selectedText(h.list), QStringLiteral("pliers.4x4"));

    // The window's own close button is the browser's Close.
    QVERIFY(h.b->close());
    QVERIFY(!form.visible());
    QVERIFY(!form.enabled());
}

void TstBrowserWindow::filterChangesTheListedFiles()
{
    Harness h;
    QVERIFY(h.openBrowser());
    QCOMPARE(h.b->filter()->currentText(), QStringLiteral("All"));
    QCOMPARE(itemsOf(h.list), (QStringList{QStringLiteral("Plan.2x2"), QStringLiteral("pliers.4x4"),
                                           QStringLiteral("Receipts.10x10"), QStringLiteral("Tickets.2x2")}));

    // "1 X 1": nothing of that type; no number, no page shown.
    QTest::keyClick(h.b->filter(), Qt::Key_Down);
    QCOMPARE(h.form->browser().typeFilter.listIndex(), 1);
    QCOMPARE(h.list->count(), 0);
    QVERIFY(selectedText(h.list).isEmpty());
    QCOMPARE(h.b->startNumber()->control().caption(), QStringLiteral("No.:"));
    QVERIFY(!h.b->standingIcon()->isVisibleTo(h.b));
    QVERIFY(!h.b->lyingIcon()->isVisibleTo(h.b));

    // "2 X 2": its two files, the first one selected and previewed.
    QTest::keyClick(h.b->filter(), Qt::Key_Down);
    QCOMPARE(itemsOf(h.list), (QStringList{QStringLiteral("Plan.2x2"), QStringLiteral("Tickets.2x2")}));
    QCOMPARE(h.list->currentRow(), 0);
    QCOMPARE(selectedText(h.list), QStringLiteral("Plan.2x2"));
    QCOMPARE(h.b->startNumber()->control().caption(), QStringLiteral("No.:120"));
    QCOMPARE(h.b->fileName()->control().caption(), QStringLiteral("Plan.2x2"));
    QVERIFY(h.b->standingIcon()->isVisibleTo(h.b) && !h.b->lyingIcon()->isVisibleTo(h.b));
    QVERIFY(h.b->rect().contains(placeIn(*h.b, *h.b->standingIcon())));
    QVERIFY(!h.b->lyingIcon()->isVisibleTo(h.b));

    // "10 X 10" by the mouse on the popup's row.
    h.b->filter()->showPopup();
    QAbstractItemView *popup = h.b->filter()->view();
    QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
    const QModelIndex tenByTen = popup->model()->index(7, 0);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(tenByTen).center());
    QTRY_VERIFY(!popup->isVisible());
    QCOMPARE(h.form->browser().typeFilter.text(), QStringLiteral("10 X 10"));
    QCOMPARE(itemsOf(h.list), QStringList{QStringLiteral("Receipts.10x10")});
    QCOMPARE(h.b->startNumber()->control().caption(), QStringLiteral("No.:5000"));
    QVERIFY(!h.b->standingIcon()->isVisibleTo(h.b));
    QVERIFY(h.b->lyingIcon()->isVisibleTo(h.b));
}

void TstBrowserWindow::clickingARowPreviewsIt()
{
    Harness h;
    QVERIFY(h.openBrowser());
    BrowserForm &form = h.form->browser();

    clickRow(h.list, QStringLiteral("Receipts.10x10"));
    QCOMPARE(form.fileList.listIndex(), 2);
    QCOMPARE(selectedText(h.list), QStringLiteral("Receipts.10x10"));
    QCOMPARE(form.startNumberCaption.caption(), QStringLiteral("No.:5000"));
    QCOMPARE(form.fileNameCaption.caption(), QStringLiteral("Receipts.10x10"));
    QVERIFY(h.b->lyingIcon()->isVisibleTo(h.b));
    QVERIFY(!h.b->standingIcon()->isVisibleTo(h.b));

    // A click on the selected row previews it again: the file changed.
    h.layout(QStringLiteral("Receipts.10x10"), QStringLiteral("6000"), QStringLiteral("6"));
    clickRow(h.list, QStringLiteral("Receipts.10x10"));
    QCOMPARE(form.startNumberCaption.caption(), QStringLiteral("No.:6000"));
    QVERIFY(h.b->standingIcon()->isVisibleTo(h.b) && !h.b->lyingIcon()->isVisibleTo(h.b));
    QVERIFY(h.b->rect().contains(placeIn(*h.b, *h.b->standingIcon())));
    QVERIFY(!h.b->lyingIcon()->isVisibleTo(h.b));

    // The arrow keys choose as well.
    h.list->setFocus();
    QTest::keyClick(h.list, Qt::Key_Down);
    QCOMPARE(form.fileList.listIndex(), 3);
    QCOMPARE(form.startNumberCaption.caption(), QStringLiteral("No.:77"));
    QCOMPARE(form.fileNameCaption.caption(), QStringLiteral("Tickets.2x2"));
    QVERIFY(h.dialogs.asked.isEmpty());
}

void TstBrowserWindow::programSelectionIsNotEchoed()
{
    Harness h;
    QVERIFY(h.openBrowser());
    BrowserForm &form = h.form->browser();
    int clicks = 0, doubleClicks = 0;
    form.fileList.onClick.connect([&clicks] { ++clicks; });
    form.fileList.onDblClick.connect([&doubleClicks] { ++doubleClicks; });

    // A program selection: one click event (the form's own), shown in the
    // widget, none coming back from it.
    QVERIFY(form.fileList.setListIndex(1));
    QCOMPARE(clicks, 1);
    QCOMPARE(selectedText(h.list), QStringLiteral("pliers.4x4"));
    QCOMPARE(h.list->currentRow(), 1);
    QVERIFY(form.fileList.setListIndex(-1));
    QCOMPARE(clicks, 2);
    QVERIFY(h.list->selectedItems().isEmpty());

    // One mouse click on another row is one click, not one for the press
    // that selects and one for the release.
    clicks = 0;
    clickRow(h.list, QStringLiteral("Tickets.2x2"));
    QCOMPARE(clicks, 1);
    QCOMPARE(form.fileList.listIndex(), 3);

    // A Ctrl+click that would clear the selection cannot: the list of
    // files always keeps its entry.
    clickRow(h.list, QStringLiteral("Tickets.2x2"), Qt::ControlModifier);
    QCOMPARE(selectedText(h.list), QStringLiteral("Tickets.2x2"));
    QCOMPARE(form.fileList.listIndex(), 3);

    // Refilled by the form, the list shows the new items and the kept entry.
    h.layout(QStringLiteral("Alpha.2x2"), QStringLiteral("1"), QStringLiteral("6"));
    clicks = 0;
    form.refreshFiles();
    QCOMPARE(clicks, 0);
    QCOMPARE(h.list->count(), 5);
    QCOMPARE(selectedText(h.list), QStringLiteral("Tickets.2x2"));
    QCOMPARE(form.fileList.listIndex(), 4);
    QCOMPARE(doubleClicks, 0);
}

void TstBrowserWindow::searchSelectsTheFirstMatch()
{
    Harness h;
    QVERIFY(h.openBrowser());
    BoundLineEdit *search = h.b->search();
    QCOMPARE(h.b->findChild<BoundLabel *>(QStringLiteral("Label2"))->control().caption(), QStringLiteral("Fine"));

    clickRow(h.list, QStringLiteral("Tickets.2x2"));
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("pl"));
    QCOMPARE(h.form->browser().searchText.text(), QStringLiteral("pl"));
    QCOMPARE(selectedText(h.list), QStringLiteral("Plan.2x2"));
    QCOMPARE(h.form->browser().startNumberCaption.caption(), QStringLiteral("No.:120"));
    // Without regard to case: "pli" is the lower-case pliers.
    QTest::keyClicks(search, QStringLiteral("I"));
    QCOMPARE(selectedText(h.list), QStringLiteral("pliers.4x4"));
    QCOMPARE(h.list->currentRow(), 1);
    // No match: no row selected and no page shown.
    QTest::keyClicks(search, QStringLiteral("x"));
    QVERIFY(h.list->selectedItems().isEmpty());
    QVERIFY(!h.b->standingIcon()->isVisibleTo(h.b));
    QVERIFY(!h.b->lyingIcon()->isVisibleTo(h.b));
    QTest::keyClick(search, Qt::Key_Backspace);
    QCOMPARE(selectedText(h.list), QStringLiteral("pliers.4x4"));
}

void TstBrowserWindow::deleteRemovesTheRow()
{
    Harness h;
    QVERIFY(h.openBrowser());
    const QString tickets = h.folder.filePath(QStringLiteral("Tickets.2x2"));

    clickRow(h.list, QStringLiteral("Tickets.2x2"));
    h.dialogs.answers.push_back(QStringLiteral("No"));
    QTest::mouseClick(h.b->deleteButton(), Qt::LeftButton);
    QCOMPARE(h.dialogs.asked, QStringList{QStringLiteral("Are you sure Delete the File \r\nTickets.2x2")});
    QVERIFY(QFile::exists(tickets));
    QCOMPARE(h.list->count(), 4);

    h.dialogs.answers.push_back(QStringLiteral("Yes"));
    QTest::mouseClick(h.b->deleteButton(), Qt::LeftButton);
    QCOMPARE(h.dialogs.asked.size(), 2);
    QVERIFY(!QFile::exists(tickets));
    QCOMPARE(itemsOf(h.list),
             (QStringList{QStringLiteral("Plan.2x2"), QStringLiteral("pliers.4x4"), QStringLiteral("Receipts.10x10")}));
    // The entry before the deleted one is selected and previewed.
    QCOMPARE(selectedText(h.list), QStringLiteral("Receipts.10x10"));
    QCOMPARE(h.form->browser().startNumberCaption.caption(), QStringLiteral("No.:5000"));
    QVERIFY(h.b->lyingIcon()->isVisibleTo(h.b));
    QVERIFY(h.dialogs.answers.empty());
}

void TstBrowserWindow::doubleClickAsksAndLoads()
{
    Harness h;
    QVERIFY(h.openBrowser());
    QCOMPARE(h.form->doc.fileCaption.caption(), QStringLiteral("File Name : None"));
    int clicks = 0;
    h.form->browser().fileList.onClick.connect([&clicks] { ++clicks; });

    h.dialogs.answers.push_back(QStringLiteral("Yes"));
    // The events of a double-click as the system delivers them.
    const QPoint at = rowCentre(h.list, QStringLiteral("Receipts.10x10"));
    QTest::mouseClick(h.list->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(h.list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(h.list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(h.list->viewport(), Qt::LeftButton, {}, at);
    h.settle();
    // One question, the Load one, and one preview before it.
    QCOMPARE(h.dialogs.asked, QStringList{QStringLiteral("Do you Want to Load the File...?? \r\nReceipts.10x10")});
    QCOMPARE(clicks, 1);
    QCOMPARE(h.form->doc.fileCaption.caption(), QStringLiteral("File Name : Receipts"));
    QCOMPARE(h.form->doc.typeCaption.caption(), QStringLiteral("Type: 10x10"));
    QCOMPARE(h.form->doc.startNumber.text(), QStringLiteral("5000"));
    // The browser stays open with its selection.
    QVERIFY(h.b->isVisible());
    QCOMPARE(selectedText(h.list), QStringLiteral("Receipts.10x10"));

    // The browser's Open asks the Open question; No loads nothing.
    clickRow(h.list, QStringLiteral("Plan.2x2"));
    h.dialogs.answers.push_back(QStringLiteral("No"));
    QTest::mouseClick(h.b->openButton(), Qt::LeftButton);
    QCOMPARE(h.dialogs.asked.last(), QStringLiteral("Do you Want to Open the File...?? \r\nPlan.2x2"));
    QCOMPARE(h.form->doc.fileCaption.caption(), QStringLiteral("File Name : Receipts"));
}

void TstBrowserWindow::questionsWithoutTitleShowTheProgramName()
{
    const QString before = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Numora"));
    QtDialogs dialogs;
    QString shownTitle, shownText;
    // Answers the box once it is up: No.
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        shownTitle = box->windowTitle();
        shownText = box->text();
        box->button(QMessageBox::No)->click();
    });
    poll.start();
    const auto answer = dialogs.message(QStringLiteral("Are you sure Delete the File \r\nPlan.2x2"), QString(),
                                        Dialogs::Buttons::YesNo);
    QCOMPARE(answer, Dialogs::Answer::No);
    QCOMPARE(shownTitle, QStringLiteral("Numora"));
    QCOMPARE(shownText, QStringLiteral("Are you sure Delete the File \r\nPlan.2x2"));

    // A title of its own stays.
    poll.start();
    dialogs.message(QStringLiteral("Do you Want to Save the Change Document...?"), QStringLiteral("File: Plan.2x2"),
                    Dialogs::Buttons::YesNo);
    QCOMPARE(shownTitle, QStringLiteral("File: Plan.2x2"));
    QGuiApplication::setApplicationDisplayName(before);
}

void TstBrowserWindow::buttonsInsideTheWindow_data()
{
    QTest::addColumn<double>("points");
    QTest::newRow("program's font") << 8.25;
    QTest::newRow("larger desktop font") << 12.0;
    QTest::newRow("very large font") << 20.0;
}

// At any font size every button stands inside the window, and its caption
// inside its frame.
void TstBrowserWindow::buttonsInsideTheWindow()
{
    QFETCH(double, points);
    const QFont before = QApplication::font();
    QFont f = before;
    f.setPointSizeF(points);
    QApplication::setFont(f);
    {
        Harness h;
        QVERIFY(h.openBrowser());
        QCoreApplication::processEvents();
        for (FramedButton *b : {h.b->openButton(), h.b->deleteButton(), h.b->closeButton()}) {
            const QRect r(b->mapTo(h.b, QPoint(0, 0)), b->size());
            QVERIFY2(h.b->rect().contains(r), qPrintable(b->objectName()));
            const QFontMetricsF fm(b->font());
            QVERIFY2(fm.horizontalAdvance(b->control().caption()) * b->textScale() <= b->width() - 2,
                     qPrintable(b->objectName()));
            QVERIFY2(fm.height() * b->textScale() <= b->height(), qPrintable(b->objectName()));
        }
    }
    QApplication::setFont(before);
}

void TstBrowserWindow::messagesCentredOnTheActiveWindow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("rightWindowActive");
    const QString path = QStringLiteral("/home/operator/.local/share/Numbering/Data/")
                         + QString(12, QLatin1Char('x')).replace(QLatin1Char('x'), QStringLiteral("receipt_books_"))
                         + QStringLiteral(".10x10");
    const QString longText = QStringLiteral("The PDF cannot be written to %1: permission denied.").arg(path);
    QTest::newRow("short, over the left window") << QStringLiteral("Are you sure?") << false;
    QTest::newRow("short, over the right window") << QStringLiteral("Are you sure?") << true;
    QTest::newRow("long path, over the left window") << longText << false;
    QTest::newRow("long path, over the right window") << longText << true;
}

// A message box stands centred on the active window of the program, as far
// as the screen allows, and is never wider than the screen.
void TstBrowserWindow::messagesCentredOnTheActiveWindow()
{
    QFETCH(QString, text);
    QFETCH(bool, rightWindowActive);
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget left, right;
    left.setGeometry(free.left() + 20, free.top() + 40, 300, 200);
    right.setGeometry(free.right() - 320, free.bottom() - 240, 300, 200);
    left.show();
    right.show();
    QWidget &active = rightWindowActive ? right : left;
    active.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&active));

    QtDialogs dialogs;
    dialogs.setParent(&left);
    QRect shown;
    QPoint shownCentre;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        // Measured once it is active: the box takes its final place then.
        if (!box || !box->isVisible() || !box->isActiveWindow())
            return;
        poll.stop();
        shown = box->frameGeometry();
        shownCentre = box->geometry().center();
        box->button(QMessageBox::Ok)->click();
    });
    poll.start();
    dialogs.message(text, QString(), Dialogs::Buttons::OK);
    QVERIFY(shown.isValid());
    QVERIFY2(
        free.contains(shown),
        qPrintable(QStringLiteral("%1,%2 %3x%4").arg(shown.x()).arg(shown.y()).arg(shown.width()).arg(shown.height())));
    // Centred on the window, moved no further than the screen's edge asks.
    const QPoint want = active.geometry().center();
    const QPoint fit(std::clamp(want.x(), free.left() + shown.width() / 2, free.right() - shown.width() / 2),
                     std::clamp(want.y(), free.top() + shown.height() / 2, free.bottom() - shown.height() / 2));
    QVERIFY2((shownCentre - fit).manhattanLength() <= 2, qPrintable(QStringLiteral("centre %1,%2, window's %3,%4")
                                                                        .arg(shownCentre.x())
                                                                        .arg(shownCentre.y())
                                                                        .arg(want.x())
                                                                        .arg(want.y())));
}

void TstBrowserWindow::renderSideBySide()
{
    Harness h;
    QVERIFY(h.openBrowser());
    clickRow(h.list, QStringLiteral("Receipts.10x10"));
    h.settle();
    QCoreApplication::processEvents();

    // The two windows' insides side by side, as they stand on the screen
    // without the system's frames.
    QImage img(h.w.width() + h.b->width(), std::max(h.w.height(), h.b->height()), QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        h.w.render(&p);
        h.b->render(&p, QPoint(h.w.width(), 0));
    }
    QVERIFY(img.save(pngPath(QStringLiteral("browser-docked.png"))));
    // Docked: right against the main window, top edges level; the lying
    // page's icon for "Receipts.10x10", drawn inside the browser.
    QCOMPARE(h.form->browser().left(), h.form->left() + h.form->width());
    QCOMPARE(h.form->browser().top(), h.form->top());
    QVERIFY(h.b->lyingIcon()->isVisibleTo(h.b) && !h.b->standingIcon()->isVisibleTo(h.b));
    QVERIFY(h.b->rect().contains(placeIn(*h.b, *h.b->lyingIcon())));
    QVERIFY(h.b->rect().contains(placeIn(*h.b, *h.list)));

    // A standing page, for the look of its icon.
    clickRow(h.list, QStringLiteral("Plan.2x2"));
    QVERIFY(h.b->standingIcon()->isVisibleTo(h.b) && !h.b->lyingIcon()->isVisibleTo(h.b));
    QVERIFY(h.b->rect().contains(placeIn(*h.b, *h.b->standingIcon())));
    QVERIFY(h.b->grab().toImage().save(pngPath(QStringLiteral("browser-standing.png"))));

    // An empty filter, for the look of the empty list.
    QTest::keyClick(h.b->filter(), Qt::Key_Down);
    QVERIFY(h.b->grab().toImage().save(pngPath(QStringLiteral("browser-empty.png"))));
    QCOMPARE(h.list->count(), 0);
    QVERIFY(!h.b->standingIcon()->isVisibleTo(h.b) && !h.b->lyingIcon()->isVisibleTo(h.b));
    QVERIFY(h.dialogs.asked.isEmpty());

    // After a save under a new name the browser shows that layout chosen.
    h.dialogs.answers = {QStringLiteral("Yes"), QStringLiteral("Receipt book")};
    QTest::mouseClick(mainButton(h.w, "Command3"), Qt::LeftButton);
    h.settle();
    QCoreApplication::processEvents();
    QCOMPARE(selectedText(h.list), QStringLiteral("Receipt book.2x2"));
    QVERIFY(h.b->grab().toImage().save(pngPath(QStringLiteral("browser-after-save.png"))));
}

QTEST_MAIN(TstBrowserWindow)
#include "tst_browserwindow.moc"
