#pragma once

#include "practice/modepanel.h"

namespace practice {

// The typed Chinese-to-Japanese practice's button panel `framehanri`: "出题", "验证", the three
// hint stages sharing one place, the wrong-word drill and its stop, and "退出".
class TypingPanel : public ModePanel
{
    Q_OBJECT

public:
    explicit TypingPanel(QWidget *parent = nullptr);

    // Also shows the one hint button of the view's hint stage.
    void showView(const PracticeView &view) override;
};

} // namespace practice
