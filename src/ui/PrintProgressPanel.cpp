#include "PrintProgressPanel.h"
#include "ViewSupport.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace numora::ui {

namespace {

int clampedInt(qsizetype v) { return int(std::clamp<qsizetype>(v, 0, std::numeric_limits<int>::max())); }

} // namespace

PrintProgressPanel::PrintProgressPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("PrintProgress"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xDF, 0xE4, 0xEA));
    setPalette(pal);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(dp(this, 10), dp(this, 4), dp(this, 6), dp(this, 4));
    row->setSpacing(dp(this, 8));
    m_pageText = new QLabel(this);
    m_pageText->setObjectName(QStringLiteral("PrintProgressText"));
    // Room for the longest count the page field allows, so that the bar
    // does not jump while the numbers grow.
    m_pageText->setMinimumWidth(m_pageText->fontMetrics().horizontalAdvance(tr("Page %1 of %2").arg(88888).arg(88888)));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("PrintProgressBar"));
    m_bar->setTextVisible(true);
    m_bar->setFormat(QStringLiteral("%p%"));
    m_stopButton = new QPushButton(tr("Stop"), this);
    m_stopButton->setObjectName(QStringLiteral("PrintStop"));
    m_stopButton->setToolTip(tr("Stop the run: no further page goes to the printer; the numbers of what it has not taken stay free"));
    m_stopButton->setMinimumWidth(dp(this, 72));
    connect(m_stopButton, &QPushButton::clicked, this, [this] {
        m_stop = true;
        m_stopButton->setEnabled(false);
        m_pageText->setText(tr("Stopping…"));
    });
    row->addWidget(m_pageText);
    row->addWidget(m_bar, 1);
    row->addWidget(m_stopButton);
    hide();
}

PrintProgressPanel::~PrintProgressPanel()
{
    if (m_filtering)
        qApp->removeEventFilter(this);
}

void PrintProgressPanel::begin()
{
    m_running = true;
    m_stop = false;
    m_stopButton->setEnabled(true);
    m_runClock.start();
    m_pumpClock.start();
    if (!m_filtering) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
}

bool PrintProgressPanel::pageDone(qsizetype page, qsizetype pages, qint64 partPages, qint64 pagesTaken)
{
    if (!m_running)
        begin();
    if (isHidden() && m_runClock.elapsed() >= m_showAfter) {
        showProgress(page, pages, partPages, pagesTaken);
        show();
        raise();
        m_stopButton->setFocus();
        pump();
    } else if (m_pumpClock.elapsed() >= PumpEveryMs) {
        if (!isHidden())
            showProgress(page, pages, partPages, pagesTaken);
        pump();
    }
    return !m_stop;
}

bool PrintProgressPanel::claiming()
{
    if (!m_running)
        begin();
    if (isHidden() && m_runClock.elapsed() >= m_showAfter) {
        m_pageText->setText(tr("Claiming the run's numbers in the journal…"));
        m_bar->setRange(0, 0); // busy: the journal tells no progress
        show();
        raise();
        m_stopButton->setFocus();
        pump();
    } else if (m_pumpClock.elapsed() >= PumpEveryMs) {
        pump();
    }
    return !m_stop;
}

void PrintProgressPanel::showProgress(qsizetype page, qsizetype pages, qint64 partPages, qint64 pagesTaken)
{
    if (m_stop)
        return;
    const auto partsOf = [partPages](qint64 n) { return (n + partPages - 1) / partPages; };
    if (partPages > 0 && pages > partPages)
        m_pageText->setText(tr("Page %1 of %2 \u00b7 part %3 of %4 \u00b7 %5 taken")
                                .arg(page)
                                .arg(pages)
                                .arg(partsOf(page))
                                .arg(partsOf(pages))
                                .arg(partsOf(pagesTaken)));
    else
        m_pageText->setText(tr("Page %1 of %2").arg(page).arg(pages));
    m_bar->setRange(0, clampedInt(pages));
    m_bar->setValue(clampedInt(page));
}

void PrintProgressPanel::pump()
{
    QCoreApplication::processEvents();
    m_pumpClock.restart();
}

void PrintProgressPanel::runEnded()
{
    hide();
    m_running = false;
    if (m_filtering) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
}

bool PrintProgressPanel::eventFilter(QObject *watched, QEvent *e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Close: break;
    default: return false;
    }
    auto *w = qobject_cast<QWidget *>(watched);
    // Window-level events reach the widgets next, and are judged there. A
    // question of the program (a file name, a failure) blocks the other
    // windows by itself and must take its answer.
    if (!m_running || !w || QApplication::activeModalWidget() || QApplication::activePopupWidget())
        return false;
    if (w == m_stopButton || m_stopButton->isAncestorOf(w))
        return false;
    if (e->type() == QEvent::Close) {
        // The program's own closes go through; the operator's wait.
        if (!e->spontaneous())
            return false;
        e->ignore();
    }
    return true;
}

} // namespace numora::ui
