#include "SlotPanel.h"
#include "BoundLineEdit.h"
#include "BoundScrollBar.h"
#include "NumberBadge.h"
#include "ViewSupport.h"
#include "layout/LayoutDocument.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionFrame>

namespace numora::ui {

namespace {
// The width a line edit needs to show that text whole, frame included.
int lineEditWidthFor(QLineEdit *e, const QString &text)
{
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e);
    const QMargins m = e->textMargins();
    // QLineEdit keeps two pixels either side of its text and one for the
    // caret.
    const int inner = e->fontMetrics().horizontalAdvance(text) + 2 * 2 + 1 + m.left() + m.right();
    return e->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, QSize(inner, e->fontMetrics().height()), e).width();
}
} // namespace

SlotPanel::SlotPanel(SignSlot &slot, Label &panel, QWidget *parent)
    : QFrame(parent)
    , m_panel(panel)
    , m_number(slot.number)
{
    setObjectName(panel.name());
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 3, 4);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(2);

    auto *badge = new NumberBadge(slot.number, this);
    badge->setToolTip(tr("Number position %1").arg(slot.number));
    auto *counter = new BoundLineEdit(slot.counter, this);
    counter->setToolTip(tr("Counter of position %1").arg(slot.number));
    auto *top = new BoundLineEdit(slot.topCm, this);
    top->setToolTip(tr("Distance along the long edge, cm"));
    auto *left = new BoundLineEdit(slot.leftCm, this);
    left->setToolTip(tr("Distance along the short edge, cm"));
    auto *topBar = new BoundScrollBar(slot.topScroll, Qt::Vertical, this);
    auto *leftBar = new BoundScrollBar(slot.leftScroll, Qt::Vertical, this);
    for (QLineEdit *e :
         {static_cast<QLineEdit *>(counter), static_cast<QLineEdit *>(top), static_cast<QLineEdit *>(left)})
        e->setFixedHeight(dp(this, 19));
    // A position may be typed to three decimals ("28.125") before the field
    // shortens it on leaving; all of it stays in view meanwhile.
    for (QLineEdit *e : {static_cast<QLineEdit *>(top), static_cast<QLineEdit *>(left)})
        e->setMinimumWidth(lineEditWidthFor(e, QStringLiteral("28.125")));
    for (QScrollBar *b : {static_cast<QScrollBar *>(topBar), static_cast<QScrollBar *>(leftBar)})
        b->setFixedSize(dp(this, 13), dp(this, 19));

    auto *topCaption = new QLabel(QStringLiteral("  بهرزى "), this);
    auto *leftCaption = new QLabel(QStringLiteral("  پانى "), this);
    QFont small = font();
    small.setPointSizeF(7.5);
    for (QLabel *c : {topCaption, leftCaption}) {
        c->setFont(small);
        c->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        QPalette pal = c->palette();
        pal.setColor(QPalette::WindowText, QColor(0x4A, 0x55, 0x66));
        c->setPalette(pal);
    }

    grid->addWidget(badge, 0, 0, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(counter, 0, 1, 1, 2);
    grid->addWidget(topCaption, 1, 0);
    grid->addWidget(top, 1, 1);
    grid->addWidget(topBar, 1, 2);
    grid->addWidget(leftCaption, 2, 0);
    grid->addWidget(left, 2, 1);
    grid->addWidget(leftBar, 2, 2);
    grid->setColumnStretch(1, 1);

    onViewUpdate(panel, this, [](SlotPanel *w) { w->sync(); });
    sync();
}

void SlotPanel::sync()
{
    setVisible(m_panel.visible());
    setEnabled(m_panel.enabled());
}

void SlotPanel::paintEvent(QPaintEvent *)
{
    // A light card with a hairline edge.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0xC3, 0xCA, 0xD4));
    p.setBrush(QColor(0xFB, 0xFC, 0xFD));
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

} // namespace numora::ui
