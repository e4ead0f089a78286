#include "practice/practicewindow.h"

#include "record/learningrecord.h"

#include "practice/flashdrillpanel.h"
#include "practice/flashspeed.h"
#include "practice/optiongroups.h"
#include "practice/practicesettings.h"
#include "practice/questionarea.h"
#include "practice/rangedialog.h"
#include "practice/recallpanel.h"
#include "practice/typingpanel.h"
#include "practice/wronglistpane.h"
#include "shell/shell.h"
#include "ui/activelabel.h"
#include "ui/hoverlabel.h"
#include "ui/interaction.h"
#include "ui/offscreen.h"
#include "ui/romajityping.h"
#include "ui/textcanvas.h"
#include "ui/twips.h"
#include "ui/windowplacement.h"

#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace practice {
namespace {

// The exit label says goodbye while the mouse is over it.
const ui::HoverLabel::Look kExitRest{QStringLiteral("退出"), QColor(), QColor(224, 224, 224), QColor(),
                                     QColor()};
const ui::HoverLabel::Look kExitHover{QStringLiteral("BYE~"), QColor(), QColor(192, 255, 255), QColor(),
                                      QColor()};
using ui::place;

// How long after the range dialog opens the first questions are readied: the dialog has
// appeared by then, and no learner has chosen yet.
constexpr int kWarmUpAfterMs = 150;

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &geometry)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    return b;
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
    m_options = new OptionGroups(surface());
    connect(m_options, &OptionGroups::orderSelected, this,
            [this](Order o) { apply(m_session.selectOrder(o)); });
    connect(m_options, &OptionGroups::directionSelected, this,
            [this](Direction d) { apply(m_session.selectDirection(d)); });
    connect(m_options, &OptionGroups::displayModeSelected, this,
            [this](DisplayMode m) { apply(m_session.selectDisplayMode(m)); });
    connect(m_options, &OptionGroups::paceSelected, this, [this](Pace p) { apply(m_session.selectPace(p)); });
    connect(m_options, &OptionGroups::speedAsked, this, &PracticeWindow::optflash_DblClick);
    connect(m_options, &OptionGroups::saveAsked, this, &PracticeWindow::cmdmoren_Click);
    createNavigation();
    m_questionArea =
        new QuestionArea(surface(), [this](const QString &path) { return m_shell.programPath(path); });
    m_answerInput = m_questionArea->input();
    // The answer box takes rōmaji when "罗马字输入(F8)" is on.
    romajiTyping()->attach(m_answerInput);
    connect(m_questionArea->picture(), &ui::ActiveLabel::rightPressed, this, &PracticeWindow::openPopout);
    connect(m_questionArea->answerPanel(), &ui::TextCanvas::mousePressed, this,
            &PracticeWindow::Form_MouseDown);
    m_wrongListPane = new WrongListPane(surface());
    place(m_wrongListPane, 8580, 900, 2010, 5100);
    createPanels();
    createExitLabel();

    m_firstIndexMirror = hiddenHolder(surface(), "getmin");
    m_drawnMirror = hiddenHolder(surface(), "fff1");
    m_checkedMirror = hiddenHolder(surface(), "fff2");

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
    connect(qApp, &QApplication::focusChanged, this, &PracticeWindow::highlightEnterTarget);
    render(m_session.view());
    pitchContoursChanged(pitchContoursShown());
}

void PracticeWindow::pitchContoursChanged(bool shown)
{
    m_questionArea->setPitchContoursShown(shown);
}

PracticeWindow::~PracticeWindow()
{
    // The focus moves while the children go; nothing is highlighted any more.
    disconnect(qApp, nullptr, this, nullptr);
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
    addRecordMenu();
    addRomajiCommand();

    addLeavePopupItem("popchaxun", QStringLiteral("查询模式"), Screen::Query, LeaveBy::MenuEntry);
    addLeavePopupItem("popxuexi", QStringLiteral("学习模式"), Screen::Study, LeaveBy::MenuEntry);
    addPopupSeparator();
    m_options->setPopupItems({addPopupItem("poponebuone", QStringLiteral("顺序出题")),
                              addPopupItem("popran", QStringLiteral("随机出题")),
                              addPopupItem("popyuyan", QStringLiteral("汉-日练习")),
                              addPopupItem("popyuyan2", QStringLiteral("日-汉练习")),
                              addPopupItem("popxuelian", QStringLiteral("边练边学")),
                              addPopupItem("poptingxie", QStringLiteral("听写巩固")),
                              addPopupItem("popcommon", QStringLiteral("普通练习")),
                              addPopupItem("popflash", QStringLiteral("闪电速练"))});
    addPopupSeparator();
    QAction *chooseRangeItem = addPopupItem("popchose", QStringLiteral("选择范围"));
    connect(chooseRangeItem, &QAction::triggered, this, &PracticeWindow::chooseRange);
    addComparePopupItem();
    addLeavePopupItem("popstartmenu", QStringLiteral("向导页面"), Screen::Start, LeaveBy::StartPage);
    addPopupSeparator();
    addExitPopupItem();
    addPopupSeparator();
    addPitchContourPopupItem();
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
    // Opened for a review, the window asks the due words first; the range can be chosen later.
    if (!m_shell.reviewPending())
        chooseRange();
    applySavedPractice();
    render(m_session.view());
}

void PracticeWindow::prepare()
{
    WorkWindow::prepare();
    if (!m_shell.reviewPending() && !m_rangeDialog) {
        m_rangeDialog = new RangeDialog(m_shell.interaction(), this, RangeChoice::of(m_shell).option);
        ui::drawOffscreen(m_rangeDialog);
        m_shell.interaction().prepareModal(m_rangeDialog);
    }
    m_questionArea->warmUp();
}

void PracticeWindow::warmUp()
{
    if (m_warmedUp)
        return;
    m_warmedUp = true;
    m_questionArea->warmUp();
    m_shell.learningRecord().openAhead();
}

void PracticeWindow::press(Control control)
{
    if (control == Control::Exit) {
        m_shell.exitProgram();
        return;
    }
    const bool aided = m_session.view().hintStage != 1 || m_session.displayMode() == DisplayMode::Learn;
    if (control == Control::RecallDraw || control == Control::RecallDrill)
        record(m_answers.nextWord());
    const Effects effects = m_session.press(control, m_answerInput->text(), nextRandom());
    recordAnswered(effects, control, aided);
    apply(effects);
}

void PracticeWindow::recordAnswered(const Effects &effects, Control control, bool aided)
{
    if (!effects.answered)
        return;
    const Answered &a = *effects.answered;
    const auto kind = a.review  ? record::AnswerKind::Review
                      : a.drill ? record::AnswerKind::Drill
                                : record::AnswerKind::Question;
    switch (a.kind) {
    case Answered::Right:
    case Answered::Wrong:
        record(record::AnswerTracker::judged(a.index, a.kind == Answered::Right, aided, kind));
        break;
    case Answered::Shown:
        record(record::AnswerTracker::shown(a.index, kind));
        break;
    case Answered::Recalled:
        record(m_answers.revealed(a.index, kind));
        break;
    case Answered::MarkedWrong:
        // The flash drill's "添加" answers nothing.
        if (control == Control::RecallAdd)
            record(m_answers.markedWrong());
        break;
    }
}

void PracticeWindow::record(const std::optional<record::Answer> &answer)
{
    if (answer)
        m_shell.learningRecord().recordAnswer(this, *answer);
}

void PracticeWindow::startPendingReview()
{
    const QList<int> words = m_shell.takePendingReview();
    if (words.isEmpty())
        return;
    record(m_answers.nextWord());
    apply(m_session.startReview(words));
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
    highlightEnterTarget();
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
    // Over the middle of this window, by the rule every box follows: a dialog left to place
    // itself would go by where the window manager had framed this window by then.
    ui::centreOverOwner(m_rangeDialog, this);
    // While the learner chooses, the first questions and answers are readied.
    if (!m_warmedUp)
        QTimer::singleShot(kWarmUpAfterMs, this, &PracticeWindow::warmUp);
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
    const auto saved =
        settings::readSavedPractice(m_shell.settingsFileToRead(settings::kPracticeSettingsFile));
    if (!saved)
        return;
    m_options->select(*saved);
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
    if (v.caption)
        setWindowTitle(*v.caption);
    m_wrongListPane->showSession(m_session);

    const auto range = m_session.range();
    m_firstIndexMirror->setText(range ? QString::number(range->first) : QString());
    m_drawnMirror->setText(m_session.drawn() ? QStringLiteral("0") : QString());
    m_checkedMirror->setText(m_session.checked() ? QStringLiteral("0") : QString());

    m_options->showSession(m_session);
    m_questionArea->showView(v, m_session.direction(), m_session.pace());
    renderPanels(v);
}

void PracticeWindow::renderPanels(const PracticeView &v)
{
    const bool normal = m_session.pace() == Pace::Normal;
    const bool chineseToJapanese = m_session.direction() == Direction::ChineseToJapanese;
    m_typingPanel->setVisible(v.panelsUncovered && normal && chineseToJapanese);
    m_recallPanel->setVisible(v.panelsUncovered && normal && !chineseToJapanese);
    m_flashPanel->setVisible(!normal);
    for (ModePanel *panel : {m_typingPanel, m_recallPanel, static_cast<ModePanel *>(m_flashPanel)})
        panel->showView(v);
    m_chooseRangeButton->setEnabled(v.isEnabled(Control::ChooseRange));
    m_restartButton->setEnabled(v.isEnabled(Control::Restart));
    setDefaultButton(qobject_cast<QPushButton *>(widgetFor(v.defaultButton)));
}

void PracticeWindow::setDefaultButton(QPushButton *button)
{
    m_defaultButton = button;
    highlightEnterTarget();
}

QPushButton *PracticeWindow::enterTarget() const
{
    // Enter presses the button that has the focus, elsewhere the default button.
    auto *focused = qobject_cast<QPushButton *>(focusWidget());
    return focused ? focused : m_defaultButton;
}

void PracticeWindow::highlightEnterTarget()
{
    // The default frame is drawn on the button Enter presses, wherever the focus has gone.
    QPushButton *target = enterTarget();
    if (target == m_highlighted)
        return;
    if (m_highlighted)
        m_highlighted->setDefault(false);
    m_highlighted = target;
    if (target)
        target->setDefault(true);
}

void PracticeWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QPushButton *target = enterTarget();
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

void PracticeWindow::optflash_DblClick()
{
    const QString path = m_shell.programPath(kFlashSpeedFile);
    const bool wasOpen = m_boxOpen;
    m_boxOpen = true;
    const TypedSpeed typed = askFlashSpeed(m_shell.interaction(), this,
                                           readFlashSpeed(m_shell.settingsFileToRead(kFlashSpeedFile)));
    m_boxOpen = wasOpen;
    const ui::SaveResult saved = writeFlashSpeed(path, typed.questionSeconds, typed.answerSeconds);
    if (saved) {
        m_session.setUnsavedFlashSpeed(std::nullopt);
        m_shell.settingsSaved(this);
        return;
    }
    // The old file stays as it was; the new speed holds for this run.
    m_session.setUnsavedFlashSpeed(FlashSpeed{*wholeSeconds(formatSeconds(typed.questionSeconds)),
                                              *wholeSeconds(formatSeconds(typed.answerSeconds))});
    tell(ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(),
                     QStringLiteral("速度没有保存：无法写入文件 sous/gap.dll（%1）。\n"
                                    "本次仍按新设的速度练习，下次打开时不会保留。")
                         .arg(saved.cause())});
}

void PracticeWindow::Time_Timer()
{
    // The clock stands still while a box is open (the practice's own, or any other modal window).
    if (m_boxOpen || QApplication::activeModalWidget())
        return;
    m_session.setSavedFlashSpeed(readFlashSpeed(m_shell.settingsFileToRead(kFlashSpeedFile)));
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
