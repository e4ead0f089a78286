// Where a copy of the program finds its pictures and help file, and where the settings go: a
// build tree or portable copy keeps its own sous/, an installed tree uses the user's data folder.
#include "ui/programpaths.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>

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
    // What saves ended by a kill left in the settings folder is gone after the next start.
    void startRemovesWhatKilledSavesLeft()
    {
        QTemporaryDir root;
        const QDir dir(root.path());
        QVERIFY(dir.mkpath(QStringLiteral("app/pic")) && dir.mkpath(QStringLiteral("app/sous")));
        const QStringList names = {QStringLiteral("pome.dll"), QStringLiteral(".pome.dll.k6utgw.tmp"),
                                   QStringLiteral(".gap.dll.3f.tmp"), QStringLiteral("readme.txt")};
        for (const QString &name : names)
            QVERIFY(QFile(dir.filePath(QStringLiteral("app/sous/") + name)).open(QIODevice::WriteOnly));
        const ui::ProgramFolders folders = ui::locateProgramFolders(dir.filePath(QStringLiteral("app")),
                                                                    dir.filePath(QStringLiteral("data")));
        QCOMPARE(QDir(folders.settings).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList{QStringLiteral("pome.dll"), QStringLiteral("readme.txt")}));
    }

    // A sous/ that cannot be written (a read-only mount here, since the tests may run as root):
    // settings go to the user's folder, and that sous/ is kept to read from.
    void aReadOnlySousIsKeptForReading()
    {
        QTemporaryDir root;
        const QDir dir(root.path());
        QVERIFY(dir.mkpath(QStringLiteral("app/pic")) && dir.mkpath(QStringLiteral("app/sous")));
        const QByteArray sous = QFile::encodeName(dir.filePath(QStringLiteral("app/sous")));
        if (::mount("tmpfs", sous.constData(), "tmpfs", MS_RDONLY, "size=16k") != 0)
            QSKIP("cannot mount a read-only file system here; Shell::settingsFileToRead is tested with "
                  "the practice window");
        const auto unmount = qScopeGuard([&] { ::umount2(sous.constData(), MNT_DETACH); });
        const ui::ProgramFolders folders = ui::locateProgramFolders(dir.filePath(QStringLiteral("app")),
                                                                    dir.filePath(QStringLiteral("data")));
        QCOMPARE(folders.settings, dir.filePath(QStringLiteral("data/sous")));
        QCOMPARE(folders.readOnlySettings, dir.filePath(QStringLiteral("app/sous")));
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
        // Only a read-only sous/ is read through; a file named sous is nothing to read.
        QVERIFY(folders.readOnlySettings.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ProgramPathsTest)
#include "tst_programpaths.moc"
