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
// the screen before it. The state is the window's five value holders; each keeps the number
// its label would read back as (the initial "min"/"max" and the empty text read 0).
class LessonPager
{
public:
    static constexpr int kWordsPerScreen = 11;

    int getmin3() const { return m_getmin3; } // first word of the accepted range
    int getmax() const { return m_getmax; }   // last word of the accepted range
    int getmin2() const { return m_getmin2; } // first word of the screen on show
    int getmin() const { return m_getmin; }   // last word of a full screen; the next one starts here

    // True while a range is accepted: a rejected start empties getmax and getmin3.
    bool hasRange() const { return m_getmax > 0; }

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

    int m_getmin3 = 0;
    int m_getmax = 0;
    int m_getmin2 = 0;
    int m_getmin = 0;
};

} // namespace study
