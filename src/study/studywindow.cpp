#include "study/studywindow.h"

#include "shell/shell.h"
#include "study/headerrow.h"
#include "study/mottobanner.h"
#include "study/studylayout.h"
#include "study/studysettings.h"
#include "study/wordlistview.h"
#include "ui/activelabel.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/interaction.h"
#include "ui/textcanvas.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace study {
namespace {

const QColor kExitHoverText(0, 192, 0);
const QColor kExitHoverFill(255, 255, 192);
const QColor kExitText(128, 128, 255);
const QColor kExitFill(255, 224, 192);

QFrame *rule(QWidget *parent, const char *name, QFrame::Shape shape)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::WindowText);
    return line;
}

} // namespace

StudyWindow::StudyWindow(shell::Shell &shell, QWidget *parent)
    : WorkWindow(shell, shell::Screen::Study, parent)
{
    setObjectName(QStringLiteral("xuexi"));
    setWindowTitle(QStringLiteral("词帆  单词学习"));
    resizeClient(714, 493);
    createNavigation();
    createControls();
}

void StudyWindow::createControls()
{
    QWidget *s = surface();

    m_label6 = new QLabel(QStringLiteral("输入课时"), s);
    m_label6->setObjectName(QStringLiteral("Label6"));
    m_label6->setFont(ui::designFont({}, 12));
    m_label6->setGeometry(19, 12, 84, 24);

    m_keshi = new QLineEdit(QStringLiteral("1"), s);
    m_keshi->setObjectName(QStringLiteral("keshi"));
    m_keshi->setGeometry(104, 12, 53, 24);
    m_keshi->installEventFilter(this);
    connect(m_keshi, &QLineEdit::textChanged, this, &StudyWindow::keshi_Change);

    m_start = new QPushButton(QStringLiteral("开始学习(&Q)"), s);
    m_start->setObjectName(QStringLiteral("start"));
    m_start->setGeometry(160, 12, 87, 24);
    m_start->setEnabled(false);
    connect(m_start, &QPushButton::clicked, this, &StudyWindow::start_Click);

    m_startlist = new QPushButton(QStringLiteral("开始学习(&Q)"), s);
    m_startlist->setObjectName(QStringLiteral("startlist"));
    m_startlist->setGeometry(160, 12, 87, 24);
    m_startlist->setVisible(false);
    connect(m_startlist, &QPushButton::clicked, this, &StudyWindow::startlist_Click);

    m_goon = new QToolButton(s);
    m_goon->setObjectName(QStringLiteral("goon"));
    m_goon->setArrowType(Qt::DownArrow);
    m_goon->setToolTip(QStringLiteral("打印后面十个单词"));
    m_goon->setGeometry(256, 6, 37, 32);
    m_goon->setVisible(false);
    connect(m_goon, &QToolButton::clicked, this, &StudyWindow::goon_Click);

    m_goback = new QToolButton(s);
    m_goback->setObjectName(QStringLiteral("goback"));
    m_goback->setArrowType(Qt::UpArrow);
    m_goback->setGeometry(296, 6, 37, 32);
    m_goback->setVisible(false);
    connect(m_goback, &QToolButton::clicked, this, &StudyWindow::goback_Click);
    for (QToolButton *b : {m_goon, m_goback}) {
        b->setIconSize(QSize(24, 24));
        b->setFocusPolicy(Qt::NoFocus);
    }

    m_frame1 = new QFrame(s);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(368, 7, 241, 32);
    m_frame1->setVisible(false);
    m_opb = new QRadioButton(QStringLiteral("列表(&X)"), m_frame1);
    m_opb->setObjectName(QStringLiteral("Opb"));
    m_opb->setToolTip(QStringLiteral("以列表的方式显示所有单词"));
    m_opb->setGeometry(6, 4, 78, 24);
    m_opa = new QRadioButton(QStringLiteral("打印(&Z)"), m_frame1);
    m_opa->setObjectName(QStringLiteral("Opa"));
    m_opa->setToolTip(QStringLiteral("在下面打印出单词的详细信息（类似于课本）"));
    m_opa->setGeometry(88, 4, 78, 24);
    m_opa->setChecked(true);
    connect(m_opa, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Opa_Click();
    });
    connect(m_opb, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Opb_Click();
    });
    m_cmdmoren = new QPushButton(QStringLiteral("保存"), m_frame1);
    m_cmdmoren->setObjectName(QStringLiteral("cmdmoren"));
    m_cmdmoren->setToolTip(QStringLiteral("保存所选择的自己习惯的显示方式，以后打开的时候，将此方式显示。"));
    m_cmdmoren->setGeometry(172, 4, 62, 24);
    connect(m_cmdmoren, &QPushButton::clicked, this, &StudyWindow::cmdmoren_Click);

    m_lblexit = new ui::ActiveLabel(QStringLiteral("退出"), s);
    m_lblexit->setObjectName(QStringLiteral("lblexit"));
    m_lblexit->setAlignment(Qt::AlignCenter);
    m_lblexit->setFont(ui::designFont({}, 14, true));
    m_lblexit->setGeometry(648, 8, 59, 30);
    ui::setTextColor(m_lblexit, kExitText);
    ui::setFillColor(m_lblexit, kExitFill);
    connect(m_lblexit, &ui::ActiveLabel::mouseMoved, this, &StudyWindow::lblexit_MouseMove);
    connect(m_lblexit, &ui::ActiveLabel::clicked, this, &StudyWindow::lblexit_Click);

    m_line3 = rule(s, "Line3", QFrame::HLine);
    m_line3->setGeometry(0, 40, 714, 2);
    m_line3->setVisible(false);

    // The header row lies under the canvas until a lesson is started and the canvas moves down.
    m_framelabel = new HeaderRow(s);
    m_framelabel->setGeometry(8, 42, 697, 23);

    m_showword = new ui::TextCanvas(s);
    m_showword->setObjectName(QStringLiteral("showword"));
    m_showword->setGeometry(0, kCanvasTop, 713, 453);
    m_showword->setFont(canvasFont());
    m_showword->setTextColor(kDefaultTextColor);
    connect(m_showword, &ui::TextCanvas::clicked, this, &StudyWindow::focusLessonBox);
    connect(m_showword, &ui::TextCanvas::mouseMoved, this, &StudyWindow::Form_MouseMove);
    connect(m_showword, &ui::TextCanvas::mousePressed, this, [this](Qt::MouseButton b, const QPoint &pos) {
        if (b == Qt::RightButton)
            openPopout(pos);
    });
    m_line1 = rule(m_showword, "Line1", QFrame::VLine);
    m_line2 = rule(m_showword, "Line2", QFrame::VLine);
    m_line1->setVisible(false);
    m_line2->setVisible(false);

    m_banner = new MottoBanner(m_showword, this, m_shell.interaction(), settingsPath(settings::kMottoFile));
    connect(m_banner, &MottoBanner::rightPressed, this, &StudyWindow::openPopout);

    m_framelist = new WordListView(s);
    m_framelist->setGeometry(8, 72, 705, 393);
    m_framelist->setVisible(false);
    connect(m_framelist, &WordListView::clicked, this, &StudyWindow::focusLessonBox);
    connect(m_framelist, &WordListView::rightPressed, this, &StudyWindow::openPopout);
    connect(m_framelist, &WordListView::orderChosen, this, &StudyWindow::model_Click);
    connect(m_framelist->saveOrderButton(), &QPushButton::clicked, this, &StudyWindow::Command1_Click);

    m_savecolor = new QPushButton(QStringLiteral("保存颜色"), s);
    m_savecolor->setObjectName(QStringLiteral("savecolor"));
    m_savecolor->setToolTip(QStringLiteral("如果希望下次启动时仍显示此色彩，请点击此按钮。"));
    m_savecolor->setGeometry(648, 184, 65, 33);
    m_savecolor->setVisible(false);
    connect(m_savecolor, &QPushButton::clicked, this, &StudyWindow::savecolor_Click);

    alignHeader();
}

void StudyWindow::createNavigation()
{
    using shell::Screen;
    addHelpCommand();
    addAboutCommand("guanyu");
    addBarCommand("spc2", QString());
    addLeaveCommand("qidong", QStringLiteral("向导页面"), Screen::Start, LeaveBy::StartPage);
    addLeaveCommand("lookup", QStringLiteral("查询单词(F2)"), Screen::Query, LeaveBy::MenuEntry);
    addLeaveCommand("practise", QStringLiteral("单词练习(F3)"), Screen::Practice, LeaveBy::MenuEntry);
    addBarCommand("spc", QStringLiteral(" "));
    addCompareCommand();

    QMenu *space = addCarrierMenu("space");
    addLeaveKey(space, "kuaijielookup", QStringLiteral("查询单词"), Qt::Key_F2, Screen::Query);
    addLeaveKey(space, "kuaijiepractise", QStringLiteral("单词练习"), Qt::Key_F3, Screen::Practice);
    addCompareKey(space);

    addLeavePopupItem("popchaxun", QStringLiteral("单词查询"), Screen::Query, LeaveBy::MenuEntry);
    addLeavePopupItem("poplianxi", QStringLiteral("单词练习"), Screen::Practice, LeaveBy::MenuEntry);
    addPopupSeparator();
    m_poplist = addPopupItem("poplist", QStringLiteral("列表显示"));
    connect(m_poplist, &QAction::triggered, this, [this] { m_opb->setChecked(true); });
    m_popprint = addPopupItem("popprint", QStringLiteral("打印显示"));
    connect(m_popprint, &QAction::triggered, this, [this] { m_opa->setChecked(true); });
    addPopupSeparator();
    m_setcolor = addPopupItem("setcolor", QStringLiteral("设置颜色"));
    connect(m_setcolor, &QAction::triggered, this, &StudyWindow::setcolor_Click);
    // The canvas face is read from sous/xxfnt.dll at opening but has no command of its own.
    m_setfont = addPopupItem("setfont", QStringLiteral("设置字体"));
    m_setfont->setVisible(false);
    m_setfont->setEnabled(false);
    m_popdiylogo = addPopupItem("popdiylogo", QStringLiteral("设置警句"));
    connect(m_popdiylogo, &QAction::triggered, this, [this] { m_banner->lblpome1_DblClick(); });
    addPopupSeparator();
    m_defaultcolor = addPopupItem("defaultcolor", QStringLiteral("恢复默认颜色"));
    connect(m_defaultcolor, &QAction::triggered, this, &StudyWindow::defaultcolor_Click);
    addComparePopupItem();
    addPopupSeparator();
    addExitPopupItem();
}

QString StudyWindow::settingsPath(const QString &relative) const
{
    return m_shell.programPath(relative);
}

void StudyWindow::Form_Load()
{
    if (const auto color = settings::readTextColor(settingsPath(settings::kColorFile)))
        m_showword->setTextColor(*color);
    if (const auto name = settings::readFontFace(settingsPath(settings::kFontFile)))
        applyCanvasFace(*name);

    m_showword->clear();
    writeRows(*m_showword, introduction());

    m_start->setEnabled(true);
    setDefaultButton(m_start);
    focusLessonBox();
    m_frame1->setVisible(true);

    if (settings::readViewMode(settingsPath(settings::kViewModeFile)) == settings::ViewMode::List)
        m_opb->setChecked(true); // switches to the list view at once
    else
        m_opa->setChecked(true);

    m_banner->load();

    if (m_opa->isChecked())
        m_popprint->setVisible(false);
    else if (m_opb->isChecked())
        m_poplist->setVisible(false);
}

void StudyWindow::applyCanvasFace(const QString &name)
{
    m_showword->setFont(canvasFont(name));
    alignHeader();
}

bool StudyWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_keshi) {
        switch (event->type()) {
        case QEvent::FocusIn:
            // keshi_GotFocus: the whole number is selected, ready to be replaced.
            m_keshi->selectAll();
            break;
        case QEvent::MouseButtonRelease:
            // keshi_Click: a left click selects the whole number too.
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                m_keshi->selectAll();
            break;
        case QEvent::KeyRelease: {
            // A held key repeats its press and, on X11, a release with every repeat; only the
            // real release is the key going up, so a held arrow pages once.
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->isAutoRepeat())
                keshi_KeyUp(key->key());
            break;
        }
        default:
            break;
        }
    }
    return WorkWindow::eventFilter(watched, event);
}

void StudyWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the default button wherever the focus is.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_default &&
        m_default->isVisibleTo(this) && m_default->isEnabled()) {
        m_default->click();
        event->accept();
        return;
    }
    WorkWindow::keyPressEvent(event);
}

void StudyWindow::setDefaultButton(QAbstractButton *button)
{
    if (auto *old = qobject_cast<QPushButton *>(m_default))
        old->setDefault(false);
    m_default = button;
    if (auto *now = qobject_cast<QPushButton *>(button))
        now->setDefault(true);
}

void StudyWindow::focusLessonBox()
{
    m_keshi->setFocus();
    m_keshi->selectAll();
}

void StudyWindow::keshi_Change(const QString &text)
{
    if (text.isEmpty())
        return;
    if (m_opa->isChecked())
        setDefaultButton(m_start);
    else if (m_opb->isChecked())
        setDefaultButton(m_startlist);
}

void StudyWindow::keshi_KeyUp(int key)
{
    if (key == Qt::Key_Down && m_goon->isVisibleTo(this))
        goon_Click();
    if (key == Qt::Key_Up && m_goback->isVisibleTo(this))
        goback_Click();
}

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
