#pragma once

#include <QList>
#include <QWidget>

namespace ui {

// A small borderless window over a working window (the about and kana comparison windows): F1
// asks for the help as in every window, and a double-click with the left button closes it.
class SmallWindow : public QWidget
{
    Q_OBJECT

public:
    SmallWindow(QWidget *parent, const QColor &fill);

Q_SIGNALS:
    // F1, which opens the help here as in every window.
    void helpRequested();

protected:
    // A double-click on child closes the window as one on its empty area does.
    void closeOnDoubleClick(QWidget *child);

    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QWidget *> m_closers;
};

} // namespace ui
