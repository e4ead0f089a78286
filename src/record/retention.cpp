#include "record/retention.h"

#include "ui/settingsfile.h"

#include <algorithm>
#include <cmath>

namespace record {

namespace {

double hundredths(double value)
{
    return std::round(value * 100.0) / 100.0;
}

} // namespace

bool acceptableRetention(double value)
{
    if (!std::isfinite(value))
        return false;
    const double rounded = hundredths(value);
    return rounded >= kMinRetention - 1e-9 && rounded <= kMaxRetention + 1e-9;
}

double boundedRetention(double value)
{
    if (!std::isfinite(value))
        return kDefaultRetention;
    return std::clamp(hundredths(value), kMinRetention, kMaxRetention);
}

double readRetention(const QString &path)
{
    const ui::SettingsLine line = ui::SettingsLine::read(path);
    if (line.isQuoted(0))
        return kDefaultRetention;
    const auto text = line.text(0);
    if (!text)
        return kDefaultRetention;
    bool ok = false;
    const double value = text->trimmed().toDouble(&ok);
    if (!ok || !acceptableRetention(value))
        return kDefaultRetention;
    return hundredths(value);
}

bool writeRetention(const QString &path, double value)
{
    return ui::writeSettingsLine(path, QString::number(boundedRetention(value), 'f', 2));
}

} // namespace record
