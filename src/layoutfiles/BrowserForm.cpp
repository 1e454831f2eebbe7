#include "BrowserForm.h"
#include "platform/controls/PropertyTable.h"
#include "LayoutFile.h"
#include "layout/LayoutDocument.h"
#include "layout/SessionKeys.h"
#include "numbertext/NumberSample.h"
#include "platform/Dialogs.h"
#include "platform/LayoutFolder.h"
#include "platform/Numeric.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>

namespace numora {

namespace {
const char *const kExtensions[] = {
    "1X1;*.2X2;*.3X3;*.4X4;*.6X6;*.8X8;*.10X10;*.12X12", "1x1", "2X2", "3X3", "4X4", "6X6", "8X8", "10X10", "12X12"};
// Lines 1 to 13 are all the preview needs.
constexpr qint64 PreviewBytes = 64 * 1024;
} // namespace

BrowserForm::BrowserForm(Deps deps)
    : FormWithState(QStringLiteral("Save1"))
    , reloadTimer(QStringLiteral("Timer1"), deps.scheduler)
    , m_deps(deps)
    , m_pattern(patternFor(0))
{
    setCaption(QStringLiteral("File Of Save"));
    rememberedPath.setVisible(false);
    standingIcon.setVisible(false);
    lyingIcon.setVisible(false);
    for (Control *c : std::initializer_list<Control *>{
             &typeFilter, &fileList, &searchText, &fineCaption, &fileNameCaption, &startNumberCaption, &standingIcon,
             &lyingIcon, &openButton, &deleteButton, &closeButton, &rememberedPath, &reloadTimer})
        registerControl(*c);

    typeFilter.onClick.connect([this] { filterChosen(); });
    fileList.onClick.connect([this] { preview(); });
    fileList.onDblClick.connect([this] { loadRequested(); });
    openButton.onClick.connect([this] { openClicked(); });
    deleteButton.onClick.connect([this] { deleteClicked(); });
    closeButton.onClick.connect([this] { closeClicked(); });
    searchText.onChange.connect([this] { search(); });
    reloadTimer.onTick.connect([this] { reload(); });

    // Creation: list the folder, then restore the filter of the last run.
    m_deps.folder.ensureExists();
    refreshFiles();
    const QString saved =
        m_deps.settings.getSetting(session::appName(), session::sectionName(), QStringLiteral("SaveFile"));
    typeFilter.setItems({QStringLiteral("All"), QStringLiteral("1 X 1"), QStringLiteral("2 X 2"),
                         QStringLiteral("3 X 3"), QStringLiteral("4 X 4"), QStringLiteral("6 X 6"),
                         QStringLiteral("8 X 8"), QStringLiteral("10 X 10"), QStringLiteral("12 X 12")});
    if (const auto pos = roundHalfEven(leadingNumber(saved)); pos && *pos >= 0 && *pos < typeFilter.count())
        typeFilter.setListIndex(int(*pos));
}

QString BrowserForm::patternFor(int position)
{
    if (position < 0 || position > 8)
        position = 0;
    return QStringLiteral("*.") + QLatin1String(kExtensions[position]) + QStringLiteral("*");
}

int BrowserForm::filterPositionFor(const QString &typeTag)
{
    for (int i = 1; i <= 8; ++i)
        if (typeTag.compare(QLatin1String(kExtensions[i]), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void BrowserForm::refreshFiles()
{
    // The selected file keeps its selection when it is still there.
    const QString selected = selectedFile();
    const QStringList names = m_deps.folder.list(m_pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts));
    fileList.replaceItems(names, selected.isEmpty() ? -1 : int(names.indexOf(selected)));
    // The kept file may have been rewritten: show what it holds now.
    if (fileList.listIndex() >= 0)
        preview();
}

void BrowserForm::filterChosen()
{
    startNumberCaption.setCaption(QStringLiteral("No.:"));
    standingIcon.setVisible(false);
    lyingIcon.setVisible(false);
    m_pattern = patternFor(typeFilter.listIndex());
    refreshFiles();
    if (fileList.count() > 0)
        fileList.choose(0);
}

void BrowserForm::preview()
{
    // A search that matches nothing deselects; there is nothing to show.
    if (fileList.listIndex() < 0)
        return;
    startNumberCaption.setCaption(QStringLiteral("No.:"));
    const QString f = selectedFile();
    if (const auto bytes = m_deps.folder.read(m_deps.folder.filePath(f), PreviewBytes)) {
        const QStringList lines = decodeLayoutLines(*bytes);
        if (lines.size() >= 8 && lines[7].size() >= 12)
            startNumberCaption.setCaption(QStringLiteral("No.:") + lines[7].mid(12));
        if (lines.size() >= 13 && lines[12].size() >= 12) {
            const double v = leadingNumber(lines[12].mid(12));
            if (v == 6) {
                standingIcon.setVisible(true);
                lyingIcon.setVisible(false);
            } else if (v == 4) {
                standingIcon.setVisible(false);
                lyingIcon.setVisible(true);
            }
        }
    }
    fileNameCaption.setCaption(f);
}

void BrowserForm::openSelected(const QString &question) { openPath(m_deps.folder.filePath(selectedFile()), question); }

void BrowserForm::openFile(const QString &path)
{
    // Wherever the file is, it is first checked to be a layout: the list
    // shows only layouts, a path given to the program can name anything.
    QString problem;
    if (!readLayoutFile(m_deps.folder, path, &problem)) {
        m_deps.dialogs.message(QStringLiteral("The layout file cannot be read:\r\n") + path + QStringLiteral("\r\n(")
                                   + problem + QStringLiteral(")"),
                               QString(), Dialogs::Buttons::OK);
        return;
    }
    openPath(path, QStringLiteral("Do you Want to Open the File...?? "));
}

void BrowserForm::openPath(const QString &path, const QString &question)
{
    const QString f = QFileInfo(path).fileName();
    const bool longType = f.endsWith(QLatin1String("10")) || f.endsWith(QLatin1String("12"));
    const QString name = f.left(std::max<qsizetype>(0, f.size() - (longType ? 6 : 4)));
    const auto answer =
        m_deps.dialogs.message(question + QStringLiteral("\r\n") + f, QString(), Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Answer::Yes) {
        m_deps.sample.refreshNumberSample();
        return;
    }
    // A file that went away since the list was read: say so, and leave the
    // open layout and its name as they are, so a later save cannot write the
    // open layout under the vanished file's name.
    if (!m_deps.folder.read(path, 1)) {
        m_deps.dialogs.message(QStringLiteral("The layout file cannot be read:\r\n") + f, QString(),
                               Dialogs::Buttons::OK);
        refreshFiles();
        return;
    }
    m_deps.doc.documentName.setCaption(name);
    m_deps.doc.autoPlace.setCaption(QStringLiteral("No"));
    rememberedPath.setCaption(path);
    if (m_deps.files.loadLayoutFile(rememberedPath.caption(), f))
        m_deps.doc.filePath = rememberedPath.caption();
}

void BrowserForm::openClicked()
{
    if (fileList.count() == 0)
        return;
    if (fileList.listIndex() < 0) {
        m_deps.dialogs.message(QStringLiteral("Please Select the File........."), QString(), Dialogs::Buttons::OK);
        return;
    }
    openSelected(QStringLiteral("Do you Want to Open the File...?? "));
}

void BrowserForm::loadRequested()
{
    if (fileList.listIndex() < 0)
        return;
    openSelected(QStringLiteral("Do you Want to Load the File...?? "));
}

void BrowserForm::deleteClicked()
{
    const int i = fileList.listIndex();
    if (i < 0)
        return;
    const QString f = selectedFile();
    if (m_deps.dialogs.message(QStringLiteral("Are you sure Delete the File ") + QStringLiteral("\r\n") + f, QString(),
                               Dialogs::Buttons::YesNo)
        != Dialogs::Answer::Yes)
        return;
    removeLayoutFile(m_deps.folder, m_deps.folder.filePath(f));
    startNumberCaption.setCaption(QStringLiteral("No.:"));
    refreshFiles();
    if (i - 1 >= 0)
        fileList.setListIndex(i - 1);
}

void BrowserForm::closeClicked()
{
    setEnabled(false);
    setVisible(false);
}

void BrowserForm::search()
{
    const QString text = searchText.text();
    int found = -1;
    for (int i = 0; i < fileList.count(); ++i) {
        if (fileList.item(i).startsWith(text, Qt::CaseInsensitive)) {
            found = i;
            break;
        }
    }
    fileList.setListIndex(found);
    if (fileList.listIndex() < 0) {
        standingIcon.setVisible(false);
        lyingIcon.setVisible(false);
    }
}

void BrowserForm::reload()
{
    const QString path = rememberedPath.caption();
    m_deps.files.loadLayoutFile(path, QFileInfo(path).fileName());
    reloadTimer.setInterval(0);
}

namespace {

const PropertyTable<BrowserForm> kStateProperties = {
    PropertyTable<BrowserForm>::field<&BrowserForm::pattern>("pattern"),
};

} // namespace

const PropertyTable<BrowserForm> &BrowserForm::stateProperties() { return kStateProperties; }

} // namespace numora
