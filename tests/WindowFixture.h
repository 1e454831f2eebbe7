#pragma once
// A started main form for window tests: as FormFixture builds it, but with
// the screen's text sizes, so that the windows show their boxes as the
// program does; and what these tests look for in the windows.
#include "FormFixture.h"
#include "platform/qt/QtTextMeasure.h"

#include <QCoreApplication>
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

// Where a test leaves its pictures: the build folder, beside the program.
inline QString pngPath(const QString &name) { return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name; }

} // namespace numora::test
