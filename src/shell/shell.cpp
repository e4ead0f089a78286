#include "shell/shell.h"

#include "practice/practicewindow.h"
#include "query/querywindow.h"
#include "shell/startmenuwindow.h"
#include "shell/workwindow.h"
#include "study/studywindow.h"
#include "ui/interaction.h"

#include <QDir>
#include <QWidget>

namespace shell {
namespace {

WorkWindow *buildProgramWindow(Screen screen, Shell &shell)
{
    switch (screen) {
    case Screen::Study:
        return new study::StudyWindow(shell);
    case Screen::Practice:
        return new practice::PracticeWindow(shell);
    case Screen::Query:
        return new query::QueryWindow(shell);
    case Screen::Start:
        break;
    }
    return nullptr;
}

} // namespace

Shell::Shell(const QString &programDir, ui::Interaction &interaction, QuitFunction quit)
    : m_programDir(programDir), m_interaction(interaction), m_quit(std::move(quit)),
      m_factory(buildProgramWindow)
{
}

Shell::~Shell()
{
    // Windows are top-level and owned here; delete them before the interaction layer goes away.
    if (m_current && m_current != m_practice)
        delete m_current.data();
    delete m_practice.data();
    delete m_reminder.data();
}

QString Shell::programPath(const QString &relative) const
{
    return QDir(m_programDir).filePath(relative);
}

bool Shell::start()
{
    switchTo(Screen::Start);
    return !m_exited;
}

QWidget *Shell::createWindow(Screen target)
{
    if (target == Screen::Start)
        return new StartMenuWindow(*this);
    if (target == Screen::Practice && m_practice)
        return m_practice; // hidden with its state kept
    WorkWindow *window = m_factory(target, *this);
    if (target == Screen::Practice)
        m_practice = window;
    return window;
}

void Shell::retire(QWidget *window)
{
    if (!window)
        return;
    if (window == m_practice)
        m_practice = nullptr;
    window->hide();
    // The window may be running one of its own handlers right now, so it goes when control
    // returns to the event loop.
    window->deleteLater();
}

void Shell::switchTo(Screen target)
{
    if (m_exited)
        return;
    QWidget *previous = m_current;
    const bool reshown = target == Screen::Practice && m_practice && m_practice != previous;
    if (previous && m_currentScreen == target && previous->isVisible())
        return;
    QWidget *window = createWindow(target);
    m_current = window;
    m_currentScreen = target;
    window->show();
    if (previous && previous != window)
        retire(previous);
    if (target == Screen::Start) {
        if (!static_cast<StartMenuWindow *>(window)->Form_Load())
            return;
    } else if (!reshown) {
        static_cast<WorkWindow *>(window)->Form_Load();
    }
    Q_EMIT switched(target);
}

void Shell::leavePractice(Screen target, const QString &question)
{
    WorkWindow *practice = m_practice;
    if (!practice || m_current != practice) {
        switchTo(target);
        return;
    }
    auto *window = static_cast<practice::PracticeWindow *>(practice);
    bool keep = false;
    if (window->practiceBegun()) {
        const ui::Answer answer = m_interaction.message(
            window, ui::Message{ui::Icon::Question, ui::Buttons::YesNo, QStringLiteral("询问"), question});
        keep = answer == ui::Answer::Yes;
    }
    m_current = nullptr;
    if (keep)
        practice->hide();
    else
        retire(practice);
    switchTo(target);
}

void Shell::exitProgram()
{
    if (m_exited)
        return;
    m_exited = true;
    if (m_reminder) {
        m_reminder->deleteLater();
        m_reminder = nullptr;
    }
    if (m_practice && m_practice != m_current)
        retire(m_practice);
    if (m_quit)
        m_quit(0);
}

void Shell::windowClosedByUser(QWidget *window)
{
    // Closing the window on show through its frame ends the program, as its exit command does.
    if (!m_exited && window == m_current)
        exitProgram();
}

void Shell::openHelp(QWidget *owner, const QString &helpFile)
{
    if (m_helpOpener)
        m_helpOpener(owner, helpFile);
}

void Shell::showAbout(QWidget *owner)
{
    if (m_aboutOpener)
        m_aboutOpener(owner);
}

void Shell::showCompare(QWidget *owner)
{
    if (m_compareOpener)
        m_compareOpener(owner);
}

void Shell::loadReminder()
{
    if (m_reminder || !m_reminderFactory)
        return;
    m_reminder = m_reminderFactory(*this);
}

StartMenuWindow *Shell::startWindow() const
{
    return m_currentScreen == Screen::Start ? qobject_cast<StartMenuWindow *>(m_current.data()) : nullptr;
}

WorkWindow *Shell::practiceWindow() const
{
    return m_practice;
}

WorkWindow *Shell::workWindow(Screen screen) const
{
    if (screen == Screen::Practice)
        return m_practice;
    if (m_currentScreen != screen)
        return nullptr;
    return qobject_cast<WorkWindow *>(m_current.data());
}

} // namespace shell
