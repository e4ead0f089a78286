#include "study/studywindow.h"

#include "lexicon/lexicon.h"
#include "shell/shell.h"
#include "study/headerrow.h"
#include "study/mottobanner.h"
#include "study/studylayout.h"
#include "study/studysettings.h"
#include "study/wordlistview.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/hoverlabel.h"
#include "ui/interaction.h"
#include "ui/textcanvas.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace study {
namespace {

// The exit label lights up while the mouse is over it.
const ui::HoverLabel::Look kExitRest{QString(), QColor(128, 128, 255), QColor(255, 224, 192), QColor(),
                                     QColor()};
const ui::HoverLabel::Look kExitHover{QString(), QColor(0, 192, 0), QColor(255, 255, 192), QColor(),
                                      QColor()};

QFrame *rule(QWidget *parent, const char *name, QFrame::Shape shape)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Plain);
    line->setForegroundRole(QPalette::WindowText);
    return line;
}

// A paging arrow, drawn large enough to be seen at a glance (the toolkit's own arrow is a
// small chevron that looks like a drop-down button).
QIcon arrowIcon(bool down)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 128));
    const QPolygonF shaft{QPointF(8, 3), QPointF(16, 3), QPointF(16, 12), QPointF(8, 12)};
    const QPolygonF head{QPointF(2, 11), QPointF(22, 11), QPointF(12, 22)};
    QTransform flip;
    if (!down)
        flip = QTransform(1, 0, 0, -1, 0, 24);
    painter.drawPolygon(flip.map(shaft));
    painter.drawPolygon(flip.map(head));
    return QIcon(pixmap);
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
    pitchContoursChanged(pitchContoursShown());
}

void StudyWindow::pitchContoursChanged(bool shown)
{
    m_listView->detail()->setPitchContoursShown(shown);
}

void StudyWindow::createControls()
{
    QWidget *s = surface();

    m_lessonCaption = new QLabel(QStringLiteral("输入课时"), s);
    m_lessonCaption->setObjectName(QStringLiteral("Label6"));
    m_lessonCaption->setFont(ui::designFont({}, 12));
    m_lessonCaption->setGeometry(19, 12, 84, 24);

    m_lessonInput = new QLineEdit(QStringLiteral("1"), s);
    m_lessonInput->setObjectName(QStringLiteral("keshi"));
    m_lessonInput->setMaxLength(ciku::kWordBoxMaxLength);
    m_lessonInput->setGeometry(104, 12, 53, 24);
    m_lessonInput->installEventFilter(this);
    connect(m_lessonInput, &QLineEdit::textChanged, this, &StudyWindow::keshi_Change);

    m_startButton = new QPushButton(QStringLiteral("开始学习(&Q)"), s);
    m_startButton->setObjectName(QStringLiteral("start"));
    m_startButton->setGeometry(160, 12, 87, 24);
    m_startButton->setEnabled(false);
    connect(m_startButton, &QPushButton::clicked, this, &StudyWindow::start_Click);

    m_startListButton = new QPushButton(QStringLiteral("开始学习(&Q)"), s);
    m_startListButton->setObjectName(QStringLiteral("startlist"));
    m_startListButton->setGeometry(160, 12, 87, 24);
    m_startListButton->setVisible(false);
    connect(m_startListButton, &QPushButton::clicked, this, &StudyWindow::startlist_Click);

    m_nextButton = new QToolButton(s);
    m_nextButton->setObjectName(QStringLiteral("goon"));
    m_nextButton->setIcon(arrowIcon(true));
    m_nextButton->setToolTip(QStringLiteral("打印后面十个单词"));
    m_nextButton->setGeometry(256, 6, 37, 32);
    m_nextButton->setVisible(false);
    connect(m_nextButton, &QToolButton::clicked, this, &StudyWindow::goon_Click);

    m_previousButton = new QToolButton(s);
    m_previousButton->setObjectName(QStringLiteral("goback"));
    m_previousButton->setIcon(arrowIcon(false));
    m_previousButton->setGeometry(296, 6, 37, 32);
    m_previousButton->setVisible(false);
    connect(m_previousButton, &QToolButton::clicked, this, &StudyWindow::goback_Click);
    for (QToolButton *b : {m_nextButton, m_previousButton}) {
        b->setIconSize(QSize(24, 24));
        b->setFocusPolicy(Qt::NoFocus);
    }

    m_viewOptions = new QFrame(s);
    m_viewOptions->setObjectName(QStringLiteral("Frame1"));
    m_viewOptions->setGeometry(340, 7, 236, 32);
    m_viewOptions->setVisible(false);
    m_listOption = new QRadioButton(QStringLiteral("列表(&X)"), m_viewOptions);
    m_listOption->setObjectName(QStringLiteral("Opb"));
    m_listOption->setToolTip(QStringLiteral("以列表的方式显示所有单词"));
    m_listOption->setGeometry(6, 4, 78, 24);
    m_printOption = new QRadioButton(QStringLiteral("打印(&Z)"), m_viewOptions);
    m_printOption->setObjectName(QStringLiteral("Opa"));
    m_printOption->setToolTip(QStringLiteral("在下面打印出单词的详细信息（类似于课本）"));
    m_printOption->setGeometry(88, 4, 78, 24);
    m_printOption->setChecked(true);
    connect(m_printOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Opa_Click();
    });
    connect(m_listOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Opb_Click();
    });
    m_saveViewButton = new QPushButton(QStringLiteral("保存"), m_viewOptions);
    m_saveViewButton->setObjectName(QStringLiteral("cmdmoren"));
    m_saveViewButton->setToolTip(
        QStringLiteral("保存所选择的自己习惯的显示方式，以后打开的时候，将此方式显示。"));
    m_saveViewButton->setGeometry(172, 4, 62, 24);
    connect(m_saveViewButton, &QPushButton::clicked, this, &StudyWindow::cmdmoren_Click);

    m_exitLabel = new ui::HoverLabel(QStringLiteral("退出"), kExitRest, kExitHover, s);
    m_exitLabel->setObjectName(QStringLiteral("lblexit"));
    m_exitLabel->setAlignment(Qt::AlignCenter);
    m_exitLabel->setFont(ui::designFont({}, 14, true));
    m_exitLabel->setGeometry(648, 8, 59, 30);
    m_exitLabel->showRest();
    connect(m_exitLabel, &ui::ActiveLabel::mouseMoved, this, &StudyWindow::lblexit_MouseMove);
    connect(m_exitLabel, &ui::ActiveLabel::clicked, this, &StudyWindow::lblexit_Click);

    m_headerRule = rule(s, "Line3", QFrame::HLine);
    m_headerRule->setGeometry(0, 40, 714, 2);
    m_headerRule->setVisible(false);

    // The header row lies under the canvas until a lesson is started and the canvas moves down.
    m_headerRow = new HeaderRow(s);
    m_headerRow->setGeometry(8, 42, 697, 23);

    m_printArea = new ui::TextCanvas(s);
    m_printArea->setObjectName(QStringLiteral("showword"));
    m_printArea->setGeometry(0, kCanvasTop, 713, 453);
    m_printArea->setFont(canvasFont());
    m_printArea->setTextColor(kDefaultTextColor);
    connect(m_printArea, &ui::TextCanvas::clicked, this, &StudyWindow::focusLessonBox);
    connect(m_printArea, &ui::TextCanvas::mouseMoved, this, &StudyWindow::Form_MouseMove);
    connect(m_printArea, &ui::TextCanvas::mousePressed, this, [this](Qt::MouseButton b, const QPoint &pos) {
        if (b == Qt::RightButton)
            openPopout(pos);
    });
    m_readingRule = rule(m_printArea, "Line1", QFrame::VLine);
    m_meaningRule = rule(m_printArea, "Line2", QFrame::VLine);
    m_readingRule->setVisible(false);
    m_meaningRule->setVisible(false);

    m_banner = new MottoBanner(m_printArea, this, m_shell.interaction(), settingsPath(settings::kMottoFile),
                               m_shell.settingsFileToRead(settings::kMottoFile));
    connect(m_banner, &MottoBanner::saved, this, [this] { m_shell.settingsSaved(this); });
    connect(m_banner, &MottoBanner::rightPressed, this, &StudyWindow::openPopout);

    m_listView = new WordListView(s);
    m_listView->setGeometry(8, 72, 705, 393);
    m_listView->setVisible(false);
    connect(m_listView, &WordListView::clicked, this, &StudyWindow::focusLessonBox);
    connect(m_listView, &WordListView::rightPressed, this, &StudyWindow::openPopout);
    connect(m_listView, &WordListView::orderChosen, this, &StudyWindow::model_Click);
    connect(m_listView->saveOrderButton(), &QPushButton::clicked, this, &StudyWindow::Command1_Click);

    m_saveColorButton = new QPushButton(QStringLiteral("保存颜色"), s);
    m_saveColorButton->setObjectName(QStringLiteral("savecolor"));
    m_saveColorButton->setToolTip(QStringLiteral("如果希望下次启动时仍显示此色彩，请点击此按钮。"));
    // In the top row beside the view options, where it covers no meaning of the print view, no
    // detail of the list view and no line of the motto, whatever is on show.
    m_saveColorButton->setGeometry(580, 11, 64, 24);
    m_saveColorButton->setVisible(false);
    connect(m_saveColorButton, &QPushButton::clicked, this, &StudyWindow::savecolor_Click);

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
    addRecordMenu();

    QMenu *space = addCarrierMenu("space");
    addLeaveKey(space, "kuaijielookup", QStringLiteral("查询单词"), Qt::Key_F2, Screen::Query);
    addLeaveKey(space, "kuaijiepractise", QStringLiteral("单词练习"), Qt::Key_F3, Screen::Practice);
    addCompareKey(space);

    addLeavePopupItem("popchaxun", QStringLiteral("单词查询"), Screen::Query, LeaveBy::MenuEntry);
    addLeavePopupItem("poplianxi", QStringLiteral("单词练习"), Screen::Practice, LeaveBy::MenuEntry);
    addPopupSeparator();
    m_listPopupItem = addPopupItem("poplist", QStringLiteral("列表显示"));
    connect(m_listPopupItem, &QAction::triggered, this, [this] { m_listOption->setChecked(true); });
    m_printPopupItem = addPopupItem("popprint", QStringLiteral("打印显示"));
    connect(m_printPopupItem, &QAction::triggered, this, [this] { m_printOption->setChecked(true); });
    addPopupSeparator();
    m_setColorItem = addPopupItem("setcolor", QStringLiteral("设置颜色"));
    connect(m_setColorItem, &QAction::triggered, this, &StudyWindow::setcolor_Click);
    // The canvas face is read from sous/xxfnt.dll at opening but has no command of its own.
    m_setFontItem = addPopupItem("setfont", QStringLiteral("设置字体"));
    m_setFontItem->setVisible(false);
    m_setFontItem->setEnabled(false);
    m_mottoItem = addPopupItem("popdiylogo", QStringLiteral("设置警句"));
    connect(m_mottoItem, &QAction::triggered, this, [this] { m_banner->lblpome1_DblClick(); });
    addPopupSeparator();
    m_defaultColorItem = addPopupItem("defaultcolor", QStringLiteral("恢复默认颜色"));
    connect(m_defaultColorItem, &QAction::triggered, this, &StudyWindow::defaultcolor_Click);
    addComparePopupItem();
    addPopupSeparator();
    addExitPopupItem();
    addPopupSeparator();
    addPitchContourPopupItem();
}

QString StudyWindow::settingsPath(const QString &relative) const
{
    return m_shell.programPath(relative);
}

void StudyWindow::Form_Load()
{
    if (const auto color = settings::readTextColor(m_shell.settingsFileToRead(settings::kColorFile)))
        m_printArea->setTextColor(*color);
    if (const auto name = settings::readFontFace(m_shell.settingsFileToRead(settings::kFontFile)))
        applyCanvasFace(*name);

    m_printArea->clear();
    ui::writeRows(*m_printArea, introduction());

    m_startButton->setEnabled(true);
    setDefaultButton(m_startButton);
    focusLessonBox();
    m_viewOptions->setVisible(true);

    if (settings::readViewMode(m_shell.settingsFileToRead(settings::kViewModeFile)) ==
        settings::ViewMode::List)
        m_listOption->setChecked(true); // switches to the list view at once
    else
        m_printOption->setChecked(true);

    m_banner->load();

    if (m_printOption->isChecked())
        m_printPopupItem->setVisible(false);
    else if (m_listOption->isChecked())
        m_listPopupItem->setVisible(false);
}

void StudyWindow::prepare()
{
    WorkWindow::prepare();
    const auto face = settings::readFontFace(m_shell.settingsFileToRead(settings::kFontFile));
    ui::rehearseWriting(
        *m_printArea, [](ui::TextCanvas &canvas) { ui::writeRows(canvas, introduction()); },
        face ? std::optional<QFont>(canvasFont(*face)) : std::nullopt);
    m_banner->rehearseLoad();
}

void StudyWindow::applyCanvasFace(const QString &name)
{
    m_printArea->setFont(canvasFont(name));
    alignHeader();
}

bool StudyWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lessonInput) {
        switch (event->type()) {
        case QEvent::FocusIn:
            // keshi_GotFocus: the whole number is selected, ready to be replaced.
            m_lessonInput->selectAll();
            break;
        case QEvent::MouseButtonRelease:
            // keshi_Click: a left click selects the whole number too.
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                m_lessonInput->selectAll();
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
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_defaultButton &&
        m_defaultButton->isVisibleTo(this) && m_defaultButton->isEnabled()) {
        m_defaultButton->click();
        event->accept();
        return;
    }
    WorkWindow::keyPressEvent(event);
}

void StudyWindow::setDefaultButton(QAbstractButton *button)
{
    if (auto *old = qobject_cast<QPushButton *>(m_defaultButton))
        old->setDefault(false);
    m_defaultButton = button;
    if (auto *now = qobject_cast<QPushButton *>(button))
        now->setDefault(true);
}

void StudyWindow::focusLessonBox()
{
    m_lessonInput->setFocus();
    m_lessonInput->selectAll();
}

void StudyWindow::keshi_Change(const QString &text)
{
    if (text.isEmpty())
        return;
    if (m_printOption->isChecked())
        setDefaultButton(m_startButton);
    else if (m_listOption->isChecked())
        setDefaultButton(m_startListButton);
}

void StudyWindow::keshi_KeyUp(int key)
{
    if (key == Qt::Key_Down && m_nextButton->isVisibleTo(this))
        goon_Click();
    if (key == Qt::Key_Up && m_previousButton->isVisibleTo(this))
        goback_Click();
}

void StudyWindow::lblexit_MouseMove()
{
    m_exitLabel->showHover();
}

void StudyWindow::Form_MouseMove()
{
    m_exitLabel->showRest();
}

void StudyWindow::lblexit_Click()
{
    m_shell.exitProgram();
}

} // namespace study
