#pragma once

#include "practice/flashcycle.h"
#include "ui/settingssave.h"

#include <QString>

#include <optional>

class QWidget;

namespace ui {
class Interaction;
}

// The flash drill's speed: the file sous/gap.dll and the two-step speed dialog.
namespace practice {

inline const QString kFlashSpeedFile = QStringLiteral("sous/gap.dll");

// One of the two times as read from the file: the field's numeric value (the settings files'
// rule for bare numbers, a fraction allowed) rounded to a whole
// number, halves to the even one (2.5 gives 2, 3.5 gives 4). A missing field, one that is not a
// number, or a whole value outside 1..8 gives nullopt (the caller then takes the default: an
// answer time of 0 would keep the cycle from ever reaching its pause).
std::optional<int> wholeSeconds(const std::optional<QString> &field);
std::optional<int> wholeSeconds(std::optional<double> value);

// Both times from the file; each missing or bad value is replaced by its default (3 and 2), and
// a missing or unreadable file gives both defaults.
FlashSpeed readFlashSpeed(const QString &path);

// What the user typed into one of the speed boxes, as entered: its numeric value, 0 for an
// empty text or a cancelled box.
double typedSeconds(const std::optional<QString> &typed);

// A typed time is taken when it lies between 0 and 9 (exclusive) and also reads back from the
// file as a whole number 1..8: 0.3 or 8.7 would be written and then replaced by the default.
bool acceptableSeconds(double seconds);

// The number as the file keeps it: plain decimal, a fraction as such (2.5), no exponent.
QString formatSeconds(double seconds);

// The line written to the file (without CR LF), e.g. "8,1" or "2.5,2".
QString flashSpeedLine(double questionSeconds, double answerSeconds);

// Replaces the file as a whole (the old file stays when the new one cannot be written); false
// when the folder is missing or not writable.
ui::SaveResult writeFlashSpeed(const QString &path, double questionSeconds, double answerSeconds);

// The two input boxes of the speed dialog, their titles and prompts.
QString questionSecondsTitle();
QString questionSecondsPrompt();
QString answerSecondsTitle();
QString answerSecondsPrompt();
QString badSecondsText();

struct TypedSpeed {
    double questionSeconds = 0;
    double answerSeconds = 0;
};

// Asks both steps, each preset with the current value, and asks both again after the error
// message until both values are acceptable; returns them as typed.
TypedSpeed askFlashSpeed(ui::Interaction &interaction, QWidget *parent, const FlashSpeed &current);

} // namespace practice
