#include "ui/smallwindow.h"

#include <QMouseEvent>
#include <QShortcut>

namespace ui {

SmallWindow::SmallWindow(QWidget *parent, const QColor &fill)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, fill);
    setPalette(pal);

    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setObjectName(QStringLiteral("helpKey"));
    connect(help, &QShortcut::activated, this, &SmallWindow::helpRequested);
}

void SmallWindow::closeOnDoubleClick(QWidget *child)
{
    m_closers.append(child);
    child->installEventFilter(this);
}

void SmallWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        close();
    else
        QWidget::mouseDoubleClickEvent(event);
}

bool SmallWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        for (QWidget *closer : std::as_const(m_closers)) {
            if (watched == closer) {
                close();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
