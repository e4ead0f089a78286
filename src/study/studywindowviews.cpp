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

// The two views of the study window: the print view's lesson screens with their paging, and
// the switching to and from the list view with its list start.
namespace study {

void StudyWindow::alignHeader()
{
    m_framelabel->alignTo(*m_showword);
    // The rules stand one column before the reading and before the Chinese meaning.
    const qreal oneColumn = m_showword->columnX(2);
    m_line1->setGeometry(qRound(m_showword->columnX(kColumnReading) - oneColumn), 8, 2, 458);
    m_line2->setGeometry(qRound(m_showword->columnX(kColumnChinese) - oneColumn), 8, 1, 458);
}

void StudyWindow::setAccepted(double lessonNumber)
{
    m_kanaFormat = lessonNumber == 0;
    m_framelist->setKanaFormat(m_kanaFormat);
}

void StudyWindow::writeWordLine(int index)
{
    if (const ciku::WordEntry *word = ciku::lexicon().entry(index))
        writeRow(*m_showword, wordLine(*word, m_kanaFormat));
}

void StudyWindow::drawScreen(const ScreenWords &screen)
{
    for (qsizetype k = 0; k < screen.words.size(); ++k) {
        writeWordLine(screen.words[k]);
        if (k + 1 < screen.words.size() || screen.endsWithBlank)
            m_showword->newLine();
    }
    if (!screen.endsWithBlank)
        m_goon->setVisible(true);
}

void StudyWindow::start_Click()
{
    m_showword->clear();
    m_banner->setVisible(false);
    m_goback->setVisible(false);
    m_line1->setVisible(true);
    m_line2->setVisible(true);
    m_line3->setVisible(true);
    m_showword->move(m_showword->x(), kCanvasLessonTop);
    m_goon->setVisible(true);

    const ciku::StudyRangeResult r = ciku::studyRangeFor(m_keshi->text(), ciku::StudyCommand::Start);
    if (!r.range) {
        m_shell.interaction().message(this, r.rejection);
        m_pager.reject();
        m_showword->clear();
    } else {
        setAccepted(r.number);
        m_showword->clear();
        m_framelabel->setKanaFormat(m_kanaFormat);
        alignHeader();
        ciku::fillLexicon();
        drawScreen(m_pager.start(*r.range));
        // Enter now pages forward, until the user types into the lesson box again.
        setDefaultButton(m_goon);
    }
    focusLessonBox();
}

void StudyWindow::goon_Click()
{
    m_goback->setVisible(true);
    m_showword->clear();
    ciku::fillLexicon();
    drawScreen(m_pager.next());
    focusLessonBox();
}

void StudyWindow::goback_Click()
{
    m_showword->clear();
    ciku::fillLexicon();
    for (int index : m_pager.previous().words) {
        writeWordLine(index);
        m_showword->newLine();
    }
    focusLessonBox();
}

void StudyWindow::Opb_Click()
{
    m_line3->setVisible(false);
    m_framelabel->setVisible(false);
    m_framelist->setVisible(true);
    m_showword->setVisible(false);

    m_start->setVisible(false);
    m_goon->setVisible(false);
    m_goback->setVisible(false);
    m_startlist->setVisible(true);
    setDefaultButton(m_startlist);

    m_framelist->showHints();
    if (const auto order = settings::readListOrder(settingsPath(settings::kListOrderFile)))
        m_framelist->setOrder(*order);
    focusLessonBox();
    m_poplist->setVisible(false);
    m_popprint->setVisible(true);
}

void StudyWindow::Opa_Click()
{
    m_startlist->setVisible(false);
    m_start->setVisible(true);
    m_framelabel->setVisible(true);
    m_framelist->setVisible(false);
    m_showword->setVisible(true);
    focusLessonBox();
    setDefaultButton(m_start);
    m_popprint->setVisible(false);
    m_poplist->setVisible(true);
}

void StudyWindow::model_Click()
{
    setDefaultButton(m_startlist);
}

void StudyWindow::startlist_Click()
{
    m_framelist->list()->setVisible(true);
    m_framelist->detail()->setVisible(true);
    const ciku::StudyRangeResult r = ciku::studyRangeFor(m_keshi->text(), ciku::StudyCommand::WordList);
    if (!r.range) {
        m_shell.interaction().message(this, r.rejection);
        focusLessonBox();
        m_framelist->clearAll();
        return;
    }
    setAccepted(r.number);
    ciku::fillLexicon();
    m_framelist->fill(*r.range);
}

} // namespace study
