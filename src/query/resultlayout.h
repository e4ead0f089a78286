#pragma once

#include "query/lookup.h"

#include <QList>
#include <QString>

#include <array>

namespace ciku {
class Lexicon;
}

// Where the query window puts the texts of a hit: the printed result line with its column
// headings, and the labelled lines of the details view. Plain data, so the layout can be read
// without a window.
namespace query {

// One text of a printed line and the column it is placed at (column 1 is the left edge).
struct PlacedText {
    int column = 1;
    QString text;

    bool operator==(const PlacedText &o) const { return column == o.column && text == o.text; }
};

// A column heading: its caption and its left edge in twips from the window's left edge.
struct Heading {
    QString caption;
    int left = 0;

    bool operator==(const Heading &o) const { return caption == o.caption && left == o.left; }
};

// The dash shown for a word without a kanji form where a kanji form is expected.
QString dashedKanji(const QString &kanji);

// The five texts of the result line for a hit, in the order they are printed and at their
// columns; a text may be empty (the position still moves to its column).
QList<PlacedText> resultLine(const ciku::Lexicon &table, const Hit &hit);

// Captions and places of the first three headings after a hit from source.
std::array<Heading, 3> headingsFor(Source source);

// One labelled line of the details view: the label at column 1, the value at column 15.
struct DetailLine {
    QString label;
    QString value;

    bool operator==(const DetailLine &o) const { return label == o.label && value == o.value; }
};
inline constexpr int kDetailValueColumn = 15;

// The five labelled lines of the details view of slot, ordered by the input the latest hit came
// from as recorded in `info` ("1", "2" or "3"); empty for any other caption.
QList<DetailLine> detailLines(const ciku::Lexicon &table, int slot, const QString &info);

} // namespace query
