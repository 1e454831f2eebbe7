#include "SessionKeys.h"
#include "LayoutDocument.h"
#include "platform/Colour.h"
#include "platform/Numeric.h"
#include "platform/SettingsStore.h"

#include <QLocale>
#include <algorithm>

namespace numora::session {

QString appName() { return QStringLiteral("Numbering"); }
QString sectionName() { return QStringLiteral("Settings"); }
QString fieldKey(int k) { return QStringLiteral("Number%1").arg(k); }
QString counterKey(int n) { return QStringLiteral("Number0_%1").arg(n); }
QString topKey(int n) { return QStringLiteral("Number2_%1").arg(n); }
QString leftKey(int n) { return QStringLiteral("Number3_%1").arg(n); }
QString layoutFileKey() { return QStringLiteral("LayoutFile"); }

QString codeKey() { return QStringLiteral("Code"); }

CodeSettings readCode(SettingsStore &store)
{
    return CodeSettings::fromLine(store.getSetting(appName(), sectionName(), codeKey())).value_or(CodeSettings{});
}

QStringList allKeys()
{
    QStringList keys{QStringLiteral("SaveFile")};
    for (int k = 0; k <= 18; ++k)
        keys << fieldKey(k);
    for (int n = 1; n <= 12; ++n)
        keys << topKey(n) << leftKey(n);
    for (int n = 1; n <= 12; ++n)
        keys << counterKey(n);
    keys << layoutFileKey();
    keys << fieldKey(19) << QStringLiteral("No0");
    return keys;
}

int checkState(const QString &text)
{
    const auto v = roundHalfEven(leadingNumber(text));
    return v && *v >= INT_MIN && *v <= INT_MAX ? int(*v) : 0;
}

// A stored number that must convert as a whole, as the strict conversions
// of the store's reader do.
static std::optional<double> strictNumber(const QString &text)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

StartValues readStartValues(SettingsStore &store)
{
    const auto get = [&](const QString &k) { return store.getSetting(appName(), sectionName(), k); };
    // A key never written reads as the empty text, and an empty text is
    // treated as missing: a counter cleared before the last exit comes back
    // as "1", not as 0.
    const auto has = [&](const QString &k) { return !get(k).isEmpty(); };
    StartValues v;
    for (int k = 0; k <= 19; ++k)
        v.fields[k] = get(fieldKey(k));
    for (int n = 1; n <= 12; ++n)
        v.counters[n - 1] =
            shortestDecimal(leadingNumber(has(counterKey(n)) ? get(counterKey(n)) : QStringLiteral("1")));

    if (!has(fieldKey(16)))
        v.fields[16] = QStringLiteral("1");
    if (const auto m = strictNumber(v.fields[16]))
        if (const auto r = roundHalfEven(*m))
            v.moveByMouse = int(*r);
    if (!has(fieldKey(13))) {
        v.fields[13] = QStringLiteral("4");
        v.firstRun = true;
        v.fields[6] = QStringLiteral("1");
    }
    if (!has(fieldKey(5))) {
        v.fields[5] = QStringLiteral("1 - Up to Down");
        v.fields[1] = QStringLiteral("No:");
        v.fields[17] = colourText(rgbColour(255, 255, 255));
        v.fields[18] = colourText(systemColour(18));
    }
    // A colour that is missing or not a number leaves the sample's colour.
    v.backColor = colourFromText(v.fields[17]);
    v.foreColor = colourFromText(v.fields[18]);
    if (!has(fieldKey(11)))
        v.fields[11] = QStringLiteral("6");
    if (!has(fieldKey(10)))
        v.fields[10] = QStringLiteral("1");
    if (!has(fieldKey(12)))
        v.fields[12] = QStringLiteral("12");
    if (!has(fieldKey(2)))
        v.fields[2] = QStringLiteral("2 X 2");
    if (!has(fieldKey(7)))
        v.fields[7] = QStringLiteral("Courier New (Arabic)");
    if (!has(fieldKey(8)))
        v.fields[8] = QStringLiteral("1");
    // Positions come back exactly as stored. Absurd values, exponent forms
    // among them, are limited like any other value beyond the page (the
    // editors' rule then puts them at its edge) rather than dropped.
    const auto position = [&](const QString &key) -> std::optional<qint64> {
        if (const auto p = strictNumber(get(key)))
            return roundHalfEven(std::clamp(*p, -1e9, 1e9));
        return std::nullopt;
    };
    for (int n = 1; n <= 12; ++n) {
        v.tops[n - 1] = position(topKey(n));
        v.lefts[n - 1] = position(leftKey(n));
    }
    v.layoutFile = get(layoutFileKey());
    return v;
}

bool writeSession(SettingsStore &store, const LayoutDocument &doc)
{
    SettingsBatch batch(store);
    const auto save = [&](const QString &key, const QString &value) {
        store.saveSetting(appName(), sectionName(), key, value);
    };
    const auto num = [](int v) { return QString::number(v); };
    save(fieldKey(0), QStringLiteral("1"));
    QStringList fields = pageFieldTexts(doc);
    // The store keeps the font name and the start number trimmed.
    fields[6] = fields[6].trimmed();
    fields[7] = fields[7].trimmed();
    for (int k = 1; k <= 18; ++k)
        save(fieldKey(k), fields[k - 1]);
    for (const auto &slot : doc.signSlots) {
        save(topKey(slot->number), num(slot->topScroll.value()));
        save(leftKey(slot->number), num(slot->leftScroll.value()));
    }
    for (const auto &slot : doc.signSlots)
        save(counterKey(slot->number), slot->counter.text().trimmed());
    save(layoutFileKey(), doc.filePath);
    save(codeKey(), doc.code.toLine());
    return batch.commit();
}

QStringList storedLayout(SettingsStore &store)
{
    QStringList values;
    const QStringList keys = allKeys();
    // SaveFile is the browser's filter; the keys after LayoutFile are only read.
    for (qsizetype i = 1; i <= keys.indexOf(layoutFileKey()); ++i)
        values << store.getSetting(appName(), sectionName(), keys[i]);
    return values;
}

bool storedLayoutInFile(SettingsStore &store)
{
    return !store.getSetting(appName(), sectionName(), layoutFileKey()).isEmpty();
}

} // namespace numora::session
