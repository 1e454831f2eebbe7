#pragma once
// Reads a printed PDF back the way a person checks a print: which words
// stand where (pdftotext -bbox), which fonts carry them (pdffonts) and what
// a page looks like (pdftoppm). The tools come with poppler-utils.
#include <QFile>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace numora::test {

// CTest reports a test program that exits with this code as skipped.
constexpr int skipExitCode = 77;

// Half a millimetre in points: how far a printed text may stand from where
// it was placed.
constexpr double halfMillimetre = 72.0 / 25.4 * 0.5;

struct PdfWord
{
    QString text;
    QRectF box; // points from the page's top-left corner
};

struct PdfPage
{
    QSizeF size; // points
    QList<PdfWord> words;
};

// The names of the tools that are not installed.
inline QStringList missingTools(const QStringList &tools)
{
    QStringList missing;
    for (const QString &t : tools)
        if (QStandardPaths::findExecutable(t).isEmpty())
            missing << t;
    return missing;
}

inline bool runTool(const QString &program, const QStringList &args, QByteArray *out, QString *error)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (error)
            *error = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
        return false;
    }
    if (out)
        *out = p.readAllStandardOutput();
    return true;
}

// Every page with its words, in the order pdftotext reads them.
inline QList<PdfPage> readPdfWords(const QString &pdf, QString *error = nullptr)
{
    QByteArray xhtml;
    if (!runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}, &xhtml, error))
        return {};
    QList<PdfPage> pages;
    QXmlStreamReader xml(xhtml);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            pages.append(PdfPage{
                QSizeF(a.value(QLatin1String("width")).toDouble(), a.value(QLatin1String("height")).toDouble()), {}});
        } else if (xml.name() == QLatin1String("word") && !pages.isEmpty()) {
            const QPointF topLeft(a.value(QLatin1String("xMin")).toDouble(), a.value(QLatin1String("yMin")).toDouble());
            const QPointF bottomRight(a.value(QLatin1String("xMax")).toDouble(),
                                      a.value(QLatin1String("yMax")).toDouble());
            pages.last().words.append(PdfWord{xml.readElementText(), QRectF(topLeft, bottomRight)});
        }
    }
    if (xml.hasError() && error)
        *error = QStringLiteral("pdftotext output unreadable: ") + xml.errorString();
    return pages;
}

// The base font names in the file, subset prefixes removed
// ("DejaVuSans-Bold").
inline QStringList pdfFontNames(const QString &pdf, QString *error = nullptr)
{
    QByteArray out;
    if (!runTool(QStringLiteral("pdffonts"), {pdf}, &out, error))
        return {};
    QStringList names;
    const QList<QByteArray> lines = out.split('\n');
    for (qsizetype i = 2; i < lines.size(); ++i) { // after the heading and its rule
        const QString name = QString::fromLatin1(lines.at(i).split(' ').value(0));
        if (!name.isEmpty())
            names << name.section(QLatin1Char('+'), -1);
    }
    return names;
}

// One page (from 1) as a picture at that resolution.
inline QImage renderPdfPage(const QString &pdf, int page, int dpi, QString *error = nullptr)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const QStringList args{QStringLiteral("-r"),
                           QString::number(dpi),
                           QStringLiteral("-f"),
                           QString::number(page),
                           QStringLiteral("-l"),
                           QString::number(page),
                           QStringLiteral("-png"),
                           QStringLiteral("-singlefile"),
                           pdf,
                           prefix};
    if (!runTool(QStringLiteral("pdftoppm"), args, nullptr, error))
        return {};
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The words of a page with that text.
inline QList<PdfWord> wordsNamed(const PdfPage &page, const QString &text)
{
    QList<PdfWord> found;
    for (const PdfWord &w : page.words)
        if (w.text == text)
            found << w;
    return found;
}

} // namespace numora::test
