#pragma once

#include <QColor>

namespace ui {

// The colour number kept in settings files: R + 256 * G + 65536 * B.
long long colorToNumber(const QColor &color);
// The colour of a number; an invalid colour for a number outside 0 to 0xFFFFFF.
QColor colorFromNumber(long long number);

} // namespace ui
