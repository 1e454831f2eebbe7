#include "MainWindow.h"
#include "app/LayoutUndo.h"
#include "AboutWindow.h"
#include "BoundCheckBox.h"
#include "BoundComboBox.h"
#include "BoundLabel.h"
#include "BoundLineEdit.h"
#include "BoundScrollBar.h"
#include "BrowserWindow.h"
#include "CodeDialog.h"
#include "ColourButton.h"
#include "HeaderBar.h"
#include "JournalWindow.h"
#include "PagePreviewWidget.h"
#include "PrintOrderIllustration.h"
#include "PrintWindow.h"
#include "OrientationCodeLabel.h"
#include "SheetStackIcon.h"
#include "SlotPanel.h"
#include "SlotWells.h"
#include "TitleHotspot.h"
#include "ViewSupport.h"
#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "layoutfiles/BrowserForm.h"
#include "platform/qt/QtColour.h"

#include <QDate>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QApplication>
#include <QKeyEvent>
#include <QTime>
#include <QtMath>

#include <functional>

namespace numora {

namespace ui {

namespace {

// Layout figures below are pixels of a 96 dpi screen; the window places them
// in twips so that the whole window scales with the screen's resolution.
constexpr double T(double px96) { return px96 * 15.0; }

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0x44, 0x4E, 0x5C));
    l->setPalette(pal);
    return l;
}

} // namespace

MainWindow::MainWindow(MainForm &form, QWidget *parent)
    : FormWindow(form, CaptionAndState, QSizeF(), parent, Qt::Window | Qt::FramelessWindowHint)
    , m_form(form)
    , m_formShown(form.visible())
{
    setObjectName(form.name());
    setAutoFillBackground(true);
    setMouseTracking(true);
    setFixedSize(px(this, DesignWidth), px(this, DesignHeight));
    buildHeader();
    buildNumberGroup();
    buildSampleGroup();
    buildLayoutCard();
    buildStyleStrip();
    buildPreview();
    buildSlotPanels();
    buildPrintOrder();
    buildShiftGroup();
    buildStatusBar();
    // The browser form comes later, from whichever command needs it first.
    connectWhileAlive(this, form.onBrowserCreated, [w = QPointer<MainWindow>(this)] {
        if (w)
            w->watchBrowser();
    });
    if (form.browserCreated())
        watchBrowser();
    watchPrintDialog();
    watchAbout();
    watchJournal();
    trackBackground();
    addShortcuts(this);
    qApp->installEventFilter(this);
    form.onWindowUpdate.connect([w = QPointer<MainWindow>(this)] {
        if (w)
            w->followShown();
    });
    followForm();
}

MainWindow::~MainWindow()
{
    delete m_browser;
    delete m_print;
    delete m_about;
    delete m_journal;
}

QString MainWindow::untitledCaption() const { return QStringLiteral("Numora"); }

BrowserWindow *MainWindow::browserWindow() const { return m_browser; }

PrintWindow *MainWindow::printWindow() const { return m_print; }

AboutWindow *MainWindow::aboutWindow() const { return m_about; }

JournalWindow *MainWindow::journalWindow() const { return m_journal; }

void MainWindow::watchBrowser()
{
    // The browser's window is made when its form is first shown, and from
    // then on follows the form by itself.
    const auto makeWhenShown = [w = QPointer<MainWindow>(this)] {
        if (!w || w->m_browser)
            return;
        BrowserForm &browser = w->m_form.browser();
        if (browser.visible()) {
            w->m_browser = new BrowserWindow(browser);
            w->addShortcuts(w->m_browser);
        }
    };
    connectWhileAlive(this, m_form.browser().onWindowUpdate, makeWhenShown);
    makeWhenShown();
}

void MainWindow::watchPrintDialog()
{
    // Made when the dialog first opens (Print, or the reopening right after
    // start-up); from then on it follows its form by itself.
    const auto makeWhenShown = [w = QPointer<MainWindow>(this)] {
        if (!w || w->m_print || !w->m_form.printForm.visible())
            return;
        w->m_print = new PrintWindow(w->m_form.printForm, w);
    };
    connectWhileAlive(this, m_form.printForm.onWindowUpdate, makeWhenShown);
    makeWhenShown();
}

void MainWindow::watchAbout()
{
    // The About window lives exactly as long as its form: made when the
    // form is loaded, dropped before it is unloaded.
    m_form.onAboutOpened.connect([w = QPointer<MainWindow>(this)] {
        if (!w || !w->m_form.aboutForm())
            return;
        // Closing the window unloads its form, after the close event is
        // over, since the unloading deletes the window.
        w->m_about = new AboutWindow(*w->m_form.aboutForm(), [w] {
            if (w)
                QMetaObject::invokeMethod(
                    w.data(), [w] { w->m_form.closeAbout(); }, Qt::QueuedConnection);
        });
    });
    m_form.onAboutClosing.connect([w = QPointer<MainWindow>(this)] {
        if (w)
            delete w->m_about;
    });
}

void MainWindow::watchJournal()
{
    // The form is created by the first Journal and stays loaded; its window
    // is made then and follows it from there on.
    const auto make = [w = QPointer<MainWindow>(this)] {
        if (w && !w->m_journal && w->m_form.journalForm())
            w->m_journal = new JournalWindow(*w->m_form.journalForm(), w);
    };
    connectWhileAlive(this, m_form.onJournalCreated, make);
    make();
    // Journal (its button, Ctrl+J) also brings an open journal window back
    // from behind this one.
    connectWhileAlive(this, m_form.journalButton.onClick, [w = QPointer<MainWindow>(this)] {
        if (w && w->m_journal && w->m_journal->isVisible()) {
            w->m_journal->raise();
            w->m_journal->activateWindow();
        }
    });
}

void MainWindow::followShown()
{
    const bool shown = m_form.visible();
    if (shown == m_formShown)
        return;
    m_formShown = shown;
    if (!shown && m_form.ended())
        close();
    else
        setVisible(shown);
}

void MainWindow::showEvent(QShowEvent *e)
{
    FormWindow::showEvent(e);
    // The program shows its main window; the form learns it here.
    if (!e->spontaneous()) {
        m_formShown = true;
        m_form.setVisible(true);
    }
}

void MainWindow::forwardMouse(MouseAction a, QMouseEvent *e)
{
    const Qt::MouseButtons buttons = a == MouseAction::Move ? e->buttons() : Qt::MouseButtons(e->button());
    m_form.mouse(a, mouseButtonCode(buttons), twips(this, e->position().x()), twips(this, e->position().y()));
}

void MainWindow::mousePressEvent(QMouseEvent *e) { forwardMouse(MouseAction::Down, e); }

void MainWindow::mouseMoveEvent(QMouseEvent *e) { forwardMouse(MouseAction::Move, e); }

void MainWindow::mouseReleaseEvent(QMouseEvent *e) { forwardMouse(MouseAction::Up, e); }

void MainWindow::trackBackground()
{
    // Moves without a button reach only widgets that track the pointer, and
    // a widget that tracks it and ignores the move hands it to its parent.
    // Plain containers and captions are the window's background; controls
    // keep their moves.
    for (QWidget *w : findChildren<QWidget *>()) {
        const QMetaObject *m = w->metaObject();
        if (!w->hasMouseTracking()
            && (m == &QWidget::staticMetaObject || m == &QFrame::staticMetaObject || m == &QGroupBox::staticMetaObject
                || m == &QLabel::staticMetaObject))
            w->setMouseTracking(true);
    }
}

bool MainWindow::eventFilter(QObject *watched, QEvent *e)
{
    const QEvent::Type type = e->type();
    // A key that is a shortcut (Ctrl+S) reaches no widget as a key press,
    // only as the override asked first.
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::MouseButtonPress
        && type != QEvent::Wheel)
        return QWidget::eventFilter(watched, e);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this || !m_form.enabled())
        return QWidget::eventFilter(watched, e);
    LayoutUndo &undo = m_form.undo();
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(e);
        const bool undoKey = key->matches(QKeySequence::Undo);
        if (undoKey || key->matches(QKeySequence::Redo)) {
            // Taken from the text field, which would undo its own text.
            if (type == QEvent::ShortcutOverride) {
                e->accept();
                return true;
            }
            undoKey ? undo.undo() : undo.redo();
            return true;
        }
        const QWidget *focus = QApplication::focusWidget();
        undo.checkpoint(QStringLiteral("key:") + (focus ? focus->objectName() : QString()));
    } else {
        undo.checkpoint(QStringLiteral("pointer"));
    }
    return QWidget::eventFilter(watched, e);
}

void MainWindow::activate(Label &control)
{
    if (m_form.visible() && m_form.enabled() && control.visible() && control.enabled())
        control.click();
}

void MainWindow::addShortcuts(QWidget *on)
{
    const auto key = [this, on](const QKeySequence &k, std::function<void()> run) {
        auto *s = new QShortcut(k, on);
        QObject::connect(s, &QShortcut::activated, this, std::move(run));
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { activate(m_form.saveButton); });
    key(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { activate(m_form.openButton); });
    key(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { activate(m_form.printButton); });
    key(QKeySequence(Qt::CTRL | Qt::Key_J), [this] { activate(m_form.journalButton); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { activate(m_form.chrome.exitHotspot); });
    if (on != this)
        return;
    // Window managers usually take Alt+F4 themselves and close the window;
    // without a frame some do not.
    key(QKeySequence(Qt::ALT | Qt::Key_F4), [this] { close(); });
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    if (!m_form.exitProgram()) {
        e->ignore();
        return;
    }
    e->accept();
    // All windows close at once: the browser and the print dialog go with
    // the main window.
    if (BrowserWindow *b = browserWindow())
        b->hide();
    if (m_print)
        m_print->hide();
    if (m_journal)
        m_journal->hide();
}

void MainWindow::geometryReported()
{
    // The window manager moves a dragged window after the strip's move
    // has run: the browser follows from here.
    m_form.chrome.dockBrowser();
}

void MainWindow::frameWith(FramedButton *button, const std::array<int, 4> &lines)
{
    LineItem *found[4];
    for (std::size_t i = 0; i < 4; ++i)
        found[i] = dynamic_cast<LineItem *>(m_form.control(QStringLiteral("Line%1").arg(lines[i])));
    button->setFrameLines(found[0], found[1], found[2], found[3]);
}

void MainWindow::place(QWidget *w, double left, double top, double width, double height)
{
    w->setGeometry(px(this, left), px(this, top), px(this, width), px(this, height));
}

void MainWindow::place(QWidget *w, const Control &c) { place(w, c.left(), c.top(), c.width(), c.height()); }

void MainWindow::buildHeader()
{
    WindowChrome &chrome = m_form.chrome;
    auto *header = new HeaderBar(this);
    place(header, 0, 0, DesignWidth, 375);
    // The strip that drags the window lies under the title.
    place(new BoundLabel(chrome.titleStrip, BoundLabel::Plain, this), chrome.titleStrip);

    auto *aboutLabel = new BoundLabel(chrome.aboutLabel, BoundLabel::ModelColours | BoundLabel::CentreText, this);
    aboutLabel->setCursor(Qt::PointingHandCursor);
    aboutLabel->setToolTip(tr("About this program"));
    place(aboutLabel, chrome.aboutLabel);

    auto *titleLabel = new BoundLabel(chrome.brand, BoundLabel::CentreText, this);
    // The title is part of the strip: a drag may start on it.
    titleLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont f = font();
    f.setPointSizeF(10);
    f.setBold(true);
    f.setLetterSpacing(QFont::PercentageSpacing, 108);
    titleLabel->setFont(f);
    QPalette pal = titleLabel->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    titleLabel->setPalette(pal);
    place(titleLabel, chrome.brand);

    auto *minimise = new TitleHotspot(chrome.minimiseHotspot, TitleHotspot::Minimise, this);
    minimise->setToolTip(tr("Minimise"));
    place(minimise, chrome.minimiseHotspot);
    auto *exit = new TitleHotspot(chrome.exitHotspot, TitleHotspot::Close, this);
    exit->setToolTip(tr("Exit"));
    place(exit, chrome.exitHotspot);
}

void MainWindow::buildNumberGroup()
{
    LayoutDocument &doc = m_form.doc;
    auto *box = new QGroupBox(tr("Number"), this);
    place(box, T(8), T(29), T(352), T(103));
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(8, 4, 8, 6);
    grid->setHorizontalSpacing(5);
    grid->setVerticalSpacing(4);

    auto *name = new BoundComboBox(doc.nameText, box);
    name->setToolTip(tr("Text written before or after the number"));
    auto *start = new BoundLineEdit(doc.startNumber, box);
    start->setToolTip(tr("First number of the run"));
    auto *before = new BoundComboBox(doc.bracketBefore, box);
    before->setToolTip(tr("Text right before the number"));
    auto *after = new BoundComboBox(doc.bracketAfter, box);
    after->setToolTip(tr("Text right after the number"));
    auto *zeros = new BoundCheckBox(doc.zeroPad, box);
    zeros->setToolTip(tr("Pad the number with leading zeros"));
    auto *width = new BoundComboBox(doc.zeroPadWidth, box);
    width->setToolTip(tr("Width the number is padded to"));

    // The three positions of the order bar, marked under it.
    auto *order = new QWidget(box);
    auto *orderLayout = new QVBoxLayout(order);
    orderLayout->setContentsMargins(0, 0, 0, 0);
    orderLayout->setSpacing(0);
    auto *bar = new BoundScrollBar(doc.alignLCR, Qt::Horizontal, order);
    bar->setFixedHeight(14);
    bar->setToolTip(tr("Order of name, brackets and number"));
    orderLayout->addWidget(bar);
    auto *marks = new QHBoxLayout;
    marks->setContentsMargins(3, 0, 3, 0);
    QFont small = font();
    small.setPointSizeF(6.75);
    for (const char *m : {"L", "C", "R"}) {
        auto *mark = caption(QLatin1String(m), order);
        mark->setFont(small);
        marks->addWidget(mark, 0, Qt::AlignCenter);
        if (*m != 'R')
            marks->addStretch(1);
    }
    orderLayout->addLayout(marks);

    grid->addWidget(caption(tr("Name"), box), 0, 0);
    grid->addWidget(name, 0, 1, 1, 3);
    grid->addWidget(caption(tr("Start"), box), 0, 4);
    grid->addWidget(start, 0, 5);
    grid->addWidget(caption(tr("Before"), box), 1, 0);
    grid->addWidget(before, 1, 1);
    grid->addWidget(caption(tr("After"), box), 1, 2);
    grid->addWidget(after, 1, 3);
    grid->addWidget(zeros, 1, 4);
    grid->addWidget(width, 1, 5);
    grid->addWidget(caption(tr("Order"), box), 2, 0);
    grid->addWidget(order, 2, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
}

void MainWindow::buildSampleGroup()
{
    NumberSample &sample = m_form.sample;
    auto *box = new QGroupBox(tr("Sample"), this);
    place(box, T(366), T(29), T(232), T(103));

    auto *backdrop = new BoundLabel(sample.backdrop, BoundLabel::ModelColours | BoundLabel::ModelBorder, box);
    backdrop->setGeometry(dp(box, 8), dp(box, 18), dp(box, 216), dp(box, 58));
    auto *number = new BoundLabel(m_form.doc.sampleLabel, BoundLabel::ModelLook, backdrop);
    // What share of its size the sample is shown at, when it does not fit.
    auto *shrunk = caption(QString(), box);
    QFont small = shrunk->font();
    small.setPointSizeF(6.75);
    shrunk->setFont(small);
    shrunk->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    shrunk->setGeometry(dp(box, 184), dp(box, 80), dp(box, 38), dp(box, 16));
    // The sample stands in the middle of its backdrop at its true size while
    // that fits. A larger one (a long name, 200 points) is drawn smaller so
    // that the whole text stays in view; the font keeps the size chosen.
    const auto fit = [shrunk](BoundLabel *w) {
        QWidget *p = w->parentWidget();
        const QSize natural = w->sizeHint();
        const int inset = dp(w, 3);
        const double room = std::min(double(p->width() - 2 * inset) / std::max(1, natural.width()),
                                     double(p->height() - 2 * inset) / std::max(1, natural.height()));
        const double scale = std::min(1.0, room);
        w->setTextScale(scale);
        const QSize shown(qCeil(natural.width() * scale), qCeil(natural.height() * scale));
        w->setGeometry(QRect(QPoint((p->width() - shown.width()) / 2, (p->height() - shown.height()) / 2), shown));
        const int percent = qFloor(scale * 100);
        shrunk->setText(scale < 1 ? QStringLiteral("%1 %").arg(percent) : QString());
        const QString tip = scale < 1 ? tr("The sample is shown at %1 % of its size").arg(percent) : QString();
        shrunk->setToolTip(tip);
        w->setToolTip(tip);
    };
    onViewUpdate(m_form.doc.sampleLabel, number, fit);
    fit(number);

    auto *readout = new BoundLabel(sample.readout, BoundLabel::CentreText, box);
    readout->setGeometry(dp(box, 8), dp(box, 80), dp(box, 216), dp(box, 16));
    shrunk->raise();
}

void MainWindow::buildLayoutCard()
{
    LayoutDocument &doc = m_form.doc;
    auto *card = new QFrame(this);
    card->setFrameShape(QFrame::StyledPanel);
    place(card, T(604), T(30), T(255), T(102));

    // The framed buttons stand where the window's chrome puts them; the
    // rows of the card are laid out around them. The orientation button
    // belongs to the style strip.
    for (const WindowChrome::ButtonFrame &f : m_form.chrome.framedButtons()) {
        if (f.button == &m_form.orientation.orientationButton)
            continue;
        auto *b = new FramedButton(*f.button, this);
        frameWith(b, f.lines);
        if (f.button == &m_form.printButton) {
            // The window shows "Print" in the row of the other commands.
            place(b, 11280, 915, 645, 225);
            b->setToolTip(tr("Print numbered pages of this layout"));
        } else {
            place(b, f.left, f.top, f.width, f.height);
        }
    }

    const double captionLeft = T(612), fieldLeft = T(712), fieldRight = T(851);
    place(caption(tr("Numbers per page"), this), captionLeft, T(35), T(98), T(20));
    auto *gridType = new BoundComboBox(doc.gridType, this);
    gridType->setToolTip(tr("How many numbers a page carries"));
    place(gridType, fieldLeft, T(35), fieldRight - fieldLeft, T(20));

    // The orders have long names: this row gives its list more room.
    place(caption(tr("Print order"), this), captionLeft, T(84), T(62), T(20));
    auto *order = new BoundComboBox(doc.wayPrint, this);
    order->setToolTip(tr("How the numbers run through the stack of pages"));
    place(order, T(676), T(84), fieldRight - T(676), T(20));

    auto *mouse = new BoundCheckBox(doc.moveByMouse, this);
    mouse->setToolTip(tr("Place the chosen number by clicking on the page"));
    place(mouse, captionLeft, T(108), T(110), T(20));
    place(caption(tr("Number"), this), T(760), T(108), T(44), T(20));
    auto *slot = new BoundComboBox(doc.placementSlot, this);
    slot->setToolTip(tr("Number placed by the mouse"));
    place(slot, T(805), T(108), fieldRight - T(805), T(20));
}

void MainWindow::buildStyleStrip()
{
    LayoutDocument &doc = m_form.doc;
    // The orientation button with its icon and code, left of the strip.
    auto *orientation = new FramedButton(m_form.orientation.orientationButton, this);
    for (const WindowChrome::ButtonFrame &f : m_form.chrome.framedButtons()) {
        if (f.button == &m_form.orientation.orientationButton)
            frameWith(orientation, f.lines);
    }
    // The window's own place for it: the left end of the strip, before the icons.
    orientation->setToolTip(tr("Turn the page"));
    place(orientation, 120, 2070, 1455, 210);
    auto *standing = new SheetStackIcon(m_form.orientation.standingIcon, true, this);
    place(standing, 1830, 2010, 300, 300);
    auto *lying = new SheetStackIcon(m_form.orientation.lyingIcon, false, this);
    place(lying, 1830, 2010, 300, 300);
    place(new OrientationCodeLabel(m_form.doc.orientationCode, this), 2175, 2040, 150, 240);

    auto *strip = new QFrame(this);
    strip->setFrameShape(QFrame::StyledPanel);
    place(strip, T(178), T(134), T(681), T(25));
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(8, 1, 8, 1);
    row->setSpacing(5);
    auto *font = new BoundComboBox(doc.fontName, strip);
    font->setFixedWidth(dp(strip, 170));
    font->setToolTip(tr("Font of the numbers"));
    auto *size = new BoundComboBox(doc.fontSize, strip);
    size->setFixedWidth(dp(strip, 52));
    size->setToolTip(tr("Size of the numbers, points"));
    row->addWidget(caption(tr("Font"), strip));
    row->addWidget(font);
    row->addSpacing(8);
    row->addWidget(caption(tr("Size"), strip));
    row->addWidget(size);
    row->addSpacing(12);
    auto *bold = new BoundCheckBox(doc.fontBold, strip);
    QFont bf = bold->font();
    bf.setBold(true);
    bold->setFont(bf);
    bold->setToolTip(tr("Bold numbers"));
    auto *italic = new BoundCheckBox(doc.fontItalic, strip);
    QFont itf = italic->font();
    itf.setItalic(true);
    italic->setFont(itf);
    italic->setToolTip(tr("Italic numbers"));
    auto *line = new BoundCheckBox(doc.borderLine, strip);
    line->setToolTip(tr("Draw a box round every number"));
    row->addWidget(bold);
    row->addSpacing(4);
    row->addWidget(italic);
    row->addSpacing(4);
    row->addWidget(line);
    row->addSpacing(12);
    auto *backColour = new ColourButton(m_form.style.backColourButton, doc.sampleLabel, true, strip);
    backColour->setFixedSize(dp(strip, 70), dp(strip, 17));
    backColour->setToolTip(tr("Back colour of the numbers"));
    auto *foreColour = new ColourButton(m_form.style.foreColourButton, doc.sampleLabel, false, strip);
    foreColour->setFixedSize(dp(strip, 70), dp(strip, 17));
    foreColour->setToolTip(tr("Colour of the numbers"));
    row->addWidget(backColour);
    row->addWidget(foreColour);
    row->addStretch(1);
    // The code beside every number: its editor.
    auto *code = new QPushButton(tr("Code..."), strip);
    code->setObjectName(QStringLiteral("CodeButton"));
    code->setFixedSize(dp(strip, 62), dp(strip, 17));
    code->setToolTip(tr("A barcode or QR code of every number, printed beside it"));
    connect(code, &QPushButton::clicked, this, [this] {
        CodeDialog dialog(m_form.doc.code, m_form.doc.sampleLabel.caption(), this);
        if (dialog.exec() == QDialog::Accepted)
            m_form.setCode(dialog.settings());
        m_preview->update();
    });
    row->addWidget(code);
    // The journal of runs ends the strip, right under Print.
    auto *journal = new FramedButton(m_form.journalButton, strip);
    journal->setObjectName(m_form.journalButton.name());
    journal->setFixedSize(dp(strip, 62), dp(strip, 17));
    journal->setToolTip(tr("The runs printed so far: find a number, print pages again (Ctrl+J)"));
    row->addWidget(journal);
}

void MainWindow::buildPreview()
{
    m_preview = new PagePreviewWidget(m_form.preview, m_form.sample.Test0, this);
    m_preview->showCodes(m_form.doc.code);
    place(m_preview, T(8), T(164), T(458), T(354));
    m_preview->showPrinted(m_form.doc, m_form.services().printer, m_form.services().measure);
    // Another printer puts the numbers elsewhere on the paper.
    onViewUpdate(m_form.printForm.printerBox, m_preview, [](PagePreviewWidget *w) { w->update(); });

    // Under the page: the grid switch and the pointer's place, the distance
    // from the top edge (L2) before the one from the left edge (L1).
    MousePlacement &placement = m_form.placement;
    auto *row = new QWidget(this);
    place(row, T(8), T(520), T(458), T(22));
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(4);
    auto *grid = new BoundCheckBox(placement.crosshairOption, row);
    grid->setToolTip(tr("Show the centimetre grid on the page"));
    layout->addWidget(grid);
    layout->addStretch(1);
    // Each field has an arrow for the direction it measures in.
    const auto readout = [row, layout](Label &l, const QString &arrow, const QString &tip) {
        layout->addWidget(caption(arrow, row));
        auto *field = new QFrame(row);
        field->setFrameShape(QFrame::StyledPanel);
        field->setFrameShadow(QFrame::Sunken);
        field->setAutoFillBackground(true);
        QPalette pal = field->palette();
        pal.setColor(QPalette::Window, Qt::white);
        field->setPalette(pal);
        field->setFixedSize(dp(row, 44), dp(row, 18));
        field->setToolTip(tip);
        auto *inner = new QHBoxLayout(field);
        inner->setContentsMargins(1, 1, 1, 1);
        inner->addWidget(new BoundLabel(l, BoundLabel::ModelFont | BoundLabel::CentreText, field));
        layout->addWidget(field);
        layout->addWidget(caption(QStringLiteral("cm."), row));
        layout->addSpacing(6);
    };
    readout(placement.pointerY, QStringLiteral("\u2193"), tr("Pointer's distance from the top edge of the page"));
    readout(placement.pointerX, QStringLiteral("\u2192"), tr("Pointer's distance from the left edge of the page"));
}

void MainWindow::buildSlotPanels()
{
    // Four columns of three, in slot order row by row; a hidden slot leaves
    // its place empty so that the others never move.
    const double w = T(94), h = T(74), gapX = T(4), gapY = T(5);
    const auto cell = [this, w, h, gapX, gapY](int n) {
        const int row = (n - 1) / 4, col = (n - 1) % 4;
        return QRect(px(this, col * (w + gapX)), px(this, row * (h + gapY)), px(this, w), px(this, h));
    };
    auto *area = new SlotWells(this, cell);
    place(area, T(472), T(164), 4 * w + 3 * gapX, 3 * h + 2 * gapY);
    for (int n = 1; n <= 12; ++n) {
        auto *panel = new SlotPanel(m_form.doc.slot(n), m_form.preview.panel(n), area);
        panel->setGeometry(cell(n));
    }
}

void MainWindow::buildPrintOrder()
{
    auto *box = new QGroupBox(tr("Print order"), this);
    place(box, T(472), T(400), T(254), T(142));
    auto *picture = new PrintOrderIllustration(box);
    picture->setObjectName(QStringLiteral("PrintOrderIllustration"));
    picture->setGeometry(dp(box, 9), dp(box, 19), dp(box, 236), dp(box, 116));
    m_orderPicture = picture;
    // The picture shows the order whose illustration the form has made
    // visible, none when it shows none.
    PrintOrderSelector &selector = m_form.printOrder;
    const auto show = [&selector](PrintOrderIllustration *w) {
        int order = 0;
        for (int d = 1; d <= 8 && order == 0; ++d)
            order = selector.picture(d).visible() ? d : 0;
        w->setOrder(order);
    };
    for (int d = 1; d <= 8; ++d)
        onViewUpdate(selector.picture(d), picture, show);
    show(picture);
}

void MainWindow::buildShiftGroup()
{
    LayoutDocument &doc = m_form.doc;
    auto *box = new QGroupBox(tr("Move all"), this);
    place(box, T(732), T(400), T(127), T(142));
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(10, 8, 10, 10);
    grid->setVerticalSpacing(8);
    auto *tops = new BoundScrollBar(doc.topShift, Qt::Vertical, box);
    tops->setFixedSize(dp(box, 15), dp(box, 24));
    tops->setToolTip(tr("Move every number along the long edge"));
    auto *lefts = new BoundScrollBar(doc.leftShift, Qt::Vertical, box);
    lefts->setFixedSize(dp(box, 15), dp(box, 24));
    lefts->setToolTip(tr("Move every number along the short edge"));
    grid->addWidget(caption(QStringLiteral("  بهرزى "), box), 0, 1, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(tops, 0, 2);
    grid->addWidget(caption(QStringLiteral("  پانى "), box), 1, 1, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(lefts, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(2, 1);
    auto *hint = caption(tr("0.1 cm a step"), box);
    QFont small = hint->font();
    small.setPointSizeF(7);
    hint->setFont(small);
    grid->addWidget(hint, 2, 0, 1, 4, Qt::AlignCenter | Qt::AlignBottom);
}

void MainWindow::buildStatusBar()
{
    LayoutDocument &doc = m_form.doc;
    auto *bar = new QFrame(this);
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, QColor(0xDF, 0xE4, 0xEA));
    bar->setPalette(pal);
    place(bar, 0, T(546), DesignWidth, DesignHeight - T(546));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(10, 0, 10, 0);
    row->setSpacing(18);
    for (Label *l : {&doc.fileCaption, &doc.typeCaption, &doc.orientationCaption}) {
        auto *w = new BoundLabel(*l, BoundLabel::Plain, bar);
        row->addWidget(w);
    }
    row->addStretch(1);
}

} // namespace ui

} // namespace numora
