#pragma once

#include "scriptedinteraction.h"
#include "shell/shell.h"

#include <QTemporaryDir>

#include <memory>

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

    // Lets deferred deletions and queued events run.
    static void settle();

private:
    QTemporaryDir m_dir;
    ScriptedInteraction m_ui;
    std::unique_ptr<shell::Shell> m_shell;
    int m_quitCalls = 0;
};

// Moves the mouse over a widget: delivers the move event that mouse tracking would deliver.
// (QTest::mouseMove does not reach widgets on the offscreen platform.)
void hoverOver(QWidget *widget, QPoint pos = QPoint(-1, -1));

template <typename T> T *findIn(QObject *root, const char *name)
{
    return root ? root->findChild<T *>(QString::fromLatin1(name)) : nullptr;
}
