#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace numora {

// The folder that holds the layout files, and whole-file access to it.
class LayoutFolder
{
public:
    virtual ~LayoutFolder() = default;
    // The folder's path, ending without a separator.
    virtual QString path() const = 0;
    // Joins the folder and a file name.
    QString filePath(const QString &name) const { return path() + QLatin1Char('/') + name; }
    // Creates the folder when it is missing; false when that fails.
    virtual bool ensureExists() = 0;
    // File names (without folder) matching any of the wildcard patterns,
    // without regard to case, sorted by name.
    virtual QStringList list(const QStringList &patterns) const = 0;
    // The file's first bytes, up to maxBytes; nothing when it cannot be read.
    virtual std::optional<QByteArray> read(const QString &filePath, qint64 maxBytes) const = 0;
    // Replaces the file as a whole: either the new content is there or the
    // old file is untouched. On failure, error says why.
    virtual bool write(const QString &filePath, const QByteArray &content, QString *error) = 0;
    virtual bool remove(const QString &filePath) = 0;
};

// A folder on disk.
class DiskLayoutFolder : public LayoutFolder
{
public:
    explicit DiskLayoutFolder(QString path)
        : m_path(std::move(path))
    {}
    QString path() const override { return m_path; }
    bool ensureExists() override;
    QStringList list(const QStringList &patterns) const override;
    std::optional<QByteArray> read(const QString &filePath, qint64 maxBytes) const override;
    bool write(const QString &filePath, const QByteArray &content, QString *error) override;
    bool remove(const QString &filePath) override;

private:
    QString m_path;
};

// Replaces the file at filePath with content, through a temporary file
// beside it that is renamed over it once written, flushed and synced: either
// the new content is there or the old file is untouched, byte for byte. On
// failure, error says why. Every file the program writes goes through here.
bool writeWholeFile(const QString &filePath, const QByteArray &content, QString *error);

} // namespace numora
