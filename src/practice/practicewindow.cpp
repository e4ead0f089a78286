#include "practice/practicewindow.h"

#include "lexicon/lexicon.h"
#include "practice/answerpanel.h"
#include "practice/flashdrillpanel.h"
#include "practice/flashspeed.h"
#include "practice/practicesettings.h"
#include "practice/rangedialog.h"
#include "practice/recallpanel.h"
#include "practice/typingpanel.h"
#include "practice/wronglistpane.h"
#include "shell/shell.h"
#include "ui/activelabel.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/hoverlabel.h"
#include "ui/interaction.h"
#include "ui/textcanvas.h"
#include "ui/twips.h"

#include <QApplication>
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
#include <QSignalBlocker>

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

// The answer panel's right edge, in twips: it ends where the answer label does, before the
// wrong-word list.
constexpr int kPanelRight = 8400;

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

    // A double-click removes an entry of the list on show; one on "错题栏" clears that list,
    // without a question.
    for (Direction d : {Direction::ChineseToJapanese, Direction::JapaneseToChinese})
        connect(m_wrongListPane->textList(d), &QListWidget::itemDoubleClicked, this,
                [this, d](QListWidgetItem *item) {
                    m_session.wrongList(d).removeAt(item->listWidget()->row(item));
                    render(m_session.view());
                });
    connect(m_wrongListPane->heading(), &ui::ActiveLabel::doubleClicked, this, [this] {
        m_session.wrongList(m_session.direction()).clear();
        render(m_session.view());
    });
    render(m_session.view());
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
    auto onSelected = [this](QRadioButton *button, QAction *item, auto select) {
        connect(button, &QRadioButton::toggled, this, [this, select](bool on) {
            if (on)
                apply(select(m_session));
        });
        connect(item, &QAction::triggered, button, [button] { button->setChecked(true); });
    };
    using S = PracticeSession;
    onSelected(m_sequentialOption, m_popSequential, [](S &s) { return s.selectOrder(Order::Sequential); });
    onSelected(m_randomOption, m_popRandom, [](S &s) { return s.selectOrder(Order::Random); });
    onSelected(m_chineseToJapaneseOption, m_popChineseToJapanese,
               [](S &s) { return s.selectDirection(Direction::ChineseToJapanese); });
    onSelected(m_japaneseToChineseOption, m_popJapaneseToChinese,
               [](S &s) { return s.selectDirection(Direction::JapaneseToChinese); });
    onSelected(m_learnOption, m_popLearn, [](S &s) { return s.selectDisplayMode(DisplayMode::Learn); });
    onSelected(m_dictationOption, m_popDictation,
               [](S &s) { return s.selectDisplayMode(DisplayMode::Dictation); });
    onSelected(m_normalPaceOption, m_popNormalPace, [](S &s) { return s.selectPace(Pace::Normal); });
    onSelected(m_flashPaceOption, m_popFlashPace, [](S &s) { return s.selectPace(Pace::Flash); });

    QPushButton *save = button(s, "cmdmoren", QStringLiteral("保存设置"), QRect());
    place(save, 1980, 1200, 1440, 450);
    save->setToolTip(QStringLiteral("选择适合自己的练习方式并保存，下次启动的时候，便按照此方式进行。"));
    connect(save, &QPushButton::clicked, this, &PracticeWindow::cmdmoren_Click);
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
    connect(m_chooseRangeButton, &QPushButton::clicked, this, &PracticeWindow::chooseRange);
    m_restartButton = button(s, "backagain", QStringLiteral("从头再来"), QRect());
    place(m_restartButton, 9390, 6330, 1230, 660);
    m_restartButton->setToolTip(QStringLiteral("返回到本课第一个单词重新开始"));
    connect(m_restartButton, &QPushButton::clicked, this, [this] { press(Control::Restart); });

    // The three panels lie in one place; the direction and pace select the one on show.
    m_typingPanel = new TypingPanel(s);
    m_recallPanel = new RecallPanel(s);
    m_flashPanel = new FlashDrillPanel(s);
    for (ModePanel *panel : {m_typingPanel, m_recallPanel, static_cast<ModePanel *>(m_flashPanel)}) {
        place(panel, 1440, 6060, 7860, 1080);
        connect(panel, &ModePanel::pressed, this, &PracticeWindow::press);
    }
    connect(m_flashPanel, &FlashDrillPanel::ticked, this, &PracticeWindow::Time_Timer);
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
    connect(m_exitLabel, &ui::ActiveLabel::clicked, this, [this] { m_shell.exitProgram(); });
}

void PracticeWindow::Form_Load()
{
    chooseRange();
    applySavedPractice();
    render(m_session.view());
}

void PracticeWindow::press(Control control)
{
    if (control == Control::Exit) {
        m_shell.exitProgram();
        return;
    }
    apply(m_session.press(control, m_answerInput->text(), nextRandom()));
}

void PracticeWindow::apply(const Effects &effects)
{
    if (effects.chooseRangeFirst) {
        chooseRange();
        if (effects.againAfterRange != Control::None && m_session.hasRange())
            press(effects.againAfterRange);
        return;
    }
    if (effects.inputText)
        m_answerInput->setText(*effects.inputText);
    if (effects.message && effects.viewDuringMessage) {
        render(*effects.viewDuringMessage);
        tell(*effects.message);
    }
    render(m_session.view());
    if (effects.message && !effects.viewDuringMessage)
        tell(*effects.message);
    if (effects.beep)
        m_shell.interaction().beep();
    if (QWidget *target = widgetFor(effects.focus))
        target->setFocus();
}

void PracticeWindow::tell(const ui::Message &message)
{
    const bool wasOpen = m_boxOpen;
    m_boxOpen = true;
    m_shell.interaction().message(this, message);
    m_boxOpen = wasOpen;
}

QWidget *PracticeWindow::widgetFor(Control control) const
{
    switch (control) {
    case Control::None:
        return nullptr;
    case Control::ChooseRange:
        return m_chooseRangeButton;
    case Control::Restart:
        return m_restartButton;
    case Control::AnswerInput:
        return m_answerInput;
    case Control::WrongList:
        return m_wrongListPane->textList(m_session.direction());
    default:
        break;
    }
    for (ModePanel *panel : {m_typingPanel, m_recallPanel, static_cast<ModePanel *>(m_flashPanel)})
        if (QPushButton *b = panel->button(control))
            return b;
    return nullptr;
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
    apply(m_session.takeRange(m_rangeDialog->chosenRange()));
}

void PracticeWindow::applySavedPractice()
{
    const auto saved = settings::readSavedPractice(m_shell.programPath(settings::kPracticeSettingsFile));
    if (!saved)
        return;
    (saved->order == Order::Random ? m_randomOption : m_sequentialOption)->setChecked(true);
    (saved->direction == Direction::JapaneseToChinese ? m_japaneseToChineseOption : m_chineseToJapaneseOption)
        ->setChecked(true);
    (saved->display == DisplayMode::Learn ? m_learnOption : m_dictationOption)->setChecked(true);
}

double PracticeWindow::nextRandom()
{
    // Two draws within one tick of the clock still differ: the old state goes into the seed.
    const auto clock = static_cast<quint64>(QDateTime::currentMSecsSinceEpoch());
    m_random.seed(static_cast<quint32>(clock ^ (clock >> 32)) ^ m_random.generate());
    return m_random.generateDouble();
}

void PracticeWindow::render(const PracticeView &v)
{
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

    m_hintLabel->setText(v.hintText);
    m_remarkLabel->setText(v.remark);
    showPicture(v.picture);

    if (v.caption)
        setWindowTitle(*v.caption);
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
    renderPanels(v);
    renderAnswerPanel(v);
}

void PracticeWindow::renderPanels(const PracticeView &v)
{
    QSignalBlocker blockSequential(m_sequentialOption), blockRandom(m_randomOption);
    QSignalBlocker blockCJ(m_chineseToJapaneseOption), blockJC(m_japaneseToChineseOption);
    QSignalBlocker blockLearn(m_learnOption), blockDictation(m_dictationOption);
    QSignalBlocker blockNormal(m_normalPaceOption), blockFlash(m_flashPaceOption);
    (m_session.order() == Order::Random ? m_randomOption : m_sequentialOption)->setChecked(true);
    const bool chineseToJapanese = m_session.direction() == Direction::ChineseToJapanese;
    (chineseToJapanese ? m_chineseToJapaneseOption : m_japaneseToChineseOption)->setChecked(true);
    (m_session.displayMode() == DisplayMode::Learn ? m_learnOption : m_dictationOption)->setChecked(true);
    const bool normal = m_session.pace() == Pace::Normal;
    (normal ? m_normalPaceOption : m_flashPaceOption)->setChecked(true);

    m_typingPanel->setVisible(v.panelsUncovered && normal && chineseToJapanese);
    m_recallPanel->setVisible(v.panelsUncovered && normal && !chineseToJapanese);
    m_flashPanel->setVisible(!normal);
    for (ModePanel *panel : {m_typingPanel, m_recallPanel, static_cast<ModePanel *>(m_flashPanel)})
        panel->showView(v);
    // The picture, the input box, the hint and the display modes serve typed answers only.
    m_picture->setVisible(normal && chineseToJapanese);
    m_answerInput->setVisible(normal && chineseToJapanese);
    m_hintLabel->setVisible(normal && chineseToJapanese);
    m_remarkLabel->setVisible(chineseToJapanese);
    m_learnOption->setEnabled(normal && chineseToJapanese);
    m_dictationOption->setEnabled(normal && chineseToJapanese);
    m_answerPanel->setVisible(normal && !chineseToJapanese);
    m_chooseRangeButton->setEnabled(v.isEnabled(Control::ChooseRange));
    m_restartButton->setEnabled(v.isEnabled(Control::Restart));
    setDefaultButton(qobject_cast<QPushButton *>(widgetFor(v.defaultButton)));
}

void PracticeWindow::renderAnswerPanel(const PracticeView &v)
{
    // Printed anew only when its content changed.
    if (v.panelText == m_printedText && v.panelWord == m_printedWord)
        return;
    m_printedText = v.panelText;
    m_printedWord = v.panelWord;
    m_answerPanel->clear();
    // The left edge moves: the help text starts further left than the revealed word.
    const int left = v.panelText == PanelText::Help ? kHelpPanelLeft : kAnswerPanelLeft;
    m_answerPanel->setGeometry(ui::twips(left), m_answerPanel->y(), ui::twips(kPanelRight - left),
                               m_answerPanel->height());
    if (v.panelText == PanelText::Help) {
        for (const QString &line : rihanHelpLines())
            m_answerPanel->writeLine(line);
    } else if (v.panelText == PanelText::Word) {
        ciku::fillLexicon();
        if (const ciku::WordEntry *word = ciku::lexicon().entry(v.panelWord))
            ui::writeRows(*m_answerPanel, answerPanelRows(*word));
    }
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
        optflash_DblClick();
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

void PracticeWindow::cmdmoren_Click()
{
    // The session holds one value of each group, as the option buttons always hold one selected.
    settings::SavedPractice saved;
    saved.order = m_session.order();
    saved.direction = m_session.direction();
    saved.display = m_session.displayMode();
    if (!settings::writeSavedPractice(m_shell.programPath(settings::kPracticeSettingsFile), saved))
        m_shell.interaction().message(
            this, ui::Message{
                      ui::Icon::Warning, ui::Buttons::Ok, QString(),
                      QStringLiteral("练习方式没有保存：无法写入文件 sous/sys.dll（文件夹不存在或不可写）。\n"
                                     "本次仍按所选方式练习，下次打开时不会保留。")});
}

void PracticeWindow::optflash_DblClick()
{
    const QString path = m_shell.programPath(kFlashSpeedFile);
    const bool wasOpen = m_boxOpen;
    m_boxOpen = true;
    const TypedSpeed typed = askFlashSpeed(m_shell.interaction(), this, readFlashSpeed(path));
    m_boxOpen = wasOpen;
    if (writeFlashSpeed(path, typed.questionSeconds, typed.answerSeconds)) {
        m_session.setUnsavedFlashSpeed(std::nullopt);
        return;
    }
    // The old file stays as it was; the new speed holds for this run.
    m_session.setUnsavedFlashSpeed(FlashSpeed{*wholeSeconds(formatSeconds(typed.questionSeconds)),
                                              *wholeSeconds(formatSeconds(typed.answerSeconds))});
    tell(ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(),
                     QStringLiteral("速度没有保存：无法写入文件 sous/gap.dll（文件夹不存在或不可写）。\n"
                                    "本次仍按新设的速度练习，下次打开时不会保留。")});
}

void PracticeWindow::Time_Timer()
{
    // The clock stands still while a box is open (the practice's own, or any other modal window).
    if (m_boxOpen || QApplication::activeModalWidget())
        return;
    m_session.setSavedFlashSpeed(readFlashSpeed(m_shell.programPath(kFlashSpeedFile)));
    apply(m_session.tickClock(nextRandom()));
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
    if (keep && m_session.view().clockRunning)
        press(Control::FlashStop);
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

} // namespace practice
