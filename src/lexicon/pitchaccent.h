#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Pitch accent of a word: its kana cut into morae, and the accent digit turned into the high or
// low pitch of every mora and of the particle that follows the word.
namespace ciku {

// The four accent kinds of Tokyo Japanese, named by where the pitch falls.
enum class PitchKind {
    Flat,       // 0: low, then high to the end; the particle stays high
    HeadHigh,   // 1: high, then low; the particle low
    MiddleHigh, // 2 .. morae - 1: low, high up to the accent mora, low after it
    TailHigh,   // = morae: low, high to the end; the particle low
};

struct PitchPattern {
    PitchKind kind = PitchKind::Flat;
    QList<bool> moraHigh; // one entry a mora, true for a high mora
    bool particleHigh = false;
    // The accent mora (1-based) after which the pitch falls; 0 for a flat word.
    int fallAfter = 0;

    int moraCount() const { return static_cast<int>(moraHigh.size()); }
    bool operator==(const PitchPattern &o) const
    {
        return kind == o.kind && moraHigh == o.moraHigh && particleHigh == o.particleHigh &&
               fallAfter == o.fallAfter;
    }
};

// Hiragana, katakana and the long-vowel mark ー.
bool isKana(QChar c);
// The small kana that join the kana before them into one mora (ゃ, ァ, ゎ ...).
bool isJoiningSmallKana(QChar c);

// The morae of a kana text: a small ゃゅょぁぃぅぇぉゎ / ャュョァィゥェォヮ joins the kana before
// it; っ/ッ, ー and ん/ン count as morae of their own. Empty when the text is empty or holds
// anything that is not kana.
QStringList splitMorae(QStringView kana);

// The pattern of an accent digit for a word of moraCount morae; nullopt when the digit is not a
// plain decimal number, when it is larger than moraCount, or when there are no morae.
std::optional<PitchPattern> pitchPatternFor(QStringView accent, int moraCount);

// Both steps for a word's kana and accent texts; nullopt when either gives nothing.
std::optional<PitchPattern> pitchPattern(QStringView kana, QStringView accent);

} // namespace ciku
