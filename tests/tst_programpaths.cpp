// Where a copy of the program finds its pictures and help file, and where the settings go: a
// build tree or portable copy keeps its own sous/, an installed tree uses the user's data folder.
#include "scriptedinteraction.h"
#include "shell/shell.h"
#include "ui/programpaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using ui::SettingsPlace;

Q_DECLARE_METATYPE(SettingsPlace)

class ProgramPathsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingsPlace_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("sousExists");
        QTest::addColumn<bool>("sousWritable");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<SettingsPlace>("expected");
        QTest::newRow("build tree, own sous")
            << false << true << true << true << SettingsPlace::ProgramFolder;
        QTest::newRow("portable, sous read-only")
            << false << true << false << true << SettingsPlace::UserFolder;
        QTest::newRow("portable, read-only medium")
            << false << true << false << false << SettingsPlace::UserFolder;
        QTest::newRow("portable, no sous yet")
            << false << false << false << true << SettingsPlace::CreateInProgramFolder;
        QTest::newRow("portable, no sous, folder read-only")
            << false << false << false << false << SettingsPlace::UserFolder;
        QTest::newRow("installed, no sous") << true << false << false << false << SettingsPlace::UserFolder;
        // root may write under the prefix, but the package's tree is left alone.
        QTest::newRow("installed, root") << true << false << false << true << SettingsPlace::UserFolder;
        QTest::newRow("installed, writable sous")
            << true << true << true << false << SettingsPlace::ProgramFolder;
        QTest::newRow("installed, read-only sous")
            << true << true << false << true << SettingsPlace::UserFolder;
    }
    void settingsPlace()
    {
        QFETCH(bool, installed);
        QFETCH(bool, sousExists);
        QFETCH(bool, sousWritable);
        QFETCH(bool, folderWritable);
        QFETCH(SettingsPlace, expected);
        QCOMPARE(ui::settingsPlaceFor(installed, sousExists, sousWritable, folderWritable), expected);
    }

    // Each row lays out a tree (folders end in "/"), starts from an executable folder and names
    // the program folder and the settings folder ("~" is the user's data folder) it must get.
    void locate_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("exeDir");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<bool>("installed");
        QTest::newRow("build tree") << QStringList{"app/pic/", "app/sous/"} << "app"
                                    << "app"
                                    << "app/sous" << false;
        QTest::newRow("portable copy without sous") << QStringList{"app/pic/"} << "app"
                                                    << "app"
                                                    << "app/sous" << false;
        QTest::newRow("installed under /usr-like prefix")
            << QStringList{"usr/bin/", "usr/share/cifan/pic/"} << "usr/bin"
            << "usr/share/cifan"
            << "~/sous" << true;
        QTest::newRow("installed, prefix with its own writable sous")
            << QStringList{"opt/bin/", "opt/share/cifan/pic/", "opt/share/cifan/sous/"} << "opt/bin"
            << "opt/share/cifan"
            << "opt/share/cifan/sous" << true;
        QTest::newRow("pictures beside the executable win")
            << QStringList{"p/bin/pic/", "p/share/cifan/pic/"} << "p/bin"
            << "p/bin"
            << "p/bin/sous" << false;
        QTest::newRow("sous is a file") << QStringList{"app/pic/", "app/sous"} << "app"
                                        << "app"
                                        << "~/sous" << false;
        QTest::newRow("no pictures anywhere") << QStringList{"bin/"} << "bin"
                                              << "bin"
                                              << "bin/sous" << false;
    }
    void locate()
    {
        QFETCH(QStringList, tree);
        QFETCH(QString, exeDir);
        QFETCH(QString, program);
        QFETCH(QString, settings);
        QFETCH(bool, installed);
        QTemporaryDir root;
        const QDir dir(root.path());
        for (const QString &entry : tree) {
            if (entry.endsWith(QLatin1Char('/'))) {
                QVERIFY(dir.mkpath(entry));
            } else {
                QFile file(dir.filePath(entry));
                QVERIFY(file.open(QIODevice::WriteOnly));
            }
        }
        const QString user = dir.filePath(QStringLiteral("home/data/cifan"));
        const auto expand = [&](const QString &p) {
            return p.startsWith(QLatin1Char('~')) ? QDir::cleanPath(user + p.mid(1)) : dir.filePath(p);
        };

        const ui::ProgramFolders folders = ui::locateProgramFolders(dir.filePath(exeDir), user);
        QCOMPARE(folders.program, dir.filePath(program));
        QCOMPARE(folders.settings, expand(settings));
        QCOMPARE(folders.installed, installed);
        // The chosen settings folder is there for the first save; an installed tree gets nothing
        // new, and the user's folder is only made when it is used.
        QVERIFY(QFileInfo(folders.settings).isDir());
        if (installed && settings.startsWith(QLatin1Char('~')))
            QVERIFY(!QFileInfo::exists(QDir(folders.program).filePath(QStringLiteral("sous"))));
        QCOMPARE(QFileInfo::exists(user), settings.startsWith(QLatin1Char('~')));
    }

    // The windows name their files relative to the program folder; the settings files among them
    // land in the settings folder the shell was given.
    void shellPaths_data()
    {
        QTest::addColumn<QString>("settingsDir"); // empty: the shell's default
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default settings") << QString() << "sous/cx.dll"
                                          << "/opt/share/cifan/sous/cx.dll";
        QTest::newRow("per-user settings") << "/home/u/.local/share/cifan/sous"
                                           << "sous/xxclr.dll"
                                           << "/home/u/.local/share/cifan/sous/xxclr.dll";
        QTest::newRow("pictures stay") << "/home/u/.local/share/cifan/sous"
                                       << "pic/xuexi.gif"
                                       << "/opt/share/cifan/pic/xuexi.gif";
        QTest::newRow("help file stays") << "/home/u/.local/share/cifan/sous"
                                         << "帮助.chm"
                                         << "/opt/share/cifan/帮助.chm";
    }
    void shellPaths()
    {
        QFETCH(QString, settingsDir);
        QFETCH(QString, relative);
        QFETCH(QString, expected);
        ScriptedInteraction ui;
        shell::Shell shell(QStringLiteral("/opt/share/cifan"), ui, [](int) {});
        if (!settingsDir.isEmpty())
            shell.setSettingsDir(settingsDir);
        QCOMPARE(shell.programPath(relative), expected);
    }
};

QTEST_GUILESS_MAIN(ProgramPathsTest)
#include "tst_programpaths.moc"
