#pragma once

#include "shell/screen.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

#include <QWidget>

namespace ui {
class Interaction;
}

namespace shell {

class HelpViewer;
class StartMenuWindow;
class WorkWindow;

// Owns the ordinary windows and moves the user between them. A switch shows the target and
// closes the current window, which is built anew the next time it is shown; only the practice
// window may instead be hidden with its state kept. Windows call back into the shell for every
// navigation command, so the rules live here once.
class Shell : public QObject
{
    Q_OBJECT

public:
    using QuitFunction = std::function<void(int exitCode)>;
    // Builds a working window for a screen; the default builds the program's own windows.
    using WindowFactory = std::function<WorkWindow *(Screen, Shell &)>;
    // Opens a help file for a window; the default shows it in the program's help viewer.
    using HelpOpener = std::function<void(QWidget *owner, const QString &helpFile)>;
    using ModalOpener = std::function<void(QWidget *owner)>;

    Shell(const QString &programDir, ui::Interaction &interaction, QuitFunction quit);
    ~Shell() override;

    // Program start: creates and shows the start window. False when it could not start (a
    // picture is missing); the program has then been told to end.
    bool start();

    // Shows the target window and closes the current one.
    void switchTo(Screen target);
    // Leaves the practice window for target, asking the keep-state question when practice has
    // begun (both progress markers set).
    void leavePractice(Screen target, const QString &question);
    // Closes the rest reminder and any hidden practice window, then ends the program.
    void exitProgram();
    // A window was closed through its frame's close box.
    void windowClosedByUser(QWidget *window);

    // A relative help file name resolves against the current working directory, or against the
    // program folder when the working directory has no such file.
    void openHelp(QWidget *owner, const QString &helpFile);
    // The help file as a window names it: the start window with the program folder's full path,
    // the working windows (and the small windows over them) by the bare name, which resolves
    // against the working folder (openHelp falls back to the program folder's).
    QString helpFileFor(const QWidget *window) const;
    void showAbout(QWidget *owner);
    void showCompare(QWidget *owner);
    // Loads the hidden rest reminder once; later calls do nothing.
    void loadReminder();

    QString programDir() const { return m_programDir; }
    // A file of the program folder; the settings files ("sous/...") resolve into the settings
    // folder, which is the program folder's sous/ unless another one is set.
    QString programPath(const QString &relative) const;
    QString settingsDir() const { return m_settingsDir; }
    void setSettingsDir(const QString &dir) { m_settingsDir = dir; }
    ui::Interaction &interaction() const { return m_interaction; }

    QWidget *currentWindow() const { return m_current; }
    Screen currentScreen() const { return m_currentScreen; }
    StartMenuWindow *startWindow() const;
    WorkWindow *workWindow(Screen screen) const;
    // The practice window, visible or hidden with its state kept.
    WorkWindow *practiceWindow() const;
    QObject *reminder() const { return m_reminder; }
    // The help viewer, while one is open.
    HelpViewer *helpViewer() const;
    bool hasExited() const { return m_exited; }

    void setWindowFactory(WindowFactory factory) { m_factory = std::move(factory); }
    void setHelpOpener(HelpOpener opener) { m_helpOpener = std::move(opener); }
    void setAboutOpener(ModalOpener opener) { m_aboutOpener = std::move(opener); }
    void setCompareOpener(ModalOpener opener) { m_compareOpener = std::move(opener); }
    // Builds the rest reminder; the default loads none.
    void setReminderFactory(std::function<QObject *(Shell &)> factory)
    {
        m_reminderFactory = std::move(factory);
    }

Q_SIGNALS:
    void switched(shell::Screen screen);

private:
    QWidget *createWindow(Screen target);
    void retire(QWidget *window);
    // The program's own windows behind the help, about and comparison commands.
    void showHelpViewer(QWidget *owner, const QString &helpFile);
    void showAboutWindow(QWidget *owner);
    void showCompareWindow(QWidget *owner);

    QString m_programDir;
    QString m_settingsDir;
    ui::Interaction &m_interaction;
    QuitFunction m_quit;
    WindowFactory m_factory;
    HelpOpener m_helpOpener;
    ModalOpener m_aboutOpener;
    ModalOpener m_compareOpener;
    std::function<QObject *(Shell &)> m_reminderFactory;

    QPointer<QWidget> m_current;
    Screen m_currentScreen = Screen::Start;
    QPointer<WorkWindow> m_practice;
    QPointer<QObject> m_reminder;
    QPointer<HelpViewer> m_helpViewer;
    // Windows handed to deleteLater(); whatever is still waiting when the shell goes (the
    // program ended before the event loop came round to it) is deleted with the shell.
    QList<QPointer<QObject>> m_retired;
    bool m_exited = false;
};

} // namespace shell
