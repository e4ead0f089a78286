#include "shell/shell.h"

#include "practice/practicewindow.h"
#include "query/querywindow.h"
#include "shell/aboutwindow.h"
#include "shell/chmfile.h"
#include "shell/comparewindow.h"
#include "shell/helpviewer.h"
#include "shell/startmenuwindow.h"
#include "shell/workwindow.h"
#include "study/studywindow.h"
#include "ui/interaction.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
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

// Places a small modal window over the middle of the window that opened it.
void centreOver(QWidget *window, QWidget *owner)
{
    if (owner && owner->isVisible())
        window->move(owner->frameGeometry().center() - window->rect().center());
}

} // namespace

Shell::Shell(const QString &programDir, ui::Interaction &interaction, QuitFunction quit)
    : m_programDir(programDir), m_settingsDir(QDir(programDir).filePath(QStringLiteral("sous"))),
      m_interaction(interaction), m_quit(std::move(quit)), m_factory(buildProgramWindow)
{
    m_helpOpener = [this](QWidget *owner, const QString &file) { showHelpViewer(owner, file); };
    m_aboutOpener = [this](QWidget *owner) { showAboutWindow(owner); };
    m_compareOpener = [this](QWidget *owner) { showCompareWindow(owner); };
}

Shell::~Shell()
{
    // Windows are top-level and owned here; delete them before the interaction layer goes away.
    if (m_current && m_current != m_practice)
        delete m_current.data();
    delete m_practice.data();
    delete m_reminder.data();
    delete m_helpViewer.data();
    for (const QPointer<QObject> &retired : std::as_const(m_retired))
        delete retired.data();
}

QString Shell::programPath(const QString &relative) const
{
    static const QString settingsPrefix = QStringLiteral("sous/");
    if (relative.startsWith(settingsPrefix))
        return QDir(m_settingsDir).filePath(relative.mid(settingsPrefix.size()));
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
    m_retired.removeAll(nullptr);
    m_retired.append(window);
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
    if (target == Screen::Start) {
        // The start window loads before it appears: its pictures are in place when it is first
        // drawn, and a missing picture is reported without an empty start window behind the box.
        if (!static_cast<StartMenuWindow *>(window)->Form_Load()) {
            retire(previous);
            return;
        }
    }
    window->show();
    if (previous && previous != window)
        retire(previous);
    if (target != Screen::Start && !reshown)
        static_cast<WorkWindow *>(window)->Form_Load();
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
        m_retired.append(m_reminder.data());
        m_reminder = nullptr;
    }
    if (m_practice && m_practice != m_current)
        retire(m_practice);
    if (m_helpViewer)
        m_helpViewer->close(); // deletes itself on close; the shell deletes it if it is still there
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

QString Shell::helpFileFor(const QWidget *window) const
{
    static const QString name = QStringLiteral("帮助.chm");
    return qobject_cast<const StartMenuWindow *>(window) ? programPath(name) : name;
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

void Shell::showHelpViewer(QWidget *owner, const QString &helpFile)
{
    // A bare name is looked for in the working folder first, then in the program folder: a
    // program started from the menu works in the home folder.
    const QFileInfo given(helpFile);
    const QFileInfo info(given.isRelative() && !given.exists() ? programPath(helpFile) : helpFile);
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    if (m_helpViewer && QFileInfo(m_helpViewer->fileName()) == QFileInfo(path) && QFileInfo::exists(path)) {
        m_helpViewer->show();
        m_helpViewer->raise();
        m_helpViewer->activateWindow();
        return;
    }
    auto file = std::make_unique<ChmFile>();
    if (!file->open(path)) {
        const QString text =
            QFileInfo::exists(path)
                ? QStringLiteral("无法读取帮助文件“%1”，它可能已经损坏。\n%2").arg(info.fileName(), path)
                : QStringLiteral("找不到帮助文件“%1”。\n%2").arg(info.fileName(), path);
        m_interaction.message(owner, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(), text});
        return;
    }
    // One help window at a time; it is a window of its own and outlives the window that opened it.
    if (m_helpViewer) {
        m_helpViewer->close();
        m_retired.append(m_helpViewer.data());
    }
    m_helpViewer = new HelpViewer(std::move(file));
    m_helpViewer->show();
    m_helpViewer->raise();
    m_helpViewer->activateWindow();
}

void Shell::showAboutWindow(QWidget *owner)
{
    QPointer<AboutWindow> window = new AboutWindow(programPath(QStringLiteral("pic/logo.png")), owner);
    connect(window, &AboutWindow::helpRequested, this,
            [this, window, owner] { openHelp(window, helpFileFor(owner)); });
    centreOver(window, owner);
    m_interaction.showModal(window);
    delete window.data();
}

void Shell::showCompareWindow(QWidget *owner)
{
    // Built anew every time, so it always opens borderless.
    QPointer<CompareWindow> window = new CompareWindow(owner);
    connect(window, &CompareWindow::helpRequested, this,
            [this, window, owner] { openHelp(window, helpFileFor(owner)); });
    centreOver(window, owner);
    m_interaction.showModal(window);
    delete window.data();
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

HelpViewer *Shell::helpViewer() const
{
    return m_helpViewer;
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
