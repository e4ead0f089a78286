// The one-line settings files: exact bytes written, field-by-field reading, and defaults for
// missing, empty or garbled files.
#include "ui/pitchcontour.h"
#include "ui/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using ui::SettingsLine;
using ui::SettingsValue;

class SettingsFileTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const char *name) const { return QDir(m_dir.path()).filePath(QString::fromLatin1(name)); }
    QByteArray bytes(const QString &p) const
    {
        QFile f(p);
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        return f.readAll();
    }
    void put(const QString &p, const QByteArray &content)
    {
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

private Q_SLOTS:
    void writesNumbersBareAndTextsQuotedWithCrLf()
    {
        const QString p = path("a.dll");
        QVERIFY(ui::writeSettingsFile(p, {SettingsValue(2LL)}));
        QCOMPARE(bytes(p), QByteArray("2\r\n"));
        QVERIFY(ui::writeSettingsFile(p, {SettingsValue(1LL), SettingsValue(1LL), SettingsValue(2LL)}));
        QCOMPARE(bytes(p), QByteArray("1,1,2\r\n"));
        QVERIFY(ui::writeSettingsFile(
            p, {SettingsValue(QStringLiteral("好好学习")), SettingsValue(QStringLiteral("天天向上"))}));
        QCOMPARE(bytes(p), QStringLiteral("\"好好学习\",\"天天向上\"\r\n").toUtf8());
        QVERIFY(ui::writeSettingsFile(
            p, {SettingsValue(8388608LL), SettingsValue(QStringLiteral("Century Gothic"))}));
        QCOMPARE(bytes(p), QByteArray("8388608,\"Century Gothic\"\r\n"));
    }

    void writingReplacesTheWholeFile()
    {
        const QString p = path("b.dll");
        put(p, "9,9,9,9,9,9,9,9\r\nsecond line\r\n");
        QVERIFY(ui::writeSettingsFile(p, {SettingsValue(1LL)}));
        QCOMPARE(bytes(p), QByteArray("1\r\n"));
    }

    void roundTrip()
    {
        const QString p = path("c.dll");
        QVERIFY(ui::writeSettingsFile(p, {SettingsValue(-3LL), SettingsValue(QStringLiteral("a, b")),
                                          SettingsValue(QString()), SettingsValue(65535LL)}));
        const SettingsLine line = SettingsLine::read(p);
        QCOMPARE(line.fieldCount(), 4);
        QCOMPARE(line.number(0), std::optional<long long>(-3));
        QCOMPARE(line.text(1), std::optional<QString>(QStringLiteral("a, b")));
        QCOMPARE(line.text(2), std::optional<QString>(QString()));
        QCOMPARE(line.number(3), std::optional<long long>(65535));
        QVERIFY(!line.number(4));
        QVERIFY(!line.text(4));
    }

    void aQuoteInsideATextKeepsTheFileReadable()
    {
        const QString p = path("d.dll");
        QVERIFY(ui::writeSettingsFile(
            p, {SettingsValue(QStringLiteral("他说\"加油\"")), SettingsValue(QStringLiteral("第二行"))}));
        const SettingsLine line = SettingsLine::read(p);
        QCOMPARE(line.fieldCount(), 2);
        QCOMPARE(*line.text(0), QStringLiteral("他说＂加油＂"));
        QCOMPARE(*line.text(1), QStringLiteral("第二行"));
    }

    void lineBreaksInsideATextDoNotSplitTheFile()
    {
        const QString p = path("e.dll");
        QVERIFY(ui::writeSettingsFile(p, {SettingsValue(QStringLiteral("一\r\n二"))}));
        QCOMPARE(bytes(p), QStringLiteral("\"一二\"\r\n").toUtf8());
    }

    void missingEmptyAndGarbledFilesGiveNoValues()
    {
        QVERIFY(SettingsLine::read(path("missing.dll")).isEmpty());
        QVERIFY(!SettingsLine::read(path("missing.dll")).number(0));

        put(path("empty.dll"), "");
        QVERIFY(!SettingsLine::read(path("empty.dll")).number(0));
        QVERIFY(!SettingsLine::read(path("empty.dll")).text(0));

        // Neither UTF-8 nor GB18030: not a file of ours, so no fields at all.
        put(path("garbled.dll"), "\xff\xfe garbage, \"unterminated");
        const SettingsLine g = SettingsLine::read(path("garbled.dll"));
        QVERIFY(!g.number(0));
        QVERIFY(g.isEmpty());
        put(path("unterminated.dll"), "garbage, \"unterminated");
        QCOMPARE(SettingsLine::read(path("unterminated.dll")).fieldCount(), 2);

        put(path("word.dll"), "abc\r\n");
        QVERIFY(!SettingsLine::read(path("word.dll")).number(0));
    }

    void numbersAreReadByTheirLeadingValue()
    {
        QCOMPARE(SettingsLine::parse(QStringLiteral("2")).number(0), std::optional<long long>(2));
        QCOMPARE(SettingsLine::parse(QStringLiteral(" 2 ,3")).number(1), std::optional<long long>(3));
        QCOMPARE(SettingsLine::parse(QStringLiteral("12abc")).number(0), std::optional<long long>(12));
        QVERIFY(!SettingsLine::parse(QStringLiteral("\"x\"")).number(0));
        QCOMPARE(SettingsLine::parse(QStringLiteral("1,")).fieldCount(), 2);
    }

    void aByteOrderMarkIsNotPartOfTheFirstField()
    {
        put(path("bom.dll"), "\xEF\xBB\xBF"
                             "2,\"x\"\r\n");
        const SettingsLine line = SettingsLine::read(path("bom.dll"));
        QCOMPARE(line.number(0), std::optional<long long>(2));
        QCOMPARE(line.text(1), std::optional<QString>(QStringLiteral("x")));
        put(path("bomtext.dll"), "\xEF\xBB\xBF\"一\",3\r\n");
        QCOMPARE(SettingsLine::read(path("bomtext.dll")).text(0),
                 std::optional<QString>(QStringLiteral("一")));
    }

    void onlyTheFirstLineCounts()
    {
        put(path("two.dll"), "1\r\n2\r\n");
        QCOMPARE(SettingsLine::read(path("two.dll")).fieldCount(), 1);
    }

    // --- a save that fails keeps the old file ---

    // The contour switch: exactly the number 1 turns it on; anything else, or no file, is off.
    void pitchContourSwitch_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("shown");
        QTest::newRow("one") << QByteArray("1\r\n") << true;
        QTest::newRow("one without line end") << QByteArray("1") << true;
        QTest::newRow("zero") << QByteArray("0\r\n") << false;
        QTest::newRow("two") << QByteArray("2\r\n") << false;
        QTest::newRow("quoted one") << QByteArray("\"1\"\r\n") << false;
        QTest::newRow("one and more") << QByteArray("1,1\r\n") << false;
        QTest::newRow("one with letters") << QByteArray("1abc\r\n") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("not text") << QByteArray("\xff\xfe\x00\x01") << false;
    }

    void pitchContourSwitch()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, shown);
        const QString p = path("yindiao.dll");
        put(p, content);
        QCOMPARE(ui::readPitchContourShown(p), shown);
        QVERIFY(QFile::remove(p));
        QVERIFY(!ui::readPitchContourShown(p));
        QVERIFY(ui::writePitchContourShown(p, true));
        QCOMPARE(bytes(p), QByteArray("1\r\n"));
        QVERIFY(ui::readPitchContourShown(p));
        QVERIFY(ui::writePitchContourShown(p, false));
        QCOMPARE(bytes(p), QByteArray("0\r\n"));
    }

    void aFailedStepKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("step");
        QTest::newRow("write") << int(ui::SaveStep::Write);
        QTest::newRow("flush") << int(ui::SaveStep::Flush);
        QTest::newRow("commit") << int(ui::SaveStep::Commit);
    }
    void aFailedStepKeepsTheOldFile()
    {
        QFETCH(int, step);
        QTemporaryDir dir;
        const QString p = dir.filePath(QStringLiteral("pome.dll"));
        put(p, "\"old\",\"pair\"\r\n");
        ui::failSaveStepForTesting(static_cast<ui::SaveStep>(step));
        const bool saved = ui::writeSettingsFile(p, {SettingsValue(QStringLiteral("new"))});
        ui::failSaveStepForTesting(std::nullopt);
        QVERIFY(!saved);
        QCOMPARE(bytes(p), QByteArray("\"old\",\"pair\"\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("pome.dll")});
    }

    void aFullDiskKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QByteArray mountPoint = QFile::encodeName(dir.path());
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=16k") != 0)
            QSKIP(qPrintable(QStringLiteral("cannot mount a small tmpfs here (%1); the injected failures "
                                            "above cover the same steps")
                                 .arg(QString::fromLocal8Bit(std::strerror(errno)))));
        const auto unmount = qScopeGuard([&] { ::umount2(mountPoint.constData(), MNT_DETACH); });
        const QString p = dir.filePath(QStringLiteral("xx.dll"));
        put(p, "2\r\n");
        // Fill the rest of the disk.
        {
            QFile filler(dir.filePath(QStringLiteral("filler")));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            const QByteArray block(4096, 'x');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
        QVERIFY(!ui::writeSettingsFile(p, {SettingsValue(1LL)}));
        QCOMPARE(bytes(p), QByteArray("2\r\n"));
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("filler"))));
        QVERIFY(ui::writeSettingsFile(p, {SettingsValue(1LL)}));
        QCOMPARE(bytes(p), QByteArray("1\r\n"));
    }

    // --- only regular files are read ---

    void onlyRegularFilesAreRead()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("fifo.dll"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!SettingsLine::load(fifo)); // returns at once instead of waiting for a writer
        QVERIFY(!SettingsLine::loadValues(fifo));
        QVERIFY(!SettingsLine::load(dir.path()));
        const QString device = dir.filePath(QStringLiteral("zero.dll"));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), device));
        QVERIFY(!SettingsLine::load(device));
        const QString link = dir.filePath(QStringLiteral("link.dll"));
        put(dir.filePath(QStringLiteral("target")), "2\r\n");
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("target")), link));
        QCOMPARE(SettingsLine::read(link).number(0), std::optional<long long>(2));
        // A first line longer than any settings file holds is not one of ours.
        const QString huge = dir.filePath(QStringLiteral("huge.dll"));
        put(huge, QByteArray(ui::kMaxSettingsFileBytes + 10, '7'));
        QVERIFY(!SettingsLine::load(huge));
        put(huge, "3\r\n" + QByteArray(ui::kMaxSettingsFileBytes + 10, '7'));
        QCOMPARE(SettingsLine::read(huge).number(0), std::optional<long long>(3));
    }

    void aMissingFolderFailsAndWritesNothing()
    {
        const QString p = QDir(m_dir.path()).filePath(QStringLiteral("nosuchdir/x.dll"));
        QVERIFY(!ui::writeSettingsFile(p, {SettingsValue(1LL)}));
        QVERIFY(!QFile::exists(p));
    }
};

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
