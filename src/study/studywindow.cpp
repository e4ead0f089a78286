#include "study/studywindow.h"

#include "shell/shell.h"
#include "ui/activelabel.h"
#include "ui/colors.h"

#include <QMenu>

namespace study {
namespace {

const QColor kExitHoverText(0, 192, 0);
const QColor kExitHoverFill(255, 255, 192);
const QColor kExitText(128, 128, 255);
const QColor kExitFill(255, 224, 192);

} // namespace

StudyWindow::StudyWindow(shell::Shell &shell, QWidget *parent)
    : WorkWindow(shell, shell::Screen::Study, parent)
{
    setObjectName(QStringLiteral("xuexi"));
    setWindowTitle(QStringLiteral("词帆  单词学习"));
    resizeClient(714, 493);
    createNavigation();

    m_lblexit = new ui::ActiveLabel(QStringLiteral("退出"), surface());
    m_lblexit->setObjectName(QStringLiteral("lblexit"));
    m_lblexit->setAlignment(Qt::AlignCenter);
    QFont f = m_lblexit->font();
    f.setPointSizeF(14);
    f.setBold(true);
    m_lblexit->setFont(f);
    m_lblexit->setGeometry(648, 8, 59, 30);
    ui::setTextColor(m_lblexit, kExitText);
    ui::setFillColor(m_lblexit, kExitFill);
    connect(m_lblexit, &ui::ActiveLabel::mouseMoved, this, &StudyWindow::lblexit_MouseMove);
    connect(m_lblexit, &ui::ActiveLabel::clicked, this, &StudyWindow::lblexit_Click);
}

void StudyWindow::createNavigation()
{
    auto &sh = m_shell;
    addHelpCommand();
    addAboutCommand("guanyu");
    addBarCommand("spc2", QString());
    connect(addBarCommand("qidong", QStringLiteral("向导页面")), &QAction::triggered, this,
            [&sh] { sh.switchTo(shell::Screen::Start); });
    connect(addBarCommand("lookup", QStringLiteral("查询单词(F2)")), &QAction::triggered, this,
            [&sh] { sh.switchTo(shell::Screen::Query); });
    connect(addBarCommand("practise", QStringLiteral("单词练习(F3)")), &QAction::triggered, this,
            [&sh] { sh.switchTo(shell::Screen::Practice); });
    addBarCommand("spc", QStringLiteral(" "));
    addCompareCommand();

    QMenu *space = addCarrierMenu("space");
    connect(addKeyCarrier(space, "kuaijielookup", QStringLiteral("查询单词"), Qt::Key_F2),
            &QAction::triggered, this, [&sh] { sh.switchTo(shell::Screen::Query); });
    connect(addKeyCarrier(space, "kuaijiepractise", QStringLiteral("单词练习"), Qt::Key_F3),
            &QAction::triggered, this, [&sh] { sh.switchTo(shell::Screen::Practice); });
    connect(addKeyCarrier(space, "kuaijiecompare", QStringLiteral("字形比较"), Qt::Key_F5),
            &QAction::triggered, this, [this] { m_shell.showCompare(this); });

    connect(addPopupItem("popchaxun", QStringLiteral("单词查询")), &QAction::triggered, this,
            [&sh] { sh.switchTo(shell::Screen::Query); });
    connect(addPopupItem("poplianxi", QStringLiteral("单词练习")), &QAction::triggered, this,
            [&sh] { sh.switchTo(shell::Screen::Practice); });
    addPopupSeparator();
    connect(addPopupItem("popbijiao", QStringLiteral("字形比较")), &QAction::triggered, this,
            [this] { m_shell.showCompare(this); });
    addPopupSeparator();
    addExitPopupItem();
}

void StudyWindow::Form_Load() {}

void StudyWindow::lblexit_MouseMove()
{
    ui::setTextColor(m_lblexit, kExitHoverText);
    ui::setFillColor(m_lblexit, kExitHoverFill);
}

void StudyWindow::Form_MouseMove()
{
    ui::setTextColor(m_lblexit, kExitText);
    ui::setFillColor(m_lblexit, kExitFill);
}

void StudyWindow::lblexit_Click()
{
    m_shell.exitProgram();
}

} // namespace study
