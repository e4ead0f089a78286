#pragma once

#include <QString>

// The desired retention of the review schedule: the chance of recall at which a word falls due.
// Kept in sous/retention.dll as one number with two decimals (0.90).
namespace record {

inline const QString kRetentionFile = QStringLiteral("sous/retention.dll");

constexpr double kDefaultRetention = 0.90;
constexpr double kMinRetention = 0.80;
constexpr double kMaxRetention = 0.97;

// A value the setting accepts: 0.80 .. 0.97, rounded to whole hundredths.
bool acceptableRetention(double value);
// The value rounded to hundredths and kept inside the range.
double boundedRetention(double value);

// The saved value; the default for a missing file or a value outside the range.
double readRetention(const QString &path);
// Replaces the file as a whole; false (old file kept) when it cannot be written.
bool writeRetention(const QString &path, double value);

} // namespace record
