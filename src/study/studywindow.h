#pragma once

#include "shell/workwindow.h"

namespace ui {
class ActiveLabel;
}

namespace study {

// The study window: a lesson's words eleven to a screen, or as a list with a detail panel.
class StudyWindow : public shell::WorkWindow
{
    Q_OBJECT

public:
    explicit StudyWindow(shell::Shell &shell, QWidget *parent = nullptr);

    void Form_Load() override;

protected:
    void Form_MouseMove() override;

private:
    void createNavigation();
    void lblexit_MouseMove();
    void lblexit_Click();

    ui::ActiveLabel *m_lblexit{nullptr};
};

} // namespace study
