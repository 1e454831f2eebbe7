#include "PrintTarget.h"
#include "platform/Logging.h"
#include "CupsHandOver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace numora {

namespace {

// Why a file cannot be created, in the words of the file system.
QString whyNotWritable(const QString &path)
{
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    if (!folder.exists())
        return QStringLiteral("the folder %1 does not exist").arg(QDir::toNativeSeparators(folder.path()));
    if (info.isDir())
        return QStringLiteral("it is a folder");
    const bool existed = info.exists();
    QFile probe(path);
    if (!probe.open(QIODevice::WriteOnly | QIODevice::Append))
        return probe.errorString();
    probe.close();
    if (!existed)
        probe.remove();
    return QStringLiteral("the file cannot be written");
}

// Whether the file ends with a PDF trailer: a disk that filled up on the
// way leaves a file without one, and Qt does not report the lost writes.
bool pdfComplete(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 16)
        return false;
    f.seek(f.size() - 16);
    return f.read(16).contains("%%EOF");
}

void removeFile(QString &path)
{
    // An unfinished file left behind would read as a printed run.
    if (!path.isEmpty() && QFile::exists(path) && !QFile::remove(path))
        qCWarning(lcPrinting) << "the unfinished file" << path << "cannot be removed";
    path.clear();
}

} // namespace

PdfFileTarget::PdfFileTarget(const QString &path)
    : m_path(path)
{
    const QFileInfo named(path);
    m_destination = named.isSymLink() && named.exists() ? named.canonicalFilePath() : path;
}

QString PdfFileTarget::destinationProblem(const QString &path, const QStringList &protectedFiles)
{
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.absoluteDir().exists())
        return QStringLiteral("The PDF cannot be written to %1: %2.").arg(shown, whyNotWritable(path));
    // Only a file is replaced: a folder, a device or a pipe is not a place
    // for a document, and the rename would take the name from it.
    if (info.exists() && !info.isFile())
        return QStringLiteral("The PDF cannot be written to %1: it is not a regular file.").arg(shown);
    // The rename needs only the folder: a file its owner made read-only
    // would be replaced all the same.
    if (info.exists() && !info.isWritable())
        return QStringLiteral("The PDF cannot be written to %1: the file is read-only.").arg(shown);
    for (const QString &kept : protectedFiles) {
        if (!kept.isEmpty()
            && (info.absoluteFilePath() == QFileInfo(kept).absoluteFilePath()
                || (info.exists() && info.canonicalFilePath() == QFileInfo(kept).canonicalFilePath())))
            return QStringLiteral("The PDF cannot be written to %1: that is the program's journal.").arg(shown);
    }
    return {};
}

QString PdfFileTarget::prepare(QPrinter &printer)
{
    const QFileInfo destination(m_destination);
    QTemporaryFile part(destination.absolutePath() + QStringLiteral("/.") + destination.fileName()
                        + QStringLiteral(".XXXXXX"));
    part.setAutoRemove(false);
    if (!part.open())
        return QStringLiteral("The PDF cannot be written to %1: %2.")
            .arg(QDir::toNativeSeparators(m_path), part.errorString());
    m_part = part.fileName();
    part.close();
    printer.setOutputFileName(m_part);
    return {};
}

QString PdfFileTarget::notStarted() const
{
    return QStringLiteral("The PDF cannot be written to %1: %2.")
        .arg(QDir::toNativeSeparators(m_path), whyNotWritable(m_path));
}

QString PdfFileTarget::complete(QPrinter &, bool finished)
{
    if (!finished || !pdfComplete(m_part)) {
        removeFile(m_part);
        return QStringLiteral("The PDF %1 could not be written completely; is the disk full?")
            .arg(QDir::toNativeSeparators(m_destination));
    }
    if (const QString why = putInPlace(); !why.isEmpty()) {
        removeFile(m_part);
        return QStringLiteral("The PDF %1 could not be written: %2.").arg(QDir::toNativeSeparators(m_destination), why);
    }
    return {};
}

// A PDF half written is of no use to anyone.
void PdfFileTarget::discard(QPrinter &) { removeFile(m_part); }

QString PdfFileTarget::putInPlace()
{
    QFile done(m_part);
    if (!done.open(QIODevice::ReadOnly))
        return done.errorString();
    // A PDF is read by others: it gets the permissions a new file would
    // have, or those of the file it replaces.
    const QFileInfo old(m_destination);
    if (old.exists()) {
        done.setPermissions(old.permissions());
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(done.handle(), 0666 & ~mask);
    }
    if (::fsync(done.handle()) != 0)
        return qt_error_string(errno);
    done.close();
    if (::rename(QFile::encodeName(m_part).constData(), QFile::encodeName(m_destination).constData()) != 0)
        return qt_error_string(errno);
    m_part.clear();
    return {};
}

CupsSpoolTarget::CupsSpoolTarget(const QString &printerName, bool landscape)
    : m_name(printerName)
    , m_landscape(landscape)
{}

QString CupsSpoolTarget::prepare(QPrinter &printer)
{
    if (const QString refused = cupsQueueProblem(m_name); !refused.isEmpty())
        return refused;
    QTemporaryFile spool(QDir::tempPath() + QStringLiteral("/numora-print-XXXXXX"));
    spool.setAutoRemove(false);
    if (!spool.open())
        return QStringLiteral("The document for %1 cannot be prepared: %2 (%3).")
            .arg(m_name, spool.errorString(), QDir::toNativeSeparators(QDir::tempPath()));
    m_spool = spool.fileName();
    spool.close();
    printer.setOutputFileName(m_spool);
    return {};
}

QString CupsSpoolTarget::notStarted() const
{
    return QStringLiteral("The printer %1 could not start the document.").arg(m_name);
}

QString CupsSpoolTarget::complete(QPrinter &printer, bool finished)
{
    QString why;
    // Qt does not report writes lost to a full disk: a spool file without its
    // trailer would go to the printer cut off and be counted as printed.
    if (!finished || !pdfComplete(m_spool))
        why = QStringLiteral("The document for %1 could not be finished; is the disk full?").arg(m_name);
    else
        m_job = cupsSubmit(m_name, m_spool, printer.docName(), cupsOptions(printer, m_landscape), &why);
    discard(printer);
    return why;
}

// The spool file never reaches the print system.
void CupsSpoolTarget::discard(QPrinter &printer)
{
    removeFile(m_spool);
    printer.setOutputFileName(QString());
}

QString PreviewTarget::notStarted() const { return QStringLiteral("The preview could not start its pages."); }

QString PreviewTarget::complete(QPrinter &, bool finished)
{
    return finished ? QString() : QStringLiteral("The preview's pages could not be finished.");
}

} // namespace numora
