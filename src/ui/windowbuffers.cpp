#include "ui/windowbuffers.h"

#include "ui/processmemory.h"

#include <QBackingStore>
#include <QEvent>
#include <QWidget>

namespace ui {

bool prepareWindowBuffer(QWidget *window)
{
    QBackingStore *store = window->isWindow() ? window->backingStore() : nullptr;
    if (!store || window->size().isEmpty() || store->size() == window->size())
        return false;
    store->resize(window->size());
    prefaultSharedPixelBuffers();
    return true;
}

bool WindowBufferPreparer::eventFilter(QObject *watched, QEvent *event)
{
    // A window is shown with its native window created and its size set; the buffer Qt would make
    // at the first paint is made now at that size, and the first paint finds it the right size.
    if (event->type() == QEvent::Show && watched->isWidgetType())
        prepareWindowBuffer(static_cast<QWidget *>(watched));
    return QObject::eventFilter(watched, event);
}

} // namespace ui
