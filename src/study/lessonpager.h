#pragma once

#include "lexicon/lessontable.h"

#include <QList>

namespace study {

// The words one screen of the print view shows, in order. An empty line follows every word
// but the last of a full forward screen.
struct ScreenWords {
    QList<int> words;
    bool endsWithBlank = true;
};

// Paging of the print view: eleven words a screen, each screen starting with the last word of
// the screen before it. The state is what the window's hidden holders getmin3, getmax, getmin2
// and getmin held, each as the number its label would read back as (the initial "min"/"max"
// and the empty text read 0).
class LessonPager
{
public:
    static constexpr int kWordsPerScreen = 11;

    // getmin3: the first word of the accepted range.
    int rangeFirst() const { return m_rangeFirst; }
    // getmax: the last word of the accepted range.
    int rangeLast() const { return m_rangeLast; }
    // getmin2: the first word of the screen on show.
    int screenFirst() const { return m_screenFirst; }
    // getmin: the last word of the latest full screen, where the next screen starts.
    int nextScreenFirst() const { return m_nextScreenFirst; }

    // True while a range is accepted: a rejected start forgets the range.
    bool hasRange() const { return m_rangeLast > 0; }

    // A start that named no lesson: the range is forgotten, the screen holders stay.
    void reject();
    // A successful start: the first screen of the range.
    ScreenWords start(ciku::WordRange range);
    // The next screen, starting at the last word of the screen on show.
    ScreenWords next();
    // The previous screen: always the eleven words ending at the first word on show.
    ScreenWords previous();

private:
    ScreenWords screenFrom(int first);

    int m_rangeFirst = 0;
    int m_rangeLast = 0;
    int m_screenFirst = 0;
    int m_nextScreenFirst = 0;
};

} // namespace study
