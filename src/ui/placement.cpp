#include "ui/placement.h"

#include <algorithm>

namespace ui {
namespace {

// The top-left corner at which a frame of size frame standing at wanted lies inside area.
QPoint keptInside(QPoint wanted, const QSize &frame, const QRect &area)
{
    const int x = std::max(area.left(), std::min(wanted.x(), area.left() + area.width() - frame.width()));
    const int y = std::max(area.top(), std::min(wanted.y(), area.top() + area.height() - frame.height()));
    return {x, y};
}

// The top-left corner of a frame of size frame centred on the middle of around.
QPoint centred(const QSize &frame, const QRect &around)
{
    return {around.left() + (around.width() - frame.width()) / 2,
            around.top() + (around.height() - frame.height()) / 2};
}

} // namespace

QPoint centredIn(const QSize &frame, const QRect &area)
{
    return keptInside(centred(frame, area), frame, area);
}

QPoint centredOver(const QSize &frame, const QRect &owner, const QRect &area)
{
    return keptInside(centred(frame, owner), frame, area);
}

} // namespace ui
