#include "Windows1256.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

namespace numora {

// Bytes become characters through Qt's codec (ICU), which agrees with the
// code page on all 256 bytes. Its encoder is not used: for a character the
// code page lacks it writes 0x1A instead of "?", it drops default-ignorable
// characters (U+034F, U+061C, ...) without a trace, and it writes one byte
// for a surrogate pair. Encoding is the decoder's inverse instead, with one
// "?" per UTF-16 unit that has no byte, as layout files always had it.

namespace {

constexpr char kCodePage[] = "windows-1256";

} // namespace

QString fromWindows1256(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder.decode(bytes);
}

QByteArray toWindows1256(const QString &text)
{
    static const QHash<char16_t, char> byteOf = [] {
        QByteArray high;
        for (int b = 0x80; b <= 0xFF; ++b)
            high.append(char(b));
        const QString chars = fromWindows1256(high);
        QHash<char16_t, char> r;
        for (qsizetype i = 0; i < chars.size(); ++i)
            r.insert(chars[i].unicode(), high[i]);
        return r;
    }();
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            out.append(char(u));
        else
            out.append(byteOf.value(u, '?'));
    }
    return out;
}

QString windows1256Problem()
{
    static const QString problem = [] {
        if (!QStringDecoder(kCodePage).isValid())
            return QStringLiteral("Qt was built without the windows-1256 code page (ICU), which layout files use");
        QByteArray all;
        for (int b = 0; b <= 0xFF; ++b)
            all.append(char(b));
        const QString chars = fromWindows1256(all);
        QSet<QChar> distinct(chars.begin(), chars.end());
        if (chars.size() != all.size() || distinct.size() != all.size() || distinct.contains(QChar::ReplacementCharacter))
            return QStringLiteral("Qt's windows-1256 code page does not give one character for each byte");
        return QString();
    }();
    return problem;
}

} // namespace numora
