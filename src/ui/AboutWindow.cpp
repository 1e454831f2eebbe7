#include "AboutWindow.h"
#include "BoundLabel.h"
#include "ViewSupport.h"
#include "app/AboutForm.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace numora::ui {

namespace {

// The program's emblem: a receipt book with its numbered slips fanned out,
// the top slip torn along its perforation.
class Emblem : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = qMin(width(), height()) / 96.0;
        p.scale(s, s);
        QLinearGradient ground(0, 0, 0, 96);
        ground.setColorAt(0, QColor(0x2C, 0x4A, 0x70));
        ground.setColorAt(1, QColor(0x1E, 0x35, 0x54));
        p.setPen(Qt::NoPen);
        p.setBrush(ground);
        p.drawRoundedRect(QRectF(0, 0, 96, 96), 14, 14);

        // Two slips beneath, slightly turned.
        for (int i = 2; i >= 1; --i) {
            p.save();
            p.translate(48, 52);
            p.rotate(-7.0 * i);
            p.setBrush(QColor(0xDD, 0xE3, 0xEA).darker(100 + 8 * i));
            p.drawRoundedRect(QRectF(-28, -30, 56, 62), 3, 3);
            p.restore();
        }
        // The top slip with its stub and perforation.
        const QRectF slip(20, 20, 56, 62);
        p.setBrush(Qt::white);
        p.drawRoundedRect(slip, 3, 3);
        QPen dots(QColor(0x9A, 0xA6, 0xB4), 1.2, Qt::DotLine);
        p.setPen(dots);
        p.drawLine(QPointF(slip.left() + 4, 38), QPointF(slip.right() - 4, 38));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xC4, 0xCB, 0xD5));
        p.drawRoundedRect(QRectF(27, 26, 26, 5), 2, 2);
        p.drawRoundedRect(QRectF(27, 62, 42, 3), 1.5, 1.5);
        p.drawRoundedRect(QRectF(27, 69, 30, 3), 1.5, 1.5);
        // The number, in the red the preview marks positions with.
        QFont f(QStringLiteral("DejaVu Sans Mono"));
        f.setPixelSize(13);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0xD0, 0x21, 0x21));
        p.drawText(QRectF(slip.left(), 41, slip.width(), 18), Qt::AlignCenter, QStringLiteral("0128"));
    }
};

} // namespace

AboutWindow::AboutWindow(AboutForm &form, std::function<void()> closeRequested, QWidget *parent)
    : FormWindow(form, Place | Visibility, QSizeF(), parent, Qt::Dialog)
    , m_form(form)
    , m_closeRequested(std::move(closeRequested))
{
    setObjectName(form.name());
    setAutoFillBackground(true);
    setMouseTracking(true);
    // The main window is hidden while this one is open: closing this one
    // must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);

    auto *emblem = new Emblem(this);
    emblem->setMouseTracking(true);
    place(emblem, form.picture);

    auto *name = new QLabel(QStringLiteral("Talonix"), this);
    name->setMouseTracking(true);
    QFont nf = name->font();
    nf.setPointSizeF(17);
    nf.setBold(true);
    nf.setLetterSpacing(QFont::PercentageSpacing, 104);
    name->setFont(nf);
    QPalette np = name->palette();
    np.setColor(QPalette::WindowText, QColor(0x1E, 0x35, 0x54));
    name->setPalette(np);
    name->setGeometry(px(this, form.version.left()), px(this, 420), px(this, form.version.width()), px(this, 600));

    auto *version = asCaption(new BoundLabel(form.version, BoundLabel::Plain, this));
    QFont vf = version->font();
    vf.setPointSizeF(10);
    version->setFont(vf);
    place(version, form.version);

    // A rule between the product and the link.
    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setMouseTracking(true);
    rule->setGeometry(px(this, 240), px(this, 2220), px(this, form.width() - 480), px(this, 30));

    m_link = new BoundLabel(form.linkLabel, BoundLabel::ModelColours, this);
    QFont lf = m_link->font();
    lf.setUnderline(true);
    m_link->setFont(lf);
    m_link->setCursor(Qt::PointingHandCursor);
    m_link->setToolTip(tr("Open the guide in the browser"));
    place(m_link, form.linkLabel);

    followForm();
}

void AboutWindow::place(QWidget *w, const Control &c)
{
    w->setGeometry(px(this, c.left()), px(this, c.top()), px(this, c.width()), px(this, c.height()));
}

void AboutWindow::closeEvent(QCloseEvent *e)
{
    e->accept();
    if (m_closeRequested)
        m_closeRequested();
}

void AboutWindow::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    FormWindow::keyPressEvent(e);
}

void AboutWindow::mouseMoveEvent(QMouseEvent *e)
{
    m_form.mouse(MouseAction::Move, mouseButtonCode(e->buttons()), twips(this, e->position().x()),
                 twips(this, e->position().y()));
}

} // namespace numora::ui
