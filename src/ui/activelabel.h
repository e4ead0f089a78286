#pragma once

#include <QLabel>

namespace ui {

// A label that reports clicks, double-clicks, right presses and mouse movement, for the
// labels and pictures that act as commands. Given a focus policy that includes Tab, it can be
// reached with the keyboard: Enter or Space then count as a click, and a dashed frame shows that
// it has the focus.
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
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_pressed = false;
};

} // namespace ui
