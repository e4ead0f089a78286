#include "app/programwindows.h"

#include "practice/practicewindow.h"
#include "query/querywindow.h"
#include "study/studywindow.h"

namespace app {

shell::WorkWindow *buildProgramWindow(shell::Screen screen, shell::Shell &shell)
{
    switch (screen) {
    case shell::Screen::Study:
        return new study::StudyWindow(shell);
    case shell::Screen::Practice:
        return new practice::PracticeWindow(shell);
    case shell::Screen::Query:
        return new query::QueryWindow(shell);
    case shell::Screen::Start:
        break;
    }
    return nullptr;
}

} // namespace app
