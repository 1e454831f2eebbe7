#pragma once
#include "BoundLabel.h"

namespace numora::ui {

// An exit or minimise hotspot of the title bar with the symbol it stands
// on: the border shows while the pointer is over it, the pressed look while
// a button is down.
class TitleHotspot : public BoundLabel
{
public:
    enum Symbol { Close, Minimise };
    TitleHotspot(Label &control, Symbol symbol, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Symbol m_symbol;
};

} // namespace numora::ui
