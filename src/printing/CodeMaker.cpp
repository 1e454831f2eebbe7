#include "CodeMaker.h"
#include "numbertext/RunEntry.h"
#include "platform/CodeShapes.h"

#include <QSet>
#include <algorithm>
#include <tuple>
#include <zint.h>

namespace numora {

namespace {

// Enough for the copies of a page (twelve numbers at most) and a preview
// redrawn; a run's numbers are all different, so keeping more would only
// hold memory and let it churn.
constexpr qsizetype CacheLimit = 256;

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
    // A symbol used before may keep the size or level zint chose for its
    // last value; each value gets zint's own choice afresh.
    symbol->option_1 = -1;
    symbol->option_2 = 0;
    symbol->option_3 = 0;
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

bool isSquare(CodeSettings::Type type)
{
    return type == CodeSettings::Type::Qr || type == CodeSettings::Type::DataMatrix;
}

// The dark modules as rectangles: the runs of each row, each grown down
// while the next row has the same run. Making zint's drawing of every code
// took four times as long as encoding it.
QVector<QRectF> moduleBars(const zint_symbol &symbol, QPoint origin)
{
    const int width = symbol.width;
    QVector<QRectF> bars;
    bars.reserve(width * symbol.rows / 4);
    // The bar of the run starting at each column, in the row above and in this one.
    std::vector<int> above(std::size_t(width), -1);
    std::vector<int> here(std::size_t(width), -1);
    std::vector<unsigned char> dark(std::size_t(width) + 1, 0); // one past the row ends its last run
    for (int row = 0; row < symbol.rows; ++row) {
        // zint keeps a square code's modules a bit each, eight to a byte,
        // the first module of a row in the lowest bit.
        const unsigned char *bits = symbol.encoded_data[row];
        for (int column = 0; column < width; ++column)
            dark[std::size_t(column)] = (bits[column >> 3] >> (column & 7)) & 1;
        for (int column = 0; column < width;) {
            if (!dark[std::size_t(column)]) {
                here[std::size_t(column++)] = -1;
                continue;
            }
            const int start = column;
            while (dark[std::size_t(column)])
                here[std::size_t(column++)] = -1;
            const int bar = above[std::size_t(start)];
            if (bar >= 0 && int(bars.at(bar).width()) == column - start) {
                bars[bar].setHeight(bars.at(bar).height() + 1);
                here[std::size_t(start)] = bar;
            } else {
                here[std::size_t(start)] = int(bars.size());
                bars.append(QRectF(origin.x() + start, origin.y() + row, column - start, 1));
            }
        }
        std::swap(above, here);
    }
    return bars;
}

// The modules of a drawing width by height that the bars cover, row by row;
// nothing when a bar is not whole modules within it.
std::vector<bool> coveredModules(const QVector<QRectF> &bars, int width, int height)
{
    std::vector<bool> covered(std::size_t(width) * std::size_t(height), false);
    for (const QRectF &bar : bars) {
        const QRect whole = bar.toRect();
        if (QRectF(whole) != bar || whole.left() < 0 || whole.top() < 0 || whole.right() >= width
            || whole.bottom() >= height)
            return {};
        for (int y = whole.top(); y <= whole.bottom(); ++y)
            for (int x = whole.left(); x <= whole.right(); ++x)
                covered[std::size_t(y) * std::size_t(width) + std::size_t(x)] = true;
    }
    return covered;
}

QRectF boundsOf(const QVector<QRectF> &bars)
{
    QRectF bounds;
    for (const QRectF &bar : bars)
        bounds = bounds.united(bar);
    return bounds;
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
    m_modulePlaces.clear();
}

std::shared_ptr<const CodeShapes> CodeMaker::shapes(const QString &value, QString *error)
{
    if (const auto found = m_cache.constFind(value); found != m_cache.cend())
        return *found;
    Symbol symbol;
    if (!encode(m_settings, value, symbol, error))
        return nullptr;
    auto made = std::make_shared<CodeShapes>();
    made->value = value;
    const QSize modules(symbol->width, symbol->rows);
    const auto place = isSquare(m_settings.type) ? m_modulePlaces.constFind(modules) : m_modulePlaces.cend();
    if (place != m_modulePlaces.cend() && place->has_value()) {
        made->width = (*place)->drawn.width();
        made->height = (*place)->drawn.height();
        made->bars = moduleBars(*symbol.get(), (*place)->origin);
    } else {
        if (ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector) {
            if (error)
                *error = QString::fromUtf8(symbol->errtxt);
            return nullptr;
        }
        made->width = symbol->vector->width;
        made->height = symbol->vector->height;
        for (const zint_vector_rect *r = symbol->vector->rectangles; r; r = r->next)
            made->bars.append(QRectF(r->x, r->y, r->width, r->height));
        joinColumns(made->bars);
        if (isSquare(m_settings.type) && place == m_modulePlaces.cend())
            learnModulePlace(*symbol.get(), *made);
    }
    if (m_cache.size() >= CacheLimit)
        m_cache.clear();
    m_cache.insert(value, made);
    return made;
}

void CodeMaker::learnModulePlace(const zint_symbol &symbol, CodeShapes &drawn)
{
    // The modules stand where zint drew its first dark one; they are read
    // from then on only when they cover exactly what zint drew.
    const QSize modules(symbol.width, symbol.rows);
    std::optional<ModulePlace> place;
    const QVector<QRectF> read = moduleBars(symbol, QPoint(0, 0));
    const QPointF shift = boundsOf(drawn.bars).topLeft() - boundsOf(read).topLeft();
    const QSize size(int(drawn.width), int(drawn.height));
    if (shift == QPointF(shift.toPoint()) && QSizeF(size) == QSizeF(drawn.width, drawn.height)) {
        const QVector<QRectF> placed = moduleBars(symbol, shift.toPoint());
        const std::vector<bool> covered = coveredModules(placed, size.width(), size.height());
        if (!covered.empty() && covered == coveredModules(drawn.bars, size.width(), size.height())) {
            place = ModulePlace{shift.toPoint(), size};
            drawn.bars = placed;
        }
    }
    m_modulePlaces.insert(modules, place);
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
