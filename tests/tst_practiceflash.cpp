// The flash drill's cycle and speed file, the speed dialog's checks, and the lines of the
// Japanese-to-Chinese answer panel: rules without widgets.
#include "lexicon/lexicon.h"
#include "practice/answerpanel.h"
#include "practice/flashcycle.h"
#include "practice/flashspeed.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using practice::FlashSpeed;
using practice::FlashStage;

namespace {

// One letter per tick: N new word, R reveal, P pause ("next"), . nothing changes.
QString stagesFor(qint16 &tick, const FlashSpeed &speed, int ticks)
{
    QString out;
    for (int i = 0; i < ticks; ++i) {
        switch (practice::advanceFlash(tick, speed)) {
        case FlashStage::NewWord:
            out += u'N';
            break;
        case FlashStage::Reveal:
            out += u'R';
            break;
        case FlashStage::Pause:
            out += u'P';
            break;
        case FlashStage::Unchanged:
            out += u'.';
            break;
        }
    }
    return out;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

class PracticeFlashTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cycle_data()
    {
        QTest::addColumn<int>("question");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("stages");
        // Two full cycles from a freshly loaded window (counter 0).
        QTest::addRow("defaults 3/2: a word every 6 s") << 3 << 2 << "N..R.PN..R.P";
        QTest::addRow("8/1: a word every 10 s") << 8 << 1 << "N.......RPN.......RP";
        QTest::addRow("1/1: the shortest cycle") << 1 << 1 << "NRPNRP";
        QTest::addRow("8/8") << 8 << 8 << "N.......R.......PN.......R.......P";
    }
    void cycle()
    {
        QFETCH(int, question);
        QFETCH(int, answer);
        QFETCH(QString, stages);
        qint16 tick = 0;
        QCOMPARE(stagesFor(tick, FlashSpeed{question, answer}, int(stages.size())), stages);
        QCOMPARE(tick, qint16(0)); // each cycle ends with the counter back at 0
    }

    void stopAndResumeMidStage()
    {
        // Stopping keeps the counter: three ticks into the answer stage of 3/2 ...
        qint16 tick = 0;
        const FlashSpeed speed;
        QCOMPARE(stagesFor(tick, speed, 4), QStringLiteral("N..R"));
        QCOMPARE(tick, qint16(4));
        // ... and after any pause the answer stage goes on for its remaining second, then "next".
        QCOMPARE(stagesFor(tick, speed, 3), QStringLiteral(".PN"));
    }

    void speedChangedMidCycle_data()
    {
        QTest::addColumn<int>("ticksBefore");
        QTest::addColumn<int>("newQuestion");
        QTest::addColumn<int>("newAnswer");
        QTest::addColumn<QString>("stagesAfter");
        // Started at 8/1; the file is changed while the word is on screen.
        QTest::addRow("shortened past the pause: pause at once") << 6 << 2 << 1 << "PN.RP";
        QTest::addRow("shortened before the reveal") << 1 << 3 << 2 << "..R.PN";
        QTest::addRow("lengthened in the question stage") << 2 << 8 << 8 << "......R";
    }
    void speedChangedMidCycle()
    {
        QFETCH(int, ticksBefore);
        QFETCH(int, newQuestion);
        QFETCH(int, newAnswer);
        QFETCH(QString, stagesAfter);
        qint16 tick = 0;
        stagesFor(tick, FlashSpeed{8, 1}, ticksBefore);
        QCOMPARE(stagesFor(tick, FlashSpeed{newQuestion, newAnswer}, int(stagesAfter.size())), stagesAfter);
    }

    void speedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("question");
        QTest::addColumn<int>("answer");
        QTest::addRow("as written: 8,1") << QByteArray("8,1\r\n") << 8 << 1;
        QTest::addRow("fraction rounds half to even down") << QByteArray("2.5,2\r\n") << 2 << 2;
        QTest::addRow("fraction rounds half to even up") << QByteArray("3.5,1.5\r\n") << 4 << 2;
        QTest::addRow("8.5 reads as 8") << QByteArray("8.5,1\r\n") << 8 << 1;
        QTest::addRow("empty file") << QByteArray() << 3 << 2;
        QTest::addRow("one value") << QByteArray("5\r\n") << 5 << 2;
        QTest::addRow("zero answer") << QByteArray("4,0\r\n") << 4 << 2;
        QTest::addRow("0.4 reads as 0") << QByteArray("0.4,1\r\n") << 3 << 1;
        QTest::addRow("negative") << QByteArray("-2,-1\r\n") << 3 << 2;
        QTest::addRow("above 8") << QByteArray("9,12\r\n") << 3 << 2;
        QTest::addRow("8.6 reads as 9") << QByteArray("1,8.6\r\n") << 1 << 2;
        QTest::addRow("not numbers") << QByteArray("fast,slow\r\n") << 3 << 2;
        QTest::addRow("quoted numbers are texts") << QByteArray("\"6\",\"7\"\r\n") << 3 << 2;
        QTest::addRow("huge") << QByteArray("1e400,99999999999999999999\r\n") << 3 << 2;
        QTest::addRow("only the first line counts") << QByteArray("\r\n7,7\r\n") << 3 << 2;
        QTest::addRow("binary garbage") << QByteArray("\x00\xff\xfe,\x01", 5) << 3 << 2;
    }
    void speedFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, question);
        QFETCH(int, answer);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("gap.dll"));
        writeBytes(path, bytes);
        QCOMPARE(practice::readFlashSpeed(path), (FlashSpeed{question, answer}));
    }

    void missingSpeedFileGivesDefaults()
    {
        QTemporaryDir dir;
        QCOMPARE(practice::readFlashSpeed(dir.filePath(QStringLiteral("gap.dll"))), FlashSpeed{});
        QCOMPARE(FlashSpeed{}.cycleSeconds(), 6);
    }

    void typedSeconds_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("written");
        QTest::addRow("8") << false << "8" << 8.0 << true << "8";
        QTest::addRow("0") << false << "0" << 0.0 << false << "0";
        QTest::addRow("9") << false << "9" << 9.0 << false << "9";
        QTest::addRow("2.5 written as typed") << false << "2.5" << 2.5 << true << "2.5";
        QTest::addRow("2.50 written as its value") << false << "2.50" << 2.5 << true << "2.5";
        QTest::addRow("text after the number") << false << "4秒" << 4.0 << true << "4";
        QTest::addRow("empty") << false << "" << 0.0 << false << "0";
        QTest::addRow("cancelled") << true << "" << 0.0 << false << "0";
        QTest::addRow("negative") << false << "-3" << -3.0 << false << "-3";
        QTest::addRow("8.5 reads back as 8") << false << "8.5" << 8.5 << true << "8.5";
        QTest::addRow("8.7 would read back as 9") << false << "8.7" << 8.7 << false << "8.7";
        QTest::addRow("0.5 would read back as 0") << false << "0.5" << 0.5 << false << "0.5";
        QTest::addRow("0.6 reads back as 1") << false << "0.6" << 0.6 << true << "0.6";
        QTest::addRow("exponent") << false << "1e1" << 10.0 << false << "10";
    }
    void typedSeconds()
    {
        QFETCH(bool, cancelled);
        QFETCH(QString, typed);
        QFETCH(double, value);
        QFETCH(bool, accepted);
        QFETCH(QString, written);
        const auto seconds = practice::typedSeconds(cancelled ? std::nullopt : std::optional<QString>(typed));
        QCOMPARE(seconds, value);
        QCOMPARE(practice::acceptableSeconds(seconds), accepted);
        QCOMPARE(practice::formatSeconds(seconds), written);
    }

    void writtenFileReadsBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("gap.dll"));
        QVERIFY(practice::writeFlashSpeed(path, 8, 1));
        QCOMPARE(readBytes(path), QByteArray("8,1\r\n"));
        QVERIFY(practice::writeFlashSpeed(path, 2.5, 2));
        QCOMPARE(readBytes(path), QByteArray("2.5,2\r\n")); // replaced, not appended to
        QCOMPARE(practice::readFlashSpeed(path), (FlashSpeed{2, 2}));
    }

    void answerPanel_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("kanjiLine");
        QTest::addRow("real kanji printed unchanged") << 1 << "私";
        QTest::addRow("空缺 printed as dashes") << 5 << "-----";
        QTest::addRow("片假名 printed as dashes") << 94 << "-----";
        QTest::addRow("another real kanji") << 2 << "会社員";
    }
    void answerPanel()
    {
        QFETCH(int, index);
        QFETCH(QString, kanjiLine);
        ciku::fillLexicon();
        const ciku::WordEntry &w = *ciku::lexicon().entry(index);
        auto row = [](const char *label, const QString &value) {
            return ui::TextRow{ui::PlacedText{1, QString::fromUtf8(label)}, ui::PlacedText{20, value}};
        };
        const QList<ui::TextRow> expected = {
            row("日语", w.kana.toString()),         {}, row("当用汉字", kanjiLine),       {},
            row("汉语", w.chinese.toString()),      {}, row("音调", w.accent.toString()), {},
            row("词性", w.partOfSpeech.toString()),
        };
        QCOMPARE(practice::answerPanelRows(w), expected);
    }
};

QTEST_GUILESS_MAIN(PracticeFlashTest)
#include "tst_practiceflash.moc"
