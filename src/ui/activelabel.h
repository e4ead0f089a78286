#pragma once

#include <QLabel>

namespace ui {

// A label that reports clicks, double-clicks, right presses and mouse movement, for the
// labels and pictures that act as commands.
class ActiveLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ActiveLabel(const QString &text = QString(), QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();
    void doubleClicked();
    void rightPressed(const QPoint &globalPos);
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace ui
