#pragma once

#include <QColor>

namespace ui {

// The colour number kept in settings files: R + 256 * G + 65536 * B.
long long colorToNumber(const QColor &color);
// The colour of a number; an invalid colour for a number outside 0 to 0xFFFFFF.
QColor colorFromNumber(long long number);

// The contrast ratio of two colours as WCAG 2 defines it, from 1 (the same) to 21 (black and
// white): (L1 + 0.05) / (L2 + 0.05) of their relative luminances, the lighter one on top. Text
// reads well from 4.5 on.
double contrastRatio(const QColor &a, const QColor &b);

} // namespace ui
