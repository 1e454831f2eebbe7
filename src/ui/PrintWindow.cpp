#include "PrintWindow.h"
#include "BoundCheckBox.h"
#include "BoundComboBox.h"
#include "BoundLabel.h"
#include "BoundLineEdit.h"
#include "CommandButton.h"
#include "HeaderBar.h"
#include "PageCopiesIllustration.h"
#include "PageField.h"
#include "PaperStrip.h"
#include "PrintProgressPanel.h"
#include "ViewSupport.h"
#include "printing/PrintForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QWindow>

#include <algorithm>

namespace numora::ui {

namespace {

// The title strip, in pixels of a 96 dpi screen as in the other windows.
constexpr double HeaderHeight = 25;

} // namespace

PrintWindow::PrintWindow(PrintForm &form, QWidget *owner)
    : FormWindow(form, Place | Visibility, QSizeF(PrintForm::DesignWidth, PrintForm::DesignHeight), nullptr,
                 Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_form(form)
    , m_owner(owner)
{
    setObjectName(form.name());
    setAutoFillBackground(true);
    // Not a child of the main window, which the form disables while the
    // dialog is open: a child window would be disabled with it. The window
    // system still keeps it above the main window (see showEvent).
    setAttribute(Qt::WA_QuitOnClose, false);

    auto *header = new HeaderBar(this);
    m_header = header;
    m_header->setGeometry(0, 0, px(this, PrintForm::DesignWidth), dp(this, HeaderHeight));
    m_title = header->addTitle(dp(this, 12));

    // The preview strip with the sample in the middle, and its size below.
    m_preview = new PaperStrip(this);
    m_preview->setObjectName(form.Picture2.name());
    m_preview->setToolTip(tr("The number as it will be printed"));
    // The form also keeps a measuring label (L1) of the print job here; it
    // only measures texts, and shown it would be a second, bold sample.
    m_sample = new BoundLabel(form.LA1, BoundLabel::ModelLook, m_preview);
    auto *size = asCaption(new BoundLabel(form.Label2, BoundLabel::CentreText, this));

    m_printers = new BoundComboBox(form.Combo1, this);
    m_printers->setToolTip(tr("The printer the run goes to"));
    auto *pagesCaption = asCaption(new BoundLabel(form.Label3, BoundLabel::Plain, this));
    m_pages = new PageField(form.Te1, this);
    m_pages->setToolTip(tr("How many pages to print"));
    m_twoPages = new BoundCheckBox(form.Check1, this);
    m_twoPages->setToolTip(tr("Print every page twice, one after the other"));
    m_once = new PageCopiesIllustration(form.Im1, 1, this);
    m_twice = new PageCopiesIllustration(form.Im2, 2, this);

    m_print = new CommandButton(form.Command1, this);
    m_print->setToolTip(tr("Print the pages and count the numbers on"));
    QFont pf = m_print->font();
    pf.setBold(true);
    m_print->setFont(pf);
    m_properties = new CommandButton(form.Command2, this);
    m_properties->setToolTip(tr("Choose a printer and set it up"));
    m_cancel = new CommandButton(form.Command3, this);
    m_cancel->setToolTip(tr("Close without printing"));
    m_look = new CommandButton(form.Command4, this);
    m_look->setToolTip(tr("See the pages before printing them; nothing is counted"));

    // Every control where the form puts it, and again whenever it moves it.
    const auto follow = [this](Control &c, QWidget *w) {
        const auto apply = [this, control = &c](QWidget *widget) {
            place(widget, control->left(), control->top(), control->width(), control->height());
        };
        onViewUpdate(c, w, apply);
        apply(w);
    };
    follow(form.Picture2, m_preview);
    follow(form.Label2, size);
    follow(form.Combo1, m_printers);
    follow(form.Label3, pagesCaption);
    follow(form.Te1, m_pages);
    follow(form.Check1, m_twoPages);
    follow(form.Im1, m_once);
    follow(form.Im2, m_twice);
    follow(form.Command1, m_print);
    follow(form.Command2, m_properties);
    follow(form.Command3, m_cancel);
    follow(form.Command4, m_look);
    onViewUpdate(form.LA1, this, [](PrintWindow *w) { w->placeSample(); });
    placeSample();

    // The progress covers the commands, which a run disables anyway.
    m_progress = new PrintProgressPanel(this);
    place(m_progress, form.Command1.left(), form.Command1.top(),
          form.Command3.left() + form.Command3.width() - form.Command1.left(), form.Command1.height());
    form.progress = [panel = QPointer<PrintProgressPanel>(m_progress)](qsizetype page, qsizetype pages) {
        return !panel || panel->pageDone(page, pages);
    };
    form.claiming = [panel = QPointer<PrintProgressPanel>(m_progress)] { return !panel || panel->claiming(); };
    const auto runEnded = [panel = QPointer<PrintProgressPanel>(m_progress)] {
        if (panel)
            panel->runEnded();
    };
    connectWhileAlive(this, form.onJobPrinted, runEnded);
    connectWhileAlive(this, form.onJobFailed, [runEnded](const QString &) { runEnded(); });
    connectWhileAlive(this, form.onWindowUpdate, [w = QPointer<PrintWindow>(this)] {
        if (w && !w->m_form.visible() && w->m_progress->running())
            w->m_progress->runEnded();
    });
    connectWhileAlive(this, form.Timer2.onTick, [w = QPointer<PrintWindow>(this)] {
        if (w)
            w->keepInFront();
    });

    // Escape is Cancel, as the window's close button is; a run that prints
    // goes on.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { close(); });

    followForm();
}

PrintWindow::~PrintWindow()
{
    // The form outlives its window.
    m_form.progress = nullptr;
    m_form.claiming = nullptr;
}

QRect PrintWindow::placeOf(double left, double top, double width, double height) const
{
    const int y0 = dp(this, HeaderHeight);
    return {px(this, left), y0 + px(this, top), px(this, width), px(this, height)};
}

void PrintWindow::place(QWidget *w, double left, double top, double width, double height)
{
    const QRect r = placeOf(left, top, width, height);
    if (w->geometry() != r)
        w->setGeometry(r);
}

void PrintWindow::placeSample()
{
    // The form places the sample within the preview strip, which cuts off
    // what does not fit. The model's size is the text's size on the screen;
    // the widget may need a pixel more than that rounds to.
    const Label &c = m_sample->control();
    const QSize s = QSize(px(this, c.width()), px(this, c.height())).expandedTo(m_sample->sizeHint());
    const QRect r(px(this, c.left()), px(this, c.top()), s.width(), s.height());
    if (m_sample->geometry() != r)
        m_sample->setGeometry(r);
}

void PrintWindow::captionApplied(const QString &caption)
{
    // The caption, and the name the document carries in the print queue.
    const QString document = m_form.appTitle();
    m_title->setText(document.isEmpty() ? caption : caption + QStringLiteral("  \u2014  ") + document);
}

void PrintWindow::resizeEvent(QResizeEvent *e)
{
    FormWindow::resizeEvent(e);
    m_header->setGeometry(0, 0, width(), dp(this, HeaderHeight));
}

void PrintWindow::closeEvent(QCloseEvent *e)
{
    if (m_form.visible())
        m_form.closeRequested();
    if (m_form.visible())
        e->ignore();
    else
        e->accept();
}

void PrintWindow::showEvent(QShowEvent *e)
{
    // Above the main window as its dialog, without being its child.
    QWidget *owner = m_owner ? m_owner->window() : nullptr;
    if (owner && owner->windowHandle() && windowHandle())
        windowHandle()->setTransientParent(owner->windowHandle());
    FormWindow::showEvent(e);
}

void PrintWindow::keepInFront()
{
    // A question of the program stays above the dialog.
    if (!m_form.visible() || !isVisible() || QApplication::activeModalWidget())
        return;
    raise();
    // The focus comes back from the disabled main window; another window
    // of the program that is in use (the layout browser) keeps it.
    QWidget *active = QApplication::activeWindow();
    if (active != this && (!active || !active->isEnabled()))
        activateWindow();
}

} // namespace numora::ui
