#pragma once

#include <QString>

// A modal message as the windows ask for it; plain data, so rules without widgets can return one.
namespace ui {

enum class Icon { None, Information, Warning, Critical, Question };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

inline const QString kAppTitle = QStringLiteral("词帆");

struct Message {
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    QString title; // empty: the application's title
    QString text;

    QString shownTitle() const { return title.isEmpty() ? kAppTitle : title; }
};

} // namespace ui
