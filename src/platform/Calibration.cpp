#include "Calibration.h"
#include "platform/SettingsStore.h"

#include <QStringList>
#include <cmath>

namespace numora {

namespace {

const QString configApp = QStringLiteral("Numora");
const QString acrossKey = QStringLiteral("offset_across_mm");
const QString downKey = QStringLiteral("offset_down_mm");
const QString scaleAcrossKey = QStringLiteral("scale_across_per_mille");
const QString scaleDownKey = QStringLiteral("scale_down_per_mille");
const QString paperEdgeKey = QStringLiteral("from_paper_edge");

QString sectionOf(const QString &printer) { return QStringLiteral("Calibration ") + printer; }

// Hundredths of a millimetre: finer than any ruler reads, and kept exactly
// by the text in the configuration.
double roundMm(double mm) { return std::round(mm * 100) / 100; }
QString mmText(double mm) { return QString::number(roundMm(mm), 'f', 2); }

// Beyond these no printer errs: a reading this far off is a misreading.
constexpr double furthestOffsetMm = 50;
constexpr int lowestScale = 900, highestScale = 1100;

bool plausible(const PrinterCalibration &c)
{
    return std::abs(c.acrossMm) <= furthestOffsetMm && std::abs(c.downMm) <= furthestOffsetMm
           && c.scaleAcross >= lowestScale && c.scaleAcross <= highestScale && c.scaleDown >= lowestScale
           && c.scaleDown <= highestScale;
}

} // namespace

PrinterCalibration CalibrationStore::calibration(const QString &printer) const
{
    PrinterCalibration c;
    const QString section = sectionOf(printer);
    bool ok = false;
    // A value that does not read as one is left at no correction.
    if (const double v = m_settings.getSetting(configApp, section, acrossKey).toDouble(&ok); ok)
        c.acrossMm = v;
    if (const double v = m_settings.getSetting(configApp, section, downKey).toDouble(&ok); ok)
        c.downMm = v;
    if (const int v = m_settings.getSetting(configApp, section, scaleAcrossKey).toInt(&ok); ok)
        c.scaleAcross = v;
    if (const int v = m_settings.getSetting(configApp, section, scaleDownKey).toInt(&ok); ok)
        c.scaleDown = v;
    c.fromPaperEdge = m_settings.getSetting(configApp, section, paperEdgeKey) == QLatin1String("1");
    return plausible(c) ? c : PrinterCalibration{};
}

bool CalibrationStore::isStored(const QString &printer) const
{
    return m_settings.contains(configApp, sectionOf(printer), scaleAcrossKey);
}

bool CalibrationStore::store(const QString &printer, const PrinterCalibration &c)
{
    const QString section = sectionOf(printer);
    SettingsBatch batch(m_settings);
    m_settings.saveSetting(configApp, section, acrossKey, mmText(c.acrossMm));
    m_settings.saveSetting(configApp, section, downKey, mmText(c.downMm));
    m_settings.saveSetting(configApp, section, scaleAcrossKey, QString::number(c.scaleAcross));
    m_settings.saveSetting(configApp, section, scaleDownKey, QString::number(c.scaleDown));
    m_settings.saveSetting(configApp, section, paperEdgeKey,
                           c.fromPaperEdge ? QStringLiteral("1") : QStringLiteral("0"));
    return batch.commit();
}

QString describeCalibration(const PrinterCalibration &c)
{
    const auto signedMm = [](double mm) { return (roundMm(mm) >= 0 ? QStringLiteral("+") : QString()) + mmText(mm); };
    QString text = QStringLiteral("%1 mm across, %2 mm down, %3 per mille across, %4 per mille down")
                       .arg(signedMm(c.acrossMm), signedMm(c.downMm))
                       .arg(c.scaleAcross)
                       .arg(c.scaleDown);
    if (c.fromPaperEdge)
        text += QStringLiteral(", counted from the paper's edge");
    return text;
}

QString calibrationRecord(const PrinterCalibration &c)
{
    return QStringList{mmText(c.acrossMm), mmText(c.downMm), QString::number(c.scaleAcross),
                       QString::number(c.scaleDown), c.fromPaperEdge ? QStringLiteral("edge") : QStringLiteral("area")}
        .join(QLatin1Char(' '));
}

std::optional<PrinterCalibration> calibrationFromRecord(const QString &record)
{
    const QStringList parts = record.split(QLatin1Char(' '));
    if (parts.size() != 5 || (parts[4] != QLatin1String("edge") && parts[4] != QLatin1String("area")))
        return std::nullopt;
    PrinterCalibration c;
    bool ok[4] = {};
    c.acrossMm = parts[0].toDouble(&ok[0]);
    c.downMm = parts[1].toDouble(&ok[1]);
    c.scaleAcross = parts[2].toInt(&ok[2]);
    c.scaleDown = parts[3].toInt(&ok[3]);
    c.fromPaperEdge = parts[4] == QLatin1String("edge");
    if (!ok[0] || !ok[1] || !ok[2] || !ok[3])
        return std::nullopt;
    return c;
}

CalibrationTargets calibrationTargets(QSizeF paperMm)
{
    // Clear of any printer's unprintable margin and of the rulers.
    // On whole tenths of a millimetre, as a ruler reads them.
    constexpr double inset = 30;
    const auto tenths = [](double mm) { return std::round(mm * 10) / 10; };
    return {QPointF(inset, inset), QPointF(tenths(paperMm.width() - inset), tenths(paperMm.height() - inset))};
}

std::optional<PrinterCalibration> calibrationFromReadings(const CalibrationTargets &nominal, QPointF measuredFirst,
                                                          QPointF measuredSecond, QPointF drawingOriginMm,
                                                          bool fromPaperEdge, QString *why)
{
    // Uncalibrated, a point p of the drawing area lands at real + s * p: the
    // readings give the printer's true origin `real` and its scale s. A
    // calibrated point x is drawn at (to - origin) + c + k * x, where `to`
    // is the corner positions count from; it must land at to + x, so
    // k = 1 / s and c = (to - real) / s - to + origin.
    const auto axis = [&](double n1, double n2, double m1, double m2, double origin, double *offset, int *scale) {
        const double s = (m2 - m1) / (n2 - n1);
        if (!(s > 0))
            return false;
        const double real = m1 - s * (n1 - origin);
        const double to = fromPaperEdge ? 0 : origin;
        *offset = roundMm((to - real) / s - to + origin);
        *scale = int(std::lround(1000 / s));
        return true;
    };
    PrinterCalibration c;
    c.fromPaperEdge = fromPaperEdge;
    const bool ordered = axis(nominal.first.x(), nominal.second.x(), measuredFirst.x(), measuredSecond.x(),
                              drawingOriginMm.x(), &c.acrossMm, &c.scaleAcross)
                         && axis(nominal.first.y(), nominal.second.y(), measuredFirst.y(), measuredSecond.y(),
                                 drawingOriginMm.y(), &c.downMm, &c.scaleDown);
    if (!ordered || !plausible(c)) {
        if (why)
            *why = ordered ? QStringLiteral("These readings are too far from the sheet's targets for a printer's "
                                            "error; measure again from the paper's left and top edges.")
                           : QStringLiteral("The second target must lie right of and below the first; "
                                            "measure again from the paper's left and top edges.");
        return std::nullopt;
    }
    return c;
}

} // namespace numora
