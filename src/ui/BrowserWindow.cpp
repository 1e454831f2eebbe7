#include "BrowserWindow.h"
#include "BoundComboBox.h"
#include "BoundLabel.h"
#include "BoundLineEdit.h"
#include "BoundListBox.h"
#include "HeaderBar.h"
#include "SheetStackIcon.h"
#include "ViewSupport.h"
#include "layoutfiles/BrowserForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace numora::ui {

namespace {

// Figures below are pixels of a 96 dpi screen, as in the main window, whose
// header and status strip this window continues.
constexpr double HeaderHeight = 25;
constexpr double BandHeight = 21;

} // namespace

BrowserWindow::BrowserWindow(BrowserForm &form, QWidget *parent)
    : FormWindow(form, Place | Visibility, QSizeF(DesignWidth, DesignHeight), parent, Qt::Window)
    , m_form(form)
{
    setObjectName(form.name());
    setAutoFillBackground(true);
    // A window of its own, not a child of the main window: disabling the
    // main window (the print dialog does) must not disable it. Closing the
    // main window still ends the program while the browser is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *header = new HeaderBar(this);
    header->setFixedHeight(dp(this, HeaderHeight));
    m_title = header->addTitle(dp(this, 10));
    column->addWidget(header);

    auto *body = new QVBoxLayout;
    body->setContentsMargins(dp(this, 8), dp(this, 4), dp(this, 8), dp(this, 4));
    body->setSpacing(dp(this, 6));
    column->addLayout(body, 1);

    // The list and the two ways of narrowing it.
    auto *files = new QGroupBox(tr("Layouts"), this);
    auto *grid = new QGridLayout(files);
    grid->setContentsMargins(8, 4, 8, 8);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(5);
    m_filter = new BoundComboBox(form.typeFilter, files);
    m_filter->setToolTip(tr("Show the layouts of one grid type"));
    auto *fine = asCaption(new BoundLabel(form.fineCaption, BoundLabel::Plain, files));
    m_search = new BoundLineEdit(form.searchText, files);
    m_search->setPlaceholderText(tr("Name begins with…"));
    m_search->setClearButtonEnabled(false);
    m_search->setToolTip(tr("Select the first layout whose name begins with this text"));
    m_files = new BoundListBox(form.fileList, files);
    m_files->setEmptyText(tr("No layouts of this type"));
    m_files->setAlternatingRowColors(true);
    m_files->setToolTip(tr("Double-click a layout to load it"));
    grid->addWidget(asCaption(new QLabel(tr("Type"), files)), 0, 0);
    grid->addWidget(m_filter, 0, 1);
    grid->addWidget(fine, 1, 0);
    grid->addWidget(m_search, 1, 1);
    grid->addWidget(m_files, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    body->addWidget(files, 1);

    // The selected layout: its name, start number and page orientation.
    auto *chosen = new QGroupBox(tr("Selected"), this);
    auto *card = new QGridLayout(chosen);
    card->setContentsMargins(8, 4, 8, 8);
    card->setHorizontalSpacing(6);
    card->setVerticalSpacing(3);
    m_fileName = new BoundLabel(form.fileNameCaption, BoundLabel::Plain, chosen);
    QFont nf = m_fileName->font();
    nf.setBold(true);
    m_fileName->setFont(nf);
    m_startNumber = new BoundLabel(form.startNumberCaption, BoundLabel::Plain, chosen);
    // Both icons share one place; the form shows at most one of them.
    auto *icons = new QWidget(chosen);
    icons->setFixedSize(dp(this, 32), dp(this, 32));
    m_standing = new SheetStackIcon(form.standingIcon, true, icons);
    m_standing->setGeometry(icons->rect());
    m_standing->setToolTip(tr("Standing page"));
    m_lying = new SheetStackIcon(form.lyingIcon, false, icons);
    m_lying->setGeometry(icons->rect());
    m_lying->setToolTip(tr("Lying page"));
    card->addWidget(m_fileName, 0, 0);
    card->addWidget(m_startNumber, 1, 0);
    card->addWidget(icons, 0, 1, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    card->setColumnStretch(0, 1);
    body->addWidget(chosen);

    // The commands, in the strip that continues the main window's status bar.
    auto *band = new QFrame(this);
    band->setAutoFillBackground(true);
    QPalette bp = band->palette();
    bp.setColor(QPalette::Window, QColor(0xDF, 0xE4, 0xEA));
    band->setPalette(bp);
    band->setFixedHeight(dp(this, BandHeight));
    auto *row = new QHBoxLayout(band);
    row->setContentsMargins(dp(this, 8), 0, dp(this, 8), 0);
    row->setSpacing(dp(this, 5));
    m_open = new FramedButton(form.openButton, band);
    m_open->setToolTip(tr("Open the selected layout"));
    m_delete = new FramedButton(form.deleteButton, band);
    m_delete->setToolTip(tr("Delete the selected layout file"));
    m_close = new FramedButton(form.closeButton, band);
    m_close->setToolTip(tr("Close the browser; it keeps its choice"));
    row->addStretch(1);
    row->addWidget(m_open);
    row->addWidget(m_delete);
    row->addSpacing(dp(this, 6));
    row->addWidget(m_close);
    column->addWidget(band);
    m_band = band;
    fitButtons();

    followForm();
}

void BrowserWindow::fitButtons()
{
    // The buttons have the main window's size, or what their captions take
    // in the font in force (a larger desktop font, another platform's
    // metrics). When the strip cannot hold three such buttons the captions
    // are drawn smaller: never cut, and never past the window's edge.
    const QList<FramedButton *> buttons{m_open, m_delete, m_close};
    const int pad = dp(this, 8);
    int w = px(this, 645), h = px(this, 225);
    for (FramedButton *b : buttons) {
        b->setTextScale(1);
        w = std::max(w, b->sizeHint().width() + pad);
        h = std::max(h, b->sizeHint().height() + 2);
    }
    const QHBoxLayout *row = static_cast<QHBoxLayout *>(m_band->layout());
    const QMargins m = row->contentsMargins();
    const int room = (width() - m.left() - m.right() - 2 * row->spacing() - dp(this, 6)) / 3;
    if (w > room && room > 0) {
        for (FramedButton *b : buttons)
            b->setTextScale(double(room - pad) / (w - pad));
        w = room;
    }
    for (FramedButton *b : buttons)
        b->setFixedSize(w, h);
    m_band->setFixedHeight(std::max(dp(this, BandHeight), h + dp(this, 6)));
}

void BrowserWindow::resizeEvent(QResizeEvent *e)
{
    FormWindow::resizeEvent(e);
    fitButtons();
}

void BrowserWindow::captionApplied(const QString &caption) { m_title->setText(caption); }

void BrowserWindow::closeEvent(QCloseEvent *e)
{
    // The window's close button is the browser's own Close: the form hides
    // and disables itself and keeps its choice for the next time.
    if (m_form.visible())
        m_form.closeButton.click();
    if (m_form.visible())
        e->ignore();
    else
        e->accept();
}

void BrowserWindow::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    FormWindow::keyPressEvent(e);
}

} // namespace numora::ui
