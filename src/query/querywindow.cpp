#include "query/querywindow.h"

#include "shell/shell.h"
#include "ui/activelabel.h"
#include "ui/colors.h"
#include "ui/shapeframe.h"

#include <QMenu>

namespace query {
namespace {

const QColor kExitHoverText(255, 0, 0);
const QColor kExitHoverBorder(255, 255, 192);
const QColor kExitHoverFill(192, 255, 255);
const QColor kExitText(0, 0, 255);
const QColor kExitBorder(255, 224, 192);
const QColor kExitFill(255, 255, 192);

} // namespace

QueryWindow::QueryWindow(shell::Shell &shell, QWidget *parent)
    : WorkWindow(shell, shell::Screen::Query, parent)
{
    setObjectName(QStringLiteral("chaxun"));
    setWindowTitle(QStringLiteral("词帆  单词查询 "));
    resizeClient(715, 481);
    createNavigation();

    m_shape1 = new ui::ShapeFrame(surface());
    m_shape1->setObjectName(QStringLiteral("Shape1"));
    m_shape1->setGeometry(606, 4, 89, 33);
    m_shape1->setBorderColor(kExitBorder);
    m_shape1->setFillColor(kExitFill);

    m_label3 = new ui::ActiveLabel(QStringLiteral("退出"), surface());
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setAlignment(Qt::AlignCenter);
    QFont f;
    f.setFamilies({QStringLiteral("华文行楷"), QStringLiteral("Noto Serif CJK SC")});
    f.setPointSizeF(16);
    m_label3->setFont(f);
    m_label3->setGeometry(606, 7, 89, 27);
    ui::setTextColor(m_label3, QColor(0, 0, 192));
    connect(m_label3, &ui::ActiveLabel::mouseMoved, this, &QueryWindow::Label3_MouseMove);
    connect(m_label3, &ui::ActiveLabel::clicked, this, &QueryWindow::Label3_Click);
}

void QueryWindow::createNavigation()
{
    auto &sh = m_shell;
    addHelpCommand();
    addAboutCommand("guanyu");
    addBarCommand("spc2", QString());
    connect(addBarCommand("qidong", QStringLiteral("向导页面")), &QAction::triggered, this,
            [&sh] { sh.switchTo(shell::Screen::Start); });
    connect(addBarCommand("practise", QStringLiteral("单词练习(F3)")), &QAction::triggered, this,
            [&sh] { sh.switchTo(shell::Screen::Practice); });
    connect(addBarCommand("learn", QStringLiteral("单词学习(F4)")), &QAction::triggered, this,
            [&sh] { sh.switchTo(shell::Screen::Study); });
    addBarCommand("spc", QStringLiteral(" "));
    addCompareCommand();

    QMenu *space = addCarrierMenu("space");
    connect(addKeyCarrier(space, "kuaijiepractise", QStringLiteral("单词练习"), Qt::Key_F3),
            &QAction::triggered, this, [&sh] { sh.switchTo(shell::Screen::Practice); });
    connect(addKeyCarrier(space, "kuaijielearn", QStringLiteral("单词学习"), Qt::Key_F4), &QAction::triggered,
            this, [&sh] { sh.switchTo(shell::Screen::Study); });
    connect(addKeyCarrier(space, "kuaijiecompare", QStringLiteral("字形比较"), Qt::Key_F5),
            &QAction::triggered, this, [this] { m_shell.showCompare(this); });

    connect(addPopupItem("poplianxi", QStringLiteral("练习模式")), &QAction::triggered, this,
            [&sh] { sh.switchTo(shell::Screen::Practice); });
    connect(addPopupItem("popxuexi", QStringLiteral("学习模式")), &QAction::triggered, this,
            [&sh] { sh.switchTo(shell::Screen::Study); });
    addPopupSeparator();
    addPopupSeparator();
    connect(addPopupItem("popbijiao", QStringLiteral("字形比较")), &QAction::triggered, this,
            [this] { m_shell.showCompare(this); });
    addPopupSeparator();
    addExitPopupItem();
}

void QueryWindow::Form_Load() {}

void QueryWindow::Label3_MouseMove()
{
    m_shape1->setBorderColor(kExitHoverBorder);
    m_shape1->setFillColor(kExitHoverFill);
    ui::setTextColor(m_label3, kExitHoverText);
}

void QueryWindow::Form_MouseMove()
{
    m_shape1->setBorderColor(kExitBorder);
    m_shape1->setFillColor(kExitFill);
    ui::setTextColor(m_label3, kExitText);
}

void QueryWindow::Label3_Click()
{
    m_shell.exitProgram();
}

} // namespace query
