#include "practice/practicewindow.h"

#include "shell/shell.h"
#include "ui/activelabel.h"
#include "ui/colors.h"

#include <QLabel>
#include <QMenu>

namespace practice {
namespace {

const QColor kExitHoverFill(192, 255, 255);
const QColor kExitFill(224, 224, 224);

QLabel *hiddenHolder(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->hide();
    return label;
}

} // namespace

const QString PracticeWindow::kKeepQuestionShort = QStringLiteral("是否保留当前练习的状况?");
const QString PracticeWindow::kKeepQuestionLong = QStringLiteral("是否保留当前的练习状况?");

PracticeWindow::PracticeWindow(shell::Shell &shell, QWidget *parent)
    : WorkWindow(shell, shell::Screen::Practice, parent)
{
    setObjectName(QStringLiteral("japanese"));
    setWindowTitle(QStringLiteral("词帆-练习模式"));
    resizeClient(714, 483);
    createNavigation();

    m_label1 = new ui::ActiveLabel(QStringLiteral("退出"), surface());
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignCenter);
    QFont f = m_label1->font();
    f.setPointSizeF(14);
    f.setBold(true);
    m_label1->setFont(f);
    m_label1->setGeometry(640, 8, 66, 30);
    ui::setFillColor(m_label1, kExitFill);
    connect(m_label1, &ui::ActiveLabel::mouseMoved, this, &PracticeWindow::Label1_MouseMove);
    connect(m_label1, &ui::ActiveLabel::clicked, this, &PracticeWindow::Label1_Click);

    m_getmin = hiddenHolder(surface(), "getmin");
    m_fff1 = hiddenHolder(surface(), "fff1");
    m_fff2 = hiddenHolder(surface(), "fff2");
}

void PracticeWindow::createNavigation()
{
    using shell::Screen;
    addHelpCommand();
    addAboutCommand("about");
    addBarCommand("spc2", QString());
    addLeaveCommand("qidong", QStringLiteral("向导页面"), Screen::Start, LeaveBy::StartPage);
    QMenu *space = addCarrierMenu("space");
    addLeaveKey(space, "kuaijielookup", QStringLiteral("查询单词"), Qt::Key_F2, Screen::Query);
    addLeaveKey(space, "kuaijielearn", QStringLiteral("单词学习"), Qt::Key_F4, Screen::Study);
    addLeaveCommand("lookup", QStringLiteral("查询单词(F2)"), Screen::Query, LeaveBy::MenuEntry);
    addLeaveCommand("learn", QStringLiteral("单词学习(F4)"), Screen::Study, LeaveBy::MenuEntry);
    // Here the F5 entry has a hidden menu of its own.
    addCompareKey(addCarrierMenu("spc"));
    addCompareCommand();

    addLeavePopupItem("popchaxun", QStringLiteral("查询模式"), Screen::Query, LeaveBy::MenuEntry);
    addLeavePopupItem("popxuexi", QStringLiteral("学习模式"), Screen::Study, LeaveBy::MenuEntry);
    addPopupSeparator();
    addPopupSeparator();
    addComparePopupItem();
    addLeavePopupItem("popstartmenu", QStringLiteral("向导页面"), Screen::Start, LeaveBy::StartPage);
    addPopupSeparator();
    addExitPopupItem();
}

void PracticeWindow::Form_Load() {}

bool PracticeWindow::practiceBegun() const
{
    return m_fff1->text() == u"0" && m_fff2->text() == u"0";
}

void PracticeWindow::leaveFor(shell::Screen target, LeaveBy by)
{
    // The start page and the function keys ask in the short wording, the menu and pop-up
    // entries in the long one.
    m_shell.leavePractice(target, by == LeaveBy::MenuEntry ? kKeepQuestionLong : kKeepQuestionShort);
}

void PracticeWindow::Label1_MouseMove()
{
    m_label1->setText(QStringLiteral("BYE~"));
    ui::setFillColor(m_label1, kExitHoverFill);
}

void PracticeWindow::Form_MouseMove()
{
    m_label1->setText(QStringLiteral("退出"));
    ui::setFillColor(m_label1, kExitFill);
}

void PracticeWindow::Label1_Click()
{
    m_shell.exitProgram();
}

} // namespace practice
