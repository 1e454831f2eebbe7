#include "Preflight.h"
#include "NumberPlacement.h"
#include "CodeMaker.h"
#include "layout/LayoutDocument.h"
#include "platform/Numeric.h"
#include "platform/PrintArea.h"

#include <algorithm>
#include <cmath>

namespace numora {

namespace {

// How far r reaches past the frame on its farthest side, in twips; 0 inside.
double overshoot(const QRectF &r, const QRectF &frame)
{
    return std::max({0.0, frame.left() - r.left(), frame.top() - r.top(), r.right() - frame.right(),
                     r.bottom() - frame.bottom()});
}

// In tenths of a centimetre, rounded up: a number that runs over at all is
// never said to run 0.0 cm over.
QString centimetres(double twips)
{
    const double tenths = std::ceil(twips / (PrintArea::twipsPerMm * 10) * 10 - 1e-9);
    return QString::number(std::max(1.0, tenths) / 10, 'f', 1);
}

} // namespace

QStringList preflightFindings(const LayoutDocument &doc, const PrintArea &area, TextMeasure &measure,
                              const QList<PositionTexts> &positions)
{
    const NumberPlacement placement(doc, area.paperWidth, area.paperHeight);
    if (!placement.prints())
        return {};
    struct Placed
    {
        int position;
        QRectF extent; // on the paper
    };
    QList<Placed> placed;
    CodeMaker codes(doc.code); // the code beside each number counts too
    for (const PositionTexts &p : positions) {
        if (p.position < 1 || p.position > 12 || p.texts.isEmpty())
            continue;
        const SignSlot &slot = doc.slot(p.position);
        const double top = leadingNumber(slot.topCm.text()), left = leadingNumber(slot.leftCm.text());
        QRectF whole;
        for (const QString &text : p.texts)
            whole = whole.united(placement.extent(top, left, text, measure, &codes).whole());
        placed.append({p.position, NumberPlacement::onPaper(area, whole)});
    }

    QStringList findings;
    const QRectF paper(0, 0, area.paperWidth, area.paperHeight);
    const QRectF printable(area.left, area.top, area.width, area.height);
    for (const Placed &p : placed) {
        if (const double past = overshoot(p.extent, paper); past > 0)
            findings << QStringLiteral("Number %1 runs %2 cm past the edge of the paper")
                            .arg(p.position)
                            .arg(centimetres(past));
        else if (const double cut = overshoot(p.extent, printable); cut > 0)
            findings << QStringLiteral("Number %1 runs %2 cm past the printable area")
                            .arg(p.position)
                            .arg(centimetres(cut));
    }
    for (qsizetype i = 0; i < placed.size(); ++i) {
        for (qsizetype j = i + 1; j < placed.size(); ++j) {
            if (placed[i].extent.intersects(placed[j].extent))
                findings << QStringLiteral("Numbers %1 and %2 overlap").arg(placed[i].position).arg(placed[j].position);
        }
    }
    return findings;
}

} // namespace numora
