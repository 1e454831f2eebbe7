#include "CodeMaker.h"
#include "numbertext/RunEntry.h"
#include "platform/CodeShapes.h"

#include <QSet>
#include <algorithm>
#include <tuple>
#include <zint.h>

namespace numora {

namespace {

// Enough for the copies of a page and a preview's pages; a run's numbers
// are all different, so keeping more would only hold memory.
constexpr qsizetype CacheLimit = 4096;

int symbology(CodeSettings::Type type)
{
    switch (type) {
    case CodeSettings::Type::Code128: return BARCODE_CODE128;
    case CodeSettings::Type::Qr: return BARCODE_QRCODE;
    case CodeSettings::Type::DataMatrix: return BARCODE_DATAMATRIX;
    case CodeSettings::Type::Ean13: return BARCODE_EANX;
    case CodeSettings::Type::None: break;
    }
    return 0;
}

class Symbol
{
public:
    Symbol()
        : m_symbol(ZBarcode_Create())
    {}
    ~Symbol() { ZBarcode_Delete(m_symbol); }
    Symbol(const Symbol &) = delete;
    Symbol &operator=(const Symbol &) = delete;
    zint_symbol *operator->() const { return m_symbol; }
    zint_symbol *get() const { return m_symbol; }

private:
    zint_symbol *m_symbol;
};

// Encodes value into symbol; false with zint's reason when the code cannot
// hold it.
bool encode(const CodeSettings &settings, const QString &value, Symbol &symbol, QString *error)
{
    if (!settings.used()) {
        if (error)
            *error = QStringLiteral("no code is chosen");
        return false;
    }
    // Thirteen digits would be taken as a number with its own check digit.
    if (settings.type == CodeSettings::Type::Ean13 && value.size() > 12) {
        if (error)
            *error = QStringLiteral("an EAN-13 holds numbers of up to 12 digits");
        return false;
    }
    symbol->symbology = symbology(settings.type);
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0; // the number's own text stands beside the code
    symbol->output_options = BARCODE_QUIET_ZONES;
    symbol->scale = 0.5f; // one vector unit per module
    if (settings.isLinear())
        symbol->height = float(settings.heightMm / settings.moduleMm);
    if (settings.type == CodeSettings::Type::Qr)
        symbol->option_3 = (1 + 0) << 8; // one fixed mask: trying all eight took two thirds of the time
    if (settings.type == CodeSettings::Type::DataMatrix)
        symbol->option_3 = DM_SQUARE;
    const QByteArray utf8 = value.toUtf8();
    const int status =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(utf8.constData()), int(utf8.size()));
    if (status >= ZINT_ERROR) {
        if (error)
            *error = QString::fromUtf8(symbol->errtxt);
        return false;
    }
    return true;
}

// zint gives a 2D code row by row; runs that continue one another down the
// rows become one rectangle: a third fewer to write into every page.
void joinColumns(QVector<QRectF> &bars)
{
    std::sort(bars.begin(), bars.end(), [](const QRectF &a, const QRectF &b) {
        return std::tuple(a.x(), a.width(), a.y()) < std::tuple(b.x(), b.width(), b.y());
    });
    qsizetype kept = 0;
    for (qsizetype i = 0; i < bars.size(); ++i) {
        QRectF &last = bars[kept > 0 ? kept - 1 : 0];
        const QRectF &bar = bars.at(i);
        if (kept > 0 && last.x() == bar.x() && last.width() == bar.width() && last.bottom() == bar.top())
            last.setBottom(bar.bottom());
        else
            bars[kept++] = bar;
    }
    bars.resize(kept);
}

} // namespace

CodeMaker::CodeMaker(const CodeSettings &settings)
    : m_settings(settings)
{}

CodeMaker::~CodeMaker() = default;

void CodeMaker::setSettings(const CodeSettings &settings)
{
    if (settings == m_settings)
        return;
    m_settings = settings;
    m_cache.clear();
}

std::shared_ptr<const CodeShapes> CodeMaker::shapes(const QString &value, QString *error)
{
    if (const auto found = m_cache.constFind(value); found != m_cache.cend())
        return *found;
    Symbol symbol;
    if (!encode(m_settings, value, symbol, error))
        return nullptr;
    if (ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector) {
        if (error)
            *error = QString::fromUtf8(symbol->errtxt);
        return nullptr;
    }
    auto made = std::make_shared<CodeShapes>();
    made->value = value;
    made->width = symbol->vector->width;
    made->height = symbol->vector->height;
    for (const zint_vector_rect *r = symbol->vector->rectangles; r; r = r->next)
        made->bars.append(QRectF(r->x, r->y, r->width, r->height));
    joinColumns(made->bars);
    if (m_cache.size() >= CacheLimit)
        m_cache.clear();
    m_cache.insert(value, made);
    return made;
}

std::optional<QString> CodeMaker::valueOf(const CodeSettings &settings, const RunEntry &entry)
{
    return valueOf(settings, entry.text.toString(),
                   entry.counts() ? std::optional<qint64>(entry.number.value) : std::nullopt);
}

std::optional<QString> CodeMaker::valueOf(const CodeSettings &settings, const QString &text,
                                          std::optional<qint64> number)
{
    if (settings.effectiveContent() == CodeSettings::Content::Text)
        return text;
    if (!number)
        return std::nullopt;
    if (settings.type == CodeSettings::Type::Ean13)
        return QStringLiteral("%1").arg(*number, 12, 10, QLatin1Char('0'));
    return QString::number(*number);
}

std::optional<QString> CodeMaker::valueOfShown(const CodeSettings &settings, const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && !(text.at(end - 1).isDigit() && text.at(end - 1).unicode() < 0x80))
        --end;
    qsizetype start = end;
    while (start > 0 && text.at(start - 1).isDigit() && text.at(start - 1).unicode() < 0x80 && end - start < 18)
        --start;
    const std::optional<qint64> number =
        start < end ? std::optional<qint64>(text.mid(start, end - start).toLongLong()) : std::nullopt;
    return valueOf(settings, text, number);
}

QString CodeMaker::refusal(const CodeSettings &settings, const RunEntries &entries)
{
    if (!settings.used())
        return {};
    // Whether a code holds a value depends on its characters and its length,
    // not on which digits it has: one value of each pattern is tried.
    QSet<QString> tried;
    Symbol symbol;
    for (qsizetype i = 0; i < entries.count(); ++i) {
        const RunEntry entry = entries.entry(i);
        const auto value = valueOf(settings, entry);
        if (!value)
            return QStringLiteral("The %1 cannot be printed for \"%2\": it has no number.")
                .arg(codeTypeTitle(settings.type), entry.text.toString());
        QString pattern = *value;
        for (QChar &c : pattern)
            if (c.isDigit() && c.unicode() < 0x80)
                c = QLatin1Char('0');
        if (tried.contains(pattern))
            continue;
        tried.insert(pattern);
        QString why;
        ZBarcode_Clear(symbol.get());
        if (!encode(settings, *value, symbol, &why))
            return QStringLiteral("The %1 cannot hold the number \"%2\": %3")
                .arg(codeTypeTitle(settings.type), entry.text.toString(), why);
    }
    return {};
}

} // namespace numora
