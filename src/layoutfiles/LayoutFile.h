#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace numora {

class LayoutDocument;
class LayoutFolder;
class NumberSample;
class Orientation;

// The two writers label lines 3 and 4 the other way round; readers go by
// line position, so both files load alike.
enum class LayoutWriter { SaveCommand, Exit };

constexpr int LayoutFileLines = 54;

// The 12-character keys of the 54 lines.
QStringList layoutFileKeys(LayoutWriter writer);
// The 54 values as the fields hold them now.
QStringList layoutFileValues(const LayoutDocument &doc);
// A value as one line: line breaks become blanks.
QString singleLine(const QString &value);
// Keys and values joined, CR LF after every line, in Windows-1256.
QByteArray encodeLayoutFile(const QStringList &keys, const QStringList &values);
// The characters of the values that Windows-1256 cannot hold (they are
// written as "?"), each once.
QString unencodableCharacters(const QStringList &values);
// The lines of a file (CR LF, CR or LF ends), at most the first 54.
QStringList decodeLayoutLines(const QByteArray &bytes);

// The file at path when it is a layout file: the 54 lines, each with its key
// (lines 3 and 4 in either writer's order), and a grid type the program
// knows. Otherwise nothing, and problem says why.
std::optional<QByteArray> readLayoutFile(const LayoutFolder &folder, const QString &path, QString *problem);
// Replaces the start number and counter lines of the layout file at path
// with the open layout's, each under the key the file has; every other line
// stays as it is on disk. On failure the file is unchanged and error says why.
bool writeNumberingBack(LayoutFolder &folder, const QString &path, const LayoutDocument &doc, QString *error);

struct CodeSettings;
// The code kept in the side file beside the layout file at layoutPath; none
// when there is no such file or it cannot be read.
CodeSettings readCodeSideFile(const LayoutFolder &folder, const QString &layoutPath);
// Deletes the layout file at path and its code's side file with it.
bool removeLayoutFile(LayoutFolder &folder, const QString &path);

// Writes and loads layout files through the open layout's controls.
class LayoutFileIO
{
public:
    LayoutFileIO(LayoutDocument &doc, NumberSample &sample, Orientation &orientation, LayoutFolder &folder);

    // Replaces the file at path with the current layout, and its code's
    // side file with it. On failure nothing is changed on disk and error
    // says why.
    bool writeLayoutFile(const QString &path, LayoutWriter writer, QString *error = nullptr);
    // Reads the file (and its code's side file) into the fields, each write
    // with its usual effects, and sets the captions from fileName (name and
    // extension). A file that
    // cannot be read changes nothing and gives false.
    bool loadLayoutFile(const QString &path, const QString &fileName);
    // The same for a layout file's bytes held in memory (a layout the
    // journal kept): the one loader, without a file on disk.
    bool loadLayout(const QByteArray &bytes, const QString &fileName);
    // Raised after every load.
    std::function<void()> onLoaded;
    // Only the start number and the counters of the layout file at path;
    // false, changing nothing, when it is not a layout file.
    bool loadNumbering(const QString &path);

    // Writes one line's value (1 to 54) into its field, as a load does.
    void applyLine(int line, const QString &value);

private:
    LayoutDocument &m_doc;
    NumberSample &m_sample;
    Orientation &m_orientation;
    LayoutFolder &m_folder;
    QString m_orientationCode;
    bool m_haveOrientationCode = false;
};

} // namespace numora
