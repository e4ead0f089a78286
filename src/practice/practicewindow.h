#pragma once

#include "practice/practicesession.h"
#include "shell/workwindow.h"

namespace ui {
class HoverLabel;
}

namespace practice {

// The practice window. It may be hidden with its whole state kept when the user leaves it once
// practice has begun and the user answers Yes to the keep-state question.
class PracticeWindow : public shell::WorkWindow
{
    Q_OBJECT

public:
    static const QString kKeepQuestionShort; // start page and the F2/F4 keys
    static const QString kKeepQuestionLong;  // the menu and pop-up entries

    explicit PracticeWindow(shell::Shell &shell, QWidget *parent = nullptr);

    void Form_Load() override;

    PracticeSession &session() { return m_session; }
    const PracticeSession &session() const { return m_session; }

protected:
    void Form_MouseMove() override;
    void leaveFor(shell::Screen target, LeaveBy by) override;

private:
    void createNavigation();
    void Label1_MouseMove();
    void Label1_Click();

    ui::HoverLabel *m_exitLabel{nullptr}; // Label1
    PracticeSession m_session;
};

} // namespace practice
