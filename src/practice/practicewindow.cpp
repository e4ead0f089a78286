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
    addHelpCommand();
    addAboutCommand("about");
    addBarCommand("spc2", QString());
    connect(addBarCommand("qidong", QStringLiteral("向导页面")), &QAction::triggered, this,
            [this] { leaveFor(shell::Screen::Start, kKeepQuestionShort); });
    QMenu *space = addCarrierMenu("space");
    connect(addKeyCarrier(space, "kuaijielookup", QStringLiteral("查询单词"), Qt::Key_F2),
            &QAction::triggered, this, [this] { leaveFor(shell::Screen::Query, kKeepQuestionShort); });
    connect(addKeyCarrier(space, "kuaijielearn", QStringLiteral("单词学习"), Qt::Key_F4), &QAction::triggered,
            this, [this] { leaveFor(shell::Screen::Study, kKeepQuestionShort); });
    connect(addBarCommand("lookup", QStringLiteral("查询单词(F2)")), &QAction::triggered, this,
            [this] { leaveFor(shell::Screen::Query, kKeepQuestionLong); });
    connect(addBarCommand("learn", QStringLiteral("单词学习(F4)")), &QAction::triggered, this,
            [this] { leaveFor(shell::Screen::Study, kKeepQuestionLong); });
    QMenu *spc = addCarrierMenu("spc");
    connect(addKeyCarrier(spc, "kuaijiecompare", QStringLiteral("字形比较"), Qt::Key_F5), &QAction::triggered,
            this, [this] { m_shell.showCompare(this); });
    addCompareCommand();

    connect(addPopupItem("popchaxun", QStringLiteral("查询模式")), &QAction::triggered, this,
            [this] { leaveFor(shell::Screen::Query, kKeepQuestionLong); });
    connect(addPopupItem("popxuexi", QStringLiteral("学习模式")), &QAction::triggered, this,
            [this] { leaveFor(shell::Screen::Study, kKeepQuestionLong); });
    addPopupSeparator();
    addPopupSeparator();
    connect(addPopupItem("popbijiao", QStringLiteral("字形比较")), &QAction::triggered, this,
            [this] { m_shell.showCompare(this); });
    connect(addPopupItem("popstartmenu", QStringLiteral("向导页面")), &QAction::triggered, this,
            [this] { leaveFor(shell::Screen::Start, kKeepQuestionShort); });
    addPopupSeparator();
    addExitPopupItem();
}

void PracticeWindow::Form_Load() {}

bool PracticeWindow::practiceBegun() const
{
    return m_fff1->text() == u"0" && m_fff2->text() == u"0";
}

void PracticeWindow::leaveFor(shell::Screen target, const QString &question)
{
    m_shell.leavePractice(target, question);
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
