#include "practice/practicewindow.h"

#include "shell/shell.h"
#include "ui/hoverlabel.h"
#include "ui/interaction.h"

#include <QLabel>
#include <QMenu>

namespace practice {
namespace {

// The exit label says goodbye while the mouse is over it.
const ui::HoverLabel::Look kExitRest{QStringLiteral("退出"), QColor(), QColor(224, 224, 224), QColor(),
                                     QColor()};
const ui::HoverLabel::Look kExitHover{QStringLiteral("BYE~"), QColor(), QColor(192, 255, 255), QColor(),
                                      QColor()};

// An empty, hidden label that only carries a design name; the state it once held lives in the
// session, and nothing is read back from it.
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

    m_exitLabel = new ui::HoverLabel(QStringLiteral("退出"), kExitRest, kExitHover, surface());
    m_exitLabel->setObjectName(QStringLiteral("Label1"));
    m_exitLabel->setAlignment(Qt::AlignCenter);
    QFont f = m_exitLabel->font();
    f.setPointSizeF(14);
    f.setBold(true);
    m_exitLabel->setFont(f);
    m_exitLabel->setGeometry(640, 8, 66, 30);
    m_exitLabel->showRest();
    connect(m_exitLabel, &ui::ActiveLabel::mouseMoved, this, &PracticeWindow::Label1_MouseMove);
    connect(m_exitLabel, &ui::ActiveLabel::clicked, this, &PracticeWindow::Label1_Click);

    hiddenHolder(surface(), "getmin");
    hiddenHolder(surface(), "fff1");
    hiddenHolder(surface(), "fff2");
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

void PracticeWindow::leaveFor(shell::Screen target, LeaveBy by)
{
    // Only the window on show asks; a hidden one has nothing to keep from here.
    if (m_shell.currentWindow() != this) {
        m_shell.switchTo(target);
        return;
    }
    bool keep = false;
    if (m_session.begun()) {
        // The start page and the function keys ask in the short wording, the menu and pop-up
        // entries in the long one.
        const QString question = by == LeaveBy::MenuEntry ? kKeepQuestionLong : kKeepQuestionShort;
        const ui::Answer answer = m_shell.interaction().message(
            this, ui::Message{ui::Icon::Question, ui::Buttons::YesNo, QStringLiteral("询问"), question});
        keep = answer == ui::Answer::Yes;
    }
    m_shell.switchTo(target, keep ? shell::Keep::Hidden : shell::Keep::None);
}

void PracticeWindow::Label1_MouseMove()
{
    m_exitLabel->showHover();
}

void PracticeWindow::Form_MouseMove()
{
    m_exitLabel->showRest();
}

void PracticeWindow::Label1_Click()
{
    m_shell.exitProgram();
}

} // namespace practice
