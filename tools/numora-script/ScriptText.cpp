#include "ScriptText.h"
#include "platform/Numeric.h"
#include "platform/Windows1256.h"
#include "testsupport/ScriptedDialogs.h"

namespace numora::script {

namespace {

int hexValue(QChar c)
{
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return c.unicode() - '0';
    if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        return c.unicode() - 'a' + 10;
    if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
        return c.unicode() - 'A' + 10;
    return -1;
}

// Reads `digits` hex digits at line[i]; -1 when they are not all there.
int readHex(const QString &line, qsizetype i, int digits)
{
    if (i + digits > line.size())
        return -1;
    int v = 0;
    for (int k = 0; k < digits; ++k) {
        const int d = hexValue(line.at(i + k));
        if (d < 0)
            return -1;
        v = v * 16 + d;
    }
    return v;
}

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

} // namespace

SplitLine splitLine(const QString &line)
{
    SplitLine out;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n && isBlank(line.at(i)))
        ++i;
    if (i < n && line.at(i) == QLatin1Char('#'))
        return out;
    while (i < n) {
        if (isBlank(line.at(i))) {
            ++i;
            continue;
        }
        Word w;
        if (line.at(i) != QLatin1Char('"')) {
            while (i < n && !isBlank(line.at(i))) {
                if (line.at(i) == QLatin1Char('"')) {
                    out.error = QStringLiteral("a quote inside the word starting at column %1; quote the whole word")
                                    .arg(i - w.text.size() + 1);
                    return out;
                }
                w.text += line.at(i++);
            }
            out.words.append(w);
            continue;
        }
        const qsizetype open = i++;
        w.quoted = true;
        bool closed = false;
        while (i < n) {
            const QChar c = line.at(i);
            if (c == QLatin1Char('"')) {
                closed = true;
                ++i;
                break;
            }
            if (c != QLatin1Char('\\')) {
                w.text += c;
                ++i;
                continue;
            }
            if (i + 1 >= n) {
                out.error = QStringLiteral("a backslash at the end of the line");
                return out;
            }
            const QChar e = line.at(i + 1);
            i += 2;
            switch (e.unicode()) {
            case '"': w.text += QLatin1Char('"'); break;
            case '\\': w.text += QLatin1Char('\\'); break;
            case 'r': w.text += QLatin1Char('\r'); break;
            case 'n': w.text += QLatin1Char('\n'); break;
            case 't': w.text += QLatin1Char('\t'); break;
            case 'x': {
                const int b = readHex(line, i, 2);
                if (b < 0) {
                    out.error = QStringLiteral("\\x needs two hex digits (column %1)").arg(i - 1);
                    return out;
                }
                w.text += fromWindows1256(QByteArray(1, char(b)));
                i += 2;
                break;
            }
            case 'u': {
                const int u = readHex(line, i, 4);
                if (u < 0) {
                    out.error = QStringLiteral("\\u needs four hex digits (column %1)").arg(i - 1);
                    return out;
                }
                w.text += QChar(char16_t(u));
                i += 4;
                break;
            }
            default: out.error = QStringLiteral("unknown escape \\%1 (column %2)").arg(e).arg(i - 1); return out;
            }
        }
        if (!closed) {
            out.error = QStringLiteral("the quote opened at column %1 is not closed").arg(open + 1);
            return out;
        }
        if (i < n && !isBlank(line.at(i))) {
            out.error = QStringLiteral("a blank must follow the closing quote (column %1)").arg(i + 1);
            return out;
        }
        out.words.append(w);
    }
    return out;
}

bool isNumeric(const QVariant &v)
{
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong: return true;
    default: return false;
    }
}

std::optional<QString> formatValue(const QVariant &v)
{
    if (!v.isValid())
        return std::nullopt;
    if (v.metaType().id() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    if (isNumeric(v))
        return shortestDecimal(v.toDouble());
    if (v.metaType().id() == QMetaType::QString || v.canConvert<QString>())
        return quote(v.toString());
    return std::nullopt;
}

QString quote(const QString &text) { return ScriptedDialogs::quoted(text); }

std::optional<double> parseNumber(const QString &text)
{
    // QString::toDouble reads the C locale only and refuses trailing text,
    // but takes "inf" and "nan", which are no numbers to a script.
    if (text.isEmpty() || text.contains(QLatin1String("inf"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("nan"), Qt::CaseInsensitive))
        return std::nullopt;
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

std::optional<qint64> parseInteger(const QString &text, qint64 min, qint64 max)
{
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (!ok || v < min || v > max)
        return std::nullopt;
    return v;
}

} // namespace numora::script
