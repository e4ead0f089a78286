#include "study/studylayout.h"

#include "lexicon/lexicon.h"
#include "ui/fonts.h"

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
    QStringList families;
    if (!face.isEmpty())
        families << face;
    // DejaVu Sans Condensed stands in for Century Gothic at a close average width, so the
    // columns fall about where the design has them.
    families << QStringLiteral("Century Gothic") << QStringLiteral("DejaVu Sans Condensed");
    return ui::designFont(families, 12, true, ui::Fallback::Sans);
}

} // namespace study
