#pragma once
#include <QWidget>

namespace numora {
class Label;
}

namespace numora::ui {

// The picture beside the print dialog's two-page option: the stack of
// sheets a run gives, each carrying its receipt number. With one copy every
// sheet has a number of its own; with two, each sheet comes twice in a row,
// so that a receipt and its counterfoil carry the same number. Shown while
// its model image (a Label used as an image) is visible.
class PageCopiesIllustration : public QWidget
{
public:
    PageCopiesIllustration(Label &image, int copies, QWidget *parent = nullptr);

    int copies() const { return m_copies; }

    QSize sizeHint() const override { return {184, 104}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Label &m_image;
    int m_copies;
};

} // namespace numora::ui
