#include "practice/wronglistpane.h"

#include "practice/practicesession.h"
#include "ui/activelabel.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QStyle>

namespace practice {
namespace {

QListWidget *list(QWidget *parent, const char *name, int left, int width)
{
    auto *l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    ui::place(l, left, 360, width, 4740);
    return l;
}

// Shows texts in a list, touching it only when they changed, so selection and scrolling stay.
// Each entry is as tall as its text wrapped to the list's width, so a long meaning is read whole.
void showTexts(QListWidget *list, const QStringList &texts)
{
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    if (shown == texts)
        return;
    list->clear();
    // The room beside the vertical scroll bar, also before the list was first laid out.
    const int width =
        list->width() - 2 * list->frameWidth() - list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QFontMetrics metrics(list->font());
    for (const QString &text : texts) {
        auto *item = new QListWidgetItem(text, list);
        const QRect wrapped = metrics.boundingRect(QRect(0, 0, width - 8, 10000), Qt::TextWordWrap, text);
        item->setSizeHint(QSize(width, wrapped.height() + 4));
    }
    // Laid out now, so that the newest entry comes into sight with its wrapped height.
    list->doItemsLayout();
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
    ui::setFillColor(m_heading, kHeadingBand);
    ui::setTextColor(m_heading, kHeadingText);

    // The text lists take the whole width and wrap; the word numbers stay in step in lists of
    // their own that are not shown, so no number can stand beside another entry's text.
    m_chineseTexts = list(this, "List", 0, 2010);
    m_chineseIndexes = list(this, "Listno", 1500, 510);
    m_japaneseTexts = list(this, "list2", 0, 2010);
    m_japaneseIndexes = list(this, "listno2", 1500, 510);
    for (QListWidget *texts : {m_chineseTexts, m_japaneseTexts}) {
        texts->setWordWrap(true);
        texts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        texts->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // Entries differ in height once wrapped: the scroll bar counts pixels, not entries.
        texts->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    }
    m_japaneseTexts->hide();
    m_chineseIndexes->hide();
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
    }
    const bool drill = session.reviewMode();
    ui::setFillColor(m_heading, drill ? kDrillHeadingBand : kHeadingBand);
    ui::setTextColor(m_heading, drill ? kDrillHeadingText : kHeadingText);
}

} // namespace practice
