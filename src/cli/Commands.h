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
// `numora reprint RUN [--pages A-B | --rest] [--printer NAME | --pdf FILE]`:
// pages of a journaled run again, exactly as printed, moving no numbering;
// or the rest of a run cut short, as a new run.
int runReprintCommand(const QStringList &args);
// `numora calibrate [--printer NAME | --pdf FILE] [--measured X1,Y1,X2,Y2
// [--from-paper-edge] | --show]`: prints the calibration sheet, stores the
// calibration its readings give, or shows the stored one.
int runCalibrateCommand(const QStringList &args);

QString usage();
// A command's exit status once its output is out: a status of 0 becomes 1,
// with a line on standard error, when standard output did not take all
// that was written to it (a full disk, a closed pipe).
int outputChecked(int status);
// The toolkit's warnings on standard error, one line each, so that a
// fault shows; its debug and info notes stay off the command's output.
// Call before the application object is made, and toolkitStarted() once it
// is: the toolkit's notes on the session while it starts (a missing runtime
// folder when run from cron) say nothing about the command.
void showToolkitWarnings();
void toolkitStarted();

} // namespace numora::cli
