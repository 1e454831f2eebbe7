#pragma once
#include <QPushButton>

namespace numora {
class Label;
}

namespace numora::ui {

// One of a dialog's commands (a model label) as a real push button: its
// caption, enabled and shown state are the label's, its click the label's.
class CommandButton : public QPushButton
{
public:
    CommandButton(Label &control, QWidget *parent = nullptr);
    void sync();

private:
    Label &m_control;
};

} // namespace numora::ui
