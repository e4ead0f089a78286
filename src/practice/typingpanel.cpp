#include "practice/typingpanel.h"

#include <QPushButton>

namespace practice {

TypingPanel::TypingPanel(QWidget *parent) : ModePanel(parent)
{
    setObjectName(QStringLiteral("framehanri"));
    addButton(Control::Draw, "begin", QStringLiteral("出题(&Z)"), 8, 70);
    addButton(Control::Check, "check", QStringLiteral("验证"), 82, 70);
    // The three hint stages share one place; one of them is on show at a time.
    addButton(Control::LengthHint, "hint", QStringLiteral("提示长度(&H)"), 156, 88)
        ->setToolTip(QStringLiteral("提示单词字符数"));
    addButton(Control::KanjiHint, "hint2", QStringLiteral("提示当汉(&H)"), 156, 88);
    addButton(Control::AnswerHint, "hint3", QStringLiteral("显示日语(&H)"), 156, 88);
    addButton(Control::Drill, "review", QStringLiteral("错题专练(&C)"), 248, 88);
    addButton(Control::StopDrill, "reviewstop", QStringLiteral("结束错题专练"), 340, 100);
    addButton(Control::Exit, "esc", QStringLiteral("退出"), 444, 70);
}

void TypingPanel::showView(const PracticeView &view)
{
    ModePanel::showView(view);
    button(Control::LengthHint)->setVisible(view.hintStage == 1);
    button(Control::KanjiHint)->setVisible(view.hintStage == 2);
    button(Control::AnswerHint)->setVisible(view.hintStage == 3);
}

} // namespace practice
