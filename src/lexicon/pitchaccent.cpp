#include "lexicon/pitchaccent.h"

namespace ciku {

bool isKana(QChar c)
{
    const char16_t u = c.unicode();
    const bool hiragana = u >= 0x3041 && u <= 0x3096;
    const bool katakana = u >= 0x30A1 && u <= 0x30FA;
    return hiragana || katakana || u == 0x30FC; // ー
}

bool isJoiningSmallKana(QChar c)
{
    static const QString small = QStringLiteral("ゃゅょぁぃぅぇぉゎャュョァィゥェォヮ");
    return small.contains(c);
}

QStringList splitMorae(QStringView kana)
{
    QStringList morae;
    for (const QChar c : kana) {
        if (!isKana(c))
            return {};
        // A small kana at the very start has nothing to join and stands as a mora of its own.
        if (isJoiningSmallKana(c) && !morae.isEmpty())
            morae.last().append(c);
        else
            morae.append(QString(c));
    }
    return morae;
}

std::optional<PitchPattern> pitchPatternFor(QStringView accent, int moraCount)
{
    if (accent.isEmpty() || accent.size() > 2 || moraCount < 1)
        return std::nullopt;
    int digit = 0;
    for (const QChar c : accent) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        digit = digit * 10 + (c.unicode() - u'0');
    }
    if (digit > moraCount)
        return std::nullopt;

    PitchPattern p;
    p.fallAfter = digit;
    p.moraHigh.resize(moraCount);
    if (digit == 0) {
        p.kind = PitchKind::Flat;
        for (int i = 1; i < moraCount; ++i)
            p.moraHigh[i] = true;
        p.particleHigh = true;
        return p;
    }
    if (digit == 1) {
        p.kind = PitchKind::HeadHigh;
        p.moraHigh[0] = true;
        return p;
    }
    p.kind = digit == moraCount ? PitchKind::TailHigh : PitchKind::MiddleHigh;
    // Low on the first mora, high from the second up to the accent mora, low after it.
    for (int i = 1; i < digit; ++i)
        p.moraHigh[i] = true;
    return p;
}

std::optional<PitchPattern> pitchPattern(QStringView kana, QStringView accent)
{
    return pitchPatternFor(accent, static_cast<int>(splitMorae(kana).size()));
}

} // namespace ciku
