// Runs from the bin/ folder of an installed tree (the install test copies it beside the
// installed cifan), started from another working folder with XDG_DATA_HOME pointed at a folder
// of the test's own: the folders are found the way the program finds them at start, the start
// window shows its pictures, F1 opens the installed help file and a saved setting lands in the
// user's data folder.
#include "scriptedinteraction.h"
#include "shell/helpviewer.h"
#include "shell/shell.h"
#include "shell/startmenuwindow.h"
#include "shell/workwindow.h"
#include "ui/activelabel.h"
#include "ui/programpaths.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

class CheckInstalled : public QObject
{
    Q_OBJECT

    ui::ProgramFolders m_folders;
    ScriptedInteraction m_ui;
    std::unique_ptr<shell::Shell> m_shell;

    static void settle()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // As the program names itself, so the user's data folder is the program's.
        QCoreApplication::setApplicationName(QStringLiteral("cifan"));
        QVERIFY2(qEnvironmentVariableIsSet("XDG_DATA_HOME"), "run by tests/installcheck.cmake");
        m_folders =
            ui::locateProgramFolders(QCoreApplication::applicationDirPath(),
                                     QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }

    void foldersFoundFromTheExecutable()
    {
        const QDir bin(QCoreApplication::applicationDirPath());
        QCOMPARE(m_folders.program, QDir::cleanPath(bin.filePath(QStringLiteral("../share/cifan"))));
        QVERIFY(m_folders.installed);
        QCOMPARE(m_folders.settings, QDir::cleanPath(qEnvironmentVariable("XDG_DATA_HOME") + "/cifan/sous"));
        QVERIFY(QFileInfo(m_folders.settings).isDir());
        QVERIFY(!QFileInfo::exists(QDir(m_folders.program).filePath(QStringLiteral("sous"))));
        QVERIFY(!QFileInfo::exists(QStringLiteral("帮助.chm"))); // not in the working folder
    }

    void startWindowShowsItsPictures()
    {
        m_shell = std::make_unique<shell::Shell>(m_folders.program, m_ui, [](int) {});
        m_shell->setSettingsDir(m_folders.settings);
        QVERIFY2(m_shell->start(), qPrintable(m_ui.messageTexts().join(u'|')));
        QVERIFY(m_ui.messages.isEmpty());
        for (const char *name : {"picchaxun", "piclianxi", "picxuexi"}) {
            auto *picture = m_shell->startWindow()->findChild<ui::ActiveLabel *>(QString::fromLatin1(name));
            QVERIFY2(picture && !picture->pixmap().isNull(), name);
        }
    }

    void helpComesFromTheProgramFolder()
    {
        m_shell->switchTo(shell::Screen::Query);
        settle();
        shell::WorkWindow *window = m_shell->workWindow(shell::Screen::Query);
        QVERIFY(window);
        auto *shuoming = window->findChild<QAction *>(QStringLiteral("shuoming"));
        QVERIFY(shuoming);
        shuoming->trigger();
        QVERIFY2(m_shell->helpViewer(), qPrintable(m_ui.messageTexts().join(u'|')));
        QCOMPARE(QFileInfo(m_shell->helpViewer()->fileName()),
                 QFileInfo(QDir(m_folders.program).filePath(QStringLiteral("帮助.chm"))));
        QCOMPARE(m_shell->helpViewer()->browser()->documentTitle(), QStringLiteral("词帆使用说明"));
    }

    void savedSettingGoesToTheUserFolder()
    {
        shell::WorkWindow *window = m_shell->workWindow(shell::Screen::Query);
        QVERIFY(window);
        auto *way2 = window->findChild<QRadioButton *>(QStringLiteral("way2"));
        auto *save = window->findChild<QPushButton *>(QStringLiteral("Command1"));
        QVERIFY(way2 && save);
        QTest::mouseClick(way2, Qt::LeftButton);
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY2(m_ui.messages.isEmpty(), qPrintable(m_ui.messageTexts().join(u'|')));
        QFile saved(QDir(m_folders.settings).filePath(QStringLiteral("cx.dll")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("2\r\n"));
        QVERIFY(!QFileInfo::exists(QDir(m_folders.program).filePath(QStringLiteral("sous"))));
    }

    void cleanupTestCase()
    {
        m_shell.reset();
        settle();
    }
};

QTEST_MAIN(CheckInstalled)
#include "checkinstalled.moc"
