#pragma once
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

namespace numora {

// The machine-readable code a layout prints beside each number: which code,
// what it holds, where it stands next to the number's text and how large it
// is. A layout without one prints as it always did.
struct CodeSettings
{
    enum class Type { None, Code128, Qr, DataMatrix, Ean13 };
    enum class Content { Text, Number };
    enum class Place { Below, Above, Left, Right };

    Type type = Type::None;
    Content content = Content::Text;
    Place place = Place::Below;
    double gapMm = 1;
    double heightMm = 10;  // the bars' height of a linear code
    double moduleMm = 0.4; // the narrowest bar, or a 2D code's square

    bool used() const { return type != Type::None; }
    bool isLinear() const { return type == Type::Code128 || type == Type::Ean13; }
    // An EAN-13 holds digits only: it always carries the number.
    Content effectiveContent() const { return type == Type::Ean13 ? Content::Number : content; }
    bool operator==(const CodeSettings &) const = default;

    // The one-line form the side file, the session and the journal keep:
    // "type=qr;encode=text;place=below;gap=1;height=10;module=0.4".
    QString toLine() const;
    // Missing or unreadable entries keep their defaults; nothing when the
    // line names a code the program does not know.
    static std::optional<CodeSettings> fromLine(const QString &line);
    // Sizes held to what prints and scans.
    CodeSettings bounded() const;
};

// The names the command line and the one-line form use, in Type order:
// none, code128, qr, datamatrix, ean13.
QStringList codeTypeNames();
std::optional<CodeSettings::Type> codeTypeFromName(const QString &name);
// The names the operator reads: "None", "Code 128", "QR code", ...
QString codeTypeTitle(CodeSettings::Type type);

// Where a code of that size (in modules, quiet zones included) stands beside
// a number's text box, in twips: the one rule for the code's extent that the
// job, the page preview and the pre-flight check read. A printer that draws
// modules a little larger than the settings' (whole dots) gives its own
// module size, so the code still keeps its gap from the text.
QRectF codeExtent(const CodeSettings &settings, QSizeF modules, const QRectF &textBox, double moduleTwips = 0);

// The side file that carries a layout file's code: the same name with this
// ending added, so that the layout file stays as other programs read it.
QString codeSideFilePath(const QString &layoutPath);

} // namespace numora
