#include "MainForm.h"
#include "platform/controls/PropertyTable.h"
#include "AboutForm.h"
#include "platform/Colour.h"
#include "platform/Dialogs.h"
#include "platform/Numeric.h"
#include "layout/SessionKeys.h"
#include "layoutfiles/BrowserForm.h"
#include "ExitCommand.h"
#include "LayoutUndo.h"
#include "Previewer.h"
#include "Reprinter.h"
#include "layoutfiles/SaveCommand.h"
#include "platform/LayoutFolder.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <utility>

namespace numora {

MainForm::MainForm(Services services)
    : FormWithState(QStringLiteral("Start1"))
    , preview(doc, services.scheduler)
    , sample(doc, services.scheduler, services.measure, preview.boxes())
    , slotEditors(doc, preview)
    , style(doc, sample, services.dialogs)
    , orientation(doc, preview, services.scheduler)
    , placement(doc, preview)
    , reset(ResetCommands::Deps{doc, preview, sample, services.dialogs,
                                [this] { browser().reloadTimer.setInterval(10); }})
    , settleTimer(QStringLiteral("Timer1"), services.scheduler)
    , printReopenTimer(QStringLiteral("Tim3"), services.scheduler)
    , printGenerator(doc, sample, pageCountMirror, printForm, services.scheduler)
    , recorder(services.dialogs, services.clock, services.journal, printGenerator.sequence)
    , printForm(PrintForm::Deps{services.scheduler, services.dialogs, services.settings, services.printer,
                                services.measure, doc, *this, pageCountMirror, preview.box(1),
                                printGenerator.setUpTimer, printGenerator.generationTimer, printGenerator.sequence,
                                &recorder, [this] { return layoutFileValues(doc); },
                                [this](qint64 pages, bool twoPages) {
                                    return Previewer(m_services)
                                        .preview(Previewer::Run{layoutFileValues(doc), doc.documentName.caption(),
                                                                doc.gridType.text(), pages, twoPages, doc.code});
                                },
                                // The warning line is for a window; the private run forms
                                // and the command line show none.
                                services.desktop ? std::function([this](qint64 pages, bool twoPages) {
                                    return Previewer(m_services)
                                        .preflight(Previewer::Run{layoutFileValues(doc), doc.documentName.caption(),
                                                                  doc.gridType.text(), pages, twoPages, doc.code});
                                })
                                                 : nullptr,
                                &services.clock})
    , printOrder(doc, sample)
    , chrome(*this, services.scheduler)
    , m_services(std::move(services))
    , m_layoutFiles(doc, sample, orientation, m_services.layouts)
    , m_save(std::make_unique<SaveCommand>(SaveCommand::Deps{
          m_services.dialogs, m_services.clock, doc, m_services.layouts, m_layoutFiles, forbiddenNameMessage,
          orientation.orientationButton, [this]() -> BrowserForm & { return browser(); }, [this] { openBrowser(); }}))
    , m_undo(std::make_unique<LayoutUndo>(doc, m_layoutFiles, orientation))
{
    recorder.local = m_services.localJournal;
    if (!m_services.workstation.isEmpty())
        recorder.workstation = m_services.workstation;
    pageCountMirror.setVisible(false);
    setCaption(QStringLiteral("Numora"));
    setGeometry(0, 0, 13000, 8500);
    forbiddenNameMessage.setVisible(false);
    forbiddenNameMessage.setText(
        QStringLiteral("A file Name cannot contain any the following characters:\r\n  \r\n  \\/:*?\"<>|\r\n"));
    forbiddenNameMessage.onKeyPress.connect([this](int &key) {
        if (key != TextEditing::KeyBackspace && forbiddenNameMessage.text().size() > 4)
            key = 0;
    });
    registerAll();
    wire();
    settleTimer.setInterval(2000);
}

void MainForm::registerAll()
{
    for (Control *c : std::initializer_list<Control *>{&doc.nameText,
                                                       &doc.gridType,
                                                       &doc.bracketBefore,
                                                       &doc.bracketAfter,
                                                       &doc.wayPrint,
                                                       &doc.borderLine,
                                                       &doc.fontName,
                                                       &doc.startNumber,
                                                       &doc.alignLCR,
                                                       &doc.zeroPad,
                                                       &doc.zeroPadWidth,
                                                       &doc.fontSize,
                                                       &doc.orientationCode,
                                                       &doc.fontItalic,
                                                       &doc.fontBold,
                                                       &doc.moveByMouse,
                                                       &doc.sampleLabel,
                                                       &doc.autoPlace,
                                                       &doc.documentName,
                                                       &doc.fileCaption,
                                                       &doc.typeCaption,
                                                       &doc.orientationCaption,
                                                       &doc.topShift,
                                                       &doc.leftShift,
                                                       &doc.placementSlot,
                                                       &sample.backdrop,
                                                       &sample.measuringCopy,
                                                       &sample.readout,
                                                       &sample.captionMeasure,
                                                       &sample.previewNumbersTimer,
                                                       &preview.page,
                                                       &preview.crosshairVertical,
                                                       &preview.crosshairHorizontal,
                                                       &preview.refreshTimer,
                                                       &pageCountMirror,
                                                       &orientation.orientationButton,
                                                       &orientation.standingIcon,
                                                       &orientation.lyingIcon,
                                                       &orientation.toggleTimer,
                                                       &style.backColourButton,
                                                       &style.foreColourButton,
                                                       &style.orientationMirror,
                                                       &settleTimer,
                                                       &forbiddenNameMessage,
                                                       &openButton,
                                                       &saveButton,
                                                       &reset.resetButton,
                                                       &reset.closeButton,
                                                       &printButton,
                                                       &journalButton,
                                                       &printReopenTimer,
                                                       &placement.crosshairOption,
                                                       &placement.pointerX,
                                                       &placement.pointerY})
        registerControl(*c);
    for (int n = 1; n <= 12; ++n) {
        SignSlot &s = doc.slot(n);
        for (Control *c :
             std::initializer_list<Control *>{&s.counter, &s.topCm, &s.leftCm, &s.topScroll, &s.leftScroll})
            registerControl(*c);
        registerControl(preview.box(n));
        registerControl(preview.panel(n));
        registerControl(*sample.Test0[std::size_t(n - 1)]);
    }
    for (int i = 0; i < 29; ++i) {
        registerControl(*preview.Line25[std::size_t(i)]);
        registerControl(*preview.Line26[std::size_t(i)]);
    }
    for (Control *c : std::initializer_list<Control *>{&printGenerator.generationTimer, &printGenerator.setUpTimer,
                                                       &printGenerator.sequence, &printGenerator.pageBuffer})
        registerControl(*c);
    for (auto &p : printOrder.pictures)
        registerControl(*p);
    for (Control *c : chrome.controls())
        registerControl(*c);
}

void MainForm::wire()
{
    sample.connectEditors();
    slotEditors.connectEditors();
    style.connectEditors(orientation.orientationButton);
    orientation.connectEvents();
    placement.connectEvents();
    printGenerator.connectEvents();
    printOrder.connectEvents();
    reset.connectEvents();
    chrome.connectEvents();
    pageCountMirror.onKeyPress.connect([this](int &key) { sample.filterNumberKey(pageCountMirror, key, 4); });
    saveButton.onClick.connect([this] {
        m_save->run();
        m_undo->absorb(false);
    });
    m_layoutFiles.onLoaded = [this] { m_undo->clear(); };
    printForm.onJobPrinted.connect([this] { runEnded(true); });
    // Pages the print system took before the run failed stay counted: the
    // numbering went on past them (PrintJob::run).
    printForm.onJobFailed.connect(
        [this](const QString &) { runEnded(!(PrintJob::Numbering::of(doc) == printForm.numberingBefore())); });
    openButton.onClick.connect([this] { openBrowser(); });
    printButton.onClick.connect([this] { printForm.open(); });
    journalButton.onClick.connect([this] { openJournal(); });
    printReopenTimer.onTick.connect([this] { printForm.reopenTick(printReopenTimer); });
    settleTimer.onTick.connect([this] {
        doc.modified = 0;
        settleTimer.setInterval(0);
    });
}

MainForm::~MainForm() = default;

void MainForm::runEnded(bool numberingMoved)
{
    m_undo->absorb(numberingMoved);
    if (numberingMoved)
        writeNumberingToFile();
}

void MainForm::writeNumberingToFile()
{
    // Kept only in the window, the moved numbering would be lost to the
    // file by opening another layout, a restart or a crash, and the next
    // run of the file would print these numbers again.
    if (doc.filePath.isEmpty())
        return;
    QString error;
    if (writeNumberingBack(m_services.layouts, doc.filePath, doc, &error))
        return;
    m_services.dialogs.message(
        QStringLiteral("The numbers the run used are counted, but its numbering could not be written to the layout "
                       "file\r\n%1\r\n(%2)."
                       "\r\n\r\nThe next run must continue from %3: save the layout, or set its start number to %3 "
                       "when you open the file again.")
            .arg(doc.filePath, error, doc.startNumber.text()),
        QString(), Dialogs::Buttons::OK);
}

BrowserForm &MainForm::browser()
{
    if (!m_browser) {
        m_browser = std::make_unique<BrowserForm>(BrowserForm::Deps{m_services.scheduler, m_services.dialogs,
                                                                    m_services.settings, m_services.layouts, doc,
                                                                    sample, m_layoutFiles});
        onBrowserCreated.raise();
    }
    return *m_browser;
}

void MainForm::openBrowser()
{
    BrowserForm &b = browser();
    b.setGeometry(left() + width(), top(), b.width(), b.height());
    b.setVisible(true);
    b.setWindowState(windowState());
    b.setEnabled(true);
}

bool MainForm::exitProgram()
{
    if (m_ended)
        return true;
    m_ended = ExitCommand(ExitCommand::Deps{m_services.dialogs, m_services.settings, doc, *m_save,
                                            [this]() -> BrowserForm & { return browser(); },
                                            m_sessionAtStart})
                  .run();
    return m_ended;
}

void MainForm::requestExit()
{
    if (exitProgram())
        setVisible(false);
}

void MainForm::openAbout()
{
    if (!m_about) {
        m_about = std::make_unique<AboutForm>(m_services.settings, m_services.desktop, m_services.dialogs);
        m_about->centreOver(left(), top(), width(), height());
        onAboutOpened.raise();
    }
    m_about->setVisible(true);
}

void MainForm::closeAbout()
{
    if (m_about) {
        onAboutClosing.raise();
        m_about.reset();
    }
    setVisible(true);
}

void MainForm::openJournal()
{
    if (!m_journal) {
        m_journal = std::make_unique<JournalForm>(
            JournalForm::Deps{m_services.dialogs, m_services.journal, m_services.printer, m_services.clock,
                              [this](const JournalRun &run, qint64 from, qint64 to) {
                                  const Reprinter::Result r = Reprinter(m_services).reprint(run, from, to);
                                  return JournalForm::Reprinted{r.pages, r.problem, r.refused, r.printed, {}};
                              },
                              m_services.printQueue,
                              [this](const JournalRun &run) {
                                  const Reprinter::Result r = Reprinter(m_services).printRest(run);
                                  JournalForm::Reprinted told{r.pages, r.problem, r.refused, r.printed, {}};
                                  if (!r.printed)
                                      return told;
                                  const bool moved = Reprinter::moveOnAfterRest(doc, run, r);
                                  runEnded(moved);
                                  told.note = moved ? QStringLiteral("The open layout goes on from where the "
                                                                     "whole run would have left it: start number %1.")
                                                          .arg(doc.startNumber.text())
                                                    : QStringLiteral("The open layout was left as it is: it is not "
                                                                     "the run's layout where the run left it.");
                                  return told;
                              }});
        m_journal->setGeometry(left() + 600, top() + 600, m_journal->width(), m_journal->height());
        onJournalCreated.raise();
    }
    m_journal->open();
}

Form *MainForm::form(const QString &name)
{
    if (name == QLatin1String("Jrnl1"))
        return m_journal.get();
    if (name == QLatin1String("About1"))
        return m_about.get();
    if (name == QLatin1String("Start1"))
        return this;
    if (name == QLatin1String("Save1"))
        return &browser();
    if (name == QLatin1String("Prnt1"))
        return &printForm;
    return nullptr;
}

QString MainForm::appName() { return session::appName(); }

QString MainForm::sectionName() { return session::sectionName(); }

void MainForm::setCode(const CodeSettings &code)
{
    if (code == doc.code)
        return;
    doc.code = code;
    doc.modified = 1;
}

void MainForm::startUp()
{
    preview.layoutGrid();
    doc.leftSpinLast = doc.leftShift.value();
    doc.topSpinLast = doc.topShift.value();
    doc.documentName.setCaption(QStringLiteral("None"));

    m_sessionAtStart.stored = session::storedLayout(m_services.settings);
    const session::StartValues v = session::readStartValues(m_services.settings);
    const auto &f = v.fields;
    for (int n = 1; n <= 12; ++n)
        doc.slot(n).counter.setText(v.counters[n - 1]);
    if (v.moveByMouse)
        doc.moveByMouse.setValue(*v.moveByMouse);
    doc.code = session::readCode(m_services.settings);
    doc.fontItalic.setValue(session::checkState(f[14]));
    doc.fontBold.setValue(session::checkState(f[15]));
    if (v.firstRun)
        doc.autoPlace.setCaption(QStringLiteral("Yes"));
    doc.orientationCode.setCaption(f[13]);
    doc.alignLCR.setValue(session::checkState(f[9]));
    doc.borderLine.setValue(session::checkState(f[6]));
    // A pick list holds only its own items: a stored text outside them
    // starts as a missing one would, not as an empty field.
    const auto pick = [](ComboBox &box, const QString &text, const QString &missing) {
        if (!box.setText(text))
            box.setText(missing);
    };
    pick(doc.wayPrint, f[5], QStringLiteral("1 - Up to Down"));
    if (v.backColor)
        doc.sampleLabel.setBackColor(*v.backColor);
    if (v.foreColor)
        doc.sampleLabel.setForeColor(*v.foreColor);
    doc.nameText.setText(f[1]);
    sample.refreshNumberSample();
    pick(doc.zeroPadWidth, f[11], QStringLiteral("6"));
    doc.zeroPad.setValue(session::checkState(f[10]));
    doc.fontName.setItems(m_services.fontNames ? m_services.fontNames() : QStringList{});
    doc.fontSize.setItems(fontSizeItems());
    doc.fontSize.setText(f[12]);
    // The sample takes its size from the field once the field's own edit rule
    // has limited it, so a stored 5000 gives 200 in both. A size that is no
    // number leaves the sample's size as it is.
    bool sizeOk = false;
    const double size = QLocale::c().toDouble(doc.fontSize.text().trimmed(), &sizeOk);
    if (sizeOk && size > 0)
        doc.sampleLabel.setFontSize(size);
    doc.bracketBefore.setItems(bracketBeforeItems());
    doc.bracketAfter.setItems(bracketAfterItems());
    doc.bracketBefore.setText(f[3]);
    doc.bracketAfter.setText(f[4]);
    doc.orientationMark = QStringLiteral("Ver");
    QStringList grids;
    for (const auto &g : gridTypes())
        grids.append(QLatin1String(g.text));
    doc.gridType.setItems(grids);
    // A type outside the list would leave the layout without a type tag, and
    // a save would then write a file no browser lists: start as for a
    // missing value.
    doc.gridType.setText(findGridType(f[2]) ? f[2] : QStringLiteral("2 X 2"));
    doc.placementSlot.setText(QStringLiteral("1"));
    doc.fontName.setText(f[7]);
    doc.sampleLabel.setFontName(f[7]);
    sample.refreshNumberSample();
    doc.startNumber.setText(f[8]);
    doc.sampleLabel.setBorder(doc.borderLine.value());
    doc.zeroPadWidth.setEnabled(doc.zeroPad.value() != 0);
    orientation.showCode();
    // A saved standing page starts lying and is turned once.
    if (doc.orientationCode.caption() == QLatin1String("6")) {
        doc.orientationCode.setCaption(QStringLiteral("4"));
        orientation.orientationButton.setCaption(QStringLiteral("Horizontal"));
        orientation.toggleOrientation();
    }
    if (const GridTypeInfo *g = findGridType(doc.gridType.text()))
        doc.typeTag = QLatin1String(g->tag);
    // Stored positions, read here as stored (hundredths of a centimetre).
    // They go through the editors' own rule (0.1 .. 29.7 and 0.1 .. 21), so
    // a value at the page's edge is kept and one beyond it is limited as an
    // edit would be. A text that is no number keeps the design position.
    using Positions = std::array<std::optional<qint64>, 12>;
    auto tops = std::make_shared<Positions>();
    auto lefts = std::make_shared<Positions>();
    for (int n = 1; n <= 12; ++n) {
        (*tops)[std::size_t(n - 1)] = v.tops[n - 1];
        (*lefts)[std::size_t(n - 1)] = v.lefts[n - 1];
    }
    const auto restore = [this](const Positions &values, bool top) {
        for (int n = 1; n <= 12; ++n) {
            const auto &value = values[std::size_t(n - 1)];
            if (!value)
                continue;
            SignSlot &s = doc.slot(n);
            (top ? s.topCm : s.leftCm).setText(shortestDecimal(double(*value) / 100.0));
            top ? slotEditors.topReleased(n, true) : slotEditors.leftReleased(n, true);
        }
    };
    restore(*tops, true);
    restore(*lefts, false);
    // The first preview refresh rests the shift spinners and so moves every
    // slot by 0.1 cm; the restored positions are put back right after that
    // move, before the refresh reads them. Adding 0.1 cm beforehand instead
    // fails at the page's edge, where the scroll bar refuses the sum.
    // The handler goes once it has run: later spinner moves are the operator's.
    const auto restoreOnce = [restore](ScrollBar &spinner, std::shared_ptr<Positions> values, bool top) {
        auto token = std::make_shared<Event<>::Token>(0);
        *token = spinner.onChange.connect([&spinner, restore, values, top, token] {
            spinner.onChange.disconnect(*token);
            restore(*values, top);
        });
    };
    restoreOnce(doc.topShift, tops, true);
    restoreOnce(doc.leftShift, lefts, false);
    // A layout from a file goes on printing into it, and continues the
    // numbering the file holds: another program may have printed it since
    // this session was written. A file gone or no longer a layout leaves the
    // session's layout without a file.
    if (!v.layoutFile.isEmpty() && m_layoutFiles.loadNumbering(v.layoutFile)) {
        doc.filePath = v.layoutFile;
        doc.documentName.setCaption(QFileInfo(v.layoutFile).completeBaseName());
    }
    m_sessionAtStart.filePath = doc.filePath;
    m_sessionAtStart.numbering = ExitCommand::numberingOf(doc);
    printForm.startUpCheck(printReopenTimer);
    // The session as restored is where undoing stops.
    m_undo->clear();
}

namespace {

// The document's state that no control shows, by the names scripts use.
const PropertyTable<MainForm> kStateProperties = {
    {"modified", [](const MainForm &f) -> QVariant { return f.doc.modified; },
     [](MainForm &f, const QVariant &v) { return f.doc.modified = v.toInt(), true; }},
    {"orientationMark", [](const MainForm &f) -> QVariant { return f.doc.orientationMark; },
     [](MainForm &f, const QVariant &v) { return f.doc.orientationMark = v.toString(), true; }},
    {"typeTag", [](const MainForm &f) -> QVariant { return f.doc.typeTag; },
     [](MainForm &f, const QVariant &v) { return f.doc.typeTag = v.toString(), true; }},
    {"slotCount", [](const MainForm &f) -> QVariant { return f.doc.slotCount; },
     [](MainForm &f, const QVariant &v) { return f.doc.slotCount = std::clamp(v.toInt(), 1, 12), true; }},
    {"topSpinLast", [](const MainForm &f) -> QVariant { return f.doc.topSpinLast; },
     [](MainForm &f, const QVariant &v) { return f.doc.topSpinLast = v.toInt(), true; }},
    {"leftSpinLast", [](const MainForm &f) -> QVariant { return f.doc.leftSpinLast; },
     [](MainForm &f, const QVariant &v) { return f.doc.leftSpinLast = v.toInt(), true; }},
    {"zeroPrefix", [](const MainForm &f) -> QVariant { return f.sample.zeroPrefixText(); }},
    {"autoPlace", [](const MainForm &f) -> QVariant { return f.doc.autoPlace.caption(); }},
    {"documentName", [](const MainForm &f) -> QVariant { return f.doc.documentName.caption(); }},
    {"previewMouseDown",
     [](const MainForm &f) {
         return f.placement.previewMouseDown ? QVariant(*f.placement.previewMouseDown) : QVariant(QString());
     },
     [](MainForm &f, const QVariant &v) { return f.placement.previewMouseDown = v.toInt(), true; }},
};

} // namespace

const PropertyTable<MainForm> &MainForm::stateProperties() { return kStateProperties; }

} // namespace numora
