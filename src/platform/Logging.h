#pragma once
#include <QLoggingCategory>

// One category per area, so that a run's diagnostics can be switched on
// where they are needed (QT_LOGGING_RULES="numora.journal.debug=true")
// without a rebuild. Debug and info notes are off by default: the command
// line's output is read by scripts.
Q_DECLARE_LOGGING_CATEGORY(lcPrinting)
Q_DECLARE_LOGGING_CATEGORY(lcJournal)
Q_DECLARE_LOGGING_CATEGORY(lcCli)
Q_DECLARE_LOGGING_CATEGORY(lcSettings)
