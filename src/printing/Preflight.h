#pragma once
#include <QList>
#include <QStringList>

namespace numora {

class LayoutDocument;
class TextMeasure;
struct PrintArea;

// The texts a position prints in a run (its first and last number are
// enough: the texts between them are no wider).
struct PositionTexts
{
    int position = 0; // 1..12
    QStringList texts;
};

// The check before a run: each position's printed extent against the
// paper, the printer's printable area and the other positions. One line per
// finding, naming the positions; none when every number prints whole and
// apart. A finding warns, it never stops a run by itself.
QStringList preflightFindings(const LayoutDocument &doc, const PrintArea &area, TextMeasure &measure,
                              const QList<PositionTexts> &positions);

} // namespace numora
