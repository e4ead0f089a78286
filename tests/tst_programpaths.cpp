// Where a copy of the program finds its pictures and help file, and where the settings go: a
// build tree or portable copy keeps its own sous/, an installed tree uses the user's data folder.
#include "ui/programpaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using ui::SettingsPlace;

class ProgramPathsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Read-only folders cannot be made for a test run as root, so the rule is checked as such.
    void settingsPlace_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("sousExists");
        QTest::addColumn<bool>("sousWritable");
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<int>("expected");
        const int own = int(SettingsPlace::ProgramFolder), create = int(SettingsPlace::CreateInProgramFolder),
                  user = int(SettingsPlace::UserFolder);
        QTest::newRow("build tree") << false << true << true << true << own;
        QTest::newRow("read-only sous") << false << true << false << true << user;
        QTest::newRow("portable, no sous yet") << false << false << false << true << create;
        QTest::newRow("read-only medium") << false << false << false << false << user;
        QTest::newRow("installed, root may write") << true << false << false << true << user;
        QTest::newRow("installed with writable sous") << true << true << true << false << own;
    }
    void settingsPlace()
    {
        QFETCH(bool, installed);
        QFETCH(bool, sousExists);
        QFETCH(bool, sousWritable);
        QFETCH(bool, folderWritable);
        QFETCH(int, expected);
        QCOMPARE(int(ui::settingsPlaceFor(installed, sousExists, sousWritable, folderWritable)), expected);
    }

    // A tree (folders end in "/"), the executable's folder in it, and the folders it must get
    // ("~" is the user's data folder).
    void locate_data()
    {
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("exeDir");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("settings");
        QTest::newRow("build tree") << QStringList{"app/pic/", "app/sous/"} << "app"
                                    << "app"
                                    << "app/sous";
        QTest::newRow("portable, no sous") << QStringList{"app/pic/"} << "app"
                                           << "app"
                                           << "app/sous";
        QTest::newRow("installed") << QStringList{"usr/bin/", "usr/share/cifan/pic/"} << "usr/bin"
                                   << "usr/share/cifan"
                                   << "~/sous";
        QTest::newRow("sous is a file") << QStringList{"app/pic/", "app/sous"} << "app"
                                        << "app"
                                        << "~/sous";
    }
    void locate()
    {
        QFETCH(QStringList, tree);
        QFETCH(QString, exeDir);
        QFETCH(QString, program);
        QFETCH(QString, settings);
        QTemporaryDir root;
        const QDir dir(root.path());
        for (const QString &entry : tree)
            QVERIFY(entry.endsWith(u'/') ? dir.mkpath(entry)
                                         : QFile(dir.filePath(entry)).open(QIODevice::WriteOnly));
        const QString user = dir.filePath(QStringLiteral("data/cifan"));
        const bool perUser = settings.startsWith(u'~');

        const ui::ProgramFolders folders = ui::locateProgramFolders(dir.filePath(exeDir), user);
        QCOMPARE(folders.program, dir.filePath(program));
        QCOMPARE(folders.settings, perUser ? user + settings.mid(1) : dir.filePath(settings));
        // Ready for the first save; nothing is added to an installed tree.
        QVERIFY(QFileInfo(folders.settings).isDir());
        QCOMPARE(QFileInfo::exists(user), perUser);
        if (folders.installed)
            QVERIFY(!QFileInfo::exists(dir.filePath(program + QStringLiteral("/sous"))));
    }
};

QTEST_GUILESS_MAIN(ProgramPathsTest)
#include "tst_programpaths.moc"
