#include "LayoutFile.h"
#include "layout/LayoutDocument.h"
#include "numbertext/NumberSample.h"
#include "platform/Colour.h"
#include "platform/LayoutFolder.h"
#include "platform/Numeric.h"
#include "platform/Windows1256.h"
#include "preview/Orientation.h"

#include <QLocale>
#include <optional>

namespace numora {

namespace {
// Layout files are a few kilobytes; anything past this is not a layout and
// is not read.
constexpr qint64 MaxLayoutFileBytes = 4 * 1024 * 1024;
constexpr int KeyWidth = 12;
constexpr qint64 MaxCodeFileBytes = 4096;

std::optional<qint64> strictInteger(const QString &value)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(value.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return roundHalfEven(v);
}
} // namespace

QStringList layoutFileKeys(LayoutWriter writer)
{
    QStringList keys{QStringLiteral("Name No.   ="), QStringLiteral("No. Counter="), QStringLiteral("Spase R    ="),
                     QStringLiteral("Spase L    ="), QStringLiteral("Way Print  ="), QStringLiteral("Sel. Zero  ="),
                     QStringLiteral("Font Name  ="), QStringLiteral("Counter 00 ="), QStringLiteral("Scrol L-C-R="),
                     QStringLiteral("Box Line   ="), QStringLiteral("No. Zero   ="), QStringLiteral("Font Size  ="),
                     QStringLiteral("Top Page   ="), QStringLiteral("Font Italic="), QStringLiteral("Font Bold  ="),
                     QStringLiteral("Move Mouse =")};
    if (writer == LayoutWriter::Exit)
        keys.swapItemsAt(2, 3);
    for (int n = 1; n <= 12; ++n) {
        const QString nn = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        keys << QStringLiteral("Sign T") + nn + QStringLiteral("   =")
             << QStringLiteral("Sign L") + nn + QStringLiteral("   =");
    }
    keys << QStringLiteral("BackColor  =") << QStringLiteral("ForeColor  =");
    for (int n = 1; n <= 12; ++n)
        keys << QStringLiteral("Counter %1 =").arg(n, 2, 10, QLatin1Char('0'));
    return keys;
}

QStringList layoutFileValues(const LayoutDocument &doc)
{
    // Lines 1 to 16, the positions, the colours on lines 41 and 42, the counters.
    const QStringList fields = pageFieldTexts(doc);
    QStringList v = fields.mid(0, 16);
    for (const auto &s : doc.signSlots)
        v << s->topCm.text().trimmed() << s->leftCm.text().trimmed();
    v << fields.mid(16, 2);
    for (const auto &s : doc.signSlots)
        v << s->counter.text().trimmed();
    return v;
}

QString singleLine(const QString &value)
{
    // A line break inside a value would start a new line and move every
    // later field onto the wrong line when the file is read back.
    QString v = value;
    for (QChar &c : v)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return v;
}

QByteArray encodeLayoutFile(const QStringList &keys, const QStringList &values)
{
    QString text;
    for (qsizetype i = 0; i < keys.size(); ++i)
        text += keys[i] + singleLine(values.value(i)) + QStringLiteral("\r\n");
    return toWindows1256(text);
}

QString unencodableCharacters(const QStringList &values)
{
    QString lost;
    for (const QString &v : values)
        for (QChar c : v)
            if (c != QLatin1Char('?') && fromWindows1256(toWindows1256(QString(c))) != QString(c) && !lost.contains(c))
                lost += c;
    return lost;
}

QStringList decodeLayoutLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start < n && lines.size() < LayoutFileLines) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        lines << fromWindows1256(bytes.mid(start, end - start));
        if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

namespace {
constexpr int StartNumberLine = 8;
constexpr int FirstCounterLine = 43;

// The lines of a file with their ends (CR LF, CR or LF) as they are, the
// last one possibly without.
QList<QByteArray> linesWithEnds(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end < bytes.size())
            end += bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
        lines << bytes.mid(start, end - start);
        start = end;
    }
    return lines;
}

QByteArray withoutEnd(const QByteArray &line)
{
    qsizetype n = line.size();
    while (n > 0 && (line[n - 1] == '\r' || line[n - 1] == '\n'))
        --n;
    return line.left(n);
}
} // namespace

std::optional<QByteArray> readLayoutFile(const LayoutFolder &folder, const QString &path, QString *problem)
{
    const auto say = [problem](const QString &why) {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    const auto bytes = folder.read(path, MaxLayoutFileBytes + 1);
    if (!bytes)
        return say(QStringLiteral("it cannot be read"));
    if (bytes->size() > MaxLayoutFileBytes)
        return say(QStringLiteral("it is not a layout file: far too large"));
    const QList<QByteArray> lines = linesWithEnds(*bytes);
    if (lines.size() != LayoutFileLines)
        return say(
            QStringLiteral("it is not a layout file: %1 lines instead of %2").arg(lines.size()).arg(LayoutFileLines));
    const QStringList keys = layoutFileKeys(LayoutWriter::SaveCommand);
    const QStringList exitKeys = layoutFileKeys(LayoutWriter::Exit);
    for (int i = 0; i < LayoutFileLines; ++i) {
        const QByteArray key = lines[i].left(KeyWidth);
        if (key != keys[i].toLatin1() && key != exitKeys[i].toLatin1())
            return say(
                QStringLiteral("it is not a layout file: line %1 does not start with \"%2\"").arg(i + 1).arg(keys[i]));
    }
    // A type the program cannot read would print and be written back as
    // another one.
    const QString grid = fromWindows1256(withoutEnd(lines[1]).mid(KeyWidth));
    if (!findGridType(grid))
        return say(QStringLiteral("it is not a layout file: the grid type \"%1\" is unknown").arg(grid));
    return bytes;
}

// Without the code page every Arabic character would be written as "?":
// nothing is written then, and the error says why.
static bool codePageUsable(QString *error)
{
    const QString problem = windows1256Problem();
    if (!problem.isEmpty() && error)
        *error = problem;
    return problem.isEmpty();
}

bool writeNumberingBack(LayoutFolder &folder, const QString &path, const LayoutDocument &doc, QString *error)
{
    if (!codePageUsable(error))
        return false;
    const auto bytes = readLayoutFile(folder, path, error);
    if (!bytes)
        return false;
    QList<QByteArray> lines = linesWithEnds(*bytes);
    const QStringList values = layoutFileValues(doc);
    const auto replace = [&](int line) {
        QByteArray &l = lines[line - 1];
        const QByteArray end = l.mid(withoutEnd(l).size());
        l = l.left(KeyWidth) + toWindows1256(singleLine(values.value(line - 1))) + end;
    };
    replace(StartNumberLine);
    for (int line = FirstCounterLine; line < FirstCounterLine + 12; ++line)
        replace(line);
    return folder.write(path, lines.join(), error);
}

LayoutFileIO::LayoutFileIO(LayoutDocument &doc, NumberSample &sample, Orientation &orientation, LayoutFolder &folder)
    : m_doc(doc)
    , m_sample(sample)
    , m_orientation(orientation)
    , m_folder(folder)
{}

bool LayoutFileIO::writeLayoutFile(const QString &path, LayoutWriter writer, QString *error)
{
    if (!codePageUsable(error))
        return false;
    // The side file goes first and is put back when the layout file cannot
    // be written: the two never describe different layouts. A layout
    // without a code writes one only over an older one, which would
    // otherwise give it that code again.
    const QString side = codeSideFilePath(path);
    const std::optional<QByteArray> oldSide = m_folder.read(side, MaxCodeFileBytes);
    const bool withSide = m_doc.code.used() || oldSide;
    if (withSide && !m_folder.write(side, m_doc.code.toLine().toUtf8() + "\r\n", error))
        return false;
    if (m_folder.write(path, encodeLayoutFile(layoutFileKeys(writer), layoutFileValues(m_doc)), error))
        return true;
    if (oldSide)
        m_folder.write(side, *oldSide, nullptr);
    else if (withSide)
        m_folder.remove(side);
    return false;
}

CodeSettings readCodeSideFile(const LayoutFolder &folder, const QString &layoutPath)
{
    const auto bytes = folder.read(codeSideFilePath(layoutPath), MaxCodeFileBytes);
    if (!bytes)
        return {};
    return CodeSettings::fromLine(QString::fromUtf8(*bytes)).value_or(CodeSettings{});
}

bool removeLayoutFile(LayoutFolder &folder, const QString &path)
{
    // The layout first: a side file left alone by a failure still belongs
    // to its layout.
    if (!folder.remove(path))
        return false;
    folder.remove(codeSideFilePath(path));
    return true;
}

// A hand-edited or damaged file can hold "1e+300" or "-5": such a position
// would print off the page. It goes to the page's edge as the position
// editors put it; a text with no number in it is skipped.
static std::optional<QString> loadedPosition(const QString &value, double highest)
{
    const QString trimmed = value.trimmed();
    if (trimmed.isEmpty())
        return value;
    bool isNumber = false;
    QLocale::c().toDouble(trimmed, &isNumber);
    const double v = leadingNumber(trimmed);
    if (!isNumber && v == 0)
        return std::nullopt;
    if (v > highest)
        return shortestDecimal(highest);
    if (v <= 0.01)
        return QStringLiteral("0.1");
    return value;
}

void LayoutFileIO::applyLine(int line, const QString &value)
{
    const auto setCheck = [&](CheckBox &box) {
        if (const auto v = strictInteger(value); v && *v >= INT_MIN && *v <= INT_MAX)
            box.setValue(int(*v));
    };
    switch (line) {
    case 1: m_doc.nameText.setText(value); return;
    case 2: m_doc.gridType.setText(value); return;
    case 3: m_doc.bracketBefore.setText(value); return;
    case 4: m_doc.bracketAfter.setText(value); return;
    case 5: m_doc.wayPrint.setText(value); return;
    case 6: setCheck(m_doc.borderLine); return;
    case 7: m_doc.fontName.setText(value); return;
    case 8: m_doc.startNumber.setText(value); return;
    case 9:
        if (const auto v = strictInteger(value))
            m_doc.alignLCR.setValue(*v);
        return;
    case 10: setCheck(m_doc.zeroPad); return;
    case 11: m_doc.zeroPadWidth.setText(value); return;
    case 12: m_doc.fontSize.setText(value); return;
    case 13:
        // The code is not written into Ttt: a differing code turns the page
        // after the load, and the code keeps the loaded positions meanwhile.
        m_orientationCode = value;
        m_haveOrientationCode = true;
        m_doc.autoPlace.setCaption(value);
        return;
    case 14: setCheck(m_doc.fontItalic); return;
    case 15: setCheck(m_doc.fontBold); return;
    case 16: setCheck(m_doc.moveByMouse); return;
    case 41:
    case 42:
        if (const auto v = strictInteger(value); v && *v >= INT32_MIN && *v <= INT32_MAX)
            line == 41 ? m_doc.sampleLabel.setBackColor(qint32(*v)) : m_doc.sampleLabel.setForeColor(qint32(*v));
        return;
    default: break;
    }
    if (line >= 17 && line <= 40) {
        SignSlot &s = m_doc.slot((line - 15) / 2);
        const bool top = line % 2;
        if (const auto text = loadedPosition(value, top ? 29.7 : 21))
            (top ? s.topCm : s.leftCm).setText(*text);
    } else if (line >= 43 && line <= 54) {
        m_doc.slot(line - 42).counter.setText(value);
    }
}

bool LayoutFileIO::loadLayoutFile(const QString &path, const QString &fileName)
{
    const auto bytes = m_folder.read(path, MaxLayoutFileBytes);
    if (!bytes)
        return false;
    m_doc.code = readCodeSideFile(m_folder, path);
    return loadLayout(*bytes, fileName);
}

bool LayoutFileIO::loadNumbering(const QString &path)
{
    const auto bytes = readLayoutFile(m_folder, path, nullptr);
    if (!bytes)
        return false;
    // A layout file has all its lines (readLayoutFile checks); the start
    // number goes last, as in loadLayout, over what the counters copied.
    const QStringList lines = decodeLayoutLines(*bytes);
    for (int line = FirstCounterLine; line < FirstCounterLine + 12; ++line)
        applyLine(line, lines[line - 1].mid(KeyWidth));
    m_doc.startNumber.setText(lines[StartNumberLine - 1].mid(KeyWidth));
    return true;
}

bool LayoutFileIO::loadLayout(const QByteArray &bytes, const QString &fileName)
{
    // Whatever the file holds, the next preview refresh must keep what it
    // loads rather than place the defaults over it.
    m_doc.autoPlace.setCaption(QStringLiteral("No"));
    m_haveOrientationCode = false;
    const QStringList lines = decodeLayoutLines(bytes);
    for (int i = 0; i < lines.size(); ++i) {
        // A line without a full key has no value; its field keeps its own.
        if (lines[i].size() < KeyWidth)
            continue;
        applyLine(i + 1, lines[i].mid(KeyWidth));
    }
    // The counters come after the start number in the file, and each one
    // that changes copies itself into the start number field. The layout's
    // own start number is the one its next run must continue from: taking a
    // counter's instead would print numbers that were printed before.
    if (lines.size() >= StartNumberLine && lines[StartNumberLine - 1].size() >= KeyWidth)
        m_doc.startNumber.setText(lines[StartNumberLine - 1].mid(KeyWidth));
    const bool differs = m_haveOrientationCode && m_orientationCode != m_doc.orientationCode.caption();
    // Without a code in the file the page keeps its orientation, and so
    // does the caption.
    const QString code = m_haveOrientationCode ? m_orientationCode : m_doc.orientationCode.caption();
    bool ok = false;
    const bool standing = QLocale::c().toDouble(code.trimmed(), &ok) == 6 && ok;
    const int e = fileName.size() >= 4 && fileName.at(fileName.size() - 4) == QLatin1Char('.') ? 4 : 6;
    m_doc.typeCaption.setCaption(QStringLiteral("Type: ") + fileName.right(e - 1));
    m_doc.fileCaption.setCaption(QStringLiteral("File Name : ")
                                 + fileName.left(std::max<qsizetype>(0, fileName.size() - e)));
    m_doc.orientationCaption.setCaption(QStringLiteral("Orientation: ")
                                        + (standing ? QStringLiteral("Vertical") : QStringLiteral("Horizontal")));
    // The page shows the positions just read, whatever the grid type; a
    // page that turns places them again by its other mapping.
    m_orientation.placeBoxes();
    if (differs)
        m_orientation.toggleTimer.setInterval(10);
    m_doc.sampleLabel.setFontName(m_doc.fontName.text());
    m_sample.refreshNumberSample();
    if (onLoaded)
        onLoaded();
    return true;
}

} // namespace numora
