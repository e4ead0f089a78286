#include "ui/fonts.h"

namespace ui {

QFont designFont(const QStringList &faces, qreal points, bool bold, Fallback fallback)
{
    QStringList families = faces;
    const QString sans = QStringLiteral("Noto Sans CJK SC");
    const QString serif = QStringLiteral("Noto Serif CJK SC");
    families << (fallback == Fallback::Serif ? serif : sans) << (fallback == Fallback::Serif ? sans : serif);
    QFont f;
    f.setFamilies(families);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

} // namespace ui
