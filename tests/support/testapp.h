#pragma once

#include "scriptedinteraction.h"
#include "shell/screensaver.h"
#include "shell/shell.h"

#include <QTemporaryDir>

#include <memory>

namespace shell {
class ReminderWindow;
}

// Counts screen-saver requests instead of starting anything; onActivate runs at each request
// (e.g. to check which boxes had been shown by then).
class RecordingScreenSaver final : public shell::ScreenSaver
{
public:
    int requests = 0;
    std::function<void()> onActivate;
    void activate() override
    {
        ++requests;
        if (onActivate)
            onActivate();
    }
};

// A program folder of its own for each test (pictures copied in, an empty sous/), a scripted
// modal layer and a shell that records the end of the program instead of quitting.
class TestApp
{
public:
    explicit TestApp(bool withPictures = true);
    ~TestApp();

    QString dir() const { return m_dir.path(); }
    QString path(const QString &relative) const;
    ScriptedInteraction &ui() { return m_ui; }
    shell::Shell &shell() { return *m_shell; }
    int quitCalls() const { return m_quitCalls; }
    // The rest reminder the start window loads; its screen-saver requests are only counted.
    RecordingScreenSaver &screenSaver() { return *m_screenSaver; }
    shell::ReminderWindow *reminder() const;

    // Lets deferred deletions and queued events run.
    static void settle();

private:
    QTemporaryDir m_dir;
    ScriptedInteraction m_ui;
    std::shared_ptr<RecordingScreenSaver> m_screenSaver = std::make_shared<RecordingScreenSaver>();
    std::unique_ptr<shell::Shell> m_shell;
    int m_quitCalls = 0;
};

// Points the help viewer at the help reader built beside the program.
void useBuiltHelpReader();
// Switches to a screen as the user does, lets the switch settle and activates the window on show
// so that keys reach it. Returns the window on show.
QWidget *openWindow(TestApp &app, shell::Screen screen);

// Moves the mouse over a widget: delivers the move event that mouse tracking would deliver.
// (QTest::mouseMove does not reach widgets on the offscreen platform.)
void hoverOver(QWidget *widget, QPoint pos = QPoint(-1, -1));

template <typename T> T *findIn(QObject *root, const char *name)
{
    return root ? root->findChild<T *>(QString::fromLatin1(name)) : nullptr;
}
