#include "SaveCommand.h"
#include "BrowserForm.h"
#include "LayoutFile.h"
#include "layout/LayoutDocument.h"
#include "platform/controls/Label.h"
#include "platform/controls/TextEditing.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/LayoutFolder.h"
#include "platform/Numeric.h"

#include <QFileInfo>

namespace numora {

QString SaveCommand::questionTitle(const QString &fileCaption, const QString &typeCaption)
{
    QString rest = fileCaption.mid(10);
    if (rest == QLatin1String(": None"))
        rest = QStringLiteral(": No FileName");
    return QStringLiteral("File") + rest + QStringLiteral(".") + typeCaption.mid(6);
}

QString SaveCommand::proposedNewName() const
{
    Clock &clock = m_deps.clock;
    const qint64 minutes = integerDivide(clock.secondsSinceMidnight(), 60).value_or(0);
    return QStringLiteral("New%1-%2-%3-%4").arg(minutes).arg(clock.year()).arg(clock.day()).arg(clock.month());
}

bool SaveCommand::isBlankName(const QString &name)
{
    return name.size() >= 1 && name.size() <= 5 && name.count(QLatin1Char(' ')) == name.size();
}

bool SaveCommand::hasForbiddenCharacter(const QString &name)
{
    static const QString forbidden = QStringLiteral("/\\*|:\"<>?");
    for (QChar c : name)
        if (forbidden.contains(c))
            return true;
    return false;
}

QString SaveCommand::askName()
{
    Dialogs &dialogs = m_deps.dialogs;
    LayoutDocument &doc = m_deps.doc;
    // The file's type is its name's ending: without one the file would be
    // "<name>." and no browser would list it. Save and exit both ask here,
    // so neither writes such a file.
    if (doc.typeTag.isEmpty()) {
        dialogs.message(QStringLiteral("The layout has no grid type: choose one before saving."), QString(),
                        Dialogs::Buttons::OK);
        return {};
    }
    for (;;) {
        const QString proposal =
            doc.documentName.caption() == QLatin1String("None") ? proposedNewName() : doc.documentName.caption();
        const QString answer = dialogs.input(QStringLiteral("Type Name of Document"), QStringLiteral("Save"), proposal);
        if (answer.isEmpty())
            return {};
        // Set before the checks, so a refused name is proposed again.
        doc.documentName.setCaption(answer);
        if (isBlankName(answer))
            continue;
        if (hasForbiddenCharacter(answer)) {
            dialogs.message(m_deps.forbiddenNameMessage.text(), QString(), Dialogs::Buttons::OK);
            continue;
        }
        return answer;
    }
}

QString SaveCommand::writeUnder(const QString &name, LayoutWriter writer)
{
    Dialogs &dialogs = m_deps.dialogs;
    LayoutFolder &folder = m_deps.folder;
    const QString path = folder.filePath(name + QStringLiteral(".") + m_deps.doc.typeTag);
    QString error;
    if (!folder.ensureExists() || !m_deps.files.writeLayoutFile(path, writer, &error)) {
        // Unlike a silent skip, the operator must know the layout is not on disk.
        if (error.isEmpty())
            error = QStringLiteral("the folder %1 cannot be created").arg(folder.path());
        dialogs.message(QStringLiteral("The layout could not be saved to %1:\r\n%2").arg(path, error), QString(),
                        Dialogs::Buttons::OK);
        return {};
    }
    const QString lost = unencodableCharacters(layoutFileValues(m_deps.doc));
    if (!lost.isEmpty())
        dialogs.message(QStringLiteral("The layout was saved, but these characters cannot be kept in a layout "
                                       "file and were written as \"?\": ")
                            + lost,
                        QString(), Dialogs::Buttons::OK);
    return path;
}

void SaveCommand::run()
{
    Dialogs &dialogs = m_deps.dialogs;
    LayoutDocument &doc = m_deps.doc;
    const QString title = questionTitle(doc.fileCaption.caption(), doc.typeCaption.caption());
    const auto answer = dialogs.message(QStringLiteral("Do you Want to Save the Change Document...?         "), title,
                                        Dialogs::Buttons::YesNo);
    if (answer == Dialogs::Answer::Yes) {
        const QString name = askName();
        if (name.isEmpty())
            return;
        const QString path = writeUnder(name, LayoutWriter::SaveCommand);
        if (path.isEmpty())
            return;
        BrowserForm &browser = m_deps.browser();
        browser.rememberedPath.setCaption(path);
        doc.filePath = path;
        doc.fileCaption.setCaption(QStringLiteral("File Name : ") + name);
        doc.typeCaption.setCaption(QStringLiteral("Type: ") + doc.typeTag);
        doc.orientationCaption.setCaption(QStringLiteral("Orientation: ") + m_deps.orientationCaption.caption());
        m_deps.openBrowser();
        browser.refreshFiles();
        showSaved(QFileInfo(path).fileName());
    }
    BrowserForm &browser = m_deps.browser();
    if (browser.fileList.listIndex() < 0) {
        browser.standingIcon.setVisible(false);
        browser.lyingIcon.setVisible(false);
    }
}

void SaveCommand::showSaved(const QString &fileName)
{
    // The operator sees the layout just saved, selected, even when the
    // browser's type filter would have hidden it.
    BrowserForm &browser = m_deps.browser();
    if (browser.fileList.items().indexOf(fileName) < 0) {
        const int position = BrowserForm::filterPositionFor(m_deps.doc.typeTag);
        if (position >= 0 && position != browser.typeFilter.listIndex())
            browser.typeFilter.choose(position);
    }
    const int i = int(browser.fileList.items().indexOf(fileName));
    if (i >= 0 && i != browser.fileList.listIndex())
        browser.fileList.choose(i);
}

} // namespace numora
