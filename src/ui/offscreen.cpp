#include "ui/offscreen.h"

#include "ui/windowbuffers.h"

#include <QAccessible>
#include <QBackingStore>
#include <QCoreApplication>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QWidget>

namespace ui {

void drawOffscreen(QWidget *widget)
{
    widget->ensurePolished();
    QPixmap scratch(widget->size());
    widget->render(&scratch);
}

void createNativeWindow(QWidget *window)
{
    if (window->testAttribute(Qt::WA_WState_Created) && window->internalWinId())
        return;
    // winId() marks the window native, and Qt then makes every other child of its parent native
    // too (a dialog's parent is the window it belongs to): that window's surface and menu bar
    // would each become a window of their own, drawn and exposed apart.
    const bool siblingsStay = QCoreApplication::testAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings, true);
    window->winId();
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings, siblingsStay);
}

void readyNativeWindow(QWidget *window)
{
    createNativeWindow(window);
    // Showing a widget tells accessibility that it appeared, which looks its accessible
    // interface up and, the first time, makes it by going through the widget's classes: made
    // here, the showing finds each one at once.
    QAccessible::queryAccessibleInterface(window);
    for (QWidget *child : window->findChildren<QWidget *>())
        QAccessible::queryAccessibleInterface(child);
    QBackingStore *store = window->backingStore();
    if (!store || window->size().isEmpty())
        return;
    // The buffer at the size the window will be painted at, its pages brought in: the first paint
    // finds it in place (WindowBufferPreparer then has nothing left to do at the exposure).
    prepareWindowBuffer(window);
    // Drawn over once with the window's own background: the first paint then also finds the
    // buffer's pages written to, wherever the prefault could not reach.
    const QRect all(QPoint(), window->size());
    store->beginPaint(QRegion(all));
    if (QPaintDevice *device = store->paintDevice(); device && !device->paintingActive()) {
        QPainter painter(device);
        painter.fillRect(all, window->palette().window());
    }
    store->endPaint();
}

} // namespace ui
