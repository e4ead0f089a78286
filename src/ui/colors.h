#pragma once

#include <QColor>

class QWidget;

namespace ui {

// Text and fill colour of a label-like widget, kept in its palette so they can be read back.
void setTextColor(QWidget *widget, const QColor &color);
void setFillColor(QWidget *widget, const QColor &color);
QColor textColor(const QWidget *widget);
QColor fillColor(const QWidget *widget);

// The colour number kept in settings files: R + 256 * G + 65536 * B.
long long colorToNumber(const QColor &color);
QColor colorFromNumber(long long number);

} // namespace ui
