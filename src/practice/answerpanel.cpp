#include "practice/answerpanel.h"

#include "lexicon/lexicon.h"

namespace practice {

QList<ui::TextRow> answerPanelRows(const ciku::WordEntry &word)
{
    const std::pair<QString, QString> fields[] = {
        {QStringLiteral("日语"), word.kana.toString()},
        {QStringLiteral("当用汉字"), ciku::shownKanji(word.kanji)},
        {QStringLiteral("汉语"), word.chinese.toString()},
        {QStringLiteral("音调"), word.accent.toString()},
        {QStringLiteral("词性"), word.partOfSpeech.toString()},
    };
    QList<ui::TextRow> rows;
    for (const auto &[label, value] : fields) {
        if (!rows.isEmpty())
            rows.append(ui::TextRow{});
        rows.append(ui::TextRow{ui::PlacedText{1, label}, ui::PlacedText{kAnswerValueColumn, value}});
    }
    return rows;
}

const QStringList &rihanHelpLines()
{
    static const QStringList lines = {
        QStringLiteral("         日汉练习与汉日练习不同，就不"),
        QStringLiteral("要求用户输入汉语校验了，出题后，"),
        QStringLiteral("心里想出答案，然后再“显示答案”"),
        QStringLiteral("对照一下,检验正确性。"),
        QStringLiteral("         如果要将错词添加到列表，点击"),
        QStringLiteral("“添加错题”或者按 Alt+A 快捷键。"),
    };
    return lines;
}

} // namespace practice
