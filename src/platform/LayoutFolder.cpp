#include "LayoutFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace numora {

bool DiskLayoutFolder::ensureExists() { return QDir().mkpath(m_path); }

QStringList DiskLayoutFolder::list(const QStringList &patterns) const
{
    QDir dir(m_path);
    dir.setNameFilters(patterns);
    // A name may start with a point; such a layout must still be listed.
    dir.setFilter(QDir::Files | QDir::Hidden);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

std::optional<QByteArray> DiskLayoutFolder::read(const QString &filePath, qint64 maxBytes) const
{
    QFile f(filePath);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.read(maxBytes);
}

bool DiskLayoutFolder::write(const QString &filePath, const QByteArray &content, QString *error)
{
    return writeWholeFile(filePath, content, error);
}

bool DiskLayoutFolder::remove(const QString &filePath) { return QFile::remove(filePath); }

bool writeWholeFile(const QString &filePath, const QByteArray &content, QString *error)
{
    QSaveFile f(filePath);
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        f.cancelWriting(); // the temporary file goes with f; the old file stays
        return false;
    };
    // Unbuffered, so that a full disk fails the write itself: with a buffer,
    // the failed write came at commit() and commit() still said it was done,
    // leaving an empty file in place of the old one.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(f.errorString());
    if (f.write(content) != content.size())
        return fail(f.errorString().isEmpty() ? QStringLiteral("the disk took only part of the file")
                                              : f.errorString());
    if (!f.flush())
        return fail(f.errorString());
    // A full disk or a failing device can also show only here.
    if (::fsync(f.handle()) != 0)
        return fail(qt_error_string(errno));
    if (!f.commit())
        return fail(f.errorString());
    // The rename itself reaches the disk with the folder.
    const QByteArray folder = QFile::encodeName(QFileInfo(filePath).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    const bool synced = fd >= 0 && ::fsync(fd) == 0;
    const int why = errno;
    if (fd >= 0)
        ::close(fd);
    if (!synced && error)
        *error = QStringLiteral("the file was replaced, but its folder could not be written to the disk (%1)")
                     .arg(qt_error_string(why));
    return synced;
}

} // namespace numora
