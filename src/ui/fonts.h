#pragma once

#include <QFont>
#include <QStringList>

namespace ui {

enum class Fallback { Sans, Serif };

// A face of the design, given by name (several names where the face is known by more than one),
// followed by the CJK faces installed here (fonts-noto-cjk) for a system that lacks it.
QFont designFont(const QStringList &faces, qreal points, bool bold = false,
                 Fallback fallback = Fallback::Sans);

} // namespace ui
