#include "PrintForm.h"
#include "numbertext/RunEntry.h"
#include "platform/controls/PropertyTable.h"
#include "layout/LayoutDocument.h"
#include "layout/SessionKeys.h"
#include "platform/Dialogs.h"
#include "platform/Numeric.h"
#include "platform/Printer.h"
#include "platform/SettingsStore.h"
#include "platform/TextMeasure.h"
#include "RunPrinter.h"

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
    , printTimer(QStringLiteral("Timer1"), deps.scheduler)
    , keepInFrontTimer(QStringLiteral("Timer2"), deps.scheduler, true)
    , m_d(std::move(deps))
    , m_job(m_d.printer, m_d.doc, measuringLabel, m_d.entries, m_d.claims)
{
    m_job.onFailure = [this](const QString &why) { tellFailure(why); };
    setCaption(QStringLiteral("Print"));
    setGeometry(0, 0, DesignWidth, DesignHeight);
    samplePicture.setGeometry(240, 240, 6720, 1320);
    sizeCaption.setGeometry(240, 1620, 6720, 255);
    printerBox.setGeometry(240, 2040, 6720, 315);
    pagesCaption.setGeometry(240, 2580, 2000, 255);
    pageField.setGeometry(2280, 2535, 1200, 315);
    twoPageOption.setGeometry(240, 3060, 3600, 315);
    oneSheetIllustration.setGeometry(4200, 2520, 2760, 1560);
    twoSheetsIllustration.setGeometry(4200, 2520, 2760, 1560);
    printButton.setGeometry(240, 4560, 1560, 480);
    previewButton.setGeometry(1920, 4560, 1500, 480);
    propertiesButton.setGeometry(3540, 4560, 1980, 480);
    cancelButton.setGeometry(5640, 4560, 1320, 480);
    pageField.setText(QStringLiteral("1"));
    twoSheetsIllustration.setVisible(false);
    printerIndexes.setVisible(false);

    numberSample.setAutoSize(true, [&m = m_d.measure](const QString &t, const FontSpec &f, double &w, double &h) {
        m.measure(t, f, w, h);
    });
    RunPrinter::setUpMeasuring(measuringLabel, m_d.measure);

    for (Control *c : std::initializer_list<Control *>{
             &printerBox, &printerIndexes, &pagesCaption, &pageField, &twoPageOption, &oneSheetIllustration,
             &twoSheetsIllustration, &printButton, &propertiesButton, &cancelButton, &previewButton, &samplePicture,
             &sizeCaption, &numberSample, &measuringLabel, &printTimer, &keepInFrontTimer})
        registerControl(*c);
    connectEvents();
}

void PrintForm::connectEvents()
{
    pageField.onClick.connect([this] { pageFieldClicked(); });
    pageField.onKeyPress.connect([this](int &key) { pageFieldKey(key); });
    pageField.onChange.connect([this] { m_d.pageCount.setText(pageField.text()); });
    twoPageOption.onClick.connect([this] { twoPageClicked(); });
    printerBox.onClick.connect([this] { printerChosen(); });
    printButton.onClick.connect([this] { printClicked(); });
    propertiesButton.onClick.connect([this] { propertiesClicked(); });
    cancelButton.onClick.connect([this] { cancelClicked(); });
    previewButton.onClick.connect([this] { previewClicked(); });
    printTimer.onTick.connect([this] { printJobTick(); });
    keepInFrontTimer.onTick.connect([this] { keepInFront(); });
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
    pageField.setText(pages == 0 ? QStringLiteral("1") : shortestDecimal(pages));
    showIllustrations();
}

void PrintForm::fillPrinters()
{
    printerBox.clear();
    printerIndexes.clear();
    const QStringList names = m_d.printer.printerNames();
    if (names.isEmpty()) {
        printerBox.addItem(kNoPrinter);
        printerIndexes.addItem(kNoPrinter);
        printerBox.setText(kNoPrinter);
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
        printerIndexes.addItem(QString::number(i));
    }
    printerBox.setItems(items);
    printerBox.setText(QLatin1Char(' ') + m_d.printer.currentName());
}

void PrintForm::printerChosen()
{
    const int i = printerBox.listIndex();
    printerIndexes.setListIndex(i);
    if (i < 0 || printerBox.text() == kNoPrinter)
        return;
    const auto index = roundHalfEven(leadingNumber(printerIndexes.item(printerIndexes.listIndex())));
    if (!index || m_d.printer.selectPrinter(int(*index)))
        return;
    // The box shows the printer the run will really go to.
    const QString wanted = printerBox.text().trimmed();
    fillPrinters();
    m_d.dialogs.message(QStringLiteral("The printer \"%1\" cannot be chosen now; the run stays with \"%2\".")
                            .arg(wanted, m_d.printer.currentName()),
                        m_appTitle, Dialogs::Buttons::OK);
}

void PrintForm::showIllustrations()
{
    const bool twoPages = twoPageOption.value() != 0;
    oneSheetIllustration.setVisible(!twoPages);
    twoSheetsIllustration.setVisible(twoPages);
}

void PrintForm::takeSample()
{
    const Label &sample = m_d.doc.sampleLabel;
    numberSample.setBorder(sample.border());
    numberSample.setCaption(sample.caption());
    numberSample.setFontName(sample.font().name);
    numberSample.setFontSize(sample.font().size);
    numberSample.setFontBold(sample.font().bold);
    numberSample.setFontItalic(sample.font().italic);
    numberSample.setForeColor(sample.foreColor());
    numberSample.setBackColor(sample.backColor());
}

void PrintForm::setPrinterFont() { PrintJob::setPrinterFont(m_d.printer, m_d.doc); }

void PrintForm::takeMeasuringFont()
{
    measuringLabel.setVisible(m_d.firstPreviewBox.visible());
    RunPrinter::takeMeasuringFont(measuringLabel, m_d.doc);
}

void PrintForm::showSizeLabel()
{
    sizeCaption.setCaption(QStringLiteral(" Size: ") + centimetres(numberSample.height()) + QStringLiteral(" cm x ")
                           + centimetres(numberSample.width()) + QStringLiteral(" cm"));
}

void PrintForm::open()
{
    m_appTitle = RunPrinter::documentTitle(m_d.doc);
    m_d.printer.setDocumentName(m_appTitle);

    ensureLoaded();
    takeSample();
    // The sample stands on the picture's own back unless it has a colour.
    numberSample.setTransparent(m_d.doc.sampleLabel.backColor() == 0x00FFFFFF);

    setPrinterFont();

    takeMeasuringFont();

    m_d.doc.autoPlace.setCaption(shortestDecimal(width()));
    setVisible(true);
    measuringLabel.setLeft(1000);
    numberSample.setLeft(double(halfOf(samplePicture.width()) - halfOf(numberSample.width())));
    numberSample.setTop(double(halfOf(samplePicture.height()) - halfOf(numberSample.height())));
    showSizeLabel();
    m_d.mainWindow.setEnabled(false);
    keepInFrontTimer.setInterval(1000);
}

void PrintForm::keepInFront()
{
    if (keepInFrontTimer.interval() != 0)
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
        twoPageOption.setValue(twoPages);
    reopenTimer.setInterval(1);
}

void PrintForm::reopenTick(Timer &reopenTimer)
{
    setGeometry(m_d.mainWindow.left() + 1000, m_d.mainWindow.top() + 1000, width(), height());
    takeSample();
    takeMeasuringFont();
    setVisible(true);
    measuringLabel.setLeft(1000);
    numberSample.setLeft(double(halfOf(width()) - halfOf(numberSample.width())));
    numberSample.setTop(900);
    showSizeLabel();
    m_d.mainWindow.setEnabled(false);
    keepInFrontTimer.setInterval(1000);
    m_d.settings.saveSetting(session::appName(), session::sectionName(), QStringLiteral("No0"), QStringLiteral("No"));
    reopenTimer.setInterval(0);
}

void PrintForm::pageFieldClicked()
{
    if (pageFieldSelected != 0)
        return;
    pageField.selectAll();
    pageFieldSelected = 1;
}

void PrintForm::pageFieldKey(int &key)
{
    if (pageField.selectedText() == pageField.text())
        pageField.setText(QString());
    if (key == TextEditing::KeyBackspace)
        return;
    // Digits, ":" and ";" only, and at most five characters.
    if (key < 48 || key > 59 || pageField.text().size() > 4)
        key = 0;
}

void PrintForm::twoPageClicked() { showIllustrations(); }

void PrintForm::setControlsEnabled(bool on)
{
    for (Control *c : std::initializer_list<Control *>{&pageField, &printButton, &propertiesButton, &cancelButton,
                                                       &previewButton, &twoPageOption})
        c->setEnabled(on);
}

void PrintForm::printClicked()
{
    pageField.setText(shortestDecimal(leadingNumber(pageField.text())));
    m_d.pageCount.setText(pageField.text());
    if (!pagesToPrint())
        return;
    printIndex = 0;
    m_d.settings.saveSetting(session::appName(), session::sectionName(), QStringLiteral("No0"), QStringLiteral("No"));
    // A run that fails puts the numbering back where it stood now.
    m_numberingBefore = PrintJob::Numbering::of(m_d.doc);
    // The journal keeps the layout as it was before the numbers moved on,
    // so that the run can be printed again as it was.
    m_layoutBefore = m_d.layoutLines ? m_d.layoutLines() : QStringList();
    m_d.setUpTimer.setInterval(1);
    setControlsEnabled(false);
    printTimer.setInterval(110);
}

std::optional<double> PrintForm::pagesToPrint()
{
    if (printerBox.text() == kNoPrinter)
        return std::nullopt;
    const double pages = leadingNumber(pageField.text());
    if (const QString why = RunPrinter::refusal(m_d.doc, pages, twoPageOption.value() == 1); !why.isEmpty()) {
        m_d.dialogs.message(why, m_appTitle, Dialogs::Buttons::OK);
        return std::nullopt;
    }
    return pages;
}

void PrintForm::previewClicked()
{
    // The same checks as Print, but the fields stay as typed: a preview
    // changes nothing.
    const std::optional<double> pages = pagesToPrint();
    if (!pages || !m_d.preview)
        return;
    const Preview preview = m_d.preview(qint64(*pages), twoPageOption.value() == 1);
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
    keepInFrontTimer.setInterval(0);
    for (Control *c :
         std::initializer_list<Control *>{&pageField, &twoPageOption, &cancelButton, &printButton, &previewButton})
        c->setEnabled(false);
    printTimer.setInterval(0);
    propertiesButton.setEnabled(false);
    m_d.dialogs.printerSetup(m_d.printer);
    printerBox.setText(QLatin1Char(' ') + m_d.printer.currentName());
    propertiesButton.setEnabled(true);
    fillPrinters();
    for (Control *c :
         std::initializer_list<Control *>{&cancelButton, &printButton, &previewButton, &pageField, &twoPageOption})
        c->setEnabled(true);
    keepInFrontTimer.setInterval(1000);
}

void PrintForm::cancelClicked()
{
    twoPageOption.setValue(0);
    m_d.mainWindow.setEnabled(true);
    setVisible(false);
    m_d.settings.saveSetting(session::appName(), session::sectionName(), QStringLiteral("No0"), QStringLiteral("No"));
    keepInFrontTimer.setInterval(0);
    pageFieldSelected = 0;
}

void PrintForm::closeRequested()
{
    if (cancelButton.enabled())
        cancelClicked();
}

void PrintForm::printJobTick()
{
    // Views may let events through while pages are drawn; a tick that comes
    // in meanwhile must not start a second pass.
    if (m_job.running())
        return;
    m_d.printer.setOrientation(RunPrinter::orientation(m_d.doc));
    if (m_d.generationTimer.interval() == 1 || m_d.setUpTimer.armed())
        return;
    m_lastJobPages = 0;
    PrintJob::Request request;
    request.title = m_appTitle;
    request.pagesAsked = leadingNumber(pageField.text());
    request.twoPages = twoPageOption.value() == 1;
    request.layoutLines = m_layoutBefore;
    request.reprint = reprint;
    request.before = m_numberingBefore;
    request.index = &printIndex;
    m_job.progress = progress;
    m_job.claiming = claiming;
    const std::optional<PrintJob::Result> result = RunPrinter::printGenerated(m_job, m_d.entries, request);
    if (!result) {
        finish();
        return;
    }
    if (!result->printed) {
        onJobFailed.raise(result->why);
        finish();
        return;
    }
    m_lastJobPages = result->pages;
    onJobPrinted.raise();
    finish();
}

void PrintForm::tellFailure(const QString &why)
{
    m_lastJobPages = 0;
    if (why.isEmpty())
        return;
    m_d.dialogs.message(RunPrinter::failureMessage(printerBox.text().trimmed(), why), m_appTitle,
                        Dialogs::Buttons::OK);
}

void PrintForm::finish()
{
    setVisible(false);
    setControlsEnabled(true);
    m_d.mainWindow.setVisible(true);
    m_d.mainWindow.setEnabled(true);
    keepInFrontTimer.setInterval(0);
    printTimer.setInterval(0);
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
