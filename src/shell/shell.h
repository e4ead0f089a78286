#pragma once

#include "shell/screen.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

namespace record {
class LearningRecord;
}

namespace ui {
class Interaction;
class SmallWindow;
} // namespace ui

namespace shell {

class HelpViewer;
class OrdinaryWindow;
class StartMenuWindow;
class WorkWindow;

// What happens to the window on show when the user moves to another one.
enum class Keep {
    None,  // closed: the next visit builds it anew and runs its load step
    Hidden // hidden with its whole state; the next visit shows it again as it was
};

// Owns the ordinary windows and moves the user between them. A switch shows the target and
// closes the current window, which is built anew the next time it is shown, or only hides it
// with its state kept when the window asks for that. Windows call back into the shell for every
// navigation command, so the rules live here once. The shell knows the start window; the
// working windows come from the window factory the program gives it.
class Shell : public QObject
{
    Q_OBJECT

public:
    using QuitFunction = std::function<void(int exitCode)>;
    // Builds a working window for a screen; without one the shell hosts only the start window.
    using WindowFactory = std::function<WorkWindow *(Screen, Shell &)>;
    // Opens a help file for a window; the default shows it in the program's help viewer.
    using HelpOpener = std::function<void(QWidget *owner, const QString &helpFile)>;
    using ModalOpener = std::function<void(QWidget *owner)>;

    Shell(const QString &programDir, ui::Interaction &interaction, QuitFunction quit);
    ~Shell() override;

    // Program start: creates and shows the start window. False when it could not start (a
    // picture is missing); the program has then been told to end.
    bool start();

    // Shows the target window and closes the current one, or with Keep::Hidden only hides it.
    // A window kept hidden for target is shown again instead of a new one.
    void switchTo(Screen target, Keep keep = Keep::None);
    // Builds the window of target ahead of a switch to it, hidden, and readies it
    // (OrdinaryWindow::prepare), so that the switch only shows it. One window at a time: a
    // window prepared for another screen is dropped. Nothing is built for the screen on show or
    // for a screen whose window is kept hidden.
    void prepare(Screen target);
    // The window prepared for a switch and not shown yet; nullptr for none.
    QWidget *preparedWindow() const { return m_preparedWidget; }
    // Closes the rest reminder and any window kept hidden, then ends the program.
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
    // The learning record of the settings folder, opened on first use.
    record::LearningRecord &learningRecord();
    // The progress window "词帆-学习记录", modal over owner.
    void showProgress(QWidget *owner);
    // "复习到期单词(F7)": with words due, goes to the practice window (as the to-practice
    // command does) and starts the review there; with none, says so and when the next is due.
    void reviewDue(QWidget *owner);
    // The words the practice window is to review once it shows; empty when no review waits.
    QList<int> takePendingReview();
    bool reviewPending() const { return !m_pendingReview.isEmpty(); }
    // Loads the hidden rest reminder once; later calls do nothing.
    void loadReminder();

    QString programDir() const { return m_programDir; }
    // A file of the program folder; the settings files ("sous/...") resolve into the settings
    // folder, which is the program folder's sous/ unless another one is set.
    QString programPath(const QString &relative) const;
    QString settingsDir() const { return m_settingsDir; }
    void setSettingsDir(const QString &dir) { m_settingsDir = dir; }
    // The program folder's sous/ when it is not writable and settings go to the user's folder:
    // a settings file missing there is read from it. Set after the settings folder.
    void setReadOnlySettingsDir(const QString &dir);
    // The file a setting is read from: programPath(relative), or the read-only sous/'s copy when
    // the settings folder has no such file.
    QString settingsFileToRead(const QString &relative) const;
    // Called after a save that worked: the first save into a user's settings folder that stands
    // in for a read-only sous/ says once where the settings now live.
    void settingsSaved(QWidget *owner);
    ui::Interaction &interaction() const { return m_interaction; }

    QWidget *currentWindow() const { return m_current; }
    Screen currentScreen() const { return m_currentScreen; }
    StartMenuWindow *startWindow() const;
    // The working window of a screen, on show or hidden with its state kept.
    WorkWindow *workWindow(Screen screen) const;
    QObject *reminder() const { return m_reminder; }
    // The help viewer, while one is open.
    HelpViewer *helpViewer() const;
    // The viewer whose file the help reader is still reading, while there is one.
    HelpViewer *openingHelpViewer() const;
    bool isOpeningHelp() const { return !m_pendingHelpViewer.isNull(); }
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
    OrdinaryWindow *createWindow(Screen target);
    // The window prepared for screen, handed over and no longer prepared; nullptr for none.
    OrdinaryWindow *takePrepared(Screen screen);
    void dropPrepared();
    // The window kept hidden for a screen, handed back and no longer kept; nullptr for none.
    QWidget *takeKept(Screen screen);
    // Takes the window off the screen as keep says.
    void leave(QWidget *window, Screen screen, Keep keep);
    void retire(QWidget *window);
    // Shows an about or comparison window modally over its owner, then deletes it.
    void showSmallWindow(ui::SmallWindow *window, QWidget *owner);
    // The program's own windows behind the help, about and comparison commands.
    void showHelpViewer(QWidget *owner, const QString &helpFile);
    void showAboutWindow(QWidget *owner);
    void showCompareWindow(QWidget *owner);

    QString m_programDir;
    QString m_settingsDir;
    QString m_readOnlySettingsDir;
    // The settings folder held no settings file at start, so the first save there is the first
    // ever; it is told once.
    bool m_tellSettingsPlace = false;
    ui::Interaction &m_interaction;
    QuitFunction m_quit;
    WindowFactory m_factory;
    HelpOpener m_helpOpener;
    ModalOpener m_aboutOpener;
    ModalOpener m_compareOpener;
    std::function<QObject *(Shell &)> m_reminderFactory;

    QPointer<QWidget> m_current;
    Screen m_currentScreen = Screen::Start;
    // The window built ahead of a switch to m_preparedScreen, hidden.
    OrdinaryWindow *m_prepared = nullptr;
    QPointer<QWidget> m_preparedWidget;
    Screen m_preparedScreen = Screen::Start;
    // Windows hidden with their state kept, at most one a screen.
    std::map<Screen, QPointer<QWidget>> m_kept;
    QPointer<QObject> m_reminder;
    std::unique_ptr<record::LearningRecord> m_record;
    QList<int> m_pendingReview;
    QPointer<HelpViewer> m_helpViewer;
    QPointer<HelpViewer> m_pendingHelpViewer;
    // Windows handed to deleteLater(); whatever is still waiting when the shell goes (the
    // program ended before the event loop came round to it) is deleted with the shell.
    QList<QPointer<QObject>> m_retired;
    bool m_exited = false;
};

} // namespace shell
