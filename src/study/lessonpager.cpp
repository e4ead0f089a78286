#include "study/lessonpager.h"

#include "lexicon/lexicon.h"

namespace study {

void LessonPager::reject()
{
    m_getmax = 0;
    m_getmin3 = 0;
}

ScreenWords LessonPager::start(ciku::WordRange range)
{
    m_getmax = range.last;
    m_getmin3 = range.first;
    return screenFrom(range.first);
}

ScreenWords LessonPager::screenFrom(int first)
{
    ScreenWords screen;
    if (!hasRange())
        return screen;
    for (int i = first; i <= m_getmax; ++i) {
        if (ciku::Lexicon::isValidIndex(i))
            screen.words.append(i);
        if (i - first == kWordsPerScreen - 1) {
            m_getmin = i;
            screen.endsWithBlank = false;
            break;
        }
    }
    return screen;
}

ScreenWords LessonPager::next()
{
    m_getmin2 = m_getmin;
    return screenFrom(m_getmin);
}

ScreenWords LessonPager::previous()
{
    ScreenWords screen;
    const int s = m_getmin2 - (kWordsPerScreen - 1);
    const int e = s + (kWordsPerScreen - 1);
    m_getmin = m_getmin2;
    // Without an accepted range there is nothing to page back to; the holders still move as
    // they always do, so a later start finds the same numbers.
    if (hasRange()) {
        for (int i = s; i <= e; ++i) {
            if (ciku::Lexicon::isValidIndex(i))
                screen.words.append(i);
        }
    }
    if (m_getmin3 < s)
        m_getmin2 -= kWordsPerScreen - 1;
    return screen;
}

} // namespace study
