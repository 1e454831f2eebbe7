#pragma once
#include <QStringList>

namespace numora::cli {

// `numora print LAYOUT --pages N ...`: prints a run of a layout file without
// the window, through the same forms and print job, and writes the layout
// back with its numbering moved on. Returns the exit status.
int runPrintCommand(const QStringList &args);
// `numora journal [--layout NAME] [--number TEXT]`: the journaled runs, or
// the runs, pages and positions that printed a number text.
int runJournalCommand(const QStringList &args);
// `numora reprint RUN [--pages A-B] [--printer NAME | --pdf FILE]`: pages of
// a journaled run again, exactly as printed, moving no numbering.
int runReprintCommand(const QStringList &args);
QString usage();
// Keeps the toolkit's notes off the command's output; call before the
// application object is made.
void keepOutputOwn();

} // namespace numora::cli
