#include "JournalWindow.h"
#include "BoundComboBox.h"
#include "BoundLabel.h"
#include "BoundLineEdit.h"
#include "BoundListBox.h"
#include "HeaderBar.h"
#include "ViewSupport.h"
#include "journal/JournalForm.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

namespace numora::ui {

namespace {

// Pixels of a 96 dpi screen, as in the other windows.
constexpr double HeaderHeight = 25;
constexpr double BandHeight = 30;

// A label control whose caption runs over several lines (CR LF between
// them), shown wrapped and selectable so that a number can be copied.
QLabel *captionText(Label &control, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(control.name());
    l->setWordWrap(true);
    l->setTextFormat(Qt::PlainText);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const auto sync = [&control](QLabel *w) {
        QString text = control.caption();
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        w->setText(text);
        w->setVisible(control.visible());
    };
    onViewUpdate(control, l, sync);
    sync(l);
    return l;
}

FramedButton *commandButton(Label &control, const QString &tip, QWidget *parent)
{
    auto *b = new FramedButton(control, parent);
    b->setObjectName(control.name());
    b->setToolTip(tip);
    b->setFixedSize(std::max(px(parent, 975), b->sizeHint().width() + dp(parent, 16)),
                    std::max(px(parent, 285), b->sizeHint().height() + dp(parent, 4)));
    return b;
}

// The rows of a list control whose items hold their cells between tabs,
// under the given column heads; read-only.
QTreeWidget *cellTable(ListBox &control, const QStringList &heads, QWidget *parent)
{
    auto *t = new QTreeWidget(parent);
    t->setObjectName(control.name());
    t->setColumnCount(int(heads.size()));
    t->setHeaderLabels(heads);
    t->setRootIsDecorated(false);
    t->setUniformRowHeights(true);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::NoFocus);
    t->setAlternatingRowColors(true);
    t->header()->setSectionsMovable(false);
    t->header()->setStretchLastSection(true);
    const auto sync = [&control](QTreeWidget *w) {
        w->clear();
        QList<QTreeWidgetItem *> rows;
        for (const QString &item : control.items())
            rows << new QTreeWidgetItem(item.split(QLatin1Char('\t')));
        w->addTopLevelItems(rows);
        w->setVisible(control.visible());
    };
    onViewUpdate(control, t, sync);
    sync(t);
    return t;
}

} // namespace

JournalWindow::JournalWindow(JournalForm &form, QWidget *owner)
    : FormWindow(form, Place | Visibility, QSizeF(10800, 6600), nullptr, Qt::Window)
    , m_form(form)
    , m_owner(owner)
{
    setObjectName(form.name());
    setAutoFillBackground(true);
    // A window of its own that closing the main window does not wait for.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *header = new HeaderBar(this);
    header->setFixedHeight(dp(this, HeaderHeight));
    m_title = header->addTitle(dp(this, 12));
    column->addWidget(header);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(dp(this, 10), dp(this, 8), dp(this, 10), dp(this, 8));
    body->setSpacing(dp(this, 6));
    column->addLayout(body, 1);

    // Narrowing the list, and the search for a number.
    auto *search = new QHBoxLayout;
    search->setSpacing(dp(this, 6));
    m_filter = new BoundLineEdit(form.layoutFilter, this);
    m_filter->setPlaceholderText(tr("all layouts"));
    m_filter->setToolTip(tr("Show the runs of the layouts whose name holds this text"));
    m_number = new BoundLineEdit(form.findText, this);
    m_number->setPlaceholderText(tr("123 or No:000123"));
    m_number->setToolTip(
        tr("A number (every text it was printed in), or a number text as it was printed; Enter finds it"));
    auto *find = commandButton(form.findButton, tr("Which run printed this number, on which page and position"), this);
    search->addWidget(asCaption(new QLabel(tr("Layout"), this)));
    search->addWidget(m_filter, 2);
    search->addSpacing(dp(this, 18));
    search->addWidget(asCaption(new QLabel(tr("Number"), this)));
    search->addWidget(m_number, 2);
    search->addWidget(find);
    body->addLayout(search);
    m_found = captionText(form.findResult, this);
    asCaption(m_found);
    body->addWidget(m_found);

    // The runs: the lines line up in a fixed-pitch font.
    m_runs = new BoundListBox(form.runList, this);
    m_runs->setObjectName(form.runList.name());
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSizeF(font().pointSizeF());
    m_runs->setFont(mono);
    m_runs->setAlternatingRowColors(true);
    // A failure's reason makes a long line: it scrolls, never cut short.
    m_runs->setTextElideMode(Qt::ElideNone);
    m_runs->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_runs->setEmptyText(tr("No run is journaled yet"));
    m_runs->setToolTip(tr("Every print run, newest first"));
    body->addWidget(m_runs, 1);

    auto *chosen = new QGroupBox(tr("Selected run"), this);
    auto *card = new QHBoxLayout(chosen);
    card->setContentsMargins(dp(this, 8), dp(this, 4), dp(this, 8), dp(this, 6));
    card->setSpacing(dp(this, 10));
    auto *about = new QVBoxLayout;
    m_details = captionText(form.runDetails, chosen);
    about->addWidget(m_details, 1);
    // Shown for a run left unfinished by a workstation that stopped.
    auto *closeRun =
        commandButton(form.closeRunButton, tr("Say whether the unfinished run's pages were printed"), chosen);
    auto *commands = new QHBoxLayout;
    commands->addStretch(1);
    commands->addWidget(closeRun);
    // On for a failed or stopped run whose rest no later run printed.
    m_rest = commandButton(form.restButton,
                           tr("Print the pages the run did not print, as a new run, to the printer below"), chosen);
    commands->addWidget(m_rest);
    about->addLayout(commands);
    card->addLayout(about, 1);
    // Beside it, what became of the jobs the run went to the printer in.
    auto *jobs = new QVBoxLayout;
    jobs->setSpacing(dp(this, 4));
    m_jobs = cellTable(form.jobList, JournalForm::jobColumns(), chosen);
    m_jobs->setToolTip(tr("The print system's job for each part of the run, and where it stands"));
    m_jobs->setFixedWidth(dp(this, 280));
    m_jobs->setMaximumHeight(dp(this, 120));
    m_jobs->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Room for "10001-10500" and "processing"; many parts scroll down.
    const int widths[] = {40, 96, 56};
    for (int c = 0; c < 3; ++c)
        m_jobs->setColumnWidth(c, dp(this, widths[c]));
    jobs->addWidget(m_jobs, 1);
    auto *refreshJobs =
        commandButton(form.refreshJobsButton, tr("Ask the print system again where the jobs stand"), chosen);
    jobs->addWidget(refreshJobs, 0, Qt::AlignRight);
    card->addLayout(jobs);
    body->addWidget(chosen);

    // Printing pages of the chosen run again, in the strip the other
    // windows keep their commands in.
    auto *band = new QFrame(this);
    band->setAutoFillBackground(true);
    QPalette bp = band->palette();
    bp.setColor(QPalette::Window, QColor(0xDF, 0xE4, 0xEA));
    band->setPalette(bp);
    band->setMinimumHeight(dp(this, BandHeight));
    auto *row = new QHBoxLayout(band);
    row->setContentsMargins(dp(this, 10), dp(this, 3), dp(this, 10), dp(this, 3));
    row->setSpacing(dp(this, 6));
    m_printers = new BoundComboBox(form.reprintPrinter, band);
    m_printers->setToolTip(tr("The printer the pages go to again"));
    m_printers->setMinimumWidth(dp(this, 150));
    auto *from = new BoundLineEdit(form.reprintFrom, band);
    from->setObjectName(form.reprintFrom.name());
    from->setToolTip(tr("First page to print again"));
    from->setFixedWidth(dp(this, 54));
    auto *to = new BoundLineEdit(form.reprintTo, band);
    to->setObjectName(form.reprintTo.name());
    to->setToolTip(tr("Last page to print again"));
    to->setFixedWidth(dp(this, 54));
    m_reprint = commandButton(form.reprintButton, tr("Print these pages of the run again; no counter moves"), band);
    m_close = commandButton(form.closeButton, tr("Close the journal"), band);
    row->addWidget(asCaption(new QLabel(tr("Printer"), band)));
    row->addWidget(m_printers, 1);
    row->addSpacing(dp(this, 8));
    row->addWidget(asCaption(new QLabel(tr("from page"), band)));
    row->addWidget(from);
    row->addWidget(asCaption(new QLabel(tr("to page"), band)));
    row->addWidget(to);
    row->addWidget(m_reprint);
    row->addSpacing(dp(this, 18));
    row->addWidget(m_close);
    column->addWidget(band);

    // A reprint asks its questions (the PDF's file name) over the main
    // window: the journal comes back to the front when it is done.
    for (Label *button : {&form.reprintButton, &form.restButton})
        connectWhileAlive(this, button->onClick, [w = QPointer<JournalWindow>(this)] {
            if (w && w->isVisible()) {
                w->raise();
                w->activateWindow();
            }
        });

    // Escape is Close, from whichever field has the focus.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { close(); });

    followForm();
}

void JournalWindow::captionApplied(const QString &caption) { m_title->setText(caption); }

void JournalWindow::closeEvent(QCloseEvent *e)
{
    if (m_form.visible())
        m_form.closeButton.click();
    if (m_form.visible())
        e->ignore();
    else
        e->accept();
}

void JournalWindow::showEvent(QShowEvent *e)
{
    // Above the main window, without being its child.
    QWidget *owner = m_owner ? m_owner->window() : nullptr;
    if (owner && owner->windowHandle() && windowHandle())
        windowHandle()->setTransientParent(owner->windowHandle());
    FormWindow::showEvent(e);
}

} // namespace numora::ui
