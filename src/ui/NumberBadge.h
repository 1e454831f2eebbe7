#pragma once
#include <QWidget>

namespace numora::ui {

// A slot's number in a round badge, greyed while the slot is disabled.
class NumberBadge : public QWidget
{
public:
    NumberBadge(int n, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString m_text;
};

} // namespace numora::ui
