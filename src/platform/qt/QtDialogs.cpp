#include "QtDialogs.h"
#include "PainterPrinter.h"
#include "QtPrinter.h"
#include "platform/qt/QtColour.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>
#include <QWidget>

#include <algorithm>

namespace numora {

namespace {

// The questions carry no title of their own; a bare title bar would show
// nothing, so the program's name stands there instead.
QString shownTitle(const QString &title) { return title.isEmpty() ? QGuiApplication::applicationDisplayName() : title; }

// Long words (a file path) get break opportunities after their separators
// and every few dozen characters, so that the box wraps them at its usual
// width instead of growing towards the screen's. The breaks are zero-width
// spaces: nothing shows of them.
QString breakable(const QString &text)
{
    constexpr qsizetype longest = 32;
    const QChar zeroWidthSpace(0x200B);
    QString out;
    qsizetype wordStart = 0;
    const auto flushWord = [&](qsizetype end) {
        const QStringView word = QStringView(text).mid(wordStart, end - wordStart);
        if (word.size() <= longest) {
            out += word;
            return;
        }
        qsizetype run = 0;
        for (const QChar c : word) {
            out += c;
            ++run;
            const bool separator = c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('_')
                                   || c == QLatin1Char('-') || c == QLatin1Char('.');
            if (separator || run >= longest) {
                out += zeroWidthSpace;
                run = 0;
            }
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isSpace()) {
            flushWord(i);
            out += text.at(i);
            wordStart = i + 1;
        }
    }
    flushWord(text.size());
    return out;
}

// A message box (or input box) centred on the window it concerns and kept
// on the screen. The toolkit sizes it when it is shown; it would centre it
// too, but guesses a frame for a window that has none (the main window) and
// so puts it off the middle. On a screen narrower than the box it takes the
// screen's free width and wraps its text to that.
template <typename Dialog> class Placed : public Dialog
{
public:
    using Dialog::Dialog;

protected:
    void showEvent(QShowEvent *e) override
    {
        Dialog::showEvent(e);
        if (!e->spontaneous())
            place();
    }

    void changeEvent(QEvent *e) override
    {
        Dialog::changeEvent(e);
        // The frame is known once the box is on the screen (by the time it
        // is active): it is placed again by the frame it really has.
        if (e->type() == QEvent::ActivationChange && !m_framed && this->isVisible()) {
            const QMargins frame = frameOf(this);
            if (!frame.isNull()) {
                m_framed = true;
                s_frame = frame;
                place();
            }
        }
    }

private:
    static QMargins frameOf(const QWidget *w)
    {
        const QRect f = w->frameGeometry(), g = w->geometry();
        return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
    }

    void place()
    {
        const QWidget *over = this->parentWidget() ? this->parentWidget()->window() : nullptr;
        const QScreen *s = over ? over->screen() : this->screen();
        if (!s)
            return;
        const QRect free = s->availableGeometry();
        // Until the box is on the screen its frame is taken to be that of
        // another framed window of the program, or of the last box.
        QMargins frame = frameOf(this);
        for (const QWidget *w : QApplication::topLevelWidgets()) {
            if (!frame.isNull())
                break;
            if (w != this && w->isVisible())
                frame = frameOf(w);
        }
        if (frame.isNull())
            frame = s_frame;
        const int widest = free.width() - frame.left() - frame.right();
        if (this->width() > widest) {
            QLayout *l = this->layout();
            this->setFixedSize(widest, l && l->hasHeightForWidth() ? l->totalHeightForWidth(widest) : this->height());
        }
        // The inside of the box centred on the inside of the window, the
        // frame round it within the free part of the screen.
        QRect r(QPoint(), this->size());
        r.moveCenter(over ? over->geometry().center() : free.center());
        const QRect room = free.marginsRemoved(frame);
        r.moveLeft(std::clamp(r.left(), room.left(), std::max(room.left(), room.right() + 1 - r.width())));
        r.moveTop(std::clamp(r.top(), room.top(), std::max(room.top(), room.bottom() + 1 - r.height())));
        const QPoint at = r.topLeft() - QPoint(frame.left(), frame.top());
        // Through the window itself: where the system moved the box when it
        // framed it, the widget may not have heard.
        if (this->windowHandle())
            this->windowHandle()->setFramePosition(at);
        else
            this->move(at);
    }

    bool m_framed = false;
    static inline QMargins s_frame;
};

} // namespace

QWidget *QtDialogs::owner() const
{
    // Over the window the operator is working in (the browser beside the
    // main window asks its own questions), else over the main window. A
    // box is centred on the window it stands over.
    QWidget *active = QApplication::activeWindow();
    if (active && active->isVisible() && !active->isMinimized())
        return active;
    return m_parent;
}

Dialogs::Answer QtDialogs::ask(const QString &text, const QString &title, Buttons buttons, Answer onEnter)
{
    Placed<QMessageBox> box(owner());
    box.setText(breakable(text));
    box.setWindowTitle(shownTitle(title));
    const auto standard = [](Answer a) {
        switch (a) {
        case Answer::OK: return QMessageBox::Ok;
        case Answer::Cancel: return QMessageBox::Cancel;
        case Answer::Yes: return QMessageBox::Yes;
        case Answer::No: return QMessageBox::No;
        }
        return QMessageBox::Cancel;
    };
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case Buttons::OK: set = QMessageBox::Ok; break;
    case Buttons::OKCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    box.setStandardButtons(set);
    const QMessageBox::StandardButton escape = standard(cautiousAnswer(buttons));
    box.setEscapeButton(escape);
    if (set & standard(onEnter))
        box.setDefaultButton(standard(onEnter));
    box.setIcon(buttons == Buttons::OK ? QMessageBox::Information : QMessageBox::Question);
    // Closing the box with its window button counts as its escape button.
    int result = box.exec();
    if (!(set & QMessageBox::StandardButton(result)))
        result = escape;
    switch (QMessageBox::StandardButton(result)) {
    case QMessageBox::Ok: return Answer::OK;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

QString QtDialogs::input(const QString &prompt, const QString &title, const QString &proposal)
{
    Placed<QInputDialog> box(owner());
    box.setWindowTitle(shownTitle(title));
    box.setLabelText(prompt);
    box.setTextValue(proposal);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

std::optional<qint32> QtDialogs::chooseColour(qint32 initial)
{
    const QColor start = resolveColour(initial, owner() ? owner()->palette() : QGuiApplication::palette());
    const QColor c = QColorDialog::getColor(start, owner());
    if (!c.isValid())
        return std::nullopt;
    return rgbColour(c.red(), c.green(), c.blue());
}

bool QtDialogs::printerSetup(Printer &printer)
{
    // Only the toolkit's printer has a set-up dialog; another printer (a
    // test double) has nothing to set up.
    auto *qt = dynamic_cast<QtPrinter *>(&printer);
    return qt && qt->runSetupDialog(owner());
}

namespace {

// The preview: the run's numbers by position above its pages, and the means
// to look through them. Escape and Close end it; it prints nothing.
class PreviewDialog : public QDialog
{
public:
    PreviewDialog(QPrinter &printer, const QString &title, const QStringList &lines,
                  std::function<void(Printer &)> drawPages, QWidget *parent)
        : QDialog(parent)
    {
        setObjectName(QStringLiteral("PrintPreview"));
        setWindowTitle(shownTitle(title));
        auto *column = new QVBoxLayout(this);
        column->setContentsMargins(10, 10, 10, 10);
        column->setSpacing(8);

        auto *numbers = new QFrame(this);
        numbers->setFrameShape(QFrame::StyledPanel);
        numbers->setAutoFillBackground(true);
        QPalette np = numbers->palette();
        np.setColor(QPalette::Window, QColor(0xF4, 0xF6, 0xF9));
        numbers->setPalette(np);
        auto *numbersColumn = new QVBoxLayout(numbers);
        numbersColumn->setContentsMargins(10, 6, 10, 6);
        numbersColumn->setSpacing(2);
        auto *heading = new QLabel(
            QObject::tr("Each position's first and last number. Nothing is counted until the run prints."), numbers);
        QFont hf = heading->font();
        hf.setBold(true);
        heading->setFont(hf);
        numbersColumn->addWidget(heading);
        auto *list = new QLabel(lines.join(QLatin1Char('\n')), numbers);
        list->setObjectName(QStringLiteral("PreviewLines"));
        // Position lines of one pattern line up in a fixed-pitch font.
        list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        list->setTextInteractionFlags(Qt::TextSelectableByMouse);
        numbersColumn->addWidget(list);
        column->addWidget(numbers);

        m_pages = new QPrintPreviewWidget(&printer, this);
        m_pages->setObjectName(QStringLiteral("PreviewPages"));
        QObject::connect(m_pages, &QPrintPreviewWidget::paintRequested, this, [drawPages](QPrinter *on) {
            PainterPrinter painter(*on);
            if (drawPages)
                drawPages(painter);
            painter.endDoc();
        });
        column->addWidget(m_pages, 1);

        auto *row = new QHBoxLayout;
        row->setSpacing(6);
        const auto tool = [this, row](const QString &text, const QString &tip, auto slot) {
            auto *b = new QToolButton(this);
            b->setText(text);
            b->setToolTip(tip);
            b->setAutoRaise(false);
            QObject::connect(b, &QToolButton::clicked, this, slot);
            row->addWidget(b);
            return b;
        };
        tool(QStringLiteral("\u25C0"), QObject::tr("Previous page"), [this] { turn(-1); });
        m_where = new QLabel(this);
        m_where->setMinimumWidth(m_where->fontMetrics().horizontalAdvance(QStringLiteral("Page 00000 of 00000")));
        m_where->setAlignment(Qt::AlignCenter);
        row->addWidget(m_where);
        tool(QStringLiteral("\u25B6"), QObject::tr("Next page"), [this] { turn(1); });
        row->addSpacing(12);
        tool(QObject::tr("Whole page"), QObject::tr("Show a whole page"), [this] { m_pages->fitInView(); });
        tool(QObject::tr("Page width"), QObject::tr("Fit the page's width"), [this] { m_pages->fitToWidth(); });
        tool(QStringLiteral("\u2212"), QObject::tr("Smaller"), [this] { m_pages->zoomOut(); });
        tool(QStringLiteral("+"), QObject::tr("Larger"), [this] { m_pages->zoomIn(); });
        row->addStretch(1);
        auto *close = new QPushButton(QObject::tr("Close"), this);
        close->setDefault(true);
        QObject::connect(close, &QPushButton::clicked, this, &QDialog::accept);
        row->addWidget(close);
        column->addLayout(row);

        QObject::connect(m_pages, &QPrintPreviewWidget::previewChanged, this, [this] { showWhere(); });
        m_pages->fitInView();
        resize(880, 820);
    }

private:
    void turn(int by)
    {
        m_pages->setCurrentPage(std::clamp(m_pages->currentPage() + by, 1, std::max(1, m_pages->pageCount())));
        showWhere();
    }
    void showWhere()
    {
        const int count = m_pages->pageCount();
        m_where->setText(count == 0 ? QObject::tr("No pages")
                                    : QObject::tr("Page %1 of %2").arg(m_pages->currentPage()).arg(count));
    }

    QPrintPreviewWidget *m_pages = nullptr;
    QLabel *m_where = nullptr;
};

} // namespace

void QtDialogs::printPreview(const QString &title, const QStringList &lines, Printer &printer,
                             const std::function<void(Printer &)> &drawPages)
{
    QPrinter paper(QPrinter::HighResolution);
    // The preview only records pages; it must never reach a device.
    paper.setOutputFormat(QPrinter::PdfFormat);
    std::function<void(Printer &)> draw = drawPages;
    if (auto *qt = dynamic_cast<QtPrinter *>(&printer)) {
        qt->setUpPreview(paper);
        // Placed by the printer's calibration, as its pages will print.
        draw = [drawPages, calibration = qt->calibration()](Printer &on) {
            on.pinCalibration(calibration);
            if (drawPages)
                drawPages(on);
        };
    }
    PreviewDialog dialog(paper, title, lines, draw, owner());
    dialog.exec();
}

} // namespace numora
