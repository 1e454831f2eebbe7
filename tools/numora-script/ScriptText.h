#pragma once
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

namespace numora::script {

// One word of a script line. A quoted word keeps its quotes in `quoted`, so
// that "#2" or "Cancel" can be told from the bare forms that mean a position
// or a cancel.
struct Word
{
    QString text;
    bool quoted = false;
};

struct SplitLine
{
    QList<Word> words;
    QString error; // non-empty when the line is malformed
};

// Splits a line into words: blanks separate, double quotes group, and inside
// quotes the escapes \" \\ \r \n \t \xHH (one byte of the layout files'
// Windows-1256 encoding) and \uHHHH are read. A line whose first non-blank
// character is # is a comment and gives no words.
SplitLine splitLine(const QString &line);

// The value as a script prints it: numbers in shortest decimal form, texts
// quoted with escapes, true and false as 1 and 0. Nothing for an invalid value.
std::optional<QString> formatValue(const QVariant &value);

// A whole word read as a number (C locale, optional sign, point and exponent).
std::optional<double> parseNumber(const QString &text);
// A whole word read as an integer within [min, max].
std::optional<qint64> parseInteger(const QString &text, qint64 min, qint64 max);

bool isNumeric(const QVariant &value);

// A text in double quotes with the escapes above, as scripts print texts.
QString quote(const QString &text);

} // namespace numora::script
