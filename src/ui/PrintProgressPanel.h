#pragma once
#include <QElapsedTimer>
#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;

namespace numora::ui {

// The progress of a long print run: "Page n of N", a bar and Stop; for a
// run handed to the printer in parts, the parts drawn and taken. The
// print job reports every page it has drawn to pageDone(), which lets the
// windows repaint now and then, shows the panel once the run has lasted a
// moment and tells the job to stop after the operator pressed Stop.
//
// While a run is under way only Stop and the program's questions take
// input: events are let through while pages are drawn, and a click into
// another window must not start anything in the middle of a run.
class PrintProgressPanel : public QFrame
{
public:
    // A run shorter than this never shows the panel.
    static constexpr int ShowAfterMs = 500;
    // The windows repaint at most this often while pages are drawn.
    static constexpr int PumpEveryMs = 50;

    explicit PrintProgressPanel(QWidget *parent = nullptr);
    ~PrintProgressPanel() override;

    // After `page` of `pages` pages are drawn, in parts of `partPages` (0:
    // one document) of which the print system took `pagesTaken` pages;
    // false once Stop was pressed.
    bool pageDone(qsizetype page, qsizetype pages, qint64 partPages = 0, qint64 pagesTaken = 0);
    // Now and then while the journal claims the run's numbers, before the
    // first page; false once Stop was pressed.
    bool claiming();
    // The run ended, printed or not: the panel goes and the next run starts
    // afresh.
    void runEnded();

    bool running() const { return m_running; }
    bool stopRequested() const { return m_stop; }
    QPushButton *stopButton() const { return m_stopButton; }
    QLabel *pageText() const { return m_pageText; }
    QProgressBar *bar() const { return m_bar; }
    // How long a run lasts before the panel shows; tests show it at once.
    void setShowAfter(int ms) { m_showAfter = ms; }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void begin();
    void showProgress(qsizetype page, qsizetype pages, qint64 partPages, qint64 pagesTaken);
    void pump();

    QLabel *m_pageText = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_stopButton = nullptr;
    QElapsedTimer m_runClock;
    QElapsedTimer m_pumpClock;
    int m_showAfter = ShowAfterMs;
    bool m_running = false;
    bool m_stop = false;
    bool m_filtering = false;
};

} // namespace numora::ui
