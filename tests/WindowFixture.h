#pragma once
// A started main form for window tests: as FormFixture builds it, but with
// the screen's text sizes, so that the windows show their boxes as the
// program does; and what these tests look for in the windows.
#include "FormFixture.h"
#include "platform/qt/QtTextMeasure.h"

#include <QCoreApplication>
#include <QImage>
#include <QWidget>

namespace numora::test {

struct WindowFixture : FormFixture
{
    explicit WindowFixture(QStringList fonts)
    {
        measure = std::make_unique<QtTextMeasure>();
        fontNames = std::move(fonts);
        start();
    }
};

// The widget of that name and type below `window`; the test stops without it.
template <typename W>
W *child(QWidget &window, const char *name, Qt::FindChildOptions options = Qt::FindChildrenRecursively)
{
    W *w = window.findChild<W *>(QLatin1String(name), options);
    if (!w)
        qFatal("no widget %s", name);
    return w;
}

// Where `w` is drawn in a picture of `window` (its grab or render), and the
// colour drawn at a point of `w` there: what the pictures are checked by.
inline QRect placeIn(const QWidget &window, const QWidget &w) { return {w.mapTo(&window, QPoint(0, 0)), w.size()}; }
inline QColor colourIn(const QImage &picture, const QWidget &window, const QWidget &w, QPoint at)
{
    return picture.pixelColor((QPointF(w.mapTo(&window, at)) * picture.devicePixelRatio()).toPoint());
}

// Where a test leaves its pictures: the build folder, beside the program.
inline QString pngPath(const QString &name) { return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name; }

} // namespace numora::test
