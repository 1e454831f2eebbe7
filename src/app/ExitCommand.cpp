#include "ExitCommand.h"
#include "layout/LayoutDocument.h"
#include "layout/SessionKeys.h"
#include "layoutfiles/BrowserForm.h"
#include "layoutfiles/SaveCommand.h"
#include "platform/Dialogs.h"
#include "platform/SettingsStore.h"

namespace numora {

QStringList ExitCommand::numberingOf(const LayoutDocument &doc)
{
    QStringList numbering{doc.startNumber.text().trimmed()};
    for (const auto &slot : doc.signSlots)
        numbering << slot->counter.text().trimmed();
    return numbering;
}

bool ExitCommand::sessionIsOurs()
{
    SettingsStore &settings = m_deps.settings;
    const SessionAtStart &atStart = m_deps.atStart;
    settings.reload();
    if (session::storedLayout(settings) == atStart.stored)
        return true;
    // Another program wrote its session after this one started. Ours is
    // written over it unless ours moved nothing (same file, same numbering),
    // or ours is kept in its file while theirs is only in the session.
    const LayoutDocument &doc = m_deps.doc;
    const bool oursMoved = doc.filePath != atStart.filePath || numberingOf(doc) != atStart.numbering;
    const bool oursInFile = !doc.filePath.isEmpty();
    return oursMoved && (!oursInFile || session::storedLayoutInFile(settings));
}

bool ExitCommand::run()
{
    SettingsStore &settings = m_deps.settings;
    Dialogs &dialogs = m_deps.dialogs;
    LayoutDocument &doc = m_deps.doc;
    // Everything the exit saves reaches the store as one write, even when
    // the exit is cancelled below (the filter alone is written then).
    SettingsBatch batch(settings);
    // The browser's filter is remembered even when the exit is cancelled;
    // reading it loads the browser hidden when it was never opened.
    settings.saveSetting(session::appName(), session::sectionName(), QStringLiteral("SaveFile"),
                         QString::number(m_deps.browser().typeFilter.listIndex()));
    if (doc.modified != 0) {
        const QString title = SaveCommand::questionTitle(doc.fileCaption.caption(), doc.typeCaption.caption());
        const auto answer = dialogs.message(QStringLiteral("Do you Want to Save the Change Document...?         "),
                                            title, Dialogs::Buttons::YesNoCancel);
        if (answer == Dialogs::Answer::Cancel)
            return false;
        if (answer == Dialogs::Answer::Yes) {
            const QString name = m_deps.save.askName();
            if (name.isEmpty())
                return false;
            // Ending now would lose the layout: the operator has been told why; stay.
            const QString path = m_deps.save.writeUnder(name, LayoutWriter::Exit);
            if (path.isEmpty())
                return false;
            m_deps.browser().rememberedPath.setCaption(path);
        }
    }
    if (sessionIsOurs())
        session::writeSession(settings, doc);
    if (!batch.commit()) {
        // Ending silently would restart the numbers of this run next time.
        QString where = settings.fileName(session::appName());
        where = where.isEmpty() ? QString() : QStringLiteral(" to ") + where;
        const auto answer = dialogs.message(
            QStringLiteral("The session could not be saved%1: the next start will not continue the numbers of this "
                           "run.\r\nEnd anyway?")
                .arg(where),
            QString(), Dialogs::Buttons::YesNo);
        return answer == Dialogs::Answer::Yes;
    }
    return true;
}

} // namespace numora
