#pragma once
#include "layout/CodeSettings.h"

#include <QHash>
#include <QPoint>
#include <QSize>
#include <QString>
#include <memory>
#include <optional>

struct zint_symbol;

namespace numora {

struct CodeShapes;
struct RunEntry;
class RunEntries;

// Makes a layout's machine-readable codes with zint, each distinct value
// once: a value printed again (both copies of a two-page run, a preview
// redrawn) is drawn from the shapes already made. A square code is read
// from zint's modules; zint draws only the first code of each size, which
// tells where its quiet zone puts the modules.
class CodeMaker
{
public:
    explicit CodeMaker(const CodeSettings &settings = {});
    ~CodeMaker();
    const CodeSettings &settings() const { return m_settings; }
    // Other settings make other shapes: the ones kept are dropped.
    void setSettings(const CodeSettings &settings);

    // The code of value; nullptr when the code cannot hold it (error says
    // why, in zint's words).
    std::shared_ptr<const CodeShapes> shapes(const QString &value, QString *error = nullptr);

    // What the code of a run's entry holds: its printed text, or its number
    // alone (an EAN-13: the number in 12 digits, zint adds the check digit).
    // Nothing when the code is to hold a number and the entry has none.
    static std::optional<QString> valueOf(const CodeSettings &settings, const RunEntry &entry);
    // The same for a number's text and its number (nothing when it has none).
    static std::optional<QString> valueOf(const CodeSettings &settings, const QString &text,
                                          std::optional<qint64> number);
    // A number's text shown on screen, with its number read from its last
    // digits: the editor's sample and the page preview.
    static std::optional<QString> valueOfShown(const CodeSettings &settings, const QString &text);
    // Why the run cannot print with its code, naming the first number the
    // code cannot hold; empty when every entry fits.
    static QString refusal(const CodeSettings &settings, const RunEntries &entries);

private:
    void learnModulePlace(const zint_symbol &symbol, CodeShapes &drawn);

    CodeSettings m_settings;
    QHash<QString, std::shared_ptr<const CodeShapes>> m_cache;
    // Where the modules of a square code of each size (modules across and
    // down) stand in zint's drawing; nothing where zint drew other than its
    // modules read here, and its drawing is kept.
    struct ModulePlace
    {
        QPoint origin; // of the first module, in modules
        QSize drawn;   // the whole drawing, quiet zones included
    };
    QHash<QSize, std::optional<ModulePlace>> m_modulePlaces;
};

} // namespace numora
