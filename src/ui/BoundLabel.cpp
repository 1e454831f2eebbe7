#include "BoundLabel.h"
#include "ViewSupport.h"
#include "platform/qt/QtColour.h"
#include "platform/qt/QtFonts.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace numora::ui {

BoundLabel::BoundLabel(Label &control, int options, QWidget *parent)
    : QWidget(parent)
    , m_control(control)
    , m_options(options)
{
    setObjectName(control.name());
    setMouseTracking(true);
    onViewUpdate(control, this, [](BoundLabel *w) { w->sync(); });
    sync();
}

QFont BoundLabel::shownFont() const { return (m_options & ModelFont) ? toQFont(m_control.font()) : font(); }

void BoundLabel::setTextScale(double scale)
{
    if (scale <= 0 || scale == m_scale)
        return;
    m_scale = scale;
    update();
}

void BoundLabel::sync()
{
    setEnabled(m_control.enabled());
    setVisible(m_control.visible());
    updateGeometry();
    update();
}

Qt::Alignment BoundLabel::textAlignment() const
{
    if (m_options & CentreText)
        return Qt::AlignHCenter | m_valign;
    switch (m_control.alignment()) {
    case Label::AlignRight: return Qt::AlignRight | m_valign;
    case Label::AlignCenter: return Qt::AlignHCenter | m_valign;
    default: return Qt::AlignLeft | m_valign;
    }
}

QSize BoundLabel::sizeHint() const
{
    const QFontMetrics fm(shownFont());
    const int b = ((m_options & ModelBorder) && m_control.border()) ? 1 : 0;
    return {fm.horizontalAdvance(m_control.caption()) + 2 * (m_padding + b), fm.height() + 2 * b};
}

void BoundLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPalette &pal = palette();
    const bool colours = m_options & ModelColours;
    if (colours && !m_control.transparent())
        p.fillRect(rect(), resolveColour(m_control.backColor(), pal));
    const bool border = (m_options & ModelBorder) && m_control.border();
    const int b = border ? 1 : 0;
    QColor fore = colours ? resolveColour(m_control.foreColor(), pal) : pal.color(QPalette::WindowText);
    if (!isEnabled())
        fore = pal.color(QPalette::Disabled, QPalette::WindowText);
    p.setPen(fore);
    p.setFont(shownFont());
    // Texts read in the direction the printer gives them: an Arabic name
    // stands on the same side of its number here as on paper.
    p.setLayoutDirection(NumberTextDirection);
    const QRectF area = QRectF(rect()).adjusted(m_padding + b, b, -(m_padding + b), -b);
    p.save();
    p.scale(m_scale, m_scale);
    p.drawText(QRectF(area.topLeft() / m_scale, area.size() / m_scale), int(textAlignment()) | Qt::TextSingleLine,
               m_control.caption());
    p.restore();
    if (border) {
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (m_control.pressed()) {
        // The pressed look: a sunken edge, dark above and left.
        const QRect r = rect().adjusted(0, 0, -1, -1);
        p.setPen(QColor(0, 0, 0, 110));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(QColor(255, 255, 255, 140));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    paintFrame(p);
}

void BoundLabel::forwardMouse(MouseAction a, QMouseEvent *e)
{
    const Qt::MouseButtons buttons = a == MouseAction::Move ? e->buttons() : Qt::MouseButtons(e->button());
    m_control.mouse(a, mouseButtonCode(buttons), twips(this, e->position().x()), twips(this, e->position().y()));
}

void BoundLabel::mousePressEvent(QMouseEvent *e) { forwardMouse(MouseAction::Down, e); }

void BoundLabel::mouseMoveEvent(QMouseEvent *e) { forwardMouse(MouseAction::Move, e); }

void BoundLabel::mouseReleaseEvent(QMouseEvent *e)
{
    forwardMouse(MouseAction::Up, e);
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        m_control.click();
}

void BoundLabel::mouseDoubleClickEvent(QMouseEvent *e)
{
    forwardMouse(MouseAction::Down, e);
    if (e->button() == Qt::LeftButton)
        m_control.doubleClick();
}

FramedButton::FramedButton(Label &control, QWidget *parent)
    : BoundLabel(control, ModelColours | CentreText, parent)
{
    setCursor(Qt::PointingHandCursor);
    // Tab reaches it; a mouse click does not take the focus from a field.
    setFocusPolicy(Qt::TabFocus);
}

void FramedButton::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!e->isAutoRepeat())
            control().click();
        return;
    default: BoundLabel::keyPressEvent(e);
    }
}

void FramedButton::setFrameLines(LineItem *top, LineItem *left, LineItem *bottom, LineItem *right)
{
    LineItem *lines[4] = {top, left, bottom, right};
    for (int i = 0; i < 4; ++i) {
        m_lines[i] = lines[i];
        if (lines[i])
            onViewUpdate(*lines[i], this, [](FramedButton *w) { w->update(); });
    }
    update();
}

void FramedButton::paintFrame(QPainter &p)
{
    const QColor light(255, 255, 255), dark(0x80, 0x80, 0x80);
    const auto colour = [&](int i, const QColor &rest) {
        return m_lines[i] ? resolveColour(m_lines[i]->color(), palette()) : rest;
    };
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(colour(0, light));
    p.drawLine(r.topLeft(), r.topRight());
    p.setPen(colour(1, light));
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(colour(2, dark));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.setPen(colour(3, dark));
    p.drawLine(r.topRight(), r.bottomRight());
    if (hasFocus()) {
        QPen focus(palette().color(QPalette::Highlight));
        focus.setStyle(Qt::DotLine);
        p.setPen(focus);
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
}

} // namespace numora::ui
