#include "QtFonts.h"

#include <QFontDatabase>
#include <QRegularExpression>

#include <algorithm>

namespace numora {

QStringList plainFontFamilies(const QStringList &families)
{
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\[\\]]*\\]$"));
    QStringList plain;
    plain.reserve(families.size());
    for (const QString &f : families) {
        const QString name = QString(f).remove(foundry).trimmed();
        if (!name.isEmpty())
            plain << name;
    }
    std::sort(plain.begin(), plain.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    plain.erase(std::unique(plain.begin(), plain.end()), plain.end());
    return plain;
}

QStringList installedFontFamilies() { return plainFontFamilies(QFontDatabase::families()); }

} // namespace numora
