// The lookups of the query window: the exact lookup, the fuzzy one with its paging question,
// and what they print in the print display or list in the list display.
#include "query/querywindow.h"

#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"
#include "query/querycontrols.h"
#include "query/resultlayout.h"
#include "shell/shell.h"
#include "ui/colors.h"
#include "ui/interaction.h"
#include "ui/textcanvas.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace query {
namespace {

const QString kNothingTyped = QStringLiteral("请输入要查询的单词");
const QString kDone = QStringLiteral("搜索完毕");
const QColor kNotFoundColor(192, 0, 0);
const QColor kFuzzyListColor(128, 128, 0);

// Asked after each full screen of the fuzzy print search.
const QStringList kPagingQuestion{QStringLiteral("由于符合搜索条件的单词较多，一屏无法完全显示，"),
                                  QStringLiteral("请查找当前打印出的单词有没有要查找的，"),
                                  QStringLiteral("如果有，请点击“是”结束查找，"),
                                  QStringLiteral("没有，请点击“否”显示下一屏。"),
                                  QStringLiteral("如果此消息框遮挡住了单词,可以将它拖到一边。")};

} // namespace

void QueryWindow::chaxun_Click()
{
    ciku::fillLexicon();
    if (printDisplay())
        printLookup();
    else
        listLookup();
}

void QueryWindow::printNothingTyped(ui::TextCanvas *canvas)
{
    canvas->clear();
    canvas->newLine();
    canvas->newLine();
    canvas->writeAt(1, kNothingTyped);
    canvas->newLine();
}

void QueryWindow::uncoverHeadings()
{
    m_showwords->move(0, px(1800));
}

void QueryWindow::printLookup()
{
    const QueryTexts texts = currentTexts();
    if (texts.allEmpty()) {
        printNothingTyped(m_showwords);
        return;
    }
    m_showwords->clear();
    uncoverHeadings();
    m_lineBreak = QStringLiteral("\n\r");

    const QList<Hit> hits = exactLookup(ciku::lexicon(), texts);
    for (const Hit &hit : hits)
        printHit(hit);

    int marker = hits.isEmpty() ? 0 : 1;
    bool stopped = false;
    if (hits.isEmpty()) {
        m_showwords->writeAt(32, QStringLiteral("找不到所输入单词，下面显示模糊查询结果"));
        m_showwords->newLine();
        m_shell.interaction().beep();
        stopped = mohuchaxun(marker);
    } else {
        m_mohu->show();
        setDefaultButton(m_mohu);
    }

    if (!stopped) {
        m_showwords->newLine();
        // The page counter is 0 also when the fuzzy hits filled their last screen exactly and the
        // user went on past it; words were found then, so the search only ends.
        const bool foundNothing = marker == 0 && !(hits.isEmpty() && m_fuzzyHits > 0);
        if (foundNothing)
            m_showwords->writeAt(
                7,
                QStringLiteral("模糊查询也未能找到所输入的的单词，也许该单词不属于标日初级词汇，没有资料。"));
        else
            m_showwords->writeAt(37, kDone);
        m_showwords->newLine();
    }
    zhijieshuru();
}

void QueryWindow::setHeadings(Source source)
{
    const std::array<Heading, 3> row = headingsFor(source);
    for (int i = 0; i < 3; ++i) {
        QLabel *h = m_headings[i];
        h->setText(row[i].caption);
        // The headings size themselves to their captions.
        h->adjustSize();
        h->move(px(row[i].left), h->y());
    }
}

void QueryWindow::printHit(const Hit &hit)
{
    for (const PlacedText &field : resultLine(ciku::lexicon(), hit)) {
        m_showwords->tab(field.column);
        if (!field.text.isEmpty())
            m_showwords->write(field.text);
    }
    m_showwords->newLine();
    setHeadings(hit.source);
}

bool QueryWindow::mohuchaxun(int &counter)
{
    const QList<Hit> hits = containsLookup(ciku::lexicon(), currentTexts());
    m_fuzzyHits = int(hits.size());
    for (qsizetype i = 0; i < hits.size(); ++i) {
        printHit(hits[i]);
        ++counter;
        // A screen is full once a slot has brought the count to a page; the question waits for
        // the end of the slot so that all its lines stand on the screen.
        const bool slotDone = i + 1 == hits.size() || hits[i + 1].slot != hits[i].slot;
        if (!slotDone || counter < kPageSize)
            continue;
        counter = 0;
        const ui::Answer answer = m_shell.interaction().message(
            this, ui::Message{ui::Icon::Warning, ui::Buttons::YesNo, QStringLiteral("提醒"),
                              kPagingQuestion.join(m_lineBreak)});
        if (answer == ui::Answer::Yes) {
            m_showwords->newLine();
            m_showwords->writeAt(29, QStringLiteral("目标词已找到，搜索中止！"));
            m_showwords->newLine();
            return true;
        }
        m_showwords->clear();
    }
    return false;
}

void QueryWindow::mohu_Click()
{
    ciku::fillLexicon();
    if (printDisplay()) {
        m_showwords->clear();
        uncoverHeadings();
        m_lineBreak = QStringLiteral("\n\r");
        m_showwords->writeAt(23, QStringLiteral("下面显示模糊查询结果（包含刚才的查询结果）"));
        m_showwords->newLine();
        int counter = 0;
        if (!mohuchaxun(counter)) {
            m_showwords->newLine();
            m_showwords->writeAt(37, kDone);
            m_showwords->newLine();
        }
    } else {
        m_list->clear();
        m_listno->clear();
        listmohu();
        ui::setTextColor(m_label7, kFuzzyListColor);
        m_label7->setText(QStringLiteral("当前为模糊查询结果（包含刚才的查询结果）"));
        if (!m_info->text().isEmpty() && m_list->count() > 0) {
            m_list->setFocus();
            m_list->setCurrentRow(0);
        }
        if (m_list->count() == 0)
            zhijieshuru();
    }
    m_mohu->hide();
    setDefaultButton(m_chaxun);
}

void QueryWindow::appendListHit(const Hit &hit)
{
    m_list->addItem(ciku::lexicon().text(hit.slot, fieldNumber(hit.source)));
    m_listno->addItem(QString::number(hit.slot));
    m_info->setText(QString::number(static_cast<int>(hit.source)));
}

void QueryWindow::listmohu()
{
    for (const Hit &hit : containsLookup(ciku::lexicon(), currentTexts()))
        appendListHit(hit);
}

void QueryWindow::listLookup()
{
    const QueryTexts texts = currentTexts();
    if (texts.allEmpty()) {
        printNothingTyped(m_showwords2);
        return;
    }
    m_label7->clear();
    m_list->clear();
    m_listno->clear();
    const QList<Hit> hits = exactLookup(ciku::lexicon(), texts);
    for (const Hit &hit : hits)
        appendListHit(hit);
    if (hits.isEmpty()) {
        ui::setTextColor(m_label7, kNotFoundColor);
        m_label7->setText(QStringLiteral("找不到所输入单词，下面显示模糊查询结果。"));
        m_shell.interaction().beep();
        listmohu();
    } else {
        m_mohu->show();
        setDefaultButton(m_mohu);
    }
    if (!m_info->text().isEmpty() && m_list->count() > 0) {
        m_list->setFocus();
        m_list->setCurrentRow(0);
    }
    if (m_list->count() == 0) {
        zhijieshuru();
        m_showwords2->clear();
        m_shell.interaction().beep();
        m_showwords2->writeAt(1, QStringLiteral("模糊查询也找不到所要查询的单词，"));
        m_showwords2->newLine();
        m_showwords2->writeAt(1, QStringLiteral("也许该单词不属于初级词库，没有资料。"));
        m_showwords2->newLine();
        return;
    }
    showDetails(0);
}

void QueryWindow::List_Click(int row)
{
    if (row >= 0)
        showDetails(row);
}

void QueryWindow::showDetails(int row)
{
    m_showwords2->clear();
    if (row < 0 || row >= m_listno->count())
        return;
    const int slot = static_cast<int>(ciku::leadingNumber(m_listno->item(row)->text()));
    const QList<DetailLine> lines = detailLines(ciku::lexicon(), slot, m_info->text());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            m_showwords2->newLine();
        m_showwords2->writeAt(1, lines[i].label);
        m_showwords2->tab(kDetailValueColumn);
        if (!lines[i].value.isEmpty())
            m_showwords2->write(lines[i].value);
        m_showwords2->newLine();
    }
}

} // namespace query
