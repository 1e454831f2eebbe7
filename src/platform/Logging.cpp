#include "Logging.h"

Q_LOGGING_CATEGORY(lcPrinting, "numora.printing", QtWarningMsg)
Q_LOGGING_CATEGORY(lcJournal, "numora.journal", QtWarningMsg)
Q_LOGGING_CATEGORY(lcCli, "numora.cli", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSettings, "numora.settings", QtWarningMsg)
