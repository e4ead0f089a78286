#include "practice/practicesettings.h"

#include "ui/settingsfile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

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
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Three small numbers; anything much longer is not one of ours, and its start is enough.
    const QString text = QString::fromUtf8(file.read(4096));
    // The values may stand on one line or on lines of their own.
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
    const ui::SettingsLine values = ui::SettingsLine::parse(lines.join(u','));
    return savedPracticeFrom(values.number(0), values.number(1), values.number(2));
}

bool writeSavedPractice(const QString &path, const SavedPractice &saved)
{
    const long long order = saved.order == Order::Random ? 2 : 1;
    const long long direction = saved.direction == Direction::JapaneseToChinese ? 2 : 1;
    const long long display = saved.display == DisplayMode::Learn ? 1 : 2;
    return ui::writeSettingsFile(
        path, {ui::SettingsValue(order), ui::SettingsValue(direction), ui::SettingsValue(display)});
}

} // namespace practice::settings
