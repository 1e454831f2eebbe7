#pragma once
#include "layout/CodeSettings.h"

#include <QString>
#include <optional>

namespace numora {
class LayoutFolder;
class MainForm;
} // namespace numora

namespace numora::cli {

struct CommandServices;

// What `numora print` was asked for.
struct Options
{
    QString layout;
    QString pages;
    bool twoPages = false;
    QString printer;
    QString pdf;
    bool dryRun = false;
    bool strict = false; // refuse a run the pre-flight check finds fault with
    bool allowDuplicates = false;
    QString journal;
    bool withoutClaim = false;
    QString partPages;
    // Instead of the layout's code, for this run: below the text, default size.
    std::optional<CodeSettings> code;
};

// Prints the run of the layout file at `path` with the services set up (the
// journal and the printer chosen), says how it went and writes the layout's
// numbering back. Returns the exit status.
int printRun(const Options &o, const QString &path, CommandServices &services);
// Loads the layout file at `path` into the form as a run prints it, named
// by the file's name without its grid type; false with why when the file is
// no layout or cannot be read.
bool loadLayoutToPrint(MainForm &form, const LayoutFolder &layouts, const QString &path, QString *problem);

} // namespace numora::cli
