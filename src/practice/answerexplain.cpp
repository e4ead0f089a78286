#include "practice/answerexplain.h"

#include "lexicon/lexicon.h"

#include <algorithm>
#include <vector>

namespace practice {

namespace {

const QString kKanjiTyped = QStringLiteral("你输入的是汉字写法，这里要输入假名");
const QString kOtherScript = QStringLiteral("平假名和片假名不同");
const QString kBlankAround = QStringLiteral("答案前后多了空格");

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

QString trimmedBlanks(const QString &s)
{
    qsizetype from = 0, to = s.size();
    while (from < to && isBlank(s[from]))
        ++from;
    while (to > from && isBlank(s[to - 1]))
        --to;
    return s.mid(from, to - from);
}

// Katakana read as hiragana (ー and everything else unchanged).
QString asHiragana(QString s)
{
    for (QChar &c : s) {
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)
            c = QChar(char16_t(c.unicode() - 0x60));
    }
    return s;
}

QChar hiraganaOf(QChar c)
{
    return (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6) ? QChar(char16_t(c.unicode() - 0x60)) : c;
}

// The vowel a kana ends in ('a', 'i', 'u', 'e', 'o'), or 0.
char vowelOf(QChar kana)
{
    static const QString rows[5] = {
        QStringLiteral("あかさたなはまやらわがざだばぱぁゃゎ"),
        QStringLiteral("いきしちにひみりぎじぢびぴぃ"),
        QStringLiteral("うくすつぬふむゆるぐずづぶぷぅゅゔ"),
        QStringLiteral("えけせてねへめれげぜでべぺぇ"),
        QStringLiteral("おこそとのほもよろをごぞどぼぽぉょ"),
    };
    static const char vowels[5] = {'a', 'i', 'u', 'e', 'o'};
    const QChar h = hiraganaOf(kana);
    for (int r = 0; r < 5; ++r) {
        if (rows[r].contains(h))
            return vowels[r];
    }
    return 0;
}

bool isSmallTsu(QChar c)
{
    return c == u'っ' || c == u'ッ';
}

bool isSmallYaYuYo(QChar c)
{
    return QStringView(u"ゃゅょャュョ").contains(c);
}

// c written after prev makes prev's vowel long: ー, the same vowel again, or う after an o and
// い after an e (とうきょう, せんせい).
bool lengthensVowel(QChar prev, QChar c)
{
    if (c == QChar(0x30FC))
        return true;
    const char v = vowelOf(prev);
    const QChar h = hiraganaOf(c);
    if (!v || !QStringView(u"あいうえお").contains(h))
        return false;
    const char added = vowelOf(h);
    return added == v || (v == 'o' && h == u'う') || (v == 'e' && h == u'い');
}

// The small kana and their full-size partners, both scripts.
bool isSmallOf(QChar small, QChar large)
{
    return large.unicode() == small.unicode() + 1 &&
           QStringView(u"ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮ").contains(small);
}

// One character added to (extra) or left out of (missing) the answer at position p of longer.
QString oneCharReason(const QString &longer, qsizetype p, bool missing)
{
    const QChar c = longer[p];
    const QString quoted = QStringLiteral("“") + c + QStringLiteral("”");
    const QString more = missing ? QStringLiteral("少了") : QStringLiteral("多了");
    if (isSmallTsu(c))
        return more + QStringLiteral("促音") + quoted;
    if (isSmallYaYuYo(c))
        return more + QStringLiteral("拗音") + quoted;
    if (p > 0 && lengthensVowel(longer[p - 1], c))
        return more + QStringLiteral("长音");
    return {};
}

// One character typed in place of another.
QString swappedCharReason(QChar typed, QChar right)
{
    const QString t = QString(typed).normalized(QString::NormalizationForm_D);
    const QString r = QString(right).normalized(QString::NormalizationForm_D);
    if (!t.isEmpty() && !r.isEmpty() && t[0] == r[0] && t != r) {
        const QChar semi(0x309A);
        return (t.contains(semi) || r.contains(semi)) ? QStringLiteral("半浊音符号不对")
                                                      : QStringLiteral("浊音符号不对");
    }
    const QString quoted = QStringLiteral("“") + right + QStringLiteral("”");
    if (isSmallOf(right, typed))
        return quoted + QStringLiteral("要写成小字");
    if (isSmallOf(typed, right))
        return quoted + QStringLiteral("要写成大字");
    return {};
}

// The one-mora reasons; empty when typed and kana differ in some other way.
QString oneMoraReason(const QString &typed, const QString &kana)
{
    const qsizetype n = std::min(typed.size(), kana.size());
    qsizetype p = 0;
    while (p < n && typed[p] == kana[p])
        ++p;
    if (typed.size() == kana.size()) {
        if (p < n && typed.mid(p + 1) == kana.mid(p + 1))
            return swappedCharReason(typed[p], kana[p]);
        return {};
    }
    const bool missing = kana.size() == typed.size() + 1;
    const QString &longer = missing ? kana : typed;
    const QString &shorter = missing ? typed : kana;
    if (longer.size() != shorter.size() + 1 || longer.left(p) + longer.mid(p + 1) != shorter)
        return {};
    return oneCharReason(longer, p, missing);
}

void appendPiece(QList<MarkedPiece> &pieces, const QString &text, bool wrong)
{
    if (!pieces.isEmpty() && pieces.last().wrong == wrong)
        pieces.last().text += text;
    else
        pieces.append({text, wrong});
}

QString shownChar(QChar c, bool wrong)
{
    return wrong && isBlank(c) ? kBlankMark : QString(c);
}

// The typed text aligned with the answer by the fewest edits: kept characters plain, replaced or
// extra ones wrong, missing ones as "＿".
QList<MarkedPiece> markDifferences(const QString &typed, const QString &kana)
{
    QList<MarkedPiece> pieces;
    const qsizetype n = typed.size(), m = kana.size();
    if (n * m > 200 * 200) {
        // Far beyond any word: no alignment, the whole text is wrong.
        for (QChar c : typed)
            appendPiece(pieces, shownChar(c, true), true);
        return pieces;
    }
    std::vector<int> d(size_t((n + 1) * (m + 1)));
    auto at = [&](qsizetype i, qsizetype j) -> int & { return d[size_t(i * (m + 1) + j)]; };
    for (qsizetype i = 0; i <= n; ++i)
        at(i, 0) = int(i);
    for (qsizetype j = 0; j <= m; ++j)
        at(0, j) = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        for (qsizetype j = 1; j <= m; ++j) {
            const int same = at(i - 1, j - 1) + (typed[i - 1] == kana[j - 1] ? 0 : 1);
            at(i, j) = std::min({same, at(i - 1, j) + 1, at(i, j - 1) + 1});
        }
    }
    // Walk back from the end, then put the pieces in reading order.
    QList<std::pair<QString, bool>> reversed;
    qsizetype i = n, j = m;
    while (i > 0 || j > 0) {
        if (i > 0 && j > 0 && at(i, j) == at(i - 1, j - 1) + (typed[i - 1] == kana[j - 1] ? 0 : 1)) {
            const bool wrong = typed[i - 1] != kana[j - 1];
            reversed.append({shownChar(typed[i - 1], wrong), wrong});
            --i;
            --j;
        } else if (i > 0 && at(i, j) == at(i - 1, j) + 1) {
            reversed.append({shownChar(typed[i - 1], true), true});
            --i;
        } else {
            reversed.append({kMissingMark, true});
            --j;
        }
    }
    for (auto it = reversed.crbegin(); it != reversed.crend(); ++it)
        appendPiece(pieces, it->first, it->second);
    return pieces;
}

} // namespace

WrongAnswerReason explainWrongAnswer(const QString &typed, const QString &kana, const QString &kanji)
{
    const QString core = trimmedBlanks(typed);
    if (!ciku::isNoKanjiMarker(kanji) && !core.isEmpty() && core == kanji && core != kana)
        return {kKanjiTyped, {}};
    if (core != kana && asHiragana(core) == asHiragana(kana))
        return {kOtherScript, {}};
    if (core == kana && typed != kana)
        return {kBlankAround, {}};
    const QString mora = oneMoraReason(typed, kana);
    if (!mora.isEmpty())
        return {mora, {}};
    return {QString(), markDifferences(typed, kana)};
}

QString reasonAsText(const WrongAnswerReason &reason)
{
    if (!reason.message.isEmpty())
        return reason.message;
    QString out;
    for (const MarkedPiece &p : reason.marked)
        out += p.wrong ? QStringLiteral("[") + p.text + QStringLiteral("]") : p.text;
    return out;
}

} // namespace practice

namespace practice {

QString reasonAsHtml(const WrongAnswerReason &reason)
{
    if (!reason.message.isEmpty())
        return reason.message.toHtmlEscaped();
    QString out;
    for (const MarkedPiece &p : reason.marked) {
        const QString text = p.text.toHtmlEscaped();
        out += p.wrong ? QStringLiteral("<span style=\"color:#ff0000\">") + text + QStringLiteral("</span>")
                       : text;
    }
    return out;
}

} // namespace practice
