#pragma once

#include <QObject>

class QWidget;

namespace ui {

// Makes the pixel buffer of a top-level window at the window's size now, instead of at its first
// paint, and brings the buffer's pages in at once. False when there was nothing to do (no
// buffer, an empty window, or a buffer already at that size).
bool prepareWindowBuffer(QWidget *window);

// Gives each window its pixel buffer as it is exposed, just before its first paint, and brings
// the buffer's pages in at once, so that the paint writes to memory that is already there.
// Installed on the application.
class WindowBufferPreparer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace ui
