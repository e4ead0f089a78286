#include "study/studylayout.h"

#include "lexicon/lexicon.h"
#include "ui/fonts.h"

#include <QFontDatabase>

namespace study {

using ui::PlacedText;
using ui::TextRow;

namespace {

QString text(QStringView v)
{
    return v.toString();
}

TextRow detailLine(const QString &caption, QStringView value)
{
    return ui::labelledRow(caption, text(value));
}

} // namespace

TextRow wordLine(const ciku::WordEntry &word, bool kanaFormat)
{
    if (kanaFormat)
        return {PlacedText{kColumnJapanese, text(word.chinese)}, PlacedText{kColumnReading, text(word.kana)}};
    QString japanese = text(word.kanji);
    QString reading = text(word.kana);
    if (!word.hasKanji()) {
        japanese = reading;
        reading = ciku::kNoKanjiDash;
    }
    return {PlacedText{kColumnJapanese, japanese}, PlacedText{kColumnReading, reading},
            PlacedText{kColumnAccent, text(word.accent)},
            PlacedText{kColumnPartOfSpeech, text(word.partOfSpeech)},
            PlacedText{kColumnChinese, text(word.chinese)}};
}

namespace {

// Where a line may end: after a pause or a closing bracket, or before an opening bracket.
bool breaksAfter(QChar c)
{
    return QStringView(u"，、；：。！？）》」,;:!?) ").contains(c);
}

bool breaksBefore(QChar c)
{
    return QStringView(u"（《「(").contains(c);
}

} // namespace

QStringList wrapToWidth(const QString &text, const QFontMetricsF &metrics, qreal width)
{
    // Half a pixel of slack, as the canvas allows a text that ends exactly on a column.
    auto fits = [&](QStringView part) { return metrics.horizontalAdvance(part.toString()) <= width + 0.5; };
    QStringList lines;
    QStringView rest(text);
    while (!rest.isEmpty() && !fits(rest)) {
        // The longest start that fits, never splitting a surrogate pair; at least one character.
        qsizetype fit = 0;
        for (qsizetype n = 1; n < rest.size(); ++n) {
            if (rest[n].isLowSurrogate())
                continue;
            if (!fits(rest.left(n)))
                break;
            fit = n;
        }
        if (fit == 0)
            fit = rest.size() > 1 && rest[1].isLowSurrogate() ? 2 : 1;
        // The latest place to break after which the rest fits on one line; else the latest one
        // that keeps at least half of the line; else the last character that fits.
        auto breaksAt = [&](qsizetype n) { return breaksAfter(rest[n - 1]) || breaksBefore(rest[n]); };
        qsizetype cut = 0;
        for (qsizetype n = fit; n > 0 && cut == 0; --n) {
            if (breaksAt(n) && fits(rest.mid(n)))
                cut = n;
        }
        for (qsizetype n = fit; n > 0 && 2 * n >= fit && cut == 0; --n) {
            if (breaksAt(n))
                cut = n;
        }
        if (cut == 0)
            cut = fit;
        lines << rest.left(cut).toString();
        rest = rest.mid(cut);
    }
    if (!rest.isEmpty())
        lines << rest.toString();
    return lines;
}

QList<TextRow> wordLines(const ciku::WordEntry &word, bool kanaFormat, const QFontMetricsF &metrics,
                         qreal meaningWidth)
{
    TextRow first = wordLine(word, kanaFormat);
    if (kanaFormat)
        return {first};
    const QStringList parts = wrapToWidth(text(word.chinese), metrics, meaningWidth);
    QList<TextRow> rows;
    if (parts.size() > 1)
        first.last().text = parts.first();
    rows << first;
    for (qsizetype i = 1; i < parts.size(); ++i)
        rows << TextRow{PlacedText{kColumnChinese, parts[i]}};
    return rows;
}

QString listEntryText(const ciku::WordEntry &word, ListOrder order)
{
    QStringView entry;
    switch (order) {
    case ListOrder::Chinese:
        entry = word.chinese;
        break;
    case ListOrder::Kana:
        entry = word.kana;
        break;
    case ListOrder::Kanji:
        // A word without a kanji form is listed by its kana rather than by an empty entry.
        entry = word.hasKanji() ? word.kanji : word.kana;
        break;
    }
    if (ciku::isKanjiMarker(entry))
        entry = word.kana;
    return text(entry);
}

QList<TextRow> wordDetail(const ciku::WordEntry &word, ListOrder order, bool kanaFormat)
{
    if (kanaFormat) {
        const TextRow hiragana = detailLine(QStringLiteral("平假名"), word.chinese);
        const TextRow katakana = detailLine(QStringLiteral("片假名"), word.kana);
        switch (order) {
        case ListOrder::Chinese:
            return {hiragana, {}, {}, katakana};
        case ListOrder::Kana:
            return {katakana, {}, {}, hiragana};
        case ListOrder::Kanji:
            break;
        }
        return {};
    }
    const QString kanji = ciku::shownKanji(word.kanji);
    const TextRow chinese = detailLine(QStringLiteral("汉语"), word.chinese);
    const TextRow kana = detailLine(QStringLiteral("日语假名"), word.kana);
    const TextRow written = detailLine(QStringLiteral("当用汉字"), kanji);
    const TextRow accent = detailLine(QStringLiteral("音调"), word.accent);
    const TextRow pos = detailLine(QStringLiteral("词性"), word.partOfSpeech);
    QList<TextRow> lines;
    switch (order) {
    case ListOrder::Chinese:
        lines = {chinese, kana, written};
        break;
    case ListOrder::Kana:
        lines = {kana, written, chinese};
        break;
    case ListOrder::Kanji:
        lines = {written, kana, chinese};
        break;
    }
    lines << accent << pos;
    QList<TextRow> rows;
    for (const TextRow &line : lines) {
        if (!rows.isEmpty())
            rows.append(TextRow{});
        rows.append(line);
    }
    return rows;
}

QList<TextRow> introduction()
{
    QList<TextRow> rows(6);
    auto at = [&rows](int column, const char16_t *t) {
        rows.append({PlacedText{column, QString::fromUtf16(t)}});
    };
    at(35, u"操作简介");
    at(5, u"当前模式为学习模式，可以在此学习标日初级词汇。");
    rows.append(TextRow{});
    at(5, u"开始学习后，每屏显示11个单词，后一屏的首单词为前一屏的末单词，以做对照之用。");
    at(1, u"按课练习时，只需输入课时数.");
    at(1, u"如果按单元练习，则在单元数后加00， 比如，第6单元为600;片假名学习输入 0.");
    at(5, u"点击下箭头向下翻页,察看上页内容，请点击上箭头.");
    at(5, u"操作过程中基本不需要使用鼠标,可以提高效率.");
    at(5, u"可选择列表或打印方式察看单词");
    rows.append(TextRow{});
    at(5, u"帮助文档内有详细内容和技巧,可助你更高效的使用此功能.");
    return rows;
}

QList<TextRow> listHints()
{
    QList<TextRow> rows;
    for (const char16_t *t :
         {u"此处显示单词信息", u"可以按键盘上下键或用鼠标切换单词，",
          u"可以选择按汉语、按假名、按当汉控制信息排列。", u"也可以在选择按当汉、按汉语或按假名后点",
          u"击“开始学习，以控制单词列表的显示方式."})
        rows.append({PlacedText{1, QString::fromUtf16(t)}});
    return rows;
}

QFont canvasFont(const QString &face)
{
    QFont f = ui::designFont({QStringLiteral("Century Gothic")}, 12, true);
    if (face.isEmpty())
        return f;
    // A face the learner saved: an installed one is drawn as it is, a face of the design in the
    // installed face the font table gives for it.
    if (QFontDatabase::hasFamily(face))
        f.setFamilies(QStringList{face} + f.families());
    else
        f = ui::designFont({face, QStringLiteral("Century Gothic")}, 12, true);
    return f;
}

} // namespace study
