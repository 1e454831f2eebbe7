#include "PrintForm.h"
#include "platform/controls/PropertyTable.h"
#include "journal/RunRecorder.h"
#include "layout/LayoutDocument.h"
#include "layout/SessionKeys.h"
#include "platform/Dialogs.h"
#include "platform/Numeric.h"
#include "platform/Printer.h"
#include "platform/SettingsStore.h"
#include "platform/TextMeasure.h"
#include "PrintOrderEngine.h"

#include <algorithm>
#include <numeric>

namespace numora {

namespace {

const QString kNoPrinter = QStringLiteral(" None");

// A size in twips as the dialog's size label writes it: whole millimetres
// tenths of a centimetre (225 twips give 0.4).
QString centimetres(double twips)
{
    const auto mm = integerDivide(twips, 56);
    return mm ? shortestDecimal(double(*mm) / 10) : QStringLiteral("0");
}

qint64 halfOf(double v) { return integerDivide(v, 2).value_or(0); }

} // namespace

PrintForm::PrintForm(Deps deps)
    : Form(QStringLiteral("Prnt1"))
    , Timer1(QStringLiteral("Timer1"), deps.scheduler)
    , Timer2(QStringLiteral("Timer2"), deps.scheduler, true)
    , m_d(std::move(deps))
{
    setCaption(QStringLiteral("Print"));
    setGeometry(0, 0, DesignWidth, DesignHeight);
    Picture2.setGeometry(240, 240, 6720, 1320);
    Label2.setGeometry(240, 1620, 6720, 255);
    Combo1.setGeometry(240, 2040, 6720, 315);
    Label3.setGeometry(240, 2580, 2000, 255);
    Te1.setGeometry(2280, 2535, 1200, 315);
    Check1.setGeometry(240, 3060, 3600, 315);
    Im1.setGeometry(4200, 2520, 2760, 1560);
    Im2.setGeometry(4200, 2520, 2760, 1560);
    Command1.setGeometry(240, 4560, 1560, 480);
    Command4.setGeometry(1920, 4560, 1500, 480);
    Command2.setGeometry(3540, 4560, 1980, 480);
    Command3.setGeometry(5640, 4560, 1320, 480);
    Te1.setText(QStringLiteral("1"));
    Im2.setVisible(false);
    List1.setVisible(false);

    auto measurer = [&m = m_d.measure](const QString &t, const FontSpec &f, double &w, double &h) {
        m.measure(t, f, w, h);
    };
    LA1.setAutoSize(true, measurer);
    L1.setVisible(false);
    L1.setFontBold(true);
    L1.setAutoSize(true, measurer);

    for (Control *c :
         std::initializer_list<Control *>{&Combo1, &List1, &Label3, &Te1, &Check1, &Im1, &Im2, &Command1, &Command2,
                                          &Command3, &Command4, &Picture2, &Label2, &LA1, &L1, &Timer1, &Timer2})
        registerControl(*c);
    connectEvents();
}

void PrintForm::connectEvents()
{
    Te1.onClick.connect([this] { pageFieldClicked(); });
    Te1.onKeyPress.connect([this](int &key) { pageFieldKey(key); });
    Te1.onChange.connect([this] { m_d.pageCount.setText(Te1.text()); });
    Check1.onClick.connect([this] { twoPageClicked(); });
    Combo1.onClick.connect([this] { printerChosen(); });
    Command1.onClick.connect([this] { printClicked(); });
    Command2.onClick.connect([this] { propertiesClicked(); });
    Command3.onClick.connect([this] { cancelClicked(); });
    Command4.onClick.connect([this] { previewClicked(); });
    Timer1.onTick.connect([this] { printJobTick(); });
    Timer2.onTick.connect([this] { keepInFront(); });
}

void PrintForm::ensureLoaded()
{
    if (m_loaded)
        return;
    m_loaded = true;
    pageFieldSelected = 0;
    fillPrinters();
    setGeometry(m_d.mainWindow.left() + 1000, m_d.mainWindow.top() + 1000, width(), height());
    const double pages =
        leadingNumber(m_d.settings.getSetting(session::appName(), session::sectionName(), QStringLiteral("Number0")));
    Te1.setText(pages == 0 ? QStringLiteral("1") : shortestDecimal(pages));
    showIllustrations();
}

void PrintForm::fillPrinters()
{
    Combo1.clear();
    List1.clear();
    const QStringList names = m_d.printer.printerNames();
    if (names.isEmpty()) {
        Combo1.addItem(kNoPrinter);
        List1.addItem(kNoPrinter);
        Combo1.setText(kNoPrinter);
        return;
    }
    // Sorted by the box's texts; each index travels with its printer.
    std::vector<int> order(std::size_t(names.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&names](int a, int b) {
        return QString::compare(names.at(a), names.at(b), Qt::CaseSensitive) < 0;
    });
    QStringList items;
    for (int i : order) {
        items.append(QLatin1Char(' ') + names.at(i));
        List1.addItem(QString::number(i));
    }
    Combo1.setItems(items);
    Combo1.setText(QLatin1Char(' ') + m_d.printer.currentName());
}

void PrintForm::printerChosen()
{
    const int i = Combo1.listIndex();
    List1.setListIndex(i);
    if (i < 0 || Combo1.text() == kNoPrinter)
        return;
    const auto index = roundHalfEven(leadingNumber(List1.item(List1.listIndex())));
    if (!index || m_d.printer.selectPrinter(int(*index)))
        return;
    // The box shows the printer the run will really go to.
    const QString wanted = Combo1.text().trimmed();
    fillPrinters();
    m_d.dialogs.message(QStringLiteral("The printer \"%1\" cannot be chosen now; the run stays with \"%2\".")
                            .arg(wanted, m_d.printer.currentName()),
                        m_appTitle, Dialogs::Buttons::OK);
}

void PrintForm::showIllustrations()
{
    const bool twoPages = Check1.value() != 0;
    Im1.setVisible(!twoPages);
    Im2.setVisible(twoPages);
}

void PrintForm::takeSample()
{
    const Label &sample = m_d.doc.sampleLabel;
    LA1.setBorder(sample.border());
    LA1.setCaption(sample.caption());
    LA1.setFontName(sample.font().name);
    LA1.setFontSize(sample.font().size);
    LA1.setFontBold(sample.font().bold);
    LA1.setFontItalic(sample.font().italic);
    LA1.setForeColor(sample.foreColor());
    LA1.setBackColor(sample.backColor());
}

void PrintForm::setPrinterFont()
{
    const Label &sample = m_d.doc.sampleLabel;
    m_d.printer.setFontName(sample.font().name);
    m_d.printer.setFontSize(sample.font().size);
    m_d.printer.setFontBold(sample.font().bold);
    m_d.printer.setForeColor(sample.foreColor());
    m_d.printer.setFontItalic(sample.font().italic);
}

void PrintForm::takeMeasuringFont()
{
    // The job measures in the font fields' name and size, bold.
    L1.setVisible(m_d.firstPreviewBox.visible());
    L1.setFontSize(leadingNumber(m_d.doc.fontSize.text()));
    L1.setFontName(m_d.doc.fontName.text());
    L1.setCaption(m_d.doc.sampleLabel.caption());
}

void PrintForm::showSizeLabel()
{
    Label2.setCaption(QStringLiteral(" Size: ") + centimetres(LA1.height()) + QStringLiteral(" cm x ")
                      + centimetres(LA1.width()) + QStringLiteral(" cm"));
}

void PrintForm::open()
{
    const QString fileName = m_d.doc.fileCaption.caption().mid(10);
    m_appTitle = QStringLiteral("Talonix")
                 + (fileName == QLatin1String(": None") ? QStringLiteral(": No FileName") : fileName) + QLatin1Char('.')
                 + m_d.doc.typeCaption.caption().mid(6);
    m_d.printer.setDocumentName(m_appTitle);

    ensureLoaded();
    takeSample();
    // The sample stands on the picture's own back unless it has a colour.
    LA1.setTransparent(m_d.doc.sampleLabel.backColor() == 0x00FFFFFF);

    setPrinterFont();

    takeMeasuringFont();

    m_d.doc.autoPlace.setCaption(shortestDecimal(width()));
    setVisible(true);
    L1.setLeft(1000);
    LA1.setLeft(double(halfOf(Picture2.width()) - halfOf(LA1.width())));
    LA1.setTop(double(halfOf(Picture2.height()) - halfOf(LA1.height())));
    showSizeLabel();
    m_d.mainWindow.setEnabled(false);
    Timer2.setInterval(1000);
}

void PrintForm::keepInFront()
{
    if (Timer2.interval() != 0)
        setVisible(true);
}

void PrintForm::startUpCheck(Timer &reopenTimer)
{
    if (m_d.settings.getSetting(session::appName(), session::sectionName(), QStringLiteral("No0"))
        != QLatin1String("Yes"))
        return;
    // Converted directly: a text that is no whole number is skipped.
    bool ok = false;
    const int twoPages = m_d.settings.getSetting(session::appName(), session::sectionName(), QStringLiteral("Number19"))
                             .trimmed()
                             .toInt(&ok);
    ensureLoaded();
    if (ok)
        Check1.setValue(twoPages);
    reopenTimer.setInterval(1);
}

void PrintForm::reopenTick(Timer &reopenTimer)
{
    setGeometry(m_d.mainWindow.left() + 1000, m_d.mainWindow.top() + 1000, width(), height());
    takeSample();
    takeMeasuringFont();
    setVisible(true);
    L1.setLeft(1000);
    LA1.setLeft(double(halfOf(width()) - halfOf(LA1.width())));
    LA1.setTop(900);
    showSizeLabel();
    m_d.mainWindow.setEnabled(false);
    Timer2.setInterval(1000);
    m_d.settings.saveSetting(session::appName(), session::sectionName(), QStringLiteral("No0"), QStringLiteral("No"));
    reopenTimer.setInterval(0);
}

void PrintForm::pageFieldClicked()
{
    if (pageFieldSelected != 0)
        return;
    Te1.selectAll();
    pageFieldSelected = 1;
}

void PrintForm::pageFieldKey(int &key)
{
    if (Te1.selectedText() == Te1.text())
        Te1.setText(QString());
    if (key == TextEditing::KeyBackspace)
        return;
    // Digits, ":" and ";" only, and at most five characters.
    if (key < 48 || key > 59 || Te1.text().size() > 4)
        key = 0;
}

void PrintForm::twoPageClicked() { showIllustrations(); }

void PrintForm::setControlsEnabled(bool on)
{
    for (Control *c : std::initializer_list<Control *>{&Te1, &Command1, &Command2, &Command3, &Command4, &Check1})
        c->setEnabled(on);
}

void PrintForm::printClicked()
{
    Te1.setText(shortestDecimal(leadingNumber(Te1.text())));
    m_d.pageCount.setText(Te1.text());
    if (!pagesToPrint())
        return;
    printIndex = 0;
    m_d.settings.saveSetting(session::appName(), session::sectionName(), QStringLiteral("No0"), QStringLiteral("No"));
    // A run that fails puts the numbering back where it stood now.
    m_startBefore = m_d.doc.startNumber.text();
    for (int n = 1; n <= 12; ++n)
        m_countersBefore[std::size_t(n - 1)] = m_d.doc.slot(n).counter.text();
    // The journal keeps the layout as it was before the numbers moved on,
    // so that the run can be printed again as it was.
    m_layoutBefore = m_d.layoutLines ? m_d.layoutLines() : QStringList();
    m_d.setUpTimer.setInterval(1);
    setControlsEnabled(false);
    Timer1.setInterval(110);
}

std::optional<double> PrintForm::pagesToPrint()
{
    if (Combo1.text() == kNoPrinter)
        return std::nullopt;
    const double pages = leadingNumber(Te1.text());
    if (pages == 0) {
        m_d.dialogs.message(QStringLiteral("Type Numbar Of Pages"), m_appTitle, Dialogs::Buttons::OK);
        return std::nullopt;
    }
    if (!pageCountAccepted(pages)) {
        m_d.dialogs.message(QStringLiteral("A run can have at most 99999 pages."), m_appTitle, Dialogs::Buttons::OK);
        return std::nullopt;
    }
    if (const QString why = runRefusal(pages, Check1.value() == 1); !why.isEmpty()) {
        m_d.dialogs.message(why, m_appTitle, Dialogs::Buttons::OK);
        return std::nullopt;
    }
    return pages;
}

QString PrintForm::runRefusal(double pages, bool twoPages) const
{
    if (twoPages && pages > 0 && pages < 2)
        return QStringLiteral("With the two-page option a run needs at least 2 pages: every page is printed twice.");
    const double generated = twoPages ? double(integerDivide(pages, 2).value_or(0)) : pages;
    std::array<double, 12> counters{};
    for (int n = 1; n <= 12; ++n)
        counters[std::size_t(n - 1)] = leadingNumber(m_d.doc.slot(n).counter.text());
    const double reach =
        runNumberingReach(printOrderNumber(m_d.doc.wayPrint.text()), slotsOnPage(m_d.doc.gridType.text()), generated,
                          leadingNumber(m_d.doc.startNumber.text()), counters);
    if (!(reach <= MaxRunNumber))
        return QStringLiteral("The numbers of this run would pass 999,999,999,999,999, the highest number that can be "
                              "printed: set a lower start number or print fewer pages.");
    return {};
}

void PrintForm::previewClicked()
{
    // The same checks as Print, but the fields stay as typed: a preview
    // changes nothing.
    const std::optional<double> pages = pagesToPrint();
    if (!pages || !m_d.preview)
        return;
    const Preview preview = m_d.preview(qint64(*pages), Check1.value() == 1);
    if (!preview.problem.isEmpty()) {
        m_d.dialogs.message(QStringLiteral("No preview can be shown:\r\n") + preview.problem, m_appTitle,
                            Dialogs::Buttons::OK);
        return;
    }
    m_d.dialogs.printPreview(QStringLiteral("Preview: ") + m_appTitle, preview.lines, m_d.printer, preview.drawPages);
}

void PrintForm::propertiesClicked()
{
    pageFieldSelected = 0;
    Timer2.setInterval(0);
    for (Control *c : std::initializer_list<Control *>{&Te1, &Check1, &Command3, &Command1, &Command4})
        c->setEnabled(false);
    Timer1.setInterval(0);
    Command2.setEnabled(false);
    m_d.dialogs.printerSetup(m_d.printer);
    Combo1.setText(QLatin1Char(' ') + m_d.printer.currentName());
    Command2.setEnabled(true);
    fillPrinters();
    for (Control *c : std::initializer_list<Control *>{&Command3, &Command1, &Command4, &Te1, &Check1})
        c->setEnabled(true);
    Timer2.setInterval(1000);
}

void PrintForm::cancelClicked()
{
    Check1.setValue(0);
    m_d.mainWindow.setEnabled(true);
    setVisible(false);
    m_d.settings.saveSetting(session::appName(), session::sectionName(), QStringLiteral("No0"), QStringLiteral("No"));
    Timer2.setInterval(0);
    pageFieldSelected = 0;
}

void PrintForm::closeRequested()
{
    if (Command3.enabled())
        cancelClicked();
}

namespace {

// Whichever way a job leaves, the document it started is ended or thrown
// away before anyone hears how it went: a document left open would take the
// next run's pages and keep the printer from being changed.
class DocumentGuard
{
public:
    explicit DocumentGuard(Printer &printer)
        : m_printer(printer)
    {}
    DocumentGuard(const DocumentGuard &) = delete;
    DocumentGuard &operator=(const DocumentGuard &) = delete;
    // After a document that ended this throws nothing away; after a failed
    // one it clears the failure, so that the next document starts afresh.
    ~DocumentGuard() { m_printer.abortDocument(); }

private:
    Printer &m_printer;
};

} // namespace

void PrintForm::printJobTick()
{
    // Views may let events through while pages are drawn; a tick that comes
    // in meanwhile must not start a second pass.
    if (m_printing)
        return;
    m_d.printer.setOrientation(m_d.doc.orientationCode.caption() == QLatin1String("4") ? 2 : 1);
    if (m_d.generationTimer.interval() == 1 || m_d.setUpTimer.armed())
        return;
    m_lastJobPages = 0;
    if (m_d.sequenceCount() == 0) {
        finish();
        return;
    }
    QString why;
    bool printed = false;
    {
        const DocumentGuard guard(m_d.printer);
        printed = runJob(why);
    }
    if (!printed) {
        failJob(why);
        return;
    }
    onJobPrinted.raise();
    finish();
}

bool PrintForm::runJob(QString &why)
{
    Printer &p = m_d.printer;
    if (p.documentOpen()) {
        // Its pages would go out with an earlier document.
        why = QStringLiteral("The printer is still holding an earlier document.");
        return false;
    }
    // Where the pages go is settled before the journal records the run.
    if (!p.chooseTarget()) {
        why = p.lastFailureCancelled() ? QString() : p.lastError();
        return false;
    }
    // False: nothing goes out and nothing moved, the operator chose so.
    if (!recordStart())
        return false;
    m_printing = true;
    m_lastText.reset();
    bool printed = printSequence(why);
    if (printed && p.documentOpen()) {
        printed = false;
        why = QStringLiteral("The document was not finished.");
    }
    recordEnd(printed, why);
    if (m_lastText)
        L1.setCaption(*m_lastText);
    m_printing = false;
    return printed;
}

void PrintForm::failJob(const QString &why)
{
    m_lastJobPages = 0;
    if (!why.isEmpty()) {
        QString printerName = Combo1.text().trimmed();
        m_d.dialogs.message(QStringLiteral("The printer \"%1\" could not print this run:\r\n%2\r\n\r\n"
                                           "Nothing was counted: the numbers stay as they were before the run.")
                                .arg(printerName, why),
                            m_appTitle, Dialogs::Buttons::OK);
    }
    restoreNumbering();
    onJobFailed.raise(why);
    finish();
}

bool PrintForm::printSequence(QString &why)
{
    Printer &p = m_d.printer;
    const auto failed = [&p, &why] {
        why = p.lastFailureCancelled() ? QString() : p.lastError();
        return false;
    };
    const qsizetype entries = m_d.sequenceCount();
    const qsizetype perPage = qsizetype(std::max(0.0, leadingNumber(m_d.doc.gridType.text())));
    // Only the pages the sequence holds are walked: with the two-page option
    // and an odd count there is no blank surplus page.
    const double asked = leadingNumber(Te1.text());
    qsizetype pages = perPage > 0 ? entries / perPage : 0;
    if (asked >= 0 && asked < double(pages))
        pages = qsizetype(asked);
    if (pages == 0) {
        why = QStringLiteral("The run has no whole page to print.");
        return false;
    }
    // A reprint sends only its pages; the others are read past. Pages the
    // run never printed cannot be printed again.
    const qsizetype firstPage = reprint ? std::max<qsizetype>(1, reprint->fromPage) : 1;
    const qsizetype lastPage = reprint ? std::min(pages, reprint->toPage) : pages;
    if (firstPage > lastPage) {
        why = QStringLiteral("Pages %1 to %2 were not printed by the run: it printed pages 1 to %3.")
                  .arg(firstPage)
                  .arg(reprint->toPage)
                  .arg(pages);
        return false;
    }

    p.setFontItalic(false);
    p.setCurrentX(0);
    p.setCurrentY(0);
    p.setFontSize(8);
    p.setForeColor(0);
    if (!p.print(QStringLiteral(" ")))
        return failed();
    // The paper cannot change while the document is drawn.
    m_pageWidth = double(roundHalfEven(p.paperWidth()).value_or(0));
    m_pageHeight = double(roundHalfEven(p.paperHeight()).value_or(0));

    const bool reverse = m_d.doc.wayPrint.text().startsWith(QLatin1Char('6'));
    qsizetype index = reverse ? entries - 1 : printIndex;
    index += (reverse ? -1 : 1) * (firstPage - 1) * perPage;
    const qsizetype sent = lastPage - firstPage + 1;
    for (qsizetype page = firstPage; page <= lastPage; ++page) {
        if (page != firstPage && !p.newPage())
            return failed();
        for (qsizetype s = 0; s < perPage; ++s) {
            if (!printEntry(m_d.sequenceEntry(index)))
                return failed();
            index += reverse ? -1 : 1;
        }
        if (!reverse)
            printIndex = index;
        if (progress && !progress(page - firstPage + 1, sent)) {
            why.clear();
            return false;
        }
    }
    if (!p.endDoc())
        return failed();
    m_lastJobPages = sent;
    return true;
}

bool PrintForm::printEntry(const QString &entry)
{
    Printer &p = m_d.printer;
    const double first = leadingNumber(entry.left(6));
    const double second = leadingNumber(entry.mid(6, 6));
    const QString text = entry.mid(12);
    const bool boxed = m_d.doc.borderLine.value() == 1;
    // The extent only shapes the box; without one the text is not measured
    // (the measuring label takes the last text when the pass ends).
    double w = 0, t = 0;
    if (boxed) {
        L1.setCaption(text);
        w = L1.width();
        t = L1.height();
    } else {
        m_lastText = text;
    }

    const QString &code = m_d.doc.orientationCode.caption();
    const bool portrait = code == QLatin1String("6");
    if (!portrait && code != QLatin1String("4"))
        return true;
    const double pageWidth = m_pageWidth;
    const double pageHeight = m_pageHeight;
    double h, v;
    if (portrait) {
        h = second * (pageHeight / 29.7);
        v = first * (pageWidth / 21);
    } else {
        h = first * (pageHeight / 21);
        v = second * (pageWidth / 29.7);
    }
    const double H = double(roundHalfEven(h).value_or(0));
    const double V = double(roundHalfEven(v).value_or(0));

    setPrinterFont();
    const Label &sample = m_d.doc.sampleLabel;
    if (boxed) {
        if (!p.line(H - 150, V - 200, H + w - 90, V + t - 170, sample.backColor(), true))
            return false;
        if (!p.line(H - 150, V - 200, H + w - 90, V + t - 170, 0, false))
            return false;
    }
    p.setCurrentX(H - 120);
    p.setCurrentY(V - 170);
    return p.print(text);
}

bool PrintForm::recordStart()
{
    if (!m_d.recorder)
        return true;
    RunRecorder::Run run;
    run.title = m_appTitle;
    run.layoutName = m_d.doc.documentName.caption();
    run.gridType = m_d.doc.gridType.text();
    run.printOrder = m_d.doc.wayPrint.text();
    run.printer = m_d.printer.targetName();
    run.pagesRequested = qint64(leadingNumber(Te1.text()));
    run.twoPages = Check1.value() == 1;
    run.reverse = m_d.doc.wayPrint.text().startsWith(QLatin1Char('6'));
    run.perPage = int(std::max(0.0, leadingNumber(m_d.doc.gridType.text())));
    run.layoutLines = m_layoutBefore;
    if (reprint) {
        run.reprintOf = reprint->runId;
        run.reprintFrom = reprint->fromPage;
        run.reprintTo = reprint->toPage;
    }
    return m_d.recorder->begin(run);
}

void PrintForm::recordEnd(bool printed, const QString &why)
{
    if (!m_d.recorder)
        return;
    using Outcome = JournalRun::Outcome;
    const Outcome outcome = printed ? Outcome::Printed : why.isEmpty() ? Outcome::Stopped : Outcome::Failed;
    m_d.recorder->end(outcome, printed ? m_lastJobPages : 0, why);
}

void PrintForm::restoreNumbering()
{
    // Counters first: each copies itself into the start number field, which
    // then takes its own value back last.
    for (int n = 1; n <= 12; ++n)
        m_d.doc.slot(n).counter.setText(m_countersBefore[std::size_t(n - 1)]);
    m_d.doc.startNumber.setText(m_startBefore);
}

void PrintForm::finish()
{
    setVisible(false);
    setControlsEnabled(true);
    m_d.mainWindow.setVisible(true);
    m_d.mainWindow.setEnabled(true);
    Timer2.setInterval(0);
    Timer1.setInterval(0);
}

namespace {

const PropertyTable<PrintForm> kStateProperties = {
    {"pageFieldSelected", [](const PrintForm &f) -> QVariant { return f.pageFieldSelected; },
     [](PrintForm &f, const QVariant &v) { return f.pageFieldSelected = v.toInt(), true; }},
    {"printIndex", [](const PrintForm &f) -> QVariant { return qlonglong(f.printIndex); },
     [](PrintForm &f, const QVariant &v) { return f.printIndex = v.toLongLong(), true; }},
    {"appTitle", [](const PrintForm &f) -> QVariant { return f.appTitle(); }},
};

} // namespace

QStringList PrintForm::stateNames() const { return kStateProperties.names(); }

QVariant PrintForm::state(const QString &name) const
{
    if (const auto v = kStateProperties.get(*this, name))
        return *v;
    return Form::state(name);
}

bool PrintForm::setState(const QString &name, const QVariant &value)
{
    if (const auto done = kStateProperties.set(*this, name, value))
        return *done;
    return Form::setState(name, value);
}

} // namespace numora
