#pragma once

#include "ui/message.h"

#include <QStringList>
#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace ciku {

// First and last word index, both inclusive.
struct WordRange {
    qint16 first = 0;
    qint16 last = 0;

    int size() const { return last - first + 1; }
    bool operator==(const WordRange &o) const { return first == o.first && last == o.last; }
};

// The leading numeric value of a text: blanks anywhere are ignored, then the longest prefix
// that forms a decimal number (sign, digits, fraction, exponent) is read; no number reads 0.
// Full-width digits, signs, point and space read as their ASCII forms. A number too large for a
// double reads as an infinity of its sign.
double leadingNumber(QStringView text);

// Which command asks: the two share the rules but word the "too large" rejection differently.
enum class StudyCommand { Start, WordList };

struct StudyRangeResult {
    std::optional<WordRange> range; // set when the number names a lesson, unit, volume or drill
    double number = 0;              // the number that was read
    ui::Message rejection;          // what to tell the user when range is empty
};

// The study window's reading of its lesson box.
StudyRangeResult studyRangeFor(QStringView text, StudyCommand command = StudyCommand::Start);

// The range dialog's option names in the order its OK command looks at them.
const QStringList &practiceOptionOrder();

// The practice variant's range for a dialog option ("u1".."u12", "shangce", "xiace", "whole",
// "l1".."l49" without "l25", "country", "pian", "ceshi"); nullopt for any other name.
std::optional<WordRange> practiceRangeFor(QStringView option);

} // namespace ciku
