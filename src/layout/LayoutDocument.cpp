#include "LayoutDocument.h"
#include "platform/Colour.h"

namespace numora {

SignSlot::SignSlot(int n)
    : number(n)
    , Tx(QStringLiteral("Tx%1").arg(n))
    , Tee(QStringLiteral("Tee%1").arg(n))
    , Teee(QStringLiteral("Teee%1").arg(n))
    , VS(QStringLiteral("VS%1").arg(n), 1, 2970, 1, 1, 10)
    , VSc(QStringLiteral("VSc%1").arg(n), 1, 2100, 1, 1, 10)
{
    Tx.setText(QStringLiteral("1"));
    Tee.setText(QStringLiteral("28.50"));
    Teee.setText(QStringLiteral("18.50"));
}

const std::array<GridTypeInfo, 8> &gridTypes()
{
    static const std::array<GridTypeInfo, 8> types{{
        {"1 X 1", "1x1", 1},
        {"2 X 2", "2x2", 2},
        {"3 X 3", "3x3", 3},
        {"4 X 4", "4x4", 4},
        {"6 X 6", "6x6", 6},
        {"8 X 8", "8x8", 8},
        {"10 X 10", "10x10", 10},
        {"12 X 12", "12x12", 12},
    }};
    return types;
}

const GridTypeInfo *findGridType(const QString &text)
{
    for (const auto &g : gridTypes())
        if (text == QLatin1String(g.text))
            return &g;
    return nullptr;
}

QStringList wayPrintItems()
{
    return {QStringLiteral("1 - Up to Down"),
            QStringLiteral("2 - Down to Up "),
            QStringLiteral("3 - To Up Step Step"),
            QStringLiteral("4 - To Down Step Step"),
            QStringLiteral("5 - Down to Up Step 2"),
            QStringLiteral("6 - Up to Down Step 2"),
            QStringLiteral("7 - Advanced Up to Down"),
            QStringLiteral("8 - Advanced Down to Up")};
}

QStringList nameTextItems()
{
    return {QString(), QStringLiteral("الرقم:"), QStringLiteral("ژماره:"), QStringLiteral("شماره:"),
            QStringLiteral("No:"), QStringLiteral("Number:")};
}

static QStringList letters()
{
    QStringList l;
    for (char c = 'A'; c <= 'Y'; ++c)
        l.append(QString(QLatin1Char(c)));
    return l;
}

QStringList bracketBeforeItems()
{
    return QStringList{QString(), QStringLiteral("("), QStringLiteral("["), QStringLiteral("{"), QStringLiteral("<")}
        + letters();
}

QStringList bracketAfterItems()
{
    return QStringList{QString(), QStringLiteral(")"), QStringLiteral("]"), QStringLiteral("}"), QStringLiteral(">")}
        + letters();
}

QStringList fontSizeItems()
{
    QStringList l;
    for (int s = 8; s <= 60; s += 2)
        l.append(QString::number(s));
    return l;
}

QStringList zeroPadWidthItems()
{
    QStringList l;
    for (int w = 1; w <= 8; ++w)
        l.append(QString::number(w));
    return l;
}

QStringList pageFieldTexts(const LayoutDocument &doc)
{
    const auto num = [](int v) { return QString::number(v); };
    return {doc.Co1.text(),
            doc.Combo3.text(),
            doc.Combo1.text(),
            doc.Combo2.text(),
            doc.WayPrint.text(),
            num(doc.Check3.value()),
            doc.Com1.text(),
            doc.Te1.text(),
            num(doc.HScroll1.value()),
            num(doc.Check1.value()),
            doc.Te2.text().trimmed(),
            doc.Comb1.text().trimmed(),
            doc.Ttt.caption().trimmed(),
            num(doc.ChI1.value()),
            num(doc.ChB1.value()),
            num(doc.Check2.value()),
            colourText(doc.La5.backColor()),
            colourText(doc.La5.foreColor())};
}

LayoutDocument::LayoutDocument()
{
    for (int n = 1; n <= 12; ++n)
        signSlots[std::size_t(n - 1)] = std::make_unique<SignSlot>(n);
    // Fixed lists of the window; the others are filled at start-up.
    Co1.setItems(nameTextItems());
    WayPrint.setItems(wayPrintItems());
    Te2.setItems(zeroPadWidthItems());
    Combo1.setText(QStringLiteral("A"));
    Combo2.setText(QStringLiteral("A"));
    Te1.setText(QStringLiteral("1"));
    La5.setBackColor(rgbColour(255, 255, 255));
    La5.setForeColor(systemColour(8));
    D1.setVisible(false);
    LDT1.setVisible(false);
    Ttt.setVisible(true);
}

} // namespace numora
