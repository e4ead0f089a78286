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

} // namespace ui
