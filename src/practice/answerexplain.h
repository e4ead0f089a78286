#pragma once

#include <QList>
#include <QString>

// Why a typed Chinese-to-Japanese answer is wrong, said as plainly as possible: the most
// specific reason that fits (the kanji form typed, the other kana script, a blank around the
// answer, one mora off by っ, a long vowel, a voicing mark or a small kana), else the typed text
// with its wrong characters marked and the missing ones shown as "＿". Only explains; whether
// the answer is right stays the exact comparison of isRightAnswer.
namespace practice {

struct MarkedPiece {
    QString text;
    bool wrong = false; // a typed character that is wrong or extra, or "＿" for a missing one
};

struct WrongAnswerReason {
    // A sentence; empty when the typed text is shown marked instead.
    QString message;
    // The typed text in pieces (only when message is empty).
    QList<MarkedPiece> marked;
};

// kanji: the word's kanji form as stored (a marker or the empty text when it has none).
WrongAnswerReason explainWrongAnswer(const QString &typed, const QString &kana, const QString &kanji);

// The reason as one plain text: the message, or the marked text with wrong pieces in brackets
// ("わ[た]し", "が[＿]こう"). What the tests and the fuzz target read.
QString reasonAsText(const WrongAnswerReason &reason);

// The reason as rich text for a label: the message as it is, or the marked text with the wrong
// pieces in red (FF0000).
QString reasonAsHtml(const WrongAnswerReason &reason);

// The stand-in for a missing character.
inline const QString kMissingMark = QStringLiteral("＿");
// A wrong blank is shown as this mark, since a blank in red cannot be seen.
inline const QString kBlankMark = QStringLiteral("␣");

} // namespace practice
