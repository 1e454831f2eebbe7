#include "LayoutFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    // Written beside the old file and renamed over it: a crash or a full
    // disk never leaves half a layout, nor loses the previous one.
    QSaveFile f(filePath);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (f.write(content) != content.size() || !f.commit()) {
        if (error)
            *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    return true;
}

bool DiskLayoutFolder::remove(const QString &filePath) { return QFile::remove(filePath); }

} // namespace numora
