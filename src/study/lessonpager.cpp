#include "study/lessonpager.h"

#include "lexicon/lexicon.h"

namespace study {

void LessonPager::reject()
{
    m_rangeLast = 0;
    m_rangeFirst = 0;
}

ScreenWords LessonPager::start(ciku::WordRange range)
{
    m_rangeLast = range.last;
    m_rangeFirst = range.first;
    return screenFrom(range.first);
}

ScreenWords LessonPager::screenFrom(int first)
{
    ScreenWords screen;
    if (!hasRange())
        return screen;
    for (int i = first; i <= m_rangeLast; ++i) {
        if (ciku::Lexicon::isValidIndex(i))
            screen.words.append(i);
        if (i - first == kWordsPerScreen - 1) {
            m_nextScreenFirst = i;
            screen.endsWithBlank = false;
            break;
        }
    }
    return screen;
}

ScreenWords LessonPager::next()
{
    m_screenFirst = m_nextScreenFirst;
    return screenFrom(m_nextScreenFirst);
}

ScreenWords LessonPager::previous()
{
    ScreenWords screen;
    const int s = m_screenFirst - (kWordsPerScreen - 1);
    const int e = s + (kWordsPerScreen - 1);
    m_nextScreenFirst = m_screenFirst;
    // Without an accepted range there is nothing to page back to; the holders still move as
    // they always do, so a later start finds the same numbers.
    if (hasRange()) {
        for (int i = s; i <= e; ++i) {
            if (ciku::Lexicon::isValidIndex(i))
                screen.words.append(i);
        }
    }
    if (m_rangeFirst < s)
        m_screenFirst -= kWordsPerScreen - 1;
    return screen;
}

} // namespace study
