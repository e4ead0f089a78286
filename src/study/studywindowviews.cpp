#include "study/studywindow.h"

#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"
#include "shell/shell.h"
#include "study/headerrow.h"
#include "study/mottobanner.h"
#include "study/studylayout.h"
#include "study/studysettings.h"
#include "study/wordlistview.h"
#include "ui/interaction.h"
#include "ui/textcanvas.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>

// The two views of the study window: the print view's lesson screens with their paging, and
// the switching to and from the list view with its list start.
namespace study {

void StudyWindow::alignHeader()
{
    m_headerRow->alignTo(*m_printArea);
    // The rules stand one column before the reading and before the Chinese meaning.
    const qreal oneColumn = m_printArea->columnX(2);
    m_readingRule->setGeometry(qRound(m_printArea->columnX(kColumnReading) - oneColumn), 8, 2, 458);
    m_meaningRule->setGeometry(qRound(m_printArea->columnX(kColumnChinese) - oneColumn), 8, 1, 458);
}

void StudyWindow::setAccepted(double lessonNumber)
{
    m_kanaFormat = lessonNumber == 0;
    m_listView->setKanaFormat(m_kanaFormat);
}

QList<ui::TextRow> StudyWindow::wordRows(int index) const
{
    const ciku::WordEntry *word = ciku::lexicon().entry(index);
    if (!word)
        return {};
    // A meaning too wide for its column goes on below it, on the empty line under the word.
    const qreal meaningWidth = m_printArea->width() - m_printArea->columnX(kColumnChinese);
    return wordLines(*word, m_kanaFormat, QFontMetricsF(m_printArea->font()), meaningWidth);
}

void StudyWindow::drawScreen(const ScreenWords &screen)
{
    writeScreen(screen.words, screen.endsWithBlank);
    if (!screen.endsWithBlank)
        m_nextButton->setVisible(true);
}

void StudyWindow::writeScreen(const QList<int> &indexes, bool blankAfterLast)
{
    QList<QList<ui::TextRow>> words;
    int lines = 0;
    int continued = 0;
    for (qsizetype k = 0; k < indexes.size(); ++k) {
        words << wordRows(indexes[k]);
        const bool blankAfter = k + 1 < indexes.size() || blankAfterLast;
        const bool runsOn = words.last().size() > 1;
        continued += runsOn ? 1 : 0;
        lines += int(words.last().size()) + (!runsOn && blankAfter ? 1 : 0);
    }
    // A meaning's second line keeps a clear space to the next word instead of the blank line.
    const int h = m_printArea->lineHeight();
    const int room =
        std::min(m_printArea->height(), m_printArea->parentWidget()->height() - m_printArea->y());
    const int gap = continuationGap(h, room - lines * h, continued);
    for (qsizetype k = 0; k < words.size(); ++k) {
        ui::writeRows(*m_printArea, words[k]);
        if (words[k].size() > 1)
            m_printArea->addSpace(gap);
        else if (k + 1 < words.size() || blankAfterLast)
            m_printArea->newLine();
    }
}

void StudyWindow::start_Click()
{
    m_printArea->clear();
    m_banner->setVisible(false);
    m_previousButton->setVisible(false);
    m_readingRule->setVisible(true);
    m_meaningRule->setVisible(true);
    m_headerRule->setVisible(true);
    m_printArea->move(m_printArea->x(), kCanvasLessonTop);
    m_nextButton->setVisible(true);

    const ciku::StudyRangeResult r = ciku::studyRangeFor(m_lessonInput->text(), ciku::StudyCommand::Start);
    if (!r.range) {
        m_shell.interaction().message(this, r.rejection);
        m_pager.reject();
        m_printArea->clear();
    } else {
        setAccepted(r.number);
        m_printArea->clear();
        m_headerRow->setKanaFormat(m_kanaFormat);
        alignHeader();
        ciku::fillLexicon();
        drawScreen(m_pager.start(*r.range));
        // Enter now pages forward, until the user types into the lesson box again.
        setDefaultButton(m_nextButton);
    }
    focusLessonBox();
}

void StudyWindow::goon_Click()
{
    m_previousButton->setVisible(true);
    m_printArea->clear();
    ciku::fillLexicon();
    drawScreen(m_pager.next());
    focusLessonBox();
}

void StudyWindow::goback_Click()
{
    m_printArea->clear();
    ciku::fillLexicon();
    writeScreen(m_pager.previous().words, true);
    focusLessonBox();
}

void StudyWindow::Opb_Click()
{
    m_headerRule->setVisible(false);
    m_headerRow->setVisible(false);
    m_listView->setVisible(true);
    m_printArea->setVisible(false);

    m_startButton->setVisible(false);
    m_nextButton->setVisible(false);
    m_previousButton->setVisible(false);
    m_startListButton->setVisible(true);
    setDefaultButton(m_startListButton);

    m_listView->showHints();
    if (const auto order = settings::readListOrder(m_shell.settingsFileToRead(settings::kListOrderFile)))
        m_listView->setOrder(*order);
    focusLessonBox();
    m_listPopupItem->setVisible(false);
    m_printPopupItem->setVisible(true);
}

void StudyWindow::Opa_Click()
{
    m_startListButton->setVisible(false);
    m_startButton->setVisible(true);
    m_headerRow->setVisible(true);
    m_listView->setVisible(false);
    m_printArea->setVisible(true);
    focusLessonBox();
    setDefaultButton(m_startButton);
    m_printPopupItem->setVisible(false);
    m_listPopupItem->setVisible(true);
}

void StudyWindow::model_Click()
{
    setDefaultButton(m_startListButton);
}

void StudyWindow::startlist_Click()
{
    m_listView->list()->setVisible(true);
    m_listView->detail()->setVisible(true);
    const ciku::StudyRangeResult r = ciku::studyRangeFor(m_lessonInput->text(), ciku::StudyCommand::WordList);
    if (!r.range) {
        m_shell.interaction().message(this, r.rejection);
        focusLessonBox();
        m_listView->clearAll();
        return;
    }
    setAccepted(r.number);
    ciku::fillLexicon();
    m_listView->fill(*r.range);
}

} // namespace study
