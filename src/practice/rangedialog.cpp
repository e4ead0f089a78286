#include "practice/rangedialog.h"

#include "ui/interaction.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace practice {
namespace {

// Rows of the choice frame, in pixels.
constexpr int kRowHeight = 24;
constexpr int kRowStep = 26;
constexpr int kFirstRowTop = 26;
constexpr int kUnitLeft = 14;
constexpr int kUnitWidth = 92;
constexpr int kLessonLeft = 112;
constexpr int kLessonStep = 62;
constexpr int kLessonWidth = 56;

// The lessons of a unit: four to a unit, and no lesson 25, so units 7 to 12 start one later.
int firstLessonOf(int unit)
{
    return 4 * (unit - 1) + (unit >= 7 ? 2 : 1);
}

} // namespace

RangeChoice &RangeChoice::of(QObject &owner)
{
    auto *choice = owner.findChild<RangeChoice *>(QString(), Qt::FindDirectChildrenOnly);
    if (!choice) {
        choice = new RangeChoice;
        choice->setParent(&owner);
    }
    return *choice;
}

RangeDialog::RangeDialog(ui::Interaction &interaction, QWidget *owner, const QString &selected)
    : QDialog(owner), m_interaction(interaction)
{
    setObjectName(QStringLiteral("fanwei"));
    setWindowTitle(QStringLiteral("词帆 练习模式----选择练习范围"));
    setFixedSize(566, 432);
    createOptions();

    m_okButton = new QPushButton(QStringLiteral("确定"), this);
    m_okButton->setObjectName(QStringLiteral("chooseenter"));
    m_okButton->setGeometry(458, 22, 96, 36);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &RangeDialog::chooseenter_Click);

    QRadioButton *first = m_optionByName.value(selected, m_optionByName.value(QStringLiteral("u1")));
    first->setChecked(true);
    first->setFocus();
}

void RangeDialog::createOptions()
{
    auto *frame = new QGroupBox(QStringLiteral("请选择练习范围"), this);
    frame->setObjectName(QStringLiteral("choose"));
    frame->setGeometry(12, 10, 436, 410);
    m_options = new QButtonGroup(this);

    auto option = [&](const QString &name, const QString &caption, int row, int left, int width) {
        auto *button = new QRadioButton(caption, frame);
        button->setObjectName(name);
        button->setGeometry(left, kFirstRowTop + row * kRowStep, width, kRowHeight);
        m_options->addButton(button);
        m_optionByName.insert(name, button);
        return button;
    };

    // One row per unit, its lessons after it; the drills between units 4 and 5; the volumes at
    // the bottom.
    int row = 0;
    for (int unit = 1; unit <= 12; ++unit) {
        if (unit == 5) {
            option(QStringLiteral("pian"), QStringLiteral("片假名练习"), row, kUnitLeft, 110);
            option(QStringLiteral("country"), QStringLiteral("国名专练"), row, 140, 100);
            QRadioButton *ceshi = option(QStringLiteral("ceshi"), QStringLiteral("测试"), row, 260, 80);
            connect(ceshi, &QRadioButton::clicked, this, &RangeDialog::ceshi_Click);
            ++row;
        }
        option(QStringLiteral("u%1").arg(unit), QStringLiteral("第%1单元").arg(unit), row, kUnitLeft,
               kUnitWidth);
        for (int k = 0; k < 4; ++k) {
            const int lesson = firstLessonOf(unit) + k;
            option(QStringLiteral("l%1").arg(lesson), QString::number(lesson), row,
                   kLessonLeft + k * kLessonStep, kLessonWidth);
        }
        ++row;
    }
    option(QStringLiteral("shangce"), QStringLiteral("初级上册"), row, kUnitLeft, 100);
    option(QStringLiteral("xiace"), QStringLiteral("初级下册"), row, 140, 100);
    option(QStringLiteral("whole"), QStringLiteral("初级全部"), row, 260, 100);
}

QString RangeDialog::chosenOption() const
{
    // The options in the order OK looks at them; the first selected one counts.
    for (const QString &name : ciku::practiceOptionOrder()) {
        const QRadioButton *button = m_optionByName.value(name);
        if (button && button->isChecked())
            return name;
    }
    return QString();
}

std::optional<ciku::WordRange> RangeDialog::chosenRange() const
{
    const QString name = chosenOption();
    if (name.isEmpty())
        return std::nullopt;
    return ciku::practiceRangeFor(name);
}

void RangeDialog::chooseenter_Click()
{
    accept();
}

void RangeDialog::ceshi_Click()
{
    m_interaction.message(
        this,
        ui::Message{ui::Icon::None, ui::Buttons::Ok, QStringLiteral("测试程序专用词库"),
                    QStringLiteral("这是为不懂日语，或暂时无法输入日语的用户设计的，一共有7个词。\n"
                                   "汉语为1，日语为11，当用汉字为111,以此类推。读音和词性是随便设的。\n"
                                   "这个词库仅做测试之用，由于只有七个词，所以随机练习的重复率相当大。")});
}

} // namespace practice
