#pragma once
#include <QWidget>

class QLabel;

namespace numora::ui {

// The dark title strip across the top of a window; the main window and the
// layout browser beside it share it so that the two read as one piece.
class HeaderBar : public QWidget
{
public:
    using QWidget::QWidget;
    // The strip's caption, centred in white bold between margins of `margin`
    // pixels on either side.
    QLabel *addTitle(int margin);

protected:
    void paintEvent(QPaintEvent *) override;
};

} // namespace numora::ui
