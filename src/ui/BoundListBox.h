#pragma once
#include "platform/controls/BasicControls.h"

#include <QListWidget>

namespace numora::ui {

// A list that shows one ListBox control: its items and its selected entry.
// The operator's selection (mouse or keys) is the model's choose(); a click
// on the entry already selected chooses it again, as the original list box
// reports every click; a double-click is the model's double-click after the
// one click of its first press. Program changes of the model show here
// without coming back as choices.
class BoundListBox : public QListWidget
{
public:
    explicit BoundListBox(ListBox &control, QWidget *parent = nullptr);

    ListBox &control() const { return m_control; }
    void sync();
    // Shown in the empty list, so that an empty filter does not look broken.
    void setEmptyText(const QString &text);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void selectionChangedInWidget();
    void clickedInWidget(int row);
    void doubleClickedInWidget(int row);

    ListBox &m_control;
    QString m_emptyText;
    bool m_syncing = false;
    // The model's entry when the mouse button went down: a press that
    // changed the selection has already chosen, its release must not again.
    int m_indexAtPress = -1;
};

} // namespace numora::ui
