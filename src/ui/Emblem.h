#pragma once
#include <QWidget>

namespace numora::ui {

// The program's emblem: a receipt book with its numbered slips fanned out,
// the top slip torn along its perforation.
class Emblem : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override;
};

} // namespace numora::ui
