#include "ui/colornumber.h"

namespace ui {

long long colorToNumber(const QColor &color)
{
    return color.red() + 256LL * color.green() + 65536LL * color.blue();
}

QColor colorFromNumber(long long number)
{
    if (number < 0 || number > 0xFFFFFF)
        return QColor();
    return QColor(static_cast<int>(number & 0xFF), static_cast<int>((number >> 8) & 0xFF),
                  static_cast<int>((number >> 16) & 0xFF));
}

} // namespace ui
