#include "practice/answerpanel.h"

#include "lexicon/lexicon.h"

namespace practice {

QString panelKanji(QStringView kanji)
{
    return ciku::shownKanji(kanji);
}

QList<PanelLine> answerPanelLines(const ciku::WordEntry &word)
{
    const QList<PanelLine> rows = {
        {QStringLiteral("日语"), word.kana.toString()},
        {QStringLiteral("当用汉字"), panelKanji(word.kanji)},
        {QStringLiteral("汉语"), word.chinese.toString()},
        {QStringLiteral("音调"), word.accent.toString()},
        {QStringLiteral("词性"), word.partOfSpeech.toString()},
    };
    QList<PanelLine> lines;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        lines.append(rows[i]);
        if (i + 1 < rows.size())
            lines.append(PanelLine{});
    }
    return lines;
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
