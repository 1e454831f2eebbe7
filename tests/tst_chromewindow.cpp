// The frameless main window's chrome and keys, and the About window: every
// key and window gesture must run the form's own command, exactly as the
// click on its control does. Also renders both windows to PNG files in the
// build folder and checks where their pieces are drawn.
#include "app/AboutForm.h"
#include "layoutfiles/BrowserForm.h"
#include "platform/qt/QtColour.h"
#include "platform/Desktop.h"
#include "platform/qt/QtDesktop.h"
#include "testsupport/ScriptedDialogs.h"
#include "ui/AboutWindow.h"
#include "ui/BoundLabel.h"
#include "ui/BrowserWindow.h"
#include "ui/MainWindow.h"
#include "ui/ViewSupport.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QTest>
#include <QUrl>

using namespace numora;
using namespace numora::ui;

namespace {

using test::child;
using test::colourIn;
using test::placeIn;
using test::pngPath;

// A started main form on a recording desktop, its window shown and active
// so that its keys reach it.
struct Shown : test::WindowFixture
{
    std::unique_ptr<MainWindow> w;

    Shown()
        : WindowFixture({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")})
    {}
    void show()
    {
        w = std::make_unique<MainWindow>(*form);
        w->show();
        QApplication::setActiveWindow(w.get());
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
};

// Runs the events the event loop owes, such as an About window's unloading.
void drain()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class TstChromeWindow : public QObject
{
    Q_OBJECT

public slots:
    // The URL handler that stands in for the browser.
    void openLink(const QUrl &url) { m_opened.append(url); }

private slots:
    void initTestCase() { applyLook(*qApp); }

    void commandKeysRunTheFormsCommands_data();
    void commandKeysRunTheFormsCommands();
    void tabReachesTheFramedButtons();
    void escapeClosesAboutAndBrowser();
    void closingTheWindowRunsTheExit();
    void titleBarGoesThroughTheModel();
    void linkReachesTheUrlHandler();
    void renderChrome();

private:
    QList<QUrl> m_opened;
};

void TstChromeWindow::commandKeysRunTheFormsCommands_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("opened"); // the window the command shows
    QTest::addColumn<bool>("asks");      // whether it offers to save
    QTest::addColumn<bool>("exits");     // the exit stores the browser's filter
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+S saves") << int(Qt::Key_S) << ctrl << QString() << true << false;
    QTest::newRow("Ctrl+O opens the browser") << int(Qt::Key_O) << ctrl << QStringLiteral("Save1") << false << false;
    QTest::newRow("Ctrl+P prints") << int(Qt::Key_P) << ctrl << QStringLiteral("Prnt1") << false << false;
    QTest::newRow("Ctrl+Q exits") << int(Qt::Key_Q) << ctrl << QString() << true << true;
    QTest::newRow("Alt+F4 exits") << int(Qt::Key_F4) << int(Qt::AltModifier) << QString() << true << true;
    QTest::newRow("plain S is no command") << int(Qt::Key_S) << 0 << QString() << false << false;
}

void TstChromeWindow::commandKeysRunTheFormsCommands()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, opened);
    QFETCH(bool, asks);
    QFETCH(bool, exits);
    Shown h;
    h.show();
    // A changed layout, so that the exit asks; the offer is cancelled.
    h.form->doc.modified = 1;
    if (asks)
        h.dialogs.answers.push_back(QStringLiteral("Cancel"));
    QTest::keyClick(h.w.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    h.settle();
    const QString offer = QStringLiteral("Do you Want to Save the Change Document...?         ");
    QCOMPARE(h.dialogs.asked, asks ? QStringList{offer} : QStringList());
    QCOMPARE(h.settings.contains(MainForm::appName(), MainForm::sectionName(), QStringLiteral("SaveFile")), exits);
    QCOMPARE(h.form->browserCreated() && h.form->browser().visible(), opened == QLatin1String("Save1"));
    QCOMPARE(h.form->printForm.visible(), opened == QLatin1String("Prnt1"));
    // Cancelled or not an exit: the program goes on.
    QVERIFY(h.w->isVisible());
    QVERIFY(!h.form->ended());
}

void TstChromeWindow::tabReachesTheFramedButtons()
{
    Shown h;
    h.show();
    QStringList reached;
    for (int i = 0; i < 300 && reached.size() < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : h.w.get(), Qt::Key_Tab);
        if (auto *b = dynamic_cast<FramedButton *>(QApplication::focusWidget());
            b && !reached.contains(b->objectName()))
            reached << b->objectName();
    }
    for (const char *name : {"Command2", "Command3", "Label7", "Label57", "Label50", "Label4"})
        QVERIFY2(reached.contains(QLatin1String(name)), name);

    // Space on the focused "Open" is its click: the browser opens.
    auto *open = child<FramedButton>(*h.w, "Command2");
    open->setFocus();
    QTest::keyClick(open, Qt::Key_Space);
    QVERIFY(h.form->browser().visible());
    // Enter on "Close" is its click: it asks about the changed layout.
    h.form->doc.modified = 1;
    h.dialogs.answers.push_back(QStringLiteral("Cancel"));
    QTest::keyClick(child<FramedButton>(*h.w, "Label57"), Qt::Key_Return);
    QCOMPARE(h.dialogs.asked, QStringList{QStringLiteral("Are you suer to Close Paper")});
}

void TstChromeWindow::escapeClosesAboutAndBrowser()
{
    Shown h;
    h.show();
    h.form->openButton.click();
    drain();
    BrowserWindow *browser = h.w->browserWindow();
    QVERIFY(browser && browser->isVisible());
    QTest::keyClick(browser, Qt::Key_Escape);
    QVERIFY(!h.form->browser().visible());
    QVERIFY(!h.form->browser().enabled());
    QVERIFY(!browser->isVisible());

    QTest::mouseClick(child<QWidget>(*h.w, "R00"), Qt::LeftButton);
    QVERIFY(!h.w->isVisible());
    AboutWindow *about = h.w->aboutWindow();
    QVERIFY(about && about->isVisible());
    QTest::keyClick(about, Qt::Key_Escape);
    drain();
    QVERIFY(!h.form->aboutForm());
    QVERIFY(!h.w->aboutWindow());
    QVERIFY(h.w->isVisible());
    QVERIFY(h.form->visible());

    // The window manager's close does the same.
    QTest::mouseClick(child<QWidget>(*h.w, "R00"), Qt::LeftButton);
    QVERIFY(h.w->aboutWindow()->close());
    drain();
    QVERIFY(!h.form->aboutForm());
    QVERIFY(h.w->isVisible());
}

void TstChromeWindow::closingTheWindowRunsTheExit()
{
    Shown h;
    h.show();
    h.form->doc.modified = 1;
    h.dialogs.answers.push_back(QStringLiteral("Cancel"));
    QVERIFY(!h.w->close());
    QVERIFY(h.w->isVisible());
    QCOMPARE(h.dialogs.asked.size(), 1);
    // The filter is stored even by a cancelled exit; the session is not.
    QVERIFY(h.settings.contains(MainForm::appName(), MainForm::sectionName(), QStringLiteral("SaveFile")));
    QVERIFY(!h.settings.contains(MainForm::appName(), MainForm::sectionName(), QStringLiteral("Number0")));

    // The exit hotspot: No ends the program and the window closes.
    h.dialogs.answers.push_back(QStringLiteral("No"));
    QTest::mouseClick(child<QWidget>(*h.w, "Label1"), Qt::LeftButton);
    QVERIFY(h.form->ended());
    QVERIFY(!h.w->isVisible());
    QCOMPARE(h.settings.getSetting(MainForm::appName(), MainForm::sectionName(), QStringLiteral("Number0")),
             QStringLiteral("1"));
}

void TstChromeWindow::titleBarGoesThroughTheModel()
{
    Shown h;
    h.show();
    QVERIFY(h.w->windowFlags() & Qt::FramelessWindowHint);
    WindowChrome &chrome = h.form->chrome;
    QTest::mouseMove(child<QWidget>(*h.w, "Label1"), QPoint(4, 4));
    QCOMPARE(chrome.exitHotspot.border(), 1);
    // Over a plain caption of the window is over its background.
    QTest::mouseMove(h.w.get(), QPoint(h.w->width() / 2, h.w->height() - 4));
    QCOMPARE(chrome.exitHotspot.border(), 0);
    // Moves over the title strip ask the desktop to drag the window, also
    // over the title's text, which lies on the strip.
    h.desktop.takeLines();
    QTest::mouseMove(child<QWidget>(*h.w, "Label2"), QPoint(30, 8));
    QTest::mouseMove(h.w.get(), child<QWidget>(*h.w, "Label5")->geometry().center());
    QCOMPARE(h.desktop.takeLines(), QStringList(2, QStringLiteral("DragWindow Start1")));
    // The minimise hotspot minimises through the form.
    QTest::mouseClick(child<QWidget>(*h.w, "Label3"), Qt::LeftButton);
    QCOMPARE(h.form->windowState(), 1);
    QVERIFY(h.w->isMinimized());
}

void TstChromeWindow::linkReachesTheUrlHandler()
{
    // The program's desktop hands the address to Qt's URL handling; a
    // handler for the scheme stands in for the browser.
    QtDesktop desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("numora-test"), this, "openLink");
    m_opened.clear();
    desktop.openUrl(QStringLiteral("numora-test://guide/start"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("numora-test"));
    QCOMPARE(m_opened, QList<QUrl>{QUrl(QStringLiteral("numora-test://guide/start"))});

    // A guide that is not there is refused, not handed to a browser that
    // would show nothing.
    QVERIFY(!desktop.openUrl(QStringLiteral("file:///nonexistent/numora/README.md")));

    // Unconfigured, a program run from the build tree links the source
    // tree's guide, which is there.
    MemorySettingsStore settings;
    RecordingDesktop recorder;
    ScriptedDialogs dialogs;
    AboutForm unconfigured(settings, &recorder, dialogs);
    QCOMPARE(unconfigured.linkLabel.caption(), AboutForm::defaultLink());
    const QUrl guide(AboutForm::defaultLink());
    QVERIFY2(guide.isLocalFile() && QFileInfo(guide.toLocalFile()).isFile(), qPrintable(guide.toString()));
    QVERIFY(guide.toLocalFile().endsWith(QLatin1String("/README.md")));
    // The configured link is the one the About window shows and opens.
    settings.saveSetting(AboutForm::configApp(), AboutForm::linkSection(), AboutForm::linkKey(),
                         QStringLiteral(" https://example.org/guide "));
    AboutForm about(settings, &recorder, dialogs);
    QCOMPARE(about.linkLabel.caption(), QStringLiteral("https://example.org/guide"));
    about.linkLabel.click();
    QCOMPARE(dialogs.asked(), 0);
    // An address nothing can open is shown to the operator, not lost on stderr.
    recorder.refuseAddresses = true;
    dialogs.queue(QStringLiteral("OK"));
    about.linkLabel.click();
    QCOMPARE(dialogs.lines().value(0),
             QStringLiteral("ask: message \"The guide cannot be opened:\\r\\nhttps://example.org/guide\" \"About\" OK -> OK"));
    QVERIFY(!dialogs.hasFailure());
}

void TstChromeWindow::renderChrome()
{
    Shown h;
    h.show();
    WindowChrome &chrome = h.form->chrome;
    chrome.exitHotspot.setBorder(1);
    QCoreApplication::processEvents();
    const QImage main = h.w->grab().toImage();
    QVERIFY(main.save(pngPath(QStringLiteral("chrome-main.png"))));
    chrome.exitHotspot.setBorder(0);
    // The About label is filled with its own green where its control stands;
    // the name sits on the title strip, and the two hotspots side by side at
    // the strip's height, right of it.
    QWidget *aboutLabel = test::child<QWidget>(*h.w, "R00");
    QCOMPARE(colourIn(main, *h.w, *aboutLabel, QPoint(2, 2)),
             resolveColour(chrome.aboutLabel.backColor(), aboutLabel->palette()));
    const QRect strip = placeIn(*h.w, *test::child<QWidget>(*h.w, "Label2"));
    const QRect exitSpot = placeIn(*h.w, *test::child<QWidget>(*h.w, "Label1"));
    const QRect minimiseSpot = placeIn(*h.w, *test::child<QWidget>(*h.w, "Label3"));
    QVERIFY(strip.contains(placeIn(*h.w, *test::child<QWidget>(*h.w, "Label5"))));
    QVERIFY(minimiseSpot.left() > strip.right() && exitSpot.left() > minimiseSpot.right());
    QVERIFY(exitSpot.bottom() <= strip.bottom() && minimiseSpot.bottom() <= strip.bottom());
    QVERIFY(h.w->rect().contains(exitSpot));

    h.settings.saveSetting(AboutForm::configApp(), AboutForm::linkSection(), AboutForm::linkKey(),
                           QStringLiteral("https://numora.example.org/guide"));
    chrome.aboutLabel.click();
    AboutWindow *about = h.w->aboutWindow();
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QCoreApplication::processEvents();
    QVERIFY(about->grab().toImage().save(pngPath(QStringLiteral("chrome-about.png"))));
    // The version and the link each whole in the window, the link below.
    const QRect version = placeIn(*about, *test::child<QWidget>(*about, "Label1"));
    const QRect link = placeIn(*about, *test::child<QWidget>(*about, "Label2"));
    QVERIFY(about->rect().contains(version));
    QVERIFY(about->rect().contains(link));
    QVERIFY(link.top() > version.bottom());
}

QTEST_MAIN(TstChromeWindow)
#include "tst_chromewindow.moc"
