#include "practice/recallpanel.h"

namespace practice {

RecallPanel::RecallPanel(QWidget *parent) : ModePanel(QStringLiteral("添加错题"), parent)
{
    setObjectName(QStringLiteral("Framerihan"));
    addButton(Control::RecallDraw, "showriyu", QStringLiteral("出题"), 8, 76);
    addButton(Control::Reveal, "showhanyu", QStringLiteral("显示答案"), 88, 80);
    addButton(Control::RecallHint, "hint4", QStringLiteral("提示信息(&H)"), 172, 88);
    addButton(Control::RecallAdd, "hanriadd", QStringLiteral("添加错题(&A)"), 264, 88);
    addButton(Control::RecallDrill, "rihanreview", QStringLiteral("错题专练(&C)"), 356, 88);
    addButton(Control::RecallStopDrill, "rihanreviewstop", QStringLiteral("结束专练"), 448, 70);
}

} // namespace practice
