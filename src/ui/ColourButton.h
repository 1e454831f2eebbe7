#pragma once
#include "BoundLabel.h"

namespace numora::ui {

// A colour command button with a swatch of the sample's colour it sets.
class ColourButton : public FramedButton
{
public:
    // back: the swatch shows the sample's back colour, else its fore colour.
    ColourButton(Label &control, Label &sample, bool back, QWidget *parent = nullptr);

protected:
    void paintFrame(QPainter &p) override;

private:
    const Label &m_sample;
    bool m_back;
};

} // namespace numora::ui
