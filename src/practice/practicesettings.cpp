#include "practice/practicesettings.h"

#include "ui/settingsfile.h"

namespace practice::settings {

SavedPractice savedPracticeFrom(std::optional<long long> order, std::optional<long long> direction,
                                std::optional<long long> display)
{
    SavedPractice saved;
    saved.order = order == 2 ? Order::Random : Order::Sequential;
    saved.direction = direction == 2 ? Direction::JapaneseToChinese : Direction::ChineseToJapanese;
    saved.display = display == 1 ? DisplayMode::Learn : DisplayMode::Dictation;
    return saved;
}

std::optional<SavedPractice> readSavedPractice(const QString &path)
{
    // The values may stand on one line or on lines of their own.
    const auto values = ui::SettingsLine::loadValues(path);
    if (!values)
        return std::nullopt;
    return savedPracticeFrom(values->number(0), values->number(1), values->number(2));
}

ui::SaveResult writeSavedPractice(const QString &path, const SavedPractice &saved)
{
    const long long order = saved.order == Order::Random ? 2 : 1;
    const long long direction = saved.direction == Direction::JapaneseToChinese ? 2 : 1;
    const long long display = saved.display == DisplayMode::Learn ? 1 : 2;
    return ui::writeSettingsFile(
        path, {ui::SettingsValue(order), ui::SettingsValue(direction), ui::SettingsValue(display)});
}

} // namespace practice::settings
