#pragma once
#include "platform/Printer.h"

namespace numora {

// The printer test double: installed printers and paper as a test sets
// them, and every operation written down as one line, in order:
//   StartDoc "NAME", Orientation 1, FontName "Arial", CurrentX 10368,
//   Print "No:000001", Line BF 1 2 3 4 16777215, NewPage, EndDoc,
//   Code "No:000001" 1 2 3 4 (what it holds, its corners, quiet zones in),
//   Failed "REASON" (the operation on the line before failed).
class RecordingPrinter : public Printer
{
public:
    enum class FailAt { Nowhere, Start, End };

    void setPrinters(const QStringList &names)
    {
        m_names = names;
        m_current = names.isEmpty() ? -1 : 0;
    }
    // Paper size in twips for portrait; landscape swaps the two.
    void setPaper(double width, double height)
    {
        m_paperW = width;
        m_paperH = height;
    }
    // A printable area this far in from each edge of the paper, in twips,
    // whatever the orientation.
    void setMargin(double twips) { m_margin = twips; }
    // The next document fails with this reason when it starts or at its end.
    void failNext(FailAt where, const QString &reason)
    {
        m_failAt = where;
        m_failReason = reason;
    }

    // The lines recorded since the last call.
    QStringList takeLines();
    const QStringList &lines() const { return m_lines; }

    QStringList printerNames() const override { return m_names; }
    int currentIndex() const override { return m_current; }
    bool selectPrinter(int index) override;

    void setDocumentName(const QString &name) override { m_docName = name; }
    void setOrientation(int orientation) override;
    double paperWidth() override { return m_orientation == 2 ? m_paperH : m_paperW; }
    double paperHeight() override { return m_orientation == 2 ? m_paperW : m_paperH; }
    PrintArea printArea() override
    {
        PrintArea area = Printer::printArea();
        area.left = area.top = m_margin;
        area.width -= 2 * m_margin;
        area.height -= 2 * m_margin;
        return area;
    }

    void setFontName(const QString &name) override;
    void setFontSize(double points) override;
    void setFontBold(bool bold) override;
    void setFontItalic(bool italic) override;
    void setForeColor(qint32 colour) override;
    void setCurrentX(double twips) override;
    void setCurrentY(double twips) override;

    bool print(const QString &text) override;
    bool line(double x1, double y1, double x2, double y2, qint32 colour, bool filled) override;
    bool drawCode(const CodeShapes &code, double x, double y, double moduleTwips) override;
    bool newPage() override;
    bool endDoc() override;
    void abortDocument() override;
    bool documentOpen() const override { return m_open; }
    QString lastError() const override { return m_error; }
    // The print system's jobs every document is said to go in, as a test sets them.
    std::vector<PrintedJob> jobs;
    std::vector<PrintedJob> jobsTaken() const override { return jobs; }

private:
    void record(const QString &line) { m_lines.append(line); }
    // Starts the document at its first output; false when it cannot start.
    bool ensureStarted();
    bool failed();

    QStringList m_names;
    int m_current = -1;
    double m_paperW = 11906, m_paperH = 16838;
    double m_margin = 0;
    int m_orientation = 1;
    QString m_docName;
    bool m_open = false;
    bool m_broken = false;
    FailAt m_failAt = FailAt::Nowhere;
    QString m_failReason;
    QString m_error;
    QStringList m_lines;
};

} // namespace numora
