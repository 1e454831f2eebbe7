#include "Previewer.h"
#include "MainForm.h"
#include "RunForms.h"
#include "journal/JournalForm.h"
#include "platform/Printer.h"

#include <algorithm>

namespace numora {

namespace {

// The printer of the pass that only learns the run's numbers: it takes
// every operation and keeps nothing.
class DiscardingPrinter : public Printer
{
public:
    QStringList printerNames() const override { return {QStringLiteral("Preview")}; }
    int currentIndex() const override { return 0; }
    bool selectPrinter(int index) override { return index == 0; }
    void setDocumentName(const QString &) override {}
    void setOrientation(int orientation) override { m_landscape = orientation == 2; }
    double paperWidth() override { return m_landscape ? 16838 : 11906; }
    double paperHeight() override { return m_landscape ? 11906 : 16838; }
    void setFontName(const QString &) override {}
    void setFontSize(double) override {}
    void setFontBold(bool) override {}
    void setFontItalic(bool) override {}
    void setForeColor(qint32) override {}
    void setCurrentX(double) override {}
    void setCurrentY(double) override {}
    bool print(const QString &) override { return true; }
    bool line(double, double, double, double, qint32, bool) override { return true; }
    bool newPage() override { return true; }
    bool endDoc() override { return true; }
    void abortDocument() override {}
    bool documentOpen() const override { return false; }
    QString lastError() const override { return {}; }

private:
    bool m_landscape = false;
};

} // namespace

PrintForm::Preview Previewer::preview(const Run &run) const
{
    PrintForm::Preview result;
    const qint64 shown = std::min(run.pages, ShownPages);
    // Into forms without a journal: the preview is no run.
    const auto printInto = [run, shown](RunForms &forms, QString *problem) {
        if (!forms.load(run.layoutLines, run.gridType, run.layoutName, problem)) {
            *problem = QStringLiteral("the layout ") + *problem;
            return false;
        }
        const RunForms::Outcome outcome = forms.print(run.pages, run.twoPages, 0, std::make_pair(qint64(1), shown));
        if (!outcome.ended)
            *problem = QStringLiteral("the run did not come to an end");
        else if (!outcome.printed)
            *problem = outcome.failure;
        return outcome.printed;
    };

    // A first pass learns the numbers of the whole run.
    DiscardingPrinter discard;
    RunForms forms(m_services, discard, nullptr);
    QString problem;
    if (!printInto(forms, &problem)) {
        result.problem = problem.isEmpty() ? QStringLiteral("the run was stopped") : problem;
        return result;
    }
    JournalRun numbers;
    numbers.ranges = forms.form().recorder.ranges();
    result.lines = JournalForm::positionLines(numbers);
    if (result.lines.isEmpty())
        result.lines << QStringLiteral("The run prints no numbers.");
    if (shown < run.pages)
        result.lines << QStringLiteral("Pages 1 to %1 of %2 are shown.").arg(shown).arg(run.pages);

    result.drawPages = [services = m_services, printInto](Printer &printer) {
        RunForms own(services, printer, nullptr);
        QString ignored;
        printInto(own, &ignored);
    };
    return result;
}

} // namespace numora
