#include "BoundListBox.h"
#include "ViewSupport.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace numora::ui {

namespace {

// Each name reads in the direction of its first strong letter, as the
// printer and the sample show texts, and stays at the left of its row.
class NameDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->direction = option->text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
        option->displayAlignment = Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter;
    }
};

} // namespace

BoundListBox::BoundListBox(ListBox &control, QWidget *parent)
    : QListWidget(parent)
    , m_control(control)
{
    setObjectName(control.name());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setItemDelegate(new NameDelegate(this));
    connect(this, &QListWidget::itemSelectionChanged, this, [this] { selectionChangedInWidget(); });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) { clickedInWidget(i.row()); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &i) { doubleClickedInWidget(i.row()); });
    onViewUpdate(control, this, [](BoundListBox *w) { w->sync(); });
    sync();
}

void BoundListBox::setEmptyText(const QString &text)
{
    m_emptyText = text;
    viewport()->update();
}

void BoundListBox::sync()
{
    if (m_syncing)
        return;
    m_syncing = true;
    // Item views report their own selection changes as signals; none of
    // them may reach the model as a choice.
    const QSignalBlocker block(this);
    const QStringList &items = m_control.items();
    bool same = count() == items.size();
    for (int i = 0; same && i < count(); ++i)
        same = item(i)->text() == items.at(i);
    if (!same) {
        clear();
        // A little air around each name makes the rows easier to hit.
        const QSize rowSize(0, fontMetrics().height() + dp(this, 5));
        for (const QString &text : items) {
            auto *row = new QListWidgetItem(text);
            row->setSizeHint(rowSize);
            addItem(row);
        }
    }
    const int want = m_control.listIndex();
    const QList<QListWidgetItem *> selected = selectedItems();
    const int shown = selected.isEmpty() ? -1 : row(selected.first());
    if (shown != want || currentRow() != want) {
        if (want >= 0) {
            setCurrentRow(want, QItemSelectionModel::ClearAndSelect);
        } else {
            clearSelection();
            setCurrentItem(nullptr);
        }
    }
    if (want >= 0)
        scrollToItem(item(want));
    setEnabled(m_control.enabled());
    setVisible(m_control.visible());
    viewport()->update();
    m_syncing = false;
}

void BoundListBox::selectionChangedInWidget()
{
    if (m_syncing)
        return;
    const QList<QListWidgetItem *> selected = selectedItems();
    const int r = selected.isEmpty() ? -1 : row(selected.first());
    // The list has no way to clear its selection by hand: a deselection
    // (Ctrl+click) puts the model's entry back.
    if (r >= 0 && r != m_control.listIndex())
        m_control.choose(r);
    sync();
}

void BoundListBox::clickedInWidget(int r)
{
    if (m_syncing)
        return;
    if (r >= 0 && r == m_indexAtPress && r == m_control.listIndex())
        m_control.choose(r);
    sync();
}

void BoundListBox::doubleClickedInWidget(int r)
{
    if (m_syncing || r < 0)
        return;
    if (r != m_control.listIndex())
        m_control.choose(r);
    m_control.doubleClick();
    sync();
}

void BoundListBox::mousePressEvent(QMouseEvent *e)
{
    m_indexAtPress = m_control.listIndex();
    QListWidget::mousePressEvent(e);
}

void BoundListBox::paintEvent(QPaintEvent *e)
{
    QListWidget::paintEvent(e);
    if (count() > 0 || m_emptyText.isEmpty())
        return;
    QPainter p(viewport());
    p.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    p.drawText(viewport()->rect().adjusted(8, 8, -8, -8), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               m_emptyText);
}

} // namespace numora::ui
