// The lookups of the query window: the exact lookup, the fuzzy one with its paging question,
// and what they print in the print display or list in the list display.
#include "query/querywindow.h"

#include "lexicon/lexicon.h"
#include "query/querycontrols.h"
#include "query/resultlayout.h"
#include "shell/shell.h"
#include "ui/colors.h"
#include "ui/interaction.h"
#include "ui/textcanvas.h"
#include "ui/twips.h"

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
    m_printArea->move(0, ui::twips(1800));
}

void QueryWindow::printLookup()
{
    const QueryTexts texts = currentTexts();
    if (texts.allEmpty()) {
        printNothingTyped(m_printArea);
        return;
    }
    m_printArea->clear();
    uncoverHeadings();
    m_lineBreak = QStringLiteral("\n\r");

    const QList<Hit> hits = exactLookup(ciku::lexicon(), texts);
    for (const Hit &hit : hits)
        printHit(hit);

    int marker = hits.isEmpty() ? 0 : 1;
    bool stopped = false;
    if (hits.isEmpty()) {
        m_printArea->writeAt(32, QStringLiteral("找不到所输入单词，下面显示模糊查询结果"));
        m_printArea->newLine();
        m_shell.interaction().beep();
        stopped = mohuchaxun(marker);
    } else {
        m_fuzzyButton->show();
        setDefaultButton(m_fuzzyButton);
    }

    if (!stopped) {
        m_printArea->newLine();
        // The page counter is 0 when nothing was found, and also when the user answered No on
        // a last screen that the fuzzy hits filled exactly: the word sought is not among them.
        if (marker == 0)
            m_printArea->writeAt(
                7,
                QStringLiteral("模糊查询也未能找到所输入的的单词，也许该单词不属于标日初级词汇，没有资料。"));
        else
            m_printArea->writeAt(37, kDone);
        m_printArea->newLine();
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
        h->move(ui::twips(row[i].left), h->y());
    }
}

void QueryWindow::printHit(const Hit &hit)
{
    ui::writeRowInColumns(*m_printArea, resultLine(ciku::lexicon(), hit));
    m_printArea->markPitch(kanaColumn(hit.source), ciku::lexicon().text(hit.slot, 2),
                           ciku::lexicon().text(hit.slot, 4));
    setHeadings(hit.source);
}

bool QueryWindow::mohuchaxun(int &counter)
{
    const QList<Hit> hits = containsLookup(ciku::lexicon(), currentTexts());
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
            m_printArea->newLine();
            m_printArea->writeAt(29, QStringLiteral("目标词已找到，搜索中止！"));
            m_printArea->newLine();
            return true;
        }
        m_printArea->clear();
    }
    return false;
}

void QueryWindow::mohu_Click()
{
    ciku::fillLexicon();
    if (printDisplay()) {
        m_printArea->clear();
        uncoverHeadings();
        m_lineBreak = QStringLiteral("\n\r");
        m_printArea->writeAt(23, QStringLiteral("下面显示模糊查询结果（包含刚才的查询结果）"));
        m_printArea->newLine();
        int counter = 0;
        if (!mohuchaxun(counter)) {
            m_printArea->newLine();
            m_printArea->writeAt(37, kDone);
            m_printArea->newLine();
        }
    } else {
        clearListHits();
        listmohu();
        ui::setTextColor(m_statusLine, kFuzzyListColor);
        m_statusLine->setText(QStringLiteral("当前为模糊查询结果（包含刚才的查询结果）"));
        if (!m_listHits.isEmpty()) {
            m_hitList->setFocus();
            m_hitList->setCurrentRow(0);
        }
        if (m_listHits.isEmpty())
            zhijieshuru();
    }
    m_fuzzyButton->hide();
    setDefaultButton(m_lookupButton);
}

void QueryWindow::clearListHits()
{
    m_listHits.clear();
    m_hitList->clear();
    m_slotMirror->clear();
}

void QueryWindow::appendListHit(const Hit &hit)
{
    m_listHits.append(hit);
    m_hitList->addItem(ciku::lexicon().text(hit.slot, fieldNumber(hit.source)));
    // The hidden slot list and source label show what the hits hold; nothing reads them back.
    m_slotMirror->addItem(QString::number(hit.slot));
    m_sourceMirror->setText(QString::number(static_cast<int>(hit.source)));
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
        printNothingTyped(m_detailArea);
        return;
    }
    m_statusLine->clear();
    clearListHits();
    const QList<Hit> hits = exactLookup(ciku::lexicon(), texts);
    for (const Hit &hit : hits)
        appendListHit(hit);
    if (hits.isEmpty()) {
        ui::setTextColor(m_statusLine, kNotFoundColor);
        m_statusLine->setText(QStringLiteral("找不到所输入单词，下面显示模糊查询结果。"));
        m_shell.interaction().beep();
        listmohu();
    } else {
        m_fuzzyButton->show();
        setDefaultButton(m_fuzzyButton);
    }
    if (!m_listHits.isEmpty()) {
        m_hitList->setFocus();
        m_hitList->setCurrentRow(0);
    }
    if (m_listHits.isEmpty()) {
        zhijieshuru();
        m_detailArea->clear();
        m_shell.interaction().beep();
        m_detailArea->writeAt(1, QStringLiteral("模糊查询也找不到所要查询的单词，"));
        m_detailArea->newLine();
        m_detailArea->writeAt(1, QStringLiteral("也许该单词不属于初级词库，没有资料。"));
        m_detailArea->newLine();
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
    m_detailArea->clear();
    if (row < 0 || row >= m_listHits.size())
        return;
    // Every entry is laid out by the input of the latest hit; with one input in use at a time
    // that is the input of them all.
    const QList<DetailLine> lines =
        detailLines(ciku::lexicon(), m_listHits[row].slot, m_listHits.last().source);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            m_detailArea->newLine();
        ui::writeRow(*m_detailArea, ui::labelledRow(lines[i].label, lines[i].value));
        if (lines[i].label == kKanaDetailLabel)
            m_detailArea->markPitch(ui::kDetailValueColumn, lines[i].value,
                                    ciku::lexicon().text(m_listHits[row].slot, 4));
    }
}

} // namespace query
