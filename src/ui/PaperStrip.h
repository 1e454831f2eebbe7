#pragma once
#include <QWidget>

namespace numora::ui {

// The print dialog's preview area: a strip of paper on which the number
// sample stands as it will be printed, sunk into the dialog.
class PaperStrip : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override;
};

} // namespace numora::ui
