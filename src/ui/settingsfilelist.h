#pragma once

#include <QString>
#include <QStringList>

namespace ui {

// Every settings file the program keeps, as the windows name it. A new one is added here, so the
// fuzz target of the readers and the kill loop of the writer (scripts/settings-killloop.sh) cover it.
inline const QStringList kSettingsFiles = {
    QStringLiteral("sous/xx.dll"),      QStringLiteral("sous/mod.dll"),      QStringLiteral("sous/xxclr.dll"),
    QStringLiteral("sous/xxfnt.dll"),   QStringLiteral("sous/pome.dll"),     QStringLiteral("sous/sys.dll"),
    QStringLiteral("sous/gap.dll"),     QStringLiteral("sous/cx.dll"),       QStringLiteral("sous/roma.dll"),
    QStringLiteral("sous/yindiao.dll"), QStringLiteral("sous/retention.dll")};

} // namespace ui
