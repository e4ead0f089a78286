#include "ui/colors.h"

#include <QWidget>

namespace ui {

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::ButtonText, color);
    widget->setPalette(p);
}

void setFillColor(QWidget *widget, const QColor &color)
{
    widget->setAutoFillBackground(true);
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, color);
    widget->setPalette(p);
}

QColor textColor(const QWidget *widget)
{
    return widget->palette().color(QPalette::WindowText);
}

QColor fillColor(const QWidget *widget)
{
    return widget->palette().color(QPalette::Window);
}

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
