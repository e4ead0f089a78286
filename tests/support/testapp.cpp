#include "testapp.h"

#include "app/programwindows.h"
#include "shell/chmfile.h"
#include "shell/reminderwindow.h"
#include "ui/qttranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

TestApp::TestApp(bool withPictures)
{
    useBuiltHelpReader();
    QDir root(m_dir.path());
    root.mkpath(QStringLiteral("pic"));
    root.mkpath(QStringLiteral("sous"));
    if (withPictures) {
        const QDir source(QStringLiteral(CIFAN_PROGRAM_DIR "/pic"));
        for (const QString &name : source.entryList(QDir::Files))
            QFile::copy(source.filePath(name), root.filePath(QStringLiteral("pic/") + name));
    }
    // Qt's own dialogs speak Chinese, as in the program.
    ui::installQtTranslations();
    m_shell = std::make_unique<shell::Shell>(m_dir.path(), m_ui, [this](int) { ++m_quitCalls; });
    m_shell->setWindowFactory(app::buildProgramWindow);
    auto saver = m_screenSaver;
    m_shell->setReminderFactory(
        [saver](shell::Shell &sh) -> QObject * { return new shell::ReminderWindow(sh, saver); });
}

void useBuiltHelpReader()
{
    // The test's program folder holds no reader; the one built beside the program reads for it.
    shell::ChmFile::setReaderProgram(QStringLiteral(CIFAN_PROGRAM_DIR "/cifan-helpreader"));
}

shell::ReminderWindow *TestApp::reminder() const
{
    return qobject_cast<shell::ReminderWindow *>(m_shell->reminder());
}

TestApp::~TestApp()
{
    m_shell.reset();
    settle();
}

QString TestApp::path(const QString &relative) const
{
    return QDir(m_dir.path()).filePath(relative);
}

void TestApp::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QWidget *openWindow(TestApp &app, shell::Screen screen)
{
    app.shell().switchTo(screen);
    TestApp::settle();
    QWidget *window = app.shell().currentWindow();
    if (!window)
        return nullptr;
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("window did not become active");
    return window;
}

void hoverOver(QWidget *widget, QPoint pos)
{
    if (pos == QPoint(-1, -1))
        pos = widget->rect().center();
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}
