#pragma once
#include <QList>
#include <QWidget>

namespace numora::ui {

// A small picture of one print order: three pages of two numbers each, in
// the order they come out of the printer, with each slot's numbers in its
// own colour so that the run through the stack can be followed.
class PrintOrderIllustration : public QWidget
{
    Q_OBJECT
public:
    explicit PrintOrderIllustration(QWidget *parent = nullptr);

    int order() const { return m_order; }
    // 1 to 8; anything else draws an empty page stack.
    void setOrder(int order);

    // The numbers drawn for an order: pages in the order they are printed,
    // each the numbers of slot 1 and slot 2. They come from the print order
    // engine (a start number of 1, counters 1 and 101), so the picture always
    // tells what a run does.
    static QList<QList<int>> printedPages(int order);

    // Where page i (0: printed first, lowest in the stack) and the box of
    // slot s (0 or 1) on it are drawn in a picture of `size`, and the colour
    // that slot's numbers are drawn in.
    static constexpr int PageCount = 3;
    static QRectF pageRect(int i, QSizeF size);
    static QRectF slotBox(int i, int s, QSizeF size);
    static QColor slotColour(int s);

    QSize sizeHint() const override { return {236, 132}; }
    QSize minimumSizeHint() const override { return {180, 100}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_order = 1;
};

} // namespace numora::ui
