// The layout browser's window over a started main form: it opens from the
// main window's Open docked at its right edge and follows it, and the
// operator's input on its widgets has exactly the form's effects (filter,
// preview, search, delete, load), with no choice echoed back by the list.
// Also renders the two windows side by side into browser-docked.png.
#include "FormFixture.h"
#include "layoutfiles/BrowserForm.h"
#include "layoutfiles/LayoutFile.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtTextMeasure.h"
#include "ui/BoundComboBox.h"
#include "ui/BoundLabel.h"
#include "ui/BoundLineEdit.h"
#include "ui/BoundListBox.h"
#include "ui/BrowserWindow.h"
#include "ui/MainWindow.h"
#include "ui/SheetStackIcon.h"
#include "ui/ViewSupport.h"

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

struct Harness
{
    ManualScheduler scheduler;
    QtTextMeasure measure;
    test::QueuedDialogs dialogs;
    MemorySettingsStore settings;
    FixedClock clock;
    QTemporaryDir dir;
    DiskLayoutFolder folder{dir.path() + QStringLiteral("/Data")};
    MainForm form{Services{scheduler, measure, dialogs, settings, clock,
                           [] {
                               return QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                                  QStringLiteral("Tahoma")};
                           },
                           folder}};

    Harness()
    {
        form.startUp();
        scheduler.settle();
        folder.ensureExists();
        // Listed by name without regard to case: Plan, pliers, Receipts, Tickets.
        layout(QStringLiteral("Plan.2x2"), QStringLiteral("120"), QStringLiteral("6"));
        layout(QStringLiteral("Receipts.10x10"), QStringLiteral("5000"), QStringLiteral("4"));
        layout(QStringLiteral("Tickets.2x2"), QStringLiteral("77"), QStringLiteral("4"));
        layout(QStringLiteral("pliers.4x4"), QStringLiteral("3"), QStringLiteral("6"));
        QVERIFY(folder.write(folder.filePath(QStringLiteral("Notes.txt")), "not a layout", nullptr));
    }
    void settle() { scheduler.settle(); }

    // A layout file of the current fields with its own start number (line
    // 8) and orientation code (line 13).
    void layout(const QString &name, const QString &start, const QString &orientation)
    {
        QStringList values = layoutFileValues(form.doc);
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
    auto *b = w.findChild<QWidget *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    if (!b)
        qFatal("no main window button %s", name);
    return b;
}

// Shows the main window at a known place and opens the browser with the
// main window's Open.
BrowserWindow *openBrowser(MainWindow &w, QPoint at = QPoint(30, 20))
{
    w.move(at);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return nullptr;
    QTest::mouseClick(mainButton(w, "Command2"), Qt::LeftButton);
    return w.browserWindow();
}

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

QString pngPath(const QString &name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
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
    void renderSideBySide();
};

void TstBrowserWindow::opensDockedAndFollowsTheMainWindow()
{
    Harness h;
    MainWindow w(h.form);
    QVERIFY(!w.browserWindow());
    BrowserWindow *b = openBrowser(w);
    QVERIFY(b);
    QVERIFY(b->isVisible());
    QVERIFY(b->isWindow());
    QCOMPARE(b->windowTitle(), QStringLiteral("File Of Save"));
    BrowserForm &form = h.form.browser();
    QVERIFY(form.visible());
    QVERIFY(form.enabled());

    // Docked: left = main left + main width, top = main top, in twips; in
    // pixels the browser's left edge touches the main window's right edge.
    const QRect main = w.frameGeometry();
    QCOMPARE(b->frameGeometry().topLeft(), QPoint(main.right() + 1, main.top()));
    QCOMPARE(b->pos(), QPoint(px(b, h.form.left() + h.form.width()), px(b, h.form.top())));
    QCOMPARE(form.left(), h.form.left() + h.form.width());
    // As high as the main window; the form learns the window's size once
    // it is shown.
    QCOMPARE(b->frameGeometry().height(), main.height());
    QTRY_COMPARE(px(b, form.width()), b->frameGeometry().width());
    QCOMPARE(px(b, form.height()), b->frameGeometry().height());
    QCOMPARE(b->frameGeometry().topLeft(), QPoint(main.right() + 1, main.top()));
    QVERIFY(b->width() > 150 && b->width() < 320);

    // Moving the main window takes the browser along.
    w.move(140, 75);
    QCOMPARE(b->pos(), QPoint(140 + w.frameGeometry().width(), 75));
    QCOMPARE(form.top(), twips(b, 75));

    // The operator moves the browser away; it stays there until the main
    // window moves again, which docks it once more.
    b->move(600, 300);
    QCOMPARE(form.left(), twips(b, 600));
    QCOMPARE(b->pos(), QPoint(600, 300));
    w.move(150, 80);
    QCOMPARE(b->pos(), QPoint(150 + w.frameGeometry().width(), 80));

    // A program write of the form's window state minimises the window, and
    // the operator's restore reaches the form.
    form.setWindowState(1);
    QVERIFY(b->isMinimized());
    b->setWindowState(Qt::WindowNoState);
    QCOMPARE(form.windowState(), 0);

    // Disabling the main window (the print dialog does) leaves the browser
    // usable: it is a window of its own.
    h.form.setEnabled(false);
    QVERIFY(!w.isEnabled());
    QVERIFY(b->isEnabled());
    h.form.setEnabled(true);
    QVERIFY(h.dialogs.asked.isEmpty());
}

void TstBrowserWindow::closingKeepsItClosed()
{
    Harness h;
    MainWindow w(h.form);
    BrowserWindow *b = openBrowser(w);
    QVERIFY(b);
    BrowserForm &form = h.form.browser();
    // A choice to keep: the "4 X 4" filter.
    QTest::keyClick(b->filter(), Qt::Key_End);
    QTest::keyClick(b->filter(), Qt::Key_Up);
    QTest::keyClick(b->filter(), Qt::Key_Up);
    QTest::keyClick(b->filter(), Qt::Key_Up);
    QTest::keyClick(b->filter(), Qt::Key_Up);
    QCOMPARE(form.Combo3.text(), QStringLiteral("4 X 4"));
    QCOMPARE(itemsOf(b->fileList()), QStringList{QStringLiteral("pliers.4x4")});

    QTest::mouseClick(b->closeButton(), Qt::LeftButton);
    QVERIFY(!b->isVisible());
    QVERIFY(!form.visible());
    QVERIFY(!form.enabled());
    // A closed browser does not follow the main window.
    const QPoint closedAt = b->pos();
    w.move(200, 90);
    QVERIFY(!b->isVisible());
    QCOMPARE(b->pos(), closedAt);

    // Open again: the same window, docked at the new place, with its filter.
    QTest::mouseClick(mainButton(w, "Command2"), Qt::LeftButton);
    QCOMPARE(w.browserWindow(), b);
    QVERIFY(b->isVisible());
    QCOMPARE(b->pos(), QPoint(200 + w.frameGeometry().width(), 90));
    QCOMPARE(b->filter()->currentText(), QStringLiteral("4 X 4"));
    QCOMPARE(selectedText(b->fileList()), QStringLiteral("pliers.4x4"));

    // The window's own close button is the browser's Close.
    QVERIFY(b->close());
    QVERIFY(!form.visible());
    QVERIFY(!form.enabled());
}

void TstBrowserWindow::filterChangesTheListedFiles()
{
    Harness h;
    MainWindow w(h.form);
    BrowserWindow *b = openBrowser(w);
    QVERIFY(b);
    BoundListBox *list = b->fileList();
    QCOMPARE(b->filter()->currentText(), QStringLiteral("All"));
    QCOMPARE(itemsOf(list), (QStringList{QStringLiteral("Plan.2x2"), QStringLiteral("pliers.4x4"),
                                         QStringLiteral("Receipts.10x10"), QStringLiteral("Tickets.2x2")}));

    // "1 X 1": nothing of that type; no number, no page shown.
    QTest::keyClick(b->filter(), Qt::Key_Down);
    QCOMPARE(h.form.browser().Combo3.listIndex(), 1);
    QCOMPARE(list->count(), 0);
    QVERIFY(selectedText(list).isEmpty());
    QCOMPARE(b->startNumber()->control().caption(), QStringLiteral("No.:"));
    QVERIFY(!b->standingIcon()->isVisibleTo(b));
    QVERIFY(!b->lyingIcon()->isVisibleTo(b));

    // "2 X 2": its two files, the first one selected and previewed.
    QTest::keyClick(b->filter(), Qt::Key_Down);
    QCOMPARE(itemsOf(list), (QStringList{QStringLiteral("Plan.2x2"), QStringLiteral("Tickets.2x2")}));
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(selectedText(list), QStringLiteral("Plan.2x2"));
    QCOMPARE(b->startNumber()->control().caption(), QStringLiteral("No.:120"));
    QCOMPARE(b->fileName()->control().caption(), QStringLiteral("Plan.2x2"));
    QVERIFY(b->standingIcon()->isVisibleTo(b));
    QVERIFY(!b->lyingIcon()->isVisibleTo(b));

    // "10 X 10" by the mouse on the popup's row.
    b->filter()->showPopup();
    QAbstractItemView *popup = b->filter()->view();
    QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
    const QModelIndex tenByTen = popup->model()->index(7, 0);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(tenByTen).center());
    QTRY_VERIFY(!popup->isVisible());
    QCOMPARE(h.form.browser().Combo3.text(), QStringLiteral("10 X 10"));
    QCOMPARE(itemsOf(list), QStringList{QStringLiteral("Receipts.10x10")});
    QCOMPARE(b->startNumber()->control().caption(), QStringLiteral("No.:5000"));
    QVERIFY(!b->standingIcon()->isVisibleTo(b));
    QVERIFY(b->lyingIcon()->isVisibleTo(b));
}

void TstBrowserWindow::clickingARowPreviewsIt()
{
    Harness h;
    MainWindow w(h.form);
    BrowserWindow *b = openBrowser(w);
    QVERIFY(b);
    BoundListBox *list = b->fileList();
    BrowserForm &form = h.form.browser();

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, QStringLiteral("Receipts.10x10")));
    QCOMPARE(form.File1.listIndex(), 2);
    QCOMPARE(selectedText(list), QStringLiteral("Receipts.10x10"));
    QCOMPARE(form.Label3.caption(), QStringLiteral("No.:5000"));
    QCOMPARE(form.Lab1.caption(), QStringLiteral("Receipts.10x10"));
    QVERIFY(b->lyingIcon()->isVisibleTo(b));
    QVERIFY(!b->standingIcon()->isVisibleTo(b));

    // A click on the selected row previews it again: the file changed.
    h.layout(QStringLiteral("Receipts.10x10"), QStringLiteral("6000"), QStringLiteral("6"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, QStringLiteral("Receipts.10x10")));
    QCOMPARE(form.Label3.caption(), QStringLiteral("No.:6000"));
    QVERIFY(b->standingIcon()->isVisibleTo(b));
    QVERIFY(!b->lyingIcon()->isVisibleTo(b));

    // The arrow keys choose as well.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(form.File1.listIndex(), 3);
    QCOMPARE(form.Label3.caption(), QStringLiteral("No.:77"));
    QCOMPARE(form.Lab1.caption(), QStringLiteral("Tickets.2x2"));
    QVERIFY(h.dialogs.asked.isEmpty());
}

void TstBrowserWindow::programSelectionIsNotEchoed()
{
    Harness h;
    MainWindow w(h.form);
    BrowserWindow *b = openBrowser(w);
    QVERIFY(b);
    BoundListBox *list = b->fileList();
    BrowserForm &form = h.form.browser();
    int clicks = 0, doubleClicks = 0;
    form.File1.onClick.connect([&clicks] { ++clicks; });
    form.File1.onDblClick.connect([&doubleClicks] { ++doubleClicks; });

    // A program selection: one click event (the form's own), shown in the
    // widget, none coming back from it.
    QVERIFY(form.File1.setListIndex(1));
    QCOMPARE(clicks, 1);
    QCOMPARE(selectedText(list), QStringLiteral("pliers.4x4"));
    QCOMPARE(list->currentRow(), 1);
    QVERIFY(form.File1.setListIndex(-1));
    QCOMPARE(clicks, 2);
    QVERIFY(list->selectedItems().isEmpty());

    // One mouse click on another row is one click, not one for the press
    // that selects and one for the release.
    clicks = 0;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, QStringLiteral("Tickets.2x2")));
    QCOMPARE(clicks, 1);
    QCOMPARE(form.File1.listIndex(), 3);

    // A Ctrl+click that would clear the selection cannot: the list of
    // files always keeps its entry.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      rowCentre(list, QStringLiteral("Tickets.2x2")));
    QCOMPARE(selectedText(list), QStringLiteral("Tickets.2x2"));
    QCOMPARE(form.File1.listIndex(), 3);

    // Refilled by the form, the list shows the new items and the kept entry.
    h.layout(QStringLiteral("Alpha.2x2"), QStringLiteral("1"), QStringLiteral("6"));
    clicks = 0;
    form.refreshFiles();
    QCOMPARE(clicks, 0);
    QCOMPARE(list->count(), 5);
    QCOMPARE(selectedText(list), QStringLiteral("Tickets.2x2"));
    QCOMPARE(form.File1.listIndex(), 4);
    QCOMPARE(doubleClicks, 0);
}

void TstBrowserWindow::searchSelectsTheFirstMatch()
{
    Harness h;
    MainWindow w(h.form);
    BrowserWindow *b = openBrowser(w);
    QVERIFY(b);
    BoundListBox *list = b->fileList();
    BoundLineEdit *search = b->search();
    QCOMPARE(b->findChild<BoundLabel *>(QStringLiteral("Label2"))->control().caption(), QStringLiteral("Fine"));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, QStringLiteral("Tickets.2x2")));
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("pl"));
    QCOMPARE(h.form.browser().Text1.text(), QStringLiteral("pl"));
    QCOMPARE(selectedText(list), QStringLiteral("Plan.2x2"));
    QCOMPARE(h.form.browser().Label3.caption(), QStringLiteral("No.:120"));
    // Without regard to case: "pli" is the lower-case pliers.
    QTest::keyClicks(search, QStringLiteral("I"));
    QCOMPARE(selectedText(list), QStringLiteral("pliers.4x4"));
    QCOMPARE(list->currentRow(), 1);
    // No match: no row selected and no page shown.
    QTest::keyClicks(search, QStringLiteral("x"));
    QVERIFY(list->selectedItems().isEmpty());
    QVERIFY(!b->standingIcon()->isVisibleTo(b));
    QVERIFY(!b->lyingIcon()->isVisibleTo(b));
    QTest::keyClick(search, Qt::Key_Backspace);
    QCOMPARE(selectedText(list), QStringLiteral("pliers.4x4"));
}

void TstBrowserWindow::deleteRemovesTheRow()
{
    Harness h;
    MainWindow w(h.form);
    BrowserWindow *b = openBrowser(w);
    QVERIFY(b);
    BoundListBox *list = b->fileList();
    const QString tickets = h.folder.filePath(QStringLiteral("Tickets.2x2"));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, QStringLiteral("Tickets.2x2")));
    h.dialogs.answers.push_back(QStringLiteral("No"));
    QTest::mouseClick(b->deleteButton(), Qt::LeftButton);
    QCOMPARE(h.dialogs.asked, QStringList{QStringLiteral("Are you sure Delete the File \r\nTickets.2x2")});
    QVERIFY(QFile::exists(tickets));
    QCOMPARE(list->count(), 4);

    h.dialogs.answers.push_back(QStringLiteral("Yes"));
    QTest::mouseClick(b->deleteButton(), Qt::LeftButton);
    QCOMPARE(h.dialogs.asked.size(), 2);
    QVERIFY(!QFile::exists(tickets));
    QCOMPARE(itemsOf(list), (QStringList{QStringLiteral("Plan.2x2"), QStringLiteral("pliers.4x4"),
                                         QStringLiteral("Receipts.10x10")}));
    // The entry before the deleted one is selected and previewed.
    QCOMPARE(selectedText(list), QStringLiteral("Receipts.10x10"));
    QCOMPARE(h.form.browser().Label3.caption(), QStringLiteral("No.:5000"));
    QVERIFY(b->lyingIcon()->isVisibleTo(b));
    QVERIFY(h.dialogs.answers.empty());
}

void TstBrowserWindow::doubleClickAsksAndLoads()
{
    Harness h;
    MainWindow w(h.form);
    BrowserWindow *b = openBrowser(w);
    QVERIFY(b);
    BoundListBox *list = b->fileList();
    QCOMPARE(h.form.doc.Label53.caption(), QStringLiteral("File Name : None"));
    int clicks = 0;
    h.form.browser().File1.onClick.connect([&clicks] { ++clicks; });

    h.dialogs.answers.push_back(QStringLiteral("Yes"));
    // The events of a double-click as the system delivers them.
    const QPoint at = rowCentre(list, QStringLiteral("Receipts.10x10"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    h.settle();
    // One question, the Load one, and one preview before it.
    QCOMPARE(h.dialogs.asked, QStringList{QStringLiteral("Do you Want to Load the File...?? \r\nReceipts.10x10")});
    QCOMPARE(clicks, 1);
    QCOMPARE(h.form.doc.Label53.caption(), QStringLiteral("File Name : Receipts"));
    QCOMPARE(h.form.doc.Label54.caption(), QStringLiteral("Type: 10x10"));
    QCOMPARE(h.form.doc.Te1.text(), QStringLiteral("5000"));
    // The browser stays open with its selection.
    QVERIFY(b->isVisible());
    QCOMPARE(selectedText(list), QStringLiteral("Receipts.10x10"));

    // The browser's Open asks the Open question; No loads nothing.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, QStringLiteral("Plan.2x2")));
    h.dialogs.answers.push_back(QStringLiteral("No"));
    QTest::mouseClick(b->openButton(), Qt::LeftButton);
    QCOMPARE(h.dialogs.asked.last(), QStringLiteral("Do you Want to Open the File...?? \r\nPlan.2x2"));
    QCOMPARE(h.form.doc.Label53.caption(), QStringLiteral("File Name : Receipts"));
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

void TstBrowserWindow::renderSideBySide()
{
    Harness h;
    MainWindow w(h.form);
    BrowserWindow *b = openBrowser(w);
    QVERIFY(b);
    QTest::mouseClick(b->fileList()->viewport(), Qt::LeftButton, {},
                      rowCentre(b->fileList(), QStringLiteral("Receipts.10x10")));
    h.settle();
    QCoreApplication::processEvents();

    // The two windows' insides side by side, as they stand on the screen
    // without the system's frames.
    QImage img(w.width() + b->width(), std::max(w.height(), b->height()), QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        w.render(&p);
        b->render(&p, QPoint(w.width(), 0));
    }
    QVERIFY(img.save(pngPath(QStringLiteral("browser-docked.png"))));

    // A standing page, for the look of its icon.
    QTest::mouseClick(b->fileList()->viewport(), Qt::LeftButton, {}, rowCentre(b->fileList(), QStringLiteral("Plan.2x2")));
    QVERIFY(b->standingIcon()->isVisibleTo(b));
    QVERIFY(b->grab().toImage().save(pngPath(QStringLiteral("browser-standing.png"))));

    // An empty filter, for the look of the empty list.
    QTest::keyClick(b->filter(), Qt::Key_Down);
    QVERIFY(b->grab().toImage().save(pngPath(QStringLiteral("browser-empty.png"))));
    QVERIFY(h.dialogs.asked.isEmpty());
}

QTEST_MAIN(TstBrowserWindow)
#include "tst_browserwindow.moc"
