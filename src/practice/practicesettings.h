#pragma once

#include "practice/practicerules.h"
#include "ui/settingssave.h"

#include <QString>

#include <optional>

// The practice window's saved way of practising, sous/sys.dll: one line of three numbers, e.g.
// "1,1,2" CR LF (order 1 sequential / 2 random, direction 1 Chinese-to-Japanese / 2
// Japanese-to-Chinese, display 1 learn while practising / 2 dictation). The pace is not saved.
namespace practice::settings {

inline const QString kPracticeSettingsFile = QStringLiteral("sous/sys.dll");

struct SavedPractice {
    Order order = Order::Sequential;
    Direction direction = Direction::ChineseToJapanese;
    DisplayMode display = DisplayMode::Dictation;
    bool operator==(const SavedPractice &o) const
    {
        return order == o.order && direction == o.direction && display == o.display;
    }
};

// The three values as the file holds them. A value that is missing or not one the table knows
// gives its group's default: only 2 selects random order, only 2 Japanese-to-Chinese, only 1
// learn while practising.
SavedPractice savedPracticeFrom(std::optional<long long> order, std::optional<long long> direction,
                                std::optional<long long> display);
// The file's values, separated by commas or line breaks; nullopt when there is no readable file
// (the window keeps its own defaults).
std::optional<SavedPractice> readSavedPractice(const QString &path);
// Replaces the file as a whole; false, leaving any old file as it was, when it cannot be written.
ui::SaveResult writeSavedPractice(const QString &path, const SavedPractice &saved);

} // namespace practice::settings
