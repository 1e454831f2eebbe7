#pragma once
#include <QString>
#include <QStringList>

class QPrinter;

namespace numora {

// Where a document drawn on a QPrinter goes. The printer draws the pages;
// its target says where they are written before the painter begins, and
// what becomes of them once it has ended or when they are thrown away.
class PrintTarget
{
public:
    virtual ~PrintTarget() = default;

    // Points the QPrinter at the target, before its painter begins. Why the
    // target cannot take a document, in words for the operator; empty when
    // it can.
    virtual QString prepare(QPrinter &printer) = 0;
    // Why the painter could not begin on the prepared QPrinter; whatever
    // prepare() made is discarded first.
    virtual QString notStarted() const = 0;
    // After the painter ended (finished: without an error): the document
    // goes where it belongs. Why it could not; nothing of it stays then.
    virtual QString complete(QPrinter &printer, bool finished) = 0;
    // The document is thrown away: nothing of it stays or reaches anyone.
    virtual void discard(QPrinter &printer) = 0;
    // The print system's number of the job the document became; 0 for none.
    virtual int jobId() const { return 0; }
};

// A PDF file. It is written beside its destination and put in its place
// only once complete: a failed or killed run leaves whatever was there
// before. A link stays a link: the document replaces the file it points to.
class PdfFileTarget : public PrintTarget
{
public:
    // path: as the operator named it, checked by destinationProblem().
    explicit PdfFileTarget(const QString &path);

    // Why no PDF can be written to path, before anything is printed: its
    // folder is missing, it is not a regular file, or it is one of the
    // protected files (compared by path). Empty when it can.
    static QString destinationProblem(const QString &path, const QStringList &protectedFiles);

    QString prepare(QPrinter &printer) override;
    QString notStarted() const override;
    QString complete(QPrinter &printer, bool finished) override;
    void discard(QPrinter &printer) override;

private:
    // Renames the finished file over its destination; why not, if it fails.
    QString putInPlace();

    QString m_path;
    QString m_destination;
    QString m_part; // the file being written
};

// A CUPS queue. The document is written to a spool file first and handed
// over whole by complete(), so that a discarded one really sends nothing
// and a refused job is reported instead of lost.
class CupsSpoolTarget : public PrintTarget
{
public:
    CupsSpoolTarget(const QString &printerName, bool landscape);

    QString prepare(QPrinter &printer) override;
    QString notStarted() const override;
    QString complete(QPrinter &printer, bool finished) override;
    void discard(QPrinter &printer) override;
    int jobId() const override { return m_job; }

private:
    QString m_name;
    bool m_landscape;
    QString m_spool;
    int m_job = 0;
};

// The QPrinter a print preview records its pages on: its owner set it up
// and decides what its pages become.
class PreviewTarget : public PrintTarget
{
public:
    QString prepare(QPrinter &) override { return {}; }
    QString notStarted() const override;
    QString complete(QPrinter &printer, bool finished) override;
    void discard(QPrinter &) override {}
};

} // namespace numora
