#include "practice/wronglistpane.h"

#include "practice/practicesession.h"
#include "ui/activelabel.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QListWidget>

namespace practice {
namespace {

const QColor kDrillHeading(255, 255, 0);
const QColor kHeadingFill(160, 160, 160);

QListWidget *list(QWidget *parent, const char *name, int left, int width)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    ui::place(l, left, 360, width, 4740);
    return l;
}

// Shows texts in a list, touching it only when they changed, so selection and scrolling stay.
void showTexts(QListWidget *list, const QStringList &texts)
{
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    if (shown == texts)
        return;
    list->clear();
    list->addItems(texts);
    list->scrollToBottom();
}

} // namespace

WrongListPane::WrongListPane(QWidget *parent) : QWidget(parent)
{
    m_heading = new ui::ActiveLabel(QStringLiteral("错题栏"), this);
    m_heading->setObjectName(QStringLiteral("wrong"));
    ui::place(m_heading, 0, 0, 2010, 330);
    m_heading->setAlignment(Qt::AlignCenter);
    m_heading->setFont(ui::designFont({QStringLiteral("宋体"), QStringLiteral("SimSun")}, 12, true));
    ui::setFillColor(m_heading, kHeadingFill);
    ui::setTextColor(m_heading, Qt::black);

    m_chineseTexts = list(this, "List", 0, 1500);
    m_chineseIndexes = list(this, "Listno", 1500, 510);
    m_japaneseTexts = list(this, "list2", 0, 1500);
    m_japaneseIndexes = list(this, "listno2", 1500, 510);
    m_japaneseTexts->hide();
    m_japaneseIndexes->hide();
}

QListWidget *WrongListPane::textList(Direction direction) const
{
    return direction == Direction::ChineseToJapanese ? m_chineseTexts : m_japaneseTexts;
}

QListWidget *WrongListPane::indexList(Direction direction) const
{
    return direction == Direction::ChineseToJapanese ? m_chineseIndexes : m_japaneseIndexes;
}

void WrongListPane::showSession(const PracticeSession &session)
{
    for (Direction d : {Direction::ChineseToJapanese, Direction::JapaneseToChinese}) {
        const WrongList &entries = session.wrongList(d);
        showTexts(textList(d), entries.texts());
        showTexts(indexList(d), entries.indexTexts());
        const bool shown = d == session.direction();
        textList(d)->setVisible(shown);
        indexList(d)->setVisible(shown);
    }
    ui::setTextColor(m_heading, session.reviewMode() ? kDrillHeading : QColor(Qt::black));
}

} // namespace practice
