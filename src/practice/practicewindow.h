#pragma once

#include "shell/workwindow.h"

class QLabel;

namespace ui {
class ActiveLabel;
}

namespace practice {

// The practice window. It may be hidden with its whole state kept when the user leaves it.
class PracticeWindow : public shell::WorkWindow
{
    Q_OBJECT

public:
    static const QString kKeepQuestionShort; // start page and the F2/F4 keys
    static const QString kKeepQuestionLong;  // the menu and pop-up entries

    explicit PracticeWindow(shell::Shell &shell, QWidget *parent = nullptr);

    void Form_Load() override;

    // True once both "出题" and "验证" have been pressed since the window was loaded: the
    // progress markers fff1 and fff2 both read "0".
    bool practiceBegun() const;

protected:
    void Form_MouseMove() override;
    void leaveFor(shell::Screen target, LeaveBy by) override;

private:
    void createNavigation();
    void Label1_MouseMove();
    void Label1_Click();

    ui::ActiveLabel *m_label1{nullptr};
    QLabel *m_getmin{nullptr};
    QLabel *m_fff1{nullptr};
    QLabel *m_fff2{nullptr};
};

} // namespace practice
