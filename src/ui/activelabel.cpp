#include "ui/activelabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

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
    // Handled here: the parent must not also see the move as one over its empty area.
    event->accept();
}

void ActiveLabel::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            Q_EMIT clicked();
            return;
        }
    }
    QLabel::keyPressEvent(event);
}

void ActiveLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QPen pen(palette().color(QPalette::Highlight), 2, Qt::DashLine);
    painter.setPen(pen);
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}

} // namespace ui
