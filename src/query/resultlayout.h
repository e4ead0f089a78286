#pragma once

#include "query/lookup.h"
#include "ui/placedtext.h"

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

// A column heading: its caption and its left edge in twips from the window's left edge.
struct Heading {
    QString caption;
    int left = 0;

    bool operator==(const Heading &o) const { return caption == o.caption && left == o.left; }
};

// The five texts of the result line for a hit, in the order they are printed and at their
// columns; a text may be empty (the position still moves to its column).
ui::TextRow resultLine(const ciku::Lexicon &table, const Hit &hit);

// The column of the kana in the result line of a hit from source.
int kanaColumn(Source source);

// Captions and places of the first three headings after a hit from source.
std::array<Heading, 3> headingsFor(Source source);

// One labelled line of the details view: the label at column 1, the value at column 15
// (ui::labelledRow).
struct DetailLine {
    QString label;
    QString value;

    bool operator==(const DetailLine &o) const { return label == o.label && value == o.value; }
};

// The label of the details line that holds the kana.
inline const QString kKanaDetailLabel = QStringLiteral("日语");

// The five labelled lines of the details view of slot, ordered by the input the hit came from.
QList<DetailLine> detailLines(const ciku::Lexicon &table, int slot, Source source);

} // namespace query
