#include "practice/practicewindow.h"

#include "practice/flashdrillpanel.h"
#include "practice/practicesettings.h"
#include "practice/rangedialog.h"
#include "practice/recallpanel.h"
#include "practice/wronglistpane.h"
#include "shell/shell.h"
#include "ui/activelabel.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/hoverlabel.h"
#include "ui/interaction.h"
#include "ui/textcanvas.h"
#include "ui/twips.h"

#include <QDateTime>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace practice {
namespace {

// The exit label says goodbye while the mouse is over it.
const ui::HoverLabel::Look kExitRest{QStringLiteral("退出"), QColor(), QColor(224, 224, 224), QColor(),
                                     QColor()};
const ui::HoverLabel::Look kExitHover{QStringLiteral("BYE~"), QColor(), QColor(192, 255, 255), QColor(),
                                      QColor()};
const QColor kWordFill(255, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kPurple(192, 0, 192);

const QString kChutiEndOfRange = QStringLiteral(
    "下面的是指定练习范围的最后一个单词，此单词练完后，将从头开始，你也可以选择“随机练习”方式继续练习。");

using ui::place;

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QRadioButton *option(QWidget *parent, const char *name, const QString &caption, int top,
                     const QString &toolTip = QString())
{
    auto *button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(10, top, 100, 22);
    button->setToolTip(toolTip);
    return button;
}

QGroupBox *optionGroup(QWidget *parent, const char *name, int left, int top)
{
    auto *group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(name));
    place(group, left, top, 1740, 870);
    return group;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    return b;
}

// Shrinks a word label's font from its design size until the text fits on one line inside the
// frame, so that a long meaning or greeting is shown whole instead of cut off at both ends.
void fitToWidth(QLabel *label, const QFont &designFont)
{
    constexpr qreal kSmallestPoints = 9;
    const int room = label->contentsRect().width() - 4;
    QFont font = designFont;
    while (font.pointSizeF() > kSmallestPoints && QFontMetrics(font).horizontalAdvance(label->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    if (font != label->font())
        label->setFont(font);
}

// A hidden label that carries a design name and shows a piece of the session's state for tools
// that look controls up by name; nothing is read back from it.
QLabel *hiddenHolder(QWidget *parent, const char *name)
{
    QLabel *holder = label(parent, name, QString());
    holder->hide();
    return holder;
}

} // namespace

const QString PracticeWindow::kKeepQuestionShort = QStringLiteral("是否保留当前练习的状况?");
const QString PracticeWindow::kKeepQuestionLong = QStringLiteral("是否保留当前的练习状况?");
const QString PracticeWindow::kEndOfRangeNoCount =
    QStringLiteral("下面的是指定练习范围的最后一个单词，此单词练完后，将从头开始，你也可以选择“随机练习”模式"
                   "让电脑随机出题继续练习。");

PracticeWindow::PracticeWindow(shell::Shell &shell, QWidget *parent)
    : WorkWindow(shell, shell::Screen::Practice, parent)
{
    setObjectName(QStringLiteral("japanese"));
    setWindowTitle(QStringLiteral("词帆-练习模式"));
    resizeClient(714, 483);
    createNavigation();
    createOptionGroups();
    createQuestionArea();
    m_wrongListPane = new WrongListPane(surface());
    place(m_wrongListPane, 8580, 900, 2010, 5100);
    createPanels();
    createExitLabel();

    m_firstIndexMirror = hiddenHolder(surface(), "getmin");
    m_drawnMirror = hiddenHolder(surface(), "fff1");
    m_checkedMirror = hiddenHolder(surface(), "fff2");

    // A double-click on "闪电速练" sets the drill's speed.
    m_flashPaceOption->installEventFilter(this);

    connect(m_wrongListPane->textList(Direction::ChineseToJapanese), &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { List_DblClick(item->listWidget()->row(item)); });
    connect(m_wrongListPane->textList(Direction::JapaneseToChinese), &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { list2_DblClick(item->listWidget()->row(item)); });
    connect(m_wrongListPane->heading(), &ui::ActiveLabel::doubleClicked, this,
            &PracticeWindow::wrong_DblClick);

    setDefaultButton(m_drawButton);
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
    m_popSequential = addPopupItem("poponebuone", QStringLiteral("顺序出题"));
    m_popRandom = addPopupItem("popran", QStringLiteral("随机出题"));
    m_popChineseToJapanese = addPopupItem("popyuyan", QStringLiteral("汉-日练习"));
    m_popJapaneseToChinese = addPopupItem("popyuyan2", QStringLiteral("日-汉练习"));
    m_popLearn = addPopupItem("popxuelian", QStringLiteral("边练边学"));
    m_popDictation = addPopupItem("poptingxie", QStringLiteral("听写巩固"));
    m_popNormalPace = addPopupItem("popcommon", QStringLiteral("普通练习"));
    m_popFlashPace = addPopupItem("popflash", QStringLiteral("闪电速练"));
    addPopupSeparator();
    QAction *chooseRangeItem = addPopupItem("popchose", QStringLiteral("选择范围"));
    connect(chooseRangeItem, &QAction::triggered, this, &PracticeWindow::chooseRange);
    addComparePopupItem();
    addLeavePopupItem("popstartmenu", QStringLiteral("向导页面"), Screen::Start, LeaveBy::StartPage);
    addPopupSeparator();
    addExitPopupItem();
}

void PracticeWindow::createOptionGroups()
{
    QWidget *s = surface();
    QGroupBox *order = optionGroup(s, "Frame1", 120, 30);
    m_sequentialOption = option(order, "shunxu", QStringLiteral("顺序练习"), 8,
                                QStringLiteral("从本课第一个单词开始，按顺序练习直到最后一个"));
    m_randomOption =
        option(order, "suiji", QStringLiteral("随机练习"), 32, QStringLiteral("从本课中随机抽取单词练习"));
    QGroupBox *direction = optionGroup(s, "Frame2", 1980, 30);
    m_chineseToJapaneseOption = option(direction, "hanri", QStringLiteral("汉日练习"), 8);
    m_japaneseToChineseOption = option(direction, "rihan", QStringLiteral("日汉练习"), 32);
    QGroupBox *display = optionGroup(s, "Frame3", 3840, 30);
    m_learnOption =
        option(display, "optxue", QStringLiteral("边练边学"), 8,
               QStringLiteral("照着答案打单词，可用来学习新单词。前几遍建议使用“顺序练习”方式。"));
    m_dictationOption = option(display, "optlian", QStringLiteral("听写巩固"), 32);
    QGroupBox *pace = optionGroup(s, "Frame4", 120, 960);
    m_normalPaceOption = option(pace, "optnormal", QStringLiteral("普通练习"), 8);
    m_flashPaceOption = option(pace, "optflash", QStringLiteral("闪电速练"), 32,
                               QStringLiteral("单词一个一个闪过，看看你能熟练程度如何"));

    m_sequentialOption->setChecked(true);
    m_chineseToJapaneseOption->setChecked(true);
    m_dictationOption->setChecked(true);
    m_normalPaceOption->setChecked(true);

    // A selection made by a click, by the pop-up menu or by the saved settings runs the same
    // handler, once, when the selection changes.
    auto onSelected = [this](QRadioButton *button, void (PracticeWindow::*handler)(), QAction *item) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
        connect(item, &QAction::triggered, button, [button] { button->setChecked(true); });
    };
    onSelected(m_sequentialOption, &PracticeWindow::shunxu_Click, m_popSequential);
    onSelected(m_randomOption, &PracticeWindow::suiji_Click, m_popRandom);
    onSelected(m_chineseToJapaneseOption, &PracticeWindow::hanri_Click, m_popChineseToJapanese);
    onSelected(m_japaneseToChineseOption, &PracticeWindow::rihan_Click, m_popJapaneseToChinese);
    onSelected(m_learnOption, &PracticeWindow::optxue_Click, m_popLearn);
    onSelected(m_dictationOption, &PracticeWindow::optlian_Click, m_popDictation);
    onSelected(m_normalPaceOption, &PracticeWindow::optnormal_Click, m_popNormalPace);
    onSelected(m_flashPaceOption, &PracticeWindow::optflash_Click, m_popFlashPace);

    m_saveSettingsButton = button(s, "cmdmoren", QStringLiteral("保存设置"), QRect());
    place(m_saveSettingsButton, 1980, 1200, 1440, 450);
    m_saveSettingsButton->setToolTip(
        QStringLiteral("选择适合自己的练习方式并保存，下次启动的时候，便按照此方式进行。"));
    connect(m_saveSettingsButton, &QPushButton::clicked, this, &PracticeWindow::cmdmoren_Click);
}

void PracticeWindow::createQuestionArea()
{
    QWidget *s = surface();
    const QFont small = ui::designFont({QStringLiteral("宋体"), QStringLiteral("SimSun")}, 10.5);
    m_wordFont = ui::designFont({QStringLiteral("宋体"), QStringLiteral("SimSun")}, 16, true);

    m_partOfSpeechLabel = label(s, "cixing", QStringLiteral("显示词性"));
    place(m_partOfSpeechLabel, 240, 1980, 2250, 300);
    m_kanjiLabel = label(s, "lbldanghan", QStringLiteral("显示当用汉字"));
    place(m_kanjiLabel, 4440, 1980, 2250, 300);
    m_accentLabel = label(s, "tone", QStringLiteral("显示音调"));
    place(m_accentLabel, 6840, 1980, 1560, 300);
    for (QLabel *l : {m_partOfSpeechLabel, m_kanjiLabel, m_accentLabel})
        l->setFont(small);

    m_questionLabel = label(s, "china", QStringLiteral("这里将显示汉语（题目）"));
    place(m_questionLabel, 240, 2310, 3960, 780);
    m_answerLabel = label(s, "japan", QStringLiteral("这里将显示日语（答案）"));
    place(m_answerLabel, 4440, 2310, 3960, 780);
    for (QLabel *l : {m_questionLabel, m_answerLabel}) {
        l->setFont(m_wordFont);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        ui::setFillColor(l, kWordFill);
        ui::setTextColor(l, Qt::black);
    }

    m_picture = new ui::ActiveLabel(QString(), s);
    m_picture->setObjectName(QStringLiteral("pic"));
    place(m_picture, 240, 3210, 2400, 2400);
    m_picture->setAlignment(Qt::AlignCenter);
    connect(m_picture, &ui::ActiveLabel::rightPressed, this, &PracticeWindow::openPopout);

    m_answerInput = new QLineEdit(QStringLiteral("请在此输入假名"), s);
    m_answerInput->setObjectName(QStringLiteral("txtinput"));
    place(m_answerInput, 4440, 3240, 3960, 510);
    m_answerInput->setFont(ui::designFont({QStringLiteral("宋体"), QStringLiteral("SimSun")}, 15));

    m_hintLabel = label(s, "tishi", QStringLiteral("   此部分显示提示信息"));
    place(m_hintLabel, 4440, 3870, 3960, 360);
    m_hintLabel->setFont(small);
    m_remarkLabel = label(s, "note", QString());
    place(m_remarkLabel, 4440, 4320, 3960, 540);
    m_remarkLabel->setFont(ui::designFont({QStringLiteral("宋体"), QStringLiteral("SimSun")}, 15, true));

    m_answerPanel = new ui::TextCanvas(s);
    m_answerPanel->setObjectName(QStringLiteral("showwords2"));
    place(m_answerPanel, 2200, 3210, 6200, 2790);
    m_answerPanel->hide();
    connect(m_answerPanel, &ui::TextCanvas::mousePressed, this, &PracticeWindow::Form_MouseDown);
}

void PracticeWindow::createPanels()
{
    QWidget *s = surface();
    m_chooseRangeButton = button(s, "xuanzefanwei", QStringLiteral("选择范围"), QRect());
    place(m_chooseRangeButton, 120, 6330, 1230, 660);
    connect(m_chooseRangeButton, &QPushButton::clicked, this, &PracticeWindow::xuanzefanwei_Click);
    m_restartButton = button(s, "backagain", QStringLiteral("从头再来"), QRect());
    place(m_restartButton, 9390, 6330, 1230, 660);
    m_restartButton->setToolTip(QStringLiteral("返回到本课第一个单词重新开始"));
    connect(m_restartButton, &QPushButton::clicked, this, &PracticeWindow::backagain_Click);

    auto panel = [s](const char *name, const QString &caption) {
        auto *p = new QGroupBox(caption, s);
        p->setObjectName(QString::fromLatin1(name));
        place(p, 1440, 6060, 7860, 1080);
        return p;
    };
    m_chineseToJapanesePanel = panel("framehanri", QString());

    QGroupBox *p = m_chineseToJapanesePanel;
    m_drawButton = button(p, "begin", QStringLiteral("出题(&Z)"), QRect(8, 24, 70, 38));
    m_checkButton = button(p, "check", QStringLiteral("验证"), QRect(82, 24, 70, 38));
    m_checkButton->setEnabled(false);
    // The three hint stages share one place; one of them is on show at a time.
    m_lengthHintButton = button(p, "hint", QStringLiteral("提示长度(&H)"), QRect(156, 24, 88, 38));
    m_lengthHintButton->setToolTip(QStringLiteral("提示单词字符数"));
    m_lengthHintButton->setEnabled(false);
    m_kanjiHintButton = button(p, "hint2", QStringLiteral("提示当汉(&H)"), QRect(156, 24, 88, 38));
    m_kanjiHintButton->hide();
    m_answerHintButton = button(p, "hint3", QStringLiteral("显示日语(&H)"), QRect(156, 24, 88, 38));
    m_answerHintButton->hide();
    m_drillButton = button(p, "review", QStringLiteral("错题专练(&C)"), QRect(248, 24, 88, 38));
    m_drillButton->setEnabled(false);
    m_stopDrillButton = button(p, "reviewstop", QStringLiteral("结束错题专练"), QRect(340, 24, 100, 38));
    m_stopDrillButton->setEnabled(false);
    m_exitButton = button(p, "esc", QStringLiteral("退出"), QRect(444, 24, 70, 38));

    connect(m_drawButton, &QPushButton::clicked, this, &PracticeWindow::begin_Click);
    connect(m_checkButton, &QPushButton::clicked, this, &PracticeWindow::check_Click);
    connect(m_lengthHintButton, &QPushButton::clicked, this, &PracticeWindow::hint_Click);
    connect(m_kanjiHintButton, &QPushButton::clicked, this, &PracticeWindow::hint2_Click);
    connect(m_answerHintButton, &QPushButton::clicked, this, &PracticeWindow::hint3_Click);
    connect(m_exitButton, &QPushButton::clicked, this, &PracticeWindow::esc_Click);
    connect(m_drillButton, &QPushButton::clicked, this, &PracticeWindow::review_Click);
    connect(m_stopDrillButton, &QPushButton::clicked, this, &PracticeWindow::reviewstop_Click);

    // Both panels lie where framehanri does; the direction and pace select the one on show.
    PanelHooks hooks;
    hooks.render = [this] { render(); };
    hooks.chooseRange = [this] { chooseRange(); };
    hooks.setDefaultButton = [this](QPushButton *b) { setDefaultButton(b); };
    hooks.nextRandom = [this] { return nextRandom(); };
    hooks.tellEndOfRange = [this](const std::optional<DrawResult> &draw, const QString &text) {
        tellEndOfRange(draw, text);
    };
    m_recallPanel = new RecallPanel(m_session, m_shell, this, m_answerPanel, hooks, s);
    place(m_recallPanel, 1440, 6060, 7860, 1080);
    m_recallPanel->hide();
    m_flashPanel = new FlashDrillPanel(m_session, m_shell, this, std::move(hooks), s);
    place(m_flashPanel, 1440, 6060, 7860, 1080);
    m_flashPanel->hide();
}

void PracticeWindow::applyPanels()
{
    const bool normal = m_session.pace() == Pace::Normal;
    const bool chineseToJapanese = m_session.direction() == Direction::ChineseToJapanese;
    m_chineseToJapanesePanel->setVisible(m_panelsUncovered && normal && chineseToJapanese);
    m_recallPanel->setVisible(m_panelsUncovered && normal && !chineseToJapanese);
    m_flashPanel->setVisible(!normal);
    // The picture, the input box, the hint and the display modes serve typed answers only.
    m_picture->setVisible(normal && chineseToJapanese);
    m_answerInput->setVisible(normal && chineseToJapanese);
    m_hintLabel->setVisible(normal && chineseToJapanese);
    m_remarkLabel->setVisible(chineseToJapanese);
    m_learnOption->setEnabled(normal && chineseToJapanese);
    m_dictationOption->setEnabled(normal && chineseToJapanese);
    m_answerPanel->setVisible(normal && !chineseToJapanese);
}

void PracticeWindow::createExitLabel()
{
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
}

void PracticeWindow::Form_Load()
{
    chooseRange();
    applySavedPractice();
    render();
}

void PracticeWindow::chooseRange()
{
    RangeChoice &lastChoice = RangeChoice::of(m_shell);
    if (!m_rangeDialog)
        m_rangeDialog = new RangeDialog(m_shell.interaction(), this, lastChoice.option);
    m_rangeDialog->setResult(0);
    m_shell.interaction().showModal(m_rangeDialog);
    if (!m_rangeDialog || !m_rangeDialog->confirmed()) {
        // Closed through its close box: no choice, and the next opening starts anew at unit 1.
        lastChoice.option.clear();
        delete m_rangeDialog.data();
        return;
    }
    lastChoice.option = m_rangeDialog->chosenOption();
    m_rangeDialog->hide();
    show();
    raise();
    // The panel of the current direction is uncovered; in the flash drill its own panel stays.
    m_panelsUncovered = true;
    applyPanels();
    if (const auto range = m_rangeDialog->chosenRange()) {
        m_session.setRange(*range);
    } else {
        m_shell.interaction().message(
            this, ui::Message{ui::Icon::None, ui::Buttons::Ok, QString(), QStringLiteral("请选择练习范围")});
        m_panelsUncovered = false;
        applyPanels();
        m_chooseRangeButton->setFocus();
    }
    render();
}

void PracticeWindow::applySavedPractice()
{
    const auto saved =
        settings::readSavedPractice(m_shell.settingsFileToRead(settings::kPracticeSettingsFile));
    if (!saved)
        return;
    (saved->order == Order::Random ? m_randomOption : m_sequentialOption)->setChecked(true);
    (saved->direction == Direction::JapaneseToChinese ? m_japaneseToChineseOption : m_chineseToJapaneseOption)
        ->setChecked(true);
    (saved->display == DisplayMode::Learn ? m_learnOption : m_dictationOption)->setChecked(true);
}

void PracticeWindow::clearQuestion()
{
    m_questionLabel->clear();
    m_answerLabel->clear();
}

void PracticeWindow::tellEndOfRange(const std::optional<DrawResult> &draw, const QString &text)
{
    if (draw && draw->endOfRange)
        m_shell.interaction().message(
            this, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QStringLiteral("提醒"), text});
}

double PracticeWindow::nextRandom()
{
    // Two draws within one tick of the clock still differ: the old state goes into the seed.
    const auto clock = static_cast<quint64>(QDateTime::currentMSecsSinceEpoch());
    m_random.seed(static_cast<quint32>(clock ^ (clock >> 32)) ^ m_random.generate());
    return m_random.generateDouble();
}

void PracticeWindow::render()
{
    const QuestionView &v = m_session.view();
    m_questionLabel->setText(v.question);
    m_answerLabel->setText(v.answer);
    fitToWidth(m_questionLabel, m_wordFont);
    fitToWidth(m_answerLabel, m_wordFont);
    QColor answerColor = Qt::black;
    switch (v.look) {
    case AnswerLook::Plain:
        break;
    case AnswerLook::Hidden:
        answerColor = ui::fillColor(m_answerLabel);
        break;
    case AnswerLook::Learning:
        answerColor = kBlue;
        break;
    case AnswerLook::Wrong:
        answerColor = kRed;
        break;
    case AnswerLook::Revealed:
        answerColor = kPurple;
        break;
    }
    ui::setTextColor(m_answerLabel, answerColor);
    QColor meaningColor = Qt::black;
    if (v.meaningLook == AnswerLook::Hidden)
        meaningColor = ui::fillColor(m_questionLabel);
    else if (v.meaningLook == AnswerLook::Learning)
        meaningColor = kBlue;
    ui::setTextColor(m_questionLabel, meaningColor);
    m_kanjiLabel->setText(v.kanji);
    m_kanjiLabel->setVisible(v.kanjiShown);
    m_accentLabel->setText(v.accent);
    m_accentLabel->setVisible(v.accentShown);
    m_partOfSpeechLabel->setText(v.partOfSpeech);

    m_lengthHintButton->setVisible(v.hintStage == 1);
    m_lengthHintButton->setEnabled(v.lengthHintEnabled);
    m_kanjiHintButton->setVisible(v.hintStage == 2);
    m_answerHintButton->setVisible(v.hintStage == 3);
    m_hintLabel->setText(v.hintText);
    m_remarkLabel->setText(v.remark);
    showPicture(v.picture);

    if (const auto caption = m_session.caption())
        setWindowTitle(*caption);
    m_wrongListPane->showSession(m_session);

    const auto range = m_session.range();
    m_firstIndexMirror->setText(range ? QString::number(range->first) : QString());
    m_drawnMirror->setText(m_session.drawn() ? QStringLiteral("0") : QString());
    m_checkedMirror->setText(m_session.checked() ? QStringLiteral("0") : QString());

    m_popSequential->setVisible(m_session.order() != Order::Sequential);
    m_popRandom->setVisible(m_session.order() != Order::Random);
    m_popChineseToJapanese->setVisible(m_session.direction() != Direction::ChineseToJapanese);
    m_popJapaneseToChinese->setVisible(m_session.direction() != Direction::JapaneseToChinese);
    m_popLearn->setVisible(m_session.displayMode() != DisplayMode::Learn);
    m_popDictation->setVisible(m_session.displayMode() != DisplayMode::Dictation);
    m_popNormalPace->setVisible(m_session.pace() != Pace::Normal);
    m_popFlashPace->setVisible(m_session.pace() != Pace::Flash);
}

void PracticeWindow::showPicture(Picture picture)
{
    if (picture == m_shownPicture)
        return;
    m_shownPicture = picture;
    const char *file = nullptr;
    switch (picture) {
    case Picture::None:
        return;
    case Picture::Start:
        file = "pic/start.jpg";
        break;
    case Picture::Right:
        file = "pic/right.jpg";
        break;
    case Picture::Wrong:
        file = "pic/wrong.jpg";
        break;
    }
    // A missing picture leaves the box as it is.
    const QString path = m_shell.programPath(QString::fromLatin1(file));
    if (QFile::exists(path))
        m_picture->setPixmap(QPixmap(path));
}

void PracticeWindow::setDefaultButton(QPushButton *button)
{
    if (m_defaultButton)
        m_defaultButton->setDefault(false);
    m_defaultButton = button;
    if (button)
        button->setDefault(true);
}

bool PracticeWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_flashPaceOption && event->type() == QEvent::MouseButtonDblClick) {
        m_flashPanel->optflash_DblClick();
        return true;
    }
    return WorkWindow::eventFilter(watched, event);
}

void PracticeWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the button that has the focus, elsewhere the default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto *focused = qobject_cast<QPushButton *>(focusWidget());
        QPushButton *target = focused ? focused : m_defaultButton;
        if (target && target->isEnabled() && target->isVisibleTo(this)) {
            target->click();
            event->accept();
            return;
        }
    }
    WorkWindow::keyPressEvent(event);
}

void PracticeWindow::chuti()
{
    askQuestion(&PracticeSession::ask);
}

void PracticeWindow::askQuestion(std::optional<DrawResult> (PracticeSession::*draw)(double))
{
    clearQuestion();
    tellEndOfRange((m_session.*draw)(nextRandom()), kChutiEndOfRange);
    setDefaultButton(m_checkButton);
    m_answerInput->clear();
    render();
    m_answerInput->setFocus();
}

void PracticeWindow::cuoti()
{
    m_drawButton->setEnabled(false);
    m_stopDrillButton->setEnabled(true);
    setDefaultButton(m_checkButton);
    if (m_session.askWrong()) {
        m_answerInput->clear();
        render();
        m_answerInput->setFocus();
        return;
    }
    render();
    m_shell.interaction().message(
        this, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QStringLiteral("错题练习结束"),
                          QStringLiteral("错题栏内没有错题可以练习,请选择出题练习！")});
    // The drill is over as after "结束错题专练": no button stays disabled with no drill running.
    endChineseDrill();
}

void PracticeWindow::endChineseDrill()
{
    m_session.stopDrill();
    m_chooseRangeButton->setEnabled(true);
    // "从头再来" comes back as the order option has it: random order keeps it disabled.
    m_restartButton->setEnabled(m_session.order() == Order::Sequential);
    m_stopDrillButton->setEnabled(false);
    m_drawButton->setEnabled(true);
    setDefaultButton(m_drawButton);
    m_drawButton->setFocus();
    render();
}

void PracticeWindow::review_Click()
{
    m_chooseRangeButton->setEnabled(false);
    m_restartButton->setEnabled(false);
    cuoti();
    m_session.prepareDrillAnswer();
    render();
}

void PracticeWindow::reviewstop_Click()
{
    // The word on screen stays; the entries not yet drilled stay in the list.
    endChineseDrill();
}

// --- Wrong-word lists -----------------------------------------------------------------------

void PracticeWindow::List_DblClick(int row)
{
    m_session.wrongList(Direction::ChineseToJapanese).removeAt(row);
    render();
}

void PracticeWindow::list2_DblClick(int row)
{
    m_session.wrongList(Direction::JapaneseToChinese).removeAt(row);
    render();
}

void PracticeWindow::wrong_DblClick()
{
    // Only the list of the selected direction, without a question.
    m_session.wrongList(m_session.direction()).clear();
    render();
}

void PracticeWindow::begin_Click()
{
    // Nothing can be asked before a range is chosen (the dialog was closed through its close box).
    if (!m_session.hasRange()) {
        chooseRange();
        return;
    }
    m_stopDrillButton->setEnabled(false);
    m_checkButton->setEnabled(true);
    m_drillButton->setEnabled(true);
    askQuestion(&PracticeSession::startQuestion);
}

void PracticeWindow::check_Click()
{
    if (m_session.judge(m_answerInput->text())) {
        // Both make "验证" the default button for the word they draw; a drill that has run out
        // of words leaves "出题" the default instead.
        if (m_session.reviewMode())
            cuoti();
        else
            chuti();
        m_session.updateCaption();
        render();
        return;
    }
    m_shell.interaction().beep();
    m_session.updateCaption();
    render();
    // The user sees the right answer first; Enter then goes on.
    QPushButton *next = m_session.reviewMode() ? m_drillButton : m_drawButton;
    next->setEnabled(true);
    setDefaultButton(next);
    next->setFocus();
}

void PracticeWindow::hint_Click()
{
    m_session.hintLength();
    render();
    m_answerInput->setFocus();
}

void PracticeWindow::hint2_Click()
{
    m_session.hintKanji();
    render();
    m_answerInput->setFocus();
}

void PracticeWindow::hint3_Click()
{
    m_session.revealAnswer();
    render();
    m_answerInput->setFocus();
    m_shell.interaction().beep();
}

void PracticeWindow::backagain_Click()
{
    m_session.restartOrder();
    setDefaultButton(m_drawButton);
    // No word is drawn; the focus goes to the button that goes on in the practice on show.
    if (m_session.pace() == Pace::Flash)
        m_flashPanel->addButton()->setFocus();
    else if (m_session.direction() == Direction::ChineseToJapanese)
        m_drawButton->setFocus();
    else
        m_recallPanel->drawButton()->setFocus();
}

void PracticeWindow::esc_Click()
{
    m_shell.exitProgram();
}

void PracticeWindow::xuanzefanwei_Click()
{
    chooseRange();
}

void PracticeWindow::cmdmoren_Click()
{
    // A group with neither option selected would keep what was read at load; the groups here
    // always hold one selected option.
    settings::SavedPractice saved;
    saved.order = m_randomOption->isChecked() ? Order::Random : Order::Sequential;
    saved.direction =
        m_japaneseToChineseOption->isChecked() ? Direction::JapaneseToChinese : Direction::ChineseToJapanese;
    saved.display = m_learnOption->isChecked() ? DisplayMode::Learn : DisplayMode::Dictation;
    if (const ui::SaveResult written =
            settings::writeSavedPractice(m_shell.programPath(settings::kPracticeSettingsFile), saved);
        !written)
        m_shell.interaction().message(
            this, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(),
                              QStringLiteral("练习方式没有保存：无法写入文件 sous/sys.dll（%1）。\n"
                                             "本次仍按所选方式练习，下次打开时不会保留。")
                                  .arg(written.cause())});
    else
        m_shell.settingsSaved(this);
}

void PracticeWindow::shunxu_Click()
{
    m_session.setOrder(Order::Sequential);
    m_restartButton->setEnabled(true);
    render();
}

void PracticeWindow::suiji_Click()
{
    m_session.setOrder(Order::Random);
    m_restartButton->setEnabled(false);
    render();
}

void PracticeWindow::hanri_Click()
{
    m_session.selectDirection(Direction::ChineseToJapanese);
    setDefaultButton(m_drawButton);
    if (m_session.pace() == Pace::Normal)
        m_answerInput->setText(QStringLiteral("请在此输入假名"));
    applyPanels();
    render();
}

void PracticeWindow::rihan_Click()
{
    m_session.selectDirection(Direction::JapaneseToChinese);
    applyPanels();
    if (m_session.pace() == Pace::Normal) {
        setDefaultButton(m_recallPanel->drawButton());
        m_recallPanel->printRecallHelp();
    }
    render();
}

void PracticeWindow::optxue_Click()
{
    // Acts from the next question on; the word on screen stays as it is.
    m_session.setDisplayMode(DisplayMode::Learn);
    render();
}

void PracticeWindow::optlian_Click()
{
    m_session.setDisplayMode(DisplayMode::Dictation);
    render();
}

void PracticeWindow::optnormal_Click()
{
    m_session.setPace(Pace::Normal);
    m_flashPanel->stopClock();
    applyPanels();
    // Enter draws again in the practice on show, not on the hidden "开始".
    setDefaultButton(m_session.direction() == Direction::ChineseToJapanese ? m_drawButton
                                                                           : m_recallPanel->drawButton());
    render();
}

void PracticeWindow::optflash_Click()
{
    // The word on screen stays until the first tick.
    m_session.setPace(Pace::Flash);
    applyPanels();
    setDefaultButton(m_flashPanel->startButton());
    render();
}

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
    // A hidden window's clock would draw words and raise the end-of-range message behind
    // another window; it stops as with "停止", and after the return Enter presses "开始".
    if (keep && m_flashPanel->clock()->isActive())
        m_flashPanel->flashstop_Click();
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
