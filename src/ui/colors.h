#pragma once

#include "ui/colornumber.h"

#include <QColor>

class QWidget;

namespace ui {

// Text and fill colour of a label-like widget, kept in its palette so they can be read back.
void setTextColor(QWidget *widget, const QColor &color);
void setFillColor(QWidget *widget, const QColor &color);
QColor textColor(const QWidget *widget);
QColor fillColor(const QWidget *widget);

} // namespace ui
