#include "ui/shapeframe.h"

#include <QPainter>

namespace ui {

ShapeFrame::ShapeFrame(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeFrame::setBorderColor(const QColor &color)
{
    m_border = color;
    update();
}

void ShapeFrame::setFillColor(const QColor &color)
{
    m_fill = color;
    update();
}

void ShapeFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(m_border, 2));
    p.setBrush(m_fill);
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
}

} // namespace ui
