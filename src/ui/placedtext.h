#pragma once

#include <QList>
#include <QString>

// Text placed at columns, as the print areas hold it: plain data, so layouts can be built and
// read without a window.
namespace ui {

// A text and the column it is placed at (column 1 is the left edge).
struct PlacedText {
    int column = 1;
    QString text;

    bool operator==(const PlacedText &o) const { return column == o.column && text == o.text; }
};

// One printed line, texts in the order they are written; an empty row is an empty line.
using TextRow = QList<PlacedText>;

// The column of the values in a detail area, whose labels stand at column 1.
inline constexpr int kDetailValueColumn = 15;

// A labelled line of a detail area.
inline TextRow labelledRow(const QString &label, const QString &value)
{
    return TextRow{PlacedText{1, label}, PlacedText{kDetailValueColumn, value}};
}

} // namespace ui
