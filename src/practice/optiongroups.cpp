#include "practice/optiongroups.h"

#include "practice/practicesession.h"
#include "practice/practicesettings.h"
#include "ui/twips.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace practice {
namespace {

// Positions in the option array: each group is a pair, its first option first.
enum { kSequential, kRandom, kChineseToJapanese, kJapaneseToChinese, kLearn, kDictation, kNormal, kFlash };

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
    ui::place(group, left, top, 1740, 870);
    return group;
}

} // namespace

OptionGroups::OptionGroups(QWidget *s) : QObject(s)
{
    QGroupBox *order = optionGroup(s, "Frame1", 120, 30);
    m_options[kSequential] = option(order, "shunxu", QStringLiteral("顺序练习"), 8,
                                    QStringLiteral("从本课第一个单词开始，按顺序练习直到最后一个"));
    m_options[kRandom] =
        option(order, "suiji", QStringLiteral("随机练习"), 32, QStringLiteral("从本课中随机抽取单词练习"));
    QGroupBox *direction = optionGroup(s, "Frame2", 1980, 30);
    m_options[kChineseToJapanese] = option(direction, "hanri", QStringLiteral("汉日练习"), 8);
    m_options[kJapaneseToChinese] = option(direction, "rihan", QStringLiteral("日汉练习"), 32);
    QGroupBox *display = optionGroup(s, "Frame3", 3840, 30);
    m_options[kLearn] =
        option(display, "optxue", QStringLiteral("边练边学"), 8,
               QStringLiteral("照着答案打单词，可用来学习新单词。前几遍建议使用“顺序练习”方式。"));
    m_options[kDictation] = option(display, "optlian", QStringLiteral("听写巩固"), 32);
    QGroupBox *pace = optionGroup(s, "Frame4", 120, 960);
    m_options[kNormal] = option(pace, "optnormal", QStringLiteral("普通练习"), 8);
    m_options[kFlash] = option(pace, "optflash", QStringLiteral("闪电速练"), 32,
                               QStringLiteral("单词一个一个闪过，看看你能熟练程度如何"));
    for (int i : {kSequential, kChineseToJapanese, kDictation, kNormal})
        m_options[i]->setChecked(true);

    auto report = [this](int i, auto signal, auto value) {
        connect(m_options[i], &QRadioButton::toggled, this, [this, signal, value](bool on) {
            if (on)
                Q_EMIT(this->*signal)(value);
        });
    };
    report(kSequential, &OptionGroups::orderSelected, Order::Sequential);
    report(kRandom, &OptionGroups::orderSelected, Order::Random);
    report(kChineseToJapanese, &OptionGroups::directionSelected, Direction::ChineseToJapanese);
    report(kJapaneseToChinese, &OptionGroups::directionSelected, Direction::JapaneseToChinese);
    report(kLearn, &OptionGroups::displayModeSelected, DisplayMode::Learn);
    report(kDictation, &OptionGroups::displayModeSelected, DisplayMode::Dictation);
    report(kNormal, &OptionGroups::paceSelected, Pace::Normal);
    report(kFlash, &OptionGroups::paceSelected, Pace::Flash);
    m_options[kFlash]->installEventFilter(this);

    auto *save = new QPushButton(QStringLiteral("保存设置"), s);
    save->setObjectName(QStringLiteral("cmdmoren"));
    ui::place(save, 1980, 1200, 1440, 450);
    save->setToolTip(QStringLiteral("选择适合自己的练习方式并保存，下次启动的时候，便按照此方式进行。"));
    connect(save, &QPushButton::clicked, this, &OptionGroups::saveAsked);
}

void OptionGroups::setPopupItems(const QList<QAction *> &items)
{
    m_items = items;
    for (int i = 0; i < m_items.size() && i < int(m_options.size()); ++i) {
        QRadioButton *button = m_options[std::size_t(i)];
        connect(m_items[i], &QAction::triggered, button, [button] { button->setChecked(true); });
    }
}

void OptionGroups::select(const settings::SavedPractice &saved)
{
    m_options[saved.order == Order::Random ? kRandom : kSequential]->setChecked(true);
    m_options[saved.direction == Direction::JapaneseToChinese ? kJapaneseToChinese : kChineseToJapanese]
        ->setChecked(true);
    m_options[saved.display == DisplayMode::Learn ? kLearn : kDictation]->setChecked(true);
}

void OptionGroups::showSession(const PracticeSession &session)
{
    const bool chineseToJapanese = session.direction() == Direction::ChineseToJapanese;
    const bool normal = session.pace() == Pace::Normal;
    const bool selected[] = {session.order() == Order::Sequential,
                             session.order() == Order::Random,
                             chineseToJapanese,
                             !chineseToJapanese,
                             session.displayMode() == DisplayMode::Learn,
                             session.displayMode() == DisplayMode::Dictation,
                             normal,
                             !normal};
    for (std::size_t i = 0; i < m_options.size(); ++i) {
        if (selected[i] && !m_options[i]->isChecked()) {
            const QSignalBlocker blocker(m_options[i]);
            m_options[i]->setChecked(true);
        }
        if (int(i) < m_items.size())
            m_items[int(i)]->setVisible(!selected[i]);
    }
    m_options[kLearn]->setEnabled(normal && chineseToJapanese);
    m_options[kDictation]->setEnabled(normal && chineseToJapanese);
}

bool OptionGroups::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_options[kFlash] && event->type() == QEvent::MouseButtonDblClick) {
        Q_EMIT speedAsked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace practice
