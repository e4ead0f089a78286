#pragma once

#include "lexicon/lexicon.h"

#include <QFont>
#include <QList>
#include <QString>

namespace ui {
class TextCanvas;
}

namespace study {

// Columns of a word line in the print view, like the word list of the textbook.
constexpr int kColumnJapanese = 2;
constexpr int kColumnReading = 26;
constexpr int kColumnAccent = 47;
constexpr int kColumnPartOfSpeech = 53;
constexpr int kColumnChinese = 63;
// A line of the word detail: caption at column 1, value at column 15.
constexpr int kColumnDetailValue = 15;

inline const QString kNoReading = QStringLiteral("-----");

struct PlacedText {
    int column = 1;
    QString text;
    bool operator==(const PlacedText &o) const { return column == o.column && text == o.text; }
};
// One printed line; an empty row is an empty line.
using PrintRow = QList<PlacedText>;

// Which field names the entries of the list view and leads the detail.
enum class ListOrder { Chinese = 1, Kana = 2, Kanji = 3 };

// The print-view line of a word. In the kana format (the katakana drill) only its hiragana and
// katakana are shown; otherwise a word without a kanji form shows its kana in the first column
// and "-----" as its reading.
PrintRow wordLine(const ciku::WordEntry &word, bool kanaFormat);

// The text of the word's entry in the list view.
QString listEntryText(const ciku::WordEntry &word, ListOrder order);

// The detail of a word in the list view, empty lines included.
QList<PrintRow> wordDetail(const ciku::WordEntry &word, ListOrder order, bool kanaFormat);

// The introduction shown when the study window opens.
QList<PrintRow> introduction();
// The hint lines of the detail area on every switch to the list view.
QList<PrintRow> listHints();

// The face of both canvases: Century Gothic 12 point bold where the system has it, else a sans of
// close width (the column rule depends on the average character width) with a CJK face for
// the kana, kanji and Chinese.
QFont canvasFont(const QString &face = QString());

// Writes rows onto a canvas, each ended by a line break.
void writeRows(ui::TextCanvas &canvas, const QList<PrintRow> &rows);
void writeRow(ui::TextCanvas &canvas, const PrintRow &row);

} // namespace study
