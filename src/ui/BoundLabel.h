#pragma once
#include "platform/controls/Label.h"

#include <QWidget>

namespace numora::ui {

// A label that shows one Label control: its caption, visibility and enabled
// state always; its font, colours and border when asked to (the number
// sample shows the style it holds, a status caption takes the window's
// look). Mouse buttons and moves go to the model in twips; a press and
// release on the label is the model's click.
class BoundLabel : public QWidget
{
public:
    enum Option { Plain = 0, ModelFont = 1, ModelColours = 2, ModelBorder = 4, ModelLook = 7, CentreText = 8 };

    BoundLabel(Label &control, int options, QWidget *parent = nullptr);

    Label &control() const { return m_control; }
    void sync();
    // Space between the text and the left or right edge, in pixels.
    void setPadding(int px) { m_padding = px; }
    void setVerticalAlignment(Qt::Alignment a) { m_valign = a; }
    // Draws the text this much smaller (or larger) than its font, for a
    // label whose owner fits it into less room than its text takes; the
    // size hint stays that of the unscaled text.
    void setTextScale(double scale);
    double textScale() const { return m_scale; }
    QFont shownFont() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    // The raised or sunken frame of framed buttons is drawn here.
    virtual void paintFrame(QPainter &) {}

    Qt::Alignment textAlignment() const;

private:
    void forwardMouse(MouseAction a, QMouseEvent *e);

    Label &m_control;
    int m_options;
    int m_padding = 0;
    Qt::Alignment m_valign = Qt::AlignVCenter;
    double m_scale = 1;
};

// A text label that acts as a push button, with a frame of four lines: white
// at the top and left and grey at the bottom and right give the raised look.
// When the form holds the frame's line items their colours are used, so
// that the model's pressed look shows. Tab reaches it; Space and Enter are
// its click.
class FramedButton : public BoundLabel
{
public:
    FramedButton(Label &control, QWidget *parent = nullptr);
    void setFrameLines(LineItem *top, LineItem *left, LineItem *bottom, LineItem *right);

protected:
    void paintFrame(QPainter &p) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    LineItem *m_lines[4] = {};
};

} // namespace numora::ui
