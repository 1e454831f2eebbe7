#pragma once
#include <QString>
#include <optional>
#include <vector>

namespace numora {

class RunEntries;

// A number text split around its number: the last run of digits is taken
// for the number, the rest is its pattern (for a text typed to look up; a
// printed run knows where its numbers stand). Two texts are the same printed text
// exactly when pattern and number are the same: the pattern keeps the
// digit count, so "No:000101" and "No:101" never meet.
struct NumberText
{
    QString prefix;
    QString suffix;
    int digits = 0;   // length of the digit run; 0 for a text without one
    qint64 value = 0; // the digit run's value
    // "No:{6}" style key of the pattern, for lookups.
    QString pattern() const;
    QString text() const; // the text again
    // False for a digit run too long to count with (over 18 digits).
    static std::optional<NumberText> split(QStringView text);
};

// The numbers one position printed on consecutive pages, first, first +
// step, ..., last, all of one pattern. A run of 99,999 pages is a handful of
// these, never one row per number.
struct NumberRange
{
    int position = 0; // slot 1..12
    QString prefix, suffix;
    int digits = 0;
    qint64 first = 0, last = 0, step = 0; // step 0 for a single number
    qint64 firstPage = 0;                 // printed page (1-based) of `first`
    qint64 pageStride = 1;                // printed pages from one number to the next
    QString pattern() const;
    qint64 count() const { return step == 0 ? 1 : (last - first) / step + 1; }
    QString textOf(qint64 value) const;
    QString firstText() const { return textOf(first); }
    QString lastText() const { return textOf(last); }
    // The printed page of a number of the range, or nothing when it is not one.
    std::optional<qint64> pageOf(qint64 value) const;
};

// The numbers both ranges hold (same pattern), as a range of its own
// ascending (its pages are meaningless); nothing when they share none.
std::optional<NumberRange> commonNumbers(const NumberRange &a, const NumberRange &b);

// The ranges of a print sequence as it goes out: entries page after page,
// `perPage` of them each, read backwards for a reversed order; with the
// two-page option every page's entries come twice in a row and count once.
// Each entry's number and pattern are those the number-text rule stated it
// wrote; entries without one (or one too long) are ranges of their own.
std::vector<NumberRange> rangesOfSequence(const RunEntries &sequence, int perPage, bool reverse, bool twoPages);

// The parts of the ranges printed on pages from..to (a reprint of some pages).
std::vector<NumberRange> clipToPages(const std::vector<NumberRange> &ranges, qint64 from, qint64 to);
// The numbers first printed on pages from..to (the rest of a run): with the
// two-page option a number whose first copy stands before `from` was
// counted with that page, and is left out.
std::vector<NumberRange> firstPrintedOn(const std::vector<NumberRange> &ranges, qint64 from, qint64 to);

// The ranges with their pages counted from page `before` + 1 as page 1 (the
// pages of a run that goes out as some pages of a longer one).
std::vector<NumberRange> pagesAfter(std::vector<NumberRange> ranges, qint64 before);

// "No:000101 to No:000200" (or the one text), for messages.
QString describe(const NumberRange &r);

} // namespace numora
