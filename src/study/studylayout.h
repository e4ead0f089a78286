#pragma once

#include "lexicon/lexicon.h"
#include "ui/placedtext.h"

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QString>

namespace study {

// Columns of a word line in the print view, like the word list of the textbook.
constexpr int kColumnJapanese = 2;
constexpr int kColumnReading = 26;
constexpr int kColumnAccent = 47;
constexpr int kColumnPartOfSpeech = 53;
constexpr int kColumnChinese = 63;

// Which field names the entries of the list view and leads the detail.
enum class ListOrder { Chinese = 1, Kana = 2, Kanji = 3 };

// The print-view line of a word. In the kana format (the katakana drill) only its hiragana and
// katakana are shown; otherwise a word without a kanji form shows its kana in the first column
// and "-----" as its reading.
ui::TextRow wordLine(const ciku::WordEntry &word, bool kanaFormat);

// A text broken into lines that each fit width in metrics' font: whole when it fits; else each
// line ends after a comma, pause or closing bracket, or before an opening one (the latest such
// place after which the rest fits, else the latest that keeps half of the line), otherwise after
// the last character that fits. A character wider than
// width stands on a line of its own. An empty text gives no line.
QStringList wrapToWidth(const QString &text, const QFontMetricsF &metrics, qreal width);

// The print-view lines of a word: its word line, and under it at the meaning's column the rest
// of a meaning too wide for its column (meaningWidth pixels in metrics' font), so that the whole
// meaning is seen. The kana format has no meaning column and always gives one line.
QList<ui::TextRow> wordLines(const ciku::WordEntry &word, bool kanaFormat, const QFontMetricsF &metrics,
                             qreal meaningWidth);

// The text of the word's entry in the list view.
QString listEntryText(const ciku::WordEntry &word, ListOrder order);

// The detail of a word in the list view, empty lines included.
QList<ui::TextRow> wordDetail(const ciku::WordEntry &word, ListOrder order, bool kanaFormat);

// The introduction shown when the study window opens.
QList<ui::TextRow> introduction();
// The hint lines of the detail area on every switch to the list view.
QList<ui::TextRow> listHints();

// The face of both canvases: Century Gothic 12 point bold, drawn in the installed face of close
// width (the column rule depends on the average character width) with a CJK face for the
// kana, kanji and Chinese. A face given first is used where the font table knows it.
QFont canvasFont(const QString &face = QString());

} // namespace study
