#pragma once

#include "practice/practicesession.h"

#include <QString>

#include <functional>
#include <optional>

class QPushButton;

namespace practice {

// What a button panel of the practice window needs from its window; the panels work on the
// window's session and leave labels, colours and lists to the window's render().
struct PanelHooks {
    std::function<void()> render;
    // Opens the range dialog; the caller looks at the session to see whether a range was chosen.
    std::function<void()> chooseRange;
    std::function<void(QPushButton *)> setDefaultButton;
    // A uniform value in [0, 1) for a random draw.
    std::function<double()> nextRandom;
    // The end-of-range message of a draw that reached the last word, with the caller's text.
    std::function<void(const std::optional<DrawResult> &, const QString &)> tellEndOfRange;
};

} // namespace practice
