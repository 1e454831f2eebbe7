#include "PrintWindow.h"
#include "BoundCheckBox.h"
#include "BoundComboBox.h"
#include "BoundLabel.h"
#include "BoundLineEdit.h"
#include "CalibrationWindow.h"
#include "CommandButton.h"
#include "HeaderBar.h"
#include "PageCopiesIllustration.h"
#include "PageField.h"
#include "PaperStrip.h"
#include "PrintProgressPanel.h"
#include "ViewSupport.h"
#include "platform/Printer.h"
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
    m_preview->setObjectName(form.samplePicture.name());
    m_preview->setToolTip(tr("The number as it will be printed"));
    // The form also keeps a measuring label (L1) of the print job here; it
    // only measures texts, and shown it would be a second, bold sample.
    m_sample = new BoundLabel(form.numberSample, BoundLabel::ModelLook, m_preview);
    auto *size = asCaption(new BoundLabel(form.sizeCaption, BoundLabel::CentreText, this));

    m_printers = new BoundComboBox(form.printerBox, this);
    m_printers->setToolTip(tr("The printer the run goes to"));
    auto *pagesCaption = asCaption(new BoundLabel(form.pagesCaption, BoundLabel::Plain, this));
    m_pages = new PageField(form.pageField, this);
    m_pages->setToolTip(tr("How many pages to print"));
    m_twoPages = new BoundCheckBox(form.twoPageOption, this);
    m_twoPages->setToolTip(tr("Print every page twice, one after the other"));
    m_once = new PageCopiesIllustration(form.oneSheetIllustration, 1, this);
    m_twice = new PageCopiesIllustration(form.twoSheetsIllustration, 2, this);

    m_print = new CommandButton(form.printButton, this);
    m_print->setToolTip(tr("Print the pages and count the numbers on"));
    QFont pf = m_print->font();
    pf.setBold(true);
    m_print->setFont(pf);
    m_properties = new CommandButton(form.propertiesButton, this);
    m_properties->setToolTip(tr("Choose a printer and set it up"));
    m_cancel = new CommandButton(form.cancelButton, this);
    m_cancel->setToolTip(tr("Close without printing"));
    m_look = new CommandButton(form.previewButton, this);
    m_look->setToolTip(tr("See the pages before printing them; nothing is counted"));
    auto *calibrate = new CommandButton(form.calibrateButton, this);
    calibrate->setToolTip(tr("Make this printer put the numbers exactly where the form wants them"));

    // Every control where the form puts it, and again whenever it moves it.
    const auto follow = [this](Control &c, QWidget *w) {
        const auto apply = [this, control = &c](QWidget *widget) {
            place(widget, control->left(), control->top(), control->width(), control->height());
        };
        onViewUpdate(c, w, apply);
        apply(w);
    };
    follow(form.samplePicture, m_preview);
    follow(form.sizeCaption, size);
    follow(form.printerBox, m_printers);
    follow(form.pagesCaption, pagesCaption);
    follow(form.pageField, m_pages);
    follow(form.twoPageOption, m_twoPages);
    follow(form.oneSheetIllustration, m_once);
    follow(form.twoSheetsIllustration, m_twice);
    follow(form.printButton, m_print);
    follow(form.propertiesButton, m_properties);
    follow(form.cancelButton, m_cancel);
    follow(form.previewButton, m_look);
    // What the pre-flight check found, in the form's warning colour; the
    // whole text in its tip when the line cannot hold it.
    auto *warning = new BoundLabel(form.preflightWarning, BoundLabel::ModelColours, this);
    follow(form.preflightWarning, warning);
    onViewUpdate(form.preflightWarning, warning, [](BoundLabel *w) { w->setToolTip(w->control().caption()); });
    follow(form.calibrateButton, calibrate);
    onViewUpdate(form.numberSample, this, [](PrintWindow *w) { w->placeSample(); });
    placeSample();

    // The progress covers the commands, which a run disables anyway.
    m_progress = new PrintProgressPanel(this);
    place(m_progress, form.printButton.left(), form.printButton.top(),
          form.cancelButton.left() + form.cancelButton.width() - form.printButton.left(), form.printButton.height());
    form.progress = [panel = QPointer<PrintProgressPanel>(m_progress), &printer = form.printer()](qsizetype page,
                                                                                                  qsizetype pages) {
        return !panel || panel->pageDone(page, pages, printer.partPages(), printer.pagesTaken());
    };
    form.claiming = [panel = QPointer<PrintProgressPanel>(m_progress)] { return !panel || panel->claiming(); };
    const auto runEnded = [panel = QPointer<PrintProgressPanel>(m_progress)] {
        if (panel)
            panel->runEnded();
    };
    connectWhileAlive(this, form.onJobPrinted, runEnded);
    connectWhileAlive(this, form.onCalibrate, [w = QPointer<PrintWindow>(this)] {
        if (w && w->m_form.calibrator())
            CalibrationWindow(*w->m_form.calibrator(), w).exec();
    });
    connectWhileAlive(this, form.onJobFailed, [runEnded](const QString &) { runEnded(); });
    connectWhileAlive(this, form.onWindowUpdate, [w = QPointer<PrintWindow>(this)] {
        if (w && !w->m_form.visible() && w->m_progress->running())
            w->m_progress->runEnded();
    });
    connectWhileAlive(this, form.keepInFrontTimer.onTick, [w = QPointer<PrintWindow>(this)] {
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
