#include "LayoutDocument.h"
#include "platform/Colour.h"

namespace numora {

SignSlot::SignSlot(int n)
    : number(n)
    , counter(QStringLiteral("Tx%1").arg(n))
    , topCm(QStringLiteral("Tee%1").arg(n))
    , leftCm(QStringLiteral("Teee%1").arg(n))
    , topScroll(QStringLiteral("VS%1").arg(n), 1, 2970, 1, 1, 10)
    , leftScroll(QStringLiteral("VSc%1").arg(n), 1, 2100, 1, 1, 10)
{
    counter.setText(QStringLiteral("1"));
    topCm.setText(QStringLiteral("28.50"));
    leftCm.setText(QStringLiteral("18.50"));
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
    return {QStringLiteral("1 - Up to Down"),          QStringLiteral("2 - Down to Up "),
            QStringLiteral("3 - To Up Step Step"),     QStringLiteral("4 - To Down Step Step"),
            QStringLiteral("5 - Down to Up Step 2"),   QStringLiteral("6 - Up to Down Step 2"),
            QStringLiteral("7 - Advanced Up to Down"), QStringLiteral("8 - Advanced Down to Up")};
}

QStringList nameTextItems()
{
    return {QString(),
            QStringLiteral("الرقم:"),
            QStringLiteral("ژماره:"),
            QStringLiteral("شماره:"),
            QStringLiteral("No:"),
            QStringLiteral("Number:")};
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
    return {doc.nameText.text(),
            doc.gridType.text(),
            doc.bracketBefore.text(),
            doc.bracketAfter.text(),
            doc.wayPrint.text(),
            num(doc.borderLine.value()),
            doc.fontName.text(),
            doc.startNumber.text(),
            num(doc.alignLCR.value()),
            num(doc.zeroPad.value()),
            doc.zeroPadWidth.text().trimmed(),
            doc.fontSize.text().trimmed(),
            doc.orientationCode.caption().trimmed(),
            num(doc.fontItalic.value()),
            num(doc.fontBold.value()),
            num(doc.moveByMouse.value()),
            colourText(doc.sampleLabel.backColor()),
            colourText(doc.sampleLabel.foreColor())};
}

LayoutDocument::LayoutDocument()
{
    for (int n = 1; n <= 12; ++n)
        signSlots[std::size_t(n - 1)] = std::make_unique<SignSlot>(n);
    // Fixed lists of the window; the others are filled at start-up.
    nameText.setItems(nameTextItems());
    wayPrint.setItems(wayPrintItems());
    zeroPadWidth.setItems(zeroPadWidthItems());
    bracketBefore.setText(QStringLiteral("A"));
    bracketAfter.setText(QStringLiteral("A"));
    startNumber.setText(QStringLiteral("1"));
    sampleLabel.setBackColor(rgbColour(255, 255, 255));
    sampleLabel.setForeColor(systemColour(8));
    autoPlace.setVisible(false);
    documentName.setVisible(false);
    orientationCode.setVisible(true);
}

} // namespace numora
