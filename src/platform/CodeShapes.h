#pragma once
#include <QRectF>
#include <QString>
#include <QVector>

namespace numora {

// A machine-readable code as the printer draws it: dark rectangles in
// modules (the code's narrowest bar or smallest square), counted from the
// top-left corner of the code with its quiet zones, which are part of its
// size but carry nothing. Linear codes and the square 2D codes the program
// offers are made of rectangles only.
struct CodeShapes
{
    QString value;        // what the code holds, as a scanner reads it back
    double width = 0;     // modules, quiet zones included
    double height = 0;    // modules
    QVector<QRectF> bars; // modules
};

} // namespace numora
