#include "ui/activelabel.h"

#include <QMouseEvent>

namespace ui {

ActiveLabel::ActiveLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setMouseTracking(true);
}

void ActiveLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        Q_EMIT rightPressed(event->globalPosition().toPoint());
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ActiveLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool inside = rect().contains(event->position().toPoint());
    if (m_pressed && event->button() == Qt::LeftButton && inside) {
        m_pressed = false;
        Q_EMIT clicked();
        return;
    }
    m_pressed = false;
    event->accept();
}

void ActiveLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
    event->accept();
}

void ActiveLabel::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved();
    // Taken here: passed on, the move would also reach the window below and undo the hover.
    event->accept();
}

} // namespace ui
