#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a window opens, as plain geometry: the window manager may put a window anywhere, even
// partly off the screen, so the program places every window itself.
namespace ui {

// The top-left corner of a window frame of size frame in the middle of area, moved so that the
// frame lies wholly inside area; a frame larger than area keeps its top-left corner inside it.
QPoint centredIn(const QSize &frame, const QRect &area);

// The same over the middle of owner (a frame on the screen), kept wholly inside area.
QPoint centredOver(const QSize &frame, const QRect &owner, const QRect &area);

} // namespace ui
