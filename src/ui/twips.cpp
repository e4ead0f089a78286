#include "ui/twips.h"

#include <QWidget>

namespace ui {

int twips(int length)
{
    return qRound(length / 15.0);
}

void place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

} // namespace ui
