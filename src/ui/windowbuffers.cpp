#include "ui/windowbuffers.h"

#include "ui/processmemory.h"

#include <QBackingStore>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <dlfcn.h>

namespace ui {

namespace {

// Sends the X server what the program has asked of it so far without waiting for any reply:
// the server then makes the buffer's pixmap while the program paints. Qt would send it only
// with the painted frame, so the server would make the pixmap first and show the frame after.
void sendPendingRequests()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    using Flush = int (*)(xcb_connection_t *);
    static const auto flush = reinterpret_cast<Flush>(dlsym(RTLD_DEFAULT, "xcb_flush"));
    if (flush)
        flush(x11->connection());
}

} // namespace

bool prepareWindowBuffer(QWidget *window)
{
    QBackingStore *store = window->isWindow() ? window->backingStore() : nullptr;
    if (!store || window->size().isEmpty() || store->size() == window->size())
        return false;
    store->resize(window->size());
    sendPendingRequests();
    prefaultSharedPixelBuffers();
    return true;
}

bool WindowBufferPreparer::eventFilter(QObject *watched, QEvent *event)
{
    // A window's first paint follows its exposure at once. The buffer is made just before it,
    // not at the showing: making it also makes the X server clear a pixmap of the window's size,
    // and the replies a showing waits for would wait for that too, where a paint goes on beside it.
    if (event->type() == QEvent::Expose && watched->isWindowType()) {
        const auto *exposed = static_cast<QWindow *>(watched);
        if (exposed->isExposed()) {
            if (QWidget *window = QWidget::find(exposed->winId()))
                prepareWindowBuffer(window);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
