#include "MainForm.h"
#include "platform/Colour.h"
#include "platform/Numeric.h"
#include "platform/SettingsStore.h"

namespace numora {

MainForm::MainForm(Services services)
    : Form(QStringLiteral("Start1"))
    , preview(doc, services.scheduler)
    , sample(doc, services.scheduler, services.measure, preview.boxes())
    , slotEditors(doc, preview)
    , Timer1(QStringLiteral("Timer1"), services.scheduler)
    , m_services(std::move(services))
{
    No1.setVisible(false);
    Im1.setVisible(false);
    registerAll();
    wire();
    Timer1.setInterval(2000);
}

void MainForm::registerAll()
{
    for (Control *c : std::initializer_list<Control *>{
             &doc.Co1, &doc.Combo3, &doc.Combo1, &doc.Combo2, &doc.WayPrint, &doc.Check3, &doc.Com1,
             &doc.Te1, &doc.HScroll1, &doc.Check1, &doc.Te2, &doc.Comb1, &doc.Ttt, &doc.ChI1, &doc.ChB1,
             &doc.Check2, &doc.La5, &doc.D1, &doc.LDT1, &doc.Label53, &doc.Label54, &doc.Label56,
             &doc.VScroll1, &doc.VScroll2, &doc.Combo4, &sample.Label6, &sample.LA1, &sample.La00,
             &sample.Label58, &sample.Timer5, &preview.Picture2, &preview.PLine1, &preview.PLine2,
             &preview.Timer2, &No1, &Label4, &Im1, &Im2, &Timer1})
        registerControl(*c);
    for (int n = 1; n <= 12; ++n) {
        SignSlot &s = doc.slot(n);
        for (Control *c : std::initializer_list<Control *>{&s.Tx, &s.Tee, &s.Teee, &s.VS, &s.VSc})
            registerControl(*c);
        registerControl(preview.box(n));
        registerControl(preview.panel(n));
        registerControl(*sample.Test0[std::size_t(n - 1)]);
    }
    for (int i = 0; i < 29; ++i) {
        registerControl(*preview.Line25[std::size_t(i)]);
        registerControl(*preview.Line26[std::size_t(i)]);
    }
}

void MainForm::wire()
{
    sample.connectEditors();
    slotEditors.connectEditors();
    Timer1.onTick.connect([this] {
        doc.modified = 0;
        Timer1.setInterval(0);
    });
}

QString MainForm::setting(const QString &key)
{
    return m_services.settings.getSetting(appName(), sectionName(), key);
}

void MainForm::startUp()
{
    const auto missing = [this](const QString &key) {
        return !m_services.settings.contains(appName(), sectionName(), key);
    };
    const auto num = [](const QString &t) { return roundHalfEven(leadingNumber(t)).value_or(0); };
    const auto key = [](const char *k) { return QLatin1String(k); };

    preview.layoutGrid();
    doc.leftSpinLast = doc.VScroll2.value();
    doc.topSpinLast = doc.VScroll1.value();
    doc.LDT1.setCaption(QStringLiteral("None"));

    QMap<QString, QString> v;
    for (int k = 1; k <= 19; ++k)
        v[QStringLiteral("Number%1").arg(k)] = setting(QStringLiteral("Number%1").arg(k));
    for (int n = 1; n <= 12; ++n) {
        const QString k = QStringLiteral("Number0_%1").arg(n);
        v[k] = missing(k) ? QStringLiteral("1") : setting(k);
        doc.slot(n).Tx.setText(shortestDecimal(leadingNumber(v[k])));
    }
    if (missing(key("Number16")))
        v[key("Number16")] = QStringLiteral("1");
    doc.Check2.setValue(int(num(v[key("Number16")])));
    doc.ChI1.setValue(int(num(v[key("Number14")])));
    doc.ChB1.setValue(int(num(v[key("Number15")])));
    if (missing(key("Number13"))) {
        v[key("Number13")] = QStringLiteral("4");
        doc.D1.setCaption(QStringLiteral("Yes"));
        v[key("Number6")] = QStringLiteral("1");
    }
    doc.Ttt.setCaption(v[key("Number13")]);
    doc.HScroll1.setValue(num(v[key("Number9")]));
    doc.Check3.setValue(int(num(v[key("Number6")])));
    if (missing(key("Number5"))) {
        v[key("Number5")] = QStringLiteral("1 - Up to Down");
        v[key("Number1")] = QStringLiteral("No:");
        v[key("Number17")] = colourText(rgbColour(255, 255, 255));
        v[key("Number18")] = colourText(systemColour(18));
    }
    doc.WayPrint.setText(v[key("Number5")]);
    if (const auto c = colourFromText(v[key("Number17")]))
        doc.La5.setBackColor(*c);
    if (const auto c = colourFromText(v[key("Number18")]))
        doc.La5.setForeColor(*c);
    doc.Co1.setText(v[key("Number1")]);
    sample.refreshNumberSample();
    if (missing(key("Number11")))
        v[key("Number11")] = QStringLiteral("6");
    if (missing(key("Number10")))
        v[key("Number10")] = QStringLiteral("1");
    doc.Te2.setText(v[key("Number11")]);
    doc.Check1.setValue(int(num(v[key("Number10")])));
    doc.Com1.setItems(m_services.fontNames ? m_services.fontNames() : QStringList{});
    doc.Comb1.setItems(fontSizeItems());
    if (missing(key("Number12")))
        v[key("Number12")] = QStringLiteral("12");
    doc.Comb1.setText(v[key("Number12")]);
    doc.La5.setFontSize(leadingNumber(v[key("Number12")]));
    doc.Combo1.setItems(bracketBeforeItems());
    doc.Combo2.setItems(bracketAfterItems());
    doc.Combo1.setText(v[key("Number3")]);
    doc.Combo2.setText(v[key("Number4")]);
    doc.orientationMark = QStringLiteral("Ver");
    QStringList grids;
    for (const auto &g : gridTypes())
        grids.append(QLatin1String(g.text));
    doc.Combo3.setItems(grids);
    if (missing(key("Number2")))
        v[key("Number2")] = QStringLiteral("2 X 2");
    doc.Combo3.setText(v[key("Number2")]);
    doc.Combo4.setText(QStringLiteral("1"));
    if (missing(key("Number7")))
        v[key("Number7")] = QStringLiteral("Courier New (Arabic)");
    doc.Com1.setText(v[key("Number7")]);
    doc.La5.setFontName(v[key("Number7")]);
    sample.refreshNumberSample();
    if (missing(key("Number8")))
        v[key("Number8")] = QStringLiteral("1");
    doc.Te1.setText(v[key("Number8")]);
    doc.La5.setBorder(doc.Check3.value());
    doc.Te2.setEnabled(doc.Check1.value() != 0);
    const bool upright = doc.Ttt.caption() == QLatin1String("6");
    Im1.setVisible(upright);
    Im2.setVisible(!upright);
    Label4.setCaption(upright ? QStringLiteral("Vertical") : QStringLiteral("Horizontal"));
    if (const GridTypeInfo *g = findGridType(doc.Combo3.text()))
        doc.typeTag = QLatin1String(g->tag);
    for (int n = 1; n <= 12; ++n) {
        const QString top = QStringLiteral("Number2_%1").arg(n);
        const QString left = QStringLiteral("Number3_%1").arg(n);
        // The added 0.1 cm is taken back by the first preview refresh, which
        // moves both shift spinners from 50 to 25.
        if (!missing(top))
            doc.slot(n).VS.setValue(num(setting(top)) + 10);
        if (!missing(left))
            doc.slot(n).VSc.setValue(num(setting(left)) + 10);
    }
}

QStringList MainForm::stateNames() const
{
    return {QStringLiteral("modified"),   QStringLiteral("orientationMark"), QStringLiteral("typeTag"),
            QStringLiteral("slotCount"),  QStringLiteral("topSpinLast"),     QStringLiteral("leftSpinLast"),
            QStringLiteral("zeroPrefix"), QStringLiteral("autoPlace"),       QStringLiteral("documentName")};
}

QVariant MainForm::state(const QString &name) const
{
    if (name == QLatin1String("modified"))
        return doc.modified;
    if (name == QLatin1String("orientationMark"))
        return doc.orientationMark;
    if (name == QLatin1String("typeTag"))
        return doc.typeTag;
    if (name == QLatin1String("slotCount"))
        return doc.slotCount;
    if (name == QLatin1String("topSpinLast"))
        return doc.topSpinLast;
    if (name == QLatin1String("leftSpinLast"))
        return doc.leftSpinLast;
    if (name == QLatin1String("zeroPrefix"))
        return sample.zeroPrefixText();
    if (name == QLatin1String("autoPlace"))
        return doc.D1.caption();
    if (name == QLatin1String("documentName"))
        return doc.LDT1.caption();
    return Form::state(name);
}

bool MainForm::setState(const QString &name, const QVariant &value)
{
    if (name == QLatin1String("modified"))
        doc.modified = value.toInt();
    else if (name == QLatin1String("orientationMark"))
        doc.orientationMark = value.toString();
    else if (name == QLatin1String("typeTag"))
        doc.typeTag = value.toString();
    else if (name == QLatin1String("slotCount"))
        doc.slotCount = value.toInt();
    else if (name == QLatin1String("topSpinLast"))
        doc.topSpinLast = value.toInt();
    else if (name == QLatin1String("leftSpinLast"))
        doc.leftSpinLast = value.toInt();
    else
        return Form::setState(name, value);
    return true;
}

} // namespace numora
