#include "ExitCommand.h"
#include "MainForm.h"
#include "layout/SessionKeys.h"
#include "layoutfiles/BrowserForm.h"
#include "layoutfiles/SaveCommand.h"
#include "platform/Dialogs.h"
#include "platform/LayoutFolder.h"
#include "platform/SettingsStore.h"

namespace numora {

bool ExitCommand::run()
{
    Services &services = m_form.services();
    LayoutDocument &doc = m_form.doc;
    // Everything the exit saves reaches the store as one write, even when
    // the exit is cancelled below (the filter alone is written then).
    SettingsBatch batch(services.settings);
    // The browser's filter is remembered even when the exit is cancelled;
    // reading it loads the browser hidden when it was never opened.
    services.settings.saveSetting(session::appName(), session::sectionName(), QStringLiteral("SaveFile"),
                                  QString::number(m_form.browser().Combo3.listIndex()));
    if (doc.modified != 0) {
        const QString title = SaveCommand::questionTitle(doc.Label53.caption(), doc.Label54.caption());
        const auto answer = services.dialogs.message(QStringLiteral("Do you Want to Save the Change Document...?         "),
                                                     title, Dialogs::Buttons::YesNoCancel);
        if (answer == Dialogs::Answer::Cancel)
            return false;
        if (answer == Dialogs::Answer::Yes) {
            const QString name = SaveCommand(m_form).askName();
            if (name.isEmpty())
                return false;
            LayoutFolder &folder = m_form.layoutFolder();
            const QString path = folder.filePath(name + QStringLiteral(".") + doc.typeTag);
            QString error;
            if (!folder.ensureExists() || !m_form.layoutFiles().writeLayoutFile(path, LayoutWriter::Exit, &error)) {
                // Ending now would lose the layout: say why and stay.
                if (error.isEmpty())
                    error = QStringLiteral("the folder %1 cannot be created").arg(folder.path());
                services.dialogs.message(QStringLiteral("The layout could not be saved to %1:\r\n%2").arg(path, error),
                                         QString(), Dialogs::Buttons::OK);
                return false;
            }
            m_form.browser().Label1.setCaption(path);
        }
    }
    session::writeSession(services.settings, doc);
    if (!batch.commit()) {
        // Ending silently would restart the numbers of this run next time.
        QString where = services.settings.fileName(session::appName());
        where = where.isEmpty() ? QString() : QStringLiteral(" to ") + where;
        const auto answer = services.dialogs.message(
            QStringLiteral("The session could not be saved%1: the next start will not continue the numbers of this "
                           "run.\r\nEnd anyway?")
                .arg(where),
            QString(), Dialogs::Buttons::YesNo);
        return answer == Dialogs::Answer::Yes;
    }
    return true;
}

} // namespace numora
