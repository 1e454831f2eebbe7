#include "CodeSettings.h"

#include <QLocale>
#include <algorithm>
#include <array>

namespace numora {

namespace {

constexpr double twipsPerMm = 1440.0 / 25.4;

const std::array<const char *, 4> placeNames{"below", "above", "left", "right"};

QString number(double v) { return QLocale::c().toString(v, 'g', 6); }

} // namespace

QStringList codeTypeNames()
{
    return {QStringLiteral("none"), QStringLiteral("code128"), QStringLiteral("qr"), QStringLiteral("datamatrix"),
            QStringLiteral("ean13")};
}

std::optional<CodeSettings::Type> codeTypeFromName(const QString &name)
{
    const qsizetype i = codeTypeNames().indexOf(name.trimmed().toLower());
    if (i < 0)
        return std::nullopt;
    return CodeSettings::Type(i);
}

QString codeTypeTitle(CodeSettings::Type type)
{
    switch (type) {
    case CodeSettings::Type::None: return QStringLiteral("None");
    case CodeSettings::Type::Code128: return QStringLiteral("Code 128");
    case CodeSettings::Type::Qr: return QStringLiteral("QR code");
    case CodeSettings::Type::DataMatrix: return QStringLiteral("Data Matrix");
    case CodeSettings::Type::Ean13: return QStringLiteral("EAN-13");
    }
    return {};
}

QString CodeSettings::toLine() const
{
    return QStringLiteral("type=%1;encode=%2;place=%3;gap=%4;height=%5;module=%6")
        .arg(codeTypeNames().at(int(type)),
             content == Content::Number ? QStringLiteral("number") : QStringLiteral("text"),
             QLatin1String(placeNames[std::size_t(place)]), number(gapMm), number(heightMm), number(moduleMm));
}

std::optional<CodeSettings> CodeSettings::fromLine(const QString &line)
{
    CodeSettings s;
    for (const QString &item : line.trimmed().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString key = item.section(QLatin1Char('='), 0, 0).trimmed();
        const QString value = item.section(QLatin1Char('='), 1).trimmed();
        bool ok = false;
        const double v = QLocale::c().toDouble(value, &ok);
        if (key == QLatin1String("type")) {
            const auto type = codeTypeFromName(value);
            if (!type)
                return std::nullopt;
            s.type = *type;
        } else if (key == QLatin1String("encode")) {
            s.content = value == QLatin1String("number") ? Content::Number : Content::Text;
        } else if (key == QLatin1String("place")) {
            for (std::size_t i = 0; i < placeNames.size(); ++i)
                if (value == QLatin1String(placeNames[i]))
                    s.place = Place(i);
        } else if (ok && key == QLatin1String("gap")) {
            s.gapMm = v;
        } else if (ok && key == QLatin1String("height")) {
            s.heightMm = v;
        } else if (ok && key == QLatin1String("module")) {
            s.moduleMm = v;
        }
    }
    return s.bounded();
}

CodeSettings CodeSettings::bounded() const
{
    CodeSettings s = *this;
    s.gapMm = std::clamp(gapMm, 0.0, 50.0);
    s.heightMm = std::clamp(heightMm, 3.0, 100.0);
    s.moduleMm = std::clamp(moduleMm, 0.2, 3.0);
    return s;
}

QRectF codeExtent(const CodeSettings &settings, QSizeF modules, const QRectF &textBox, double moduleTwips)
{
    const double module = moduleTwips > 0 ? moduleTwips : settings.moduleMm * twipsPerMm;
    const double gap = settings.gapMm * twipsPerMm;
    QRectF code(QPointF(0, 0), QSizeF(modules.width() * module, modules.height() * module));
    switch (settings.place) {
    case CodeSettings::Place::Below: code.moveTopLeft(QPointF(textBox.left(), textBox.bottom() + gap)); break;
    case CodeSettings::Place::Above: code.moveBottomLeft(QPointF(textBox.left(), textBox.top() - gap)); break;
    case CodeSettings::Place::Left: code.moveTopRight(QPointF(textBox.left() - gap, textBox.top())); break;
    case CodeSettings::Place::Right: code.moveTopLeft(QPointF(textBox.right() + gap, textBox.top())); break;
    }
    return code;
}

QString codeSideFilePath(const QString &layoutPath) { return layoutPath + QStringLiteral(".code"); }

} // namespace numora
