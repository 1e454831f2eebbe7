#pragma once
#include <QWidget>

namespace numora {
class Label;
}

namespace numora::ui {

// The icon of a page orientation: a stack of standing or lying sheets, shown
// while its model image (a Label used as an image) is visible.
class SheetStackIcon : public QWidget
{
public:
    SheetStackIcon(Label &image, bool standing, QWidget *parent = nullptr);
    bool standing() const { return m_standing; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Label &m_image;
    bool m_standing;
};

} // namespace numora::ui
