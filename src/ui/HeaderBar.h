#pragma once
#include <QWidget>

namespace numora::ui {

// The dark title strip across the top of a window; the main window and the
// layout browser beside it share it so that the two read as one piece.
class HeaderBar : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override;
};

} // namespace numora::ui
