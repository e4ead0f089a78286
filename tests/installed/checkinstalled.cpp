// Runs from the bin/ folder of an installed tree (tests/installcheck.cmake copies it beside the
// installed cifan), from another working folder, with XDG_DATA_HOME pointed at a folder of the
// test's own: the folders are found as the program finds them at start, the start window shows
// its pictures, F1 opens the installed help file, and a saved setting lands in the user's folder.
#include "app/programwindows.h"
#include "scriptedinteraction.h"
#include "shell/helpviewer.h"
#include "shell/shell.h"
#include "shell/startmenuwindow.h"
#include "shell/workwindow.h"
#include "ui/activelabel.h"
#include "ui/programpaths.h"

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QtTest>

class CheckInstalled : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void installedTreeInUse()
    {
        QCoreApplication::setApplicationName(QStringLiteral("cifan")); // as the program names itself
        const QDir bin(QCoreApplication::applicationDirPath());
        const ui::ProgramFolders folders = ui::locateProgramFolders(
            bin.path(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        const QDir program(folders.program);
        QCOMPARE(folders.program, QDir::cleanPath(bin.filePath(QStringLiteral("../share/cifan"))));
        QCOMPARE(folders.settings, QDir::cleanPath(qEnvironmentVariable("XDG_DATA_HOME") + "/cifan/sous"));
        QVERIFY(!QFileInfo::exists(QStringLiteral("帮助.chm"))); // none in the working folder

        ScriptedInteraction ui;
        shell::Shell shell(folders.program, ui, [](int) {});
        shell.setSettingsDir(folders.settings);
        shell.setWindowFactory(app::buildProgramWindow);
        QVERIFY2(shell.start(), qPrintable(ui.messageTexts().join(u'|')));
        for (const char *name : {"picchaxun", "piclianxi", "picxuexi"}) {
            auto *picture = shell.startWindow()->findChild<ui::ActiveLabel *>(QString::fromLatin1(name));
            QVERIFY2(picture && !picture->pixmap().isNull(), name);
        }

        shell.switchTo(shell::Screen::Query);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell::WorkWindow *query = shell.workWindow(shell::Screen::Query);
        QVERIFY(query);
        query->findChild<QAction *>(QStringLiteral("shuoming"))->trigger(); // F1
        QTRY_VERIFY_WITH_TIMEOUT(!shell.isOpeningHelp(), 5000);
        QVERIFY2(shell.helpViewer(), qPrintable(ui.messageTexts().join(u'|')));
        QCOMPARE(QFileInfo(shell.helpViewer()->fileName()),
                 QFileInfo(program.filePath(QStringLiteral("帮助.chm"))));

        QTest::mouseClick(query->findChild<QRadioButton *>(QStringLiteral("way2")), Qt::LeftButton);
        QTest::mouseClick(query->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
        QVERIFY2(ui.messages.isEmpty(), qPrintable(ui.messageTexts().join(u'|')));
        QFile saved(QDir(folders.settings).filePath(QStringLiteral("cx.dll")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("2\r\n"));
        QVERIFY(!QFileInfo::exists(program.filePath(QStringLiteral("sous"))));
    }
};

QTEST_MAIN(CheckInstalled)
#include "checkinstalled.moc"
