#include "ui/colornumber.h"

#include <algorithm>
#include <cmath>

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

namespace {

// An sRGB channel of 0..255 in linear light.
double linear(int channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.red()) + 0.7152 * linear(rgb.green()) + 0.0722 * linear(rgb.blue());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace ui
