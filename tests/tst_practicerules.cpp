// The practice rules without a window: the draw step in order and at random, the exact answer
// check, the hint and score texts, the saved practice settings, the flash drill's cycle and speed
// file with the speed dialog's checks, and the Japanese-to-Chinese answer panel.
#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"
#include "practice/answerpanel.h"
#include "practice/flashcycle.h"
#include "practice/flashspeed.h"
#include "practice/practicerules.h"
#include "practice/practicesettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using ciku::WordRange;
using namespace practice;

namespace {

QString writeFile(const QTemporaryDir &dir, const QByteArray &bytes)
{
    const QString path = dir.filePath(QStringLiteral("file.dll"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The saved choices as the file writes them: "221" is random, Japanese-to-Chinese, learn.
QString codeOf(const settings::SavedPractice &s)
{
    return QString::number(s.order == Order::Random ? 2 : 1) +
           QString::number(s.direction == Direction::JapaneseToChinese ? 2 : 1) +
           QString::number(s.display == DisplayMode::Learn ? 1 : 2);
}

} // namespace

class PracticeRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Draws in order from cursor: the indexes taken, "*" marking the last word of the range (the
    // end-of-range message comes before it is shown).
    void sequentialDraws_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("draws");
        QTest::addRow("one word: every draw is the last") << 1607 << 1607 << 1607 << "1607* 1607* 1607*";
        QTest::addRow("three words wrap") << 1607 << 1609 << 1607 << "1607 1608 1609* 1607 1608";
        QTest::addRow("from the middle") << 105 << 133 << 132 << "132 133* 105";
        QTest::addRow("cursor below the range") << 232 << 348 << 0 << "232 233";
        QTest::addRow("cursor past the range") << 1 << 3 << 104 << "1 2 3* 1";
    }
    void sequentialDraws()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, cursor);
        QFETCH(QString, draws);
        QStringList taken;
        for (qsizetype i = draws.count(u' '); i >= 0; --i) {
            const SequentialStep step = sequentialStep(cursor, WordRange{qint16(first), qint16(last)});
            taken << QString::number(step.index) + (step.endOfRange ? QStringLiteral("*") : QString());
            cursor = step.nextCursor;
        }
        QCOMPARE(taken.join(u' '), draws);
    }

    // Every range the dialog offers, and one word: any value gives a word of the range; the
    // middle of the k-th of n equal parts of [0, 1) gives the k-th word; the largest value below
    // 1, in double and in single precision (where the old formula went one past the end), the last.
    void randomDraws_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        for (const QString &option : ciku::practiceOptionOrder()) {
            const auto range = ciku::practiceRangeFor(option);
            QTest::newRow(qPrintable(option)) << int(range->first) << int(range->last);
        }
        QTest::newRow("one word") << 1607 << 1607;
    }
    void randomDraws()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        const WordRange range{qint16(first), qint16(last)};
        const int n = range.size();
        for (int k = 0; k < n; ++k)
            QCOMPARE(randomIndex((k + 0.5) / n, range), first + k);
        QCOMPARE(randomIndex(0.0, range), first);
        QCOMPARE(randomIndex(std::nextafter(1.0, 0.0), range), last);
        QCOMPARE(randomIndex(double(std::nextafter(1.0f, 0.0f)), range), last);
        for (double r : {1.0, 2.5, -0.25, std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::infinity(), 1e-300}) {
            const int index = randomIndex(r, range);
            QVERIFY2(index >= first && index <= last, qPrintable(QString::number(r)));
        }
    }

    // Code unit by code unit: no trimming, no folding of kana kind or width.
    void exactAnswer_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kana");
        QTest::addColumn<bool>("right");
        const struct {
            const char *name, *typed, *kana;
            bool right;
        } rows[] = {
            {"same", "わたし", "わたし", true},
            {"blank before", " わたし", "わたし", false},
            {"blank after", "わたし ", "わたし", false},
            {"full-width blank after", "わたし　", "わたし", false},
            {"katakana for hiragana", "ワタシ", "わたし", false},
            {"hiragana for katakana", "あめりか", "アメリカ", false},
            {"half-width katakana", "ｱﾒﾘｶ", "アメリカ", false},
            {"test word", "11", "11", true},
            {"empty answer", "", "わたし", false},
            {"empty word, empty answer", "", "", true},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << QString::fromUtf8(r.typed) << QString::fromUtf8(r.kana) << r.right;
    }
    void exactAnswer()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kana);
        QFETCH(bool, right);
        QCOMPARE(isRightAnswer(typed, kana), right);
    }

    // Counters go on past 16 bits and stop at the largest value instead of wrapping negative.
    void countersNeverWrap()
    {
        QCOMPARE(countUp(32767), 32768);
        QCOMPARE(countUp(std::numeric_limits<int>::max()), std::numeric_limits<int>::max());
        QCOMPARE(scoreCaption(false, 32768, 32768, 40000),
                 QStringLiteral("单词练习---（一共练习32768个词，打对了32768个，打错了40000个）"));
    }

    // sys.dll as found on disk: what the window selects at load; what it does not know gives the
    // group's default.
    void readSavedPractice_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("selected");
        QTest::addRow("2,2,1") << QByteArray("2,2,1\r\n") << "221";
        QTest::addRow("one value a line") << QByteArray("2\r\n2\r\n1\r\n") << "221";
        QTest::addRow("unknown values") << QByteArray("3,0,-1\r\n") << "112";
        QTest::addRow("two values") << QByteArray("2,2\r\n") << "222";
        QTest::addRow("not numbers") << QByteArray("abc,def,\r\n") << "112";
        QTest::addRow("empty file") << QByteArray() << "112";
        QTest::addRow("no line end") << QByteArray("1,2,1") << "121";
        // A quoted number is a text, as in every settings file.
        QTest::addRow("quoted numbers") << QByteArray("\"2\",\"2\",\"1\"\r\n") << "112";
        QTest::addRow("full-width digits") << QStringLiteral("２,２,１\r\n").toUtf8() << "112";
        QTest::addRow("fraction") << QByteArray("2.9,2.1,1.5\r\n") << "221";
    }
    void readSavedPractice()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, selected);
        QTemporaryDir dir;
        const auto read = settings::readSavedPractice(writeFile(dir, bytes));
        QVERIFY(read);
        QCOMPARE(codeOf(*read), selected);
    }

    // No file, or a folder of that name, keeps the window's defaults. Every choice is written as
    // its one line with CR LF, replacing what was there, and read back.
    void savedPracticeFile()
    {
        QTemporaryDir dir;
        QVERIFY(!settings::readSavedPractice(dir.filePath(QStringLiteral("sys.dll"))));
        QVERIFY(!settings::readSavedPractice(dir.path()));
        // Bytes that are neither UTF-8 nor GB18030 are no settings file of ours either.
        QVERIFY(!settings::readSavedPractice(writeFile(dir, QByteArray("\xff\xfe\x00\x01,x2", 7))));
        // Nor are bytes whose last character is cut off.
        QVERIFY(!settings::readSavedPractice(writeFile(dir, QByteArray("2,2,1\xe9"))));
        const QString path = writeFile(dir, "2,2,1,and a much longer line that an older version left\r\n");
        for (int c = 0; c < 8; ++c) {
            const int o = c / 4 + 1, d = c / 2 % 2 + 1, m = c % 2 + 1;
            QVERIFY(settings::writeSavedPractice(path, settings::savedPracticeFrom(o, d, m)));
            QCOMPARE(readFile(path), QStringLiteral("%1,%2,%3\r\n").arg(o).arg(d).arg(m).toLatin1());
            QCOMPARE(codeOf(*settings::readSavedPractice(path)),
                     QStringLiteral("%1%2%3").arg(o).arg(d).arg(m));
        }
    }

    // The flash clock, one letter per tick: N new word, R reveal, P pause ("next"), . nothing.
    // Runs of "question,answer:letters" from a fresh counter; the speed file is read at every
    // tick, so a later run goes on with the counter where it stood.
    void flashCycle_data()
    {
        QTest::addColumn<QString>("runs");
        QTest::addRow("defaults: a word every 6 s") << "3,2:N..R.PN..R.P";
        QTest::addRow("8/1: a word every 10 s") << "8,1:N.......RPN.......RP";
        QTest::addRow("1/1: the shortest cycle") << "1,1:NRPNRP";
        QTest::addRow("shortened past the pause: pause at once") << "8,1:N..... 2,1:PN.RP";
        QTest::addRow("shortened before the reveal") << "8,1:N 3,2:..R.PN";
        QTest::addRow("lengthened in the question stage") << "8,1:N. 8,8:......R";
    }
    void flashCycle()
    {
        QFETCH(QString, runs);
        qint16 tick = 0;
        QStringList got;
        for (const QString &run : runs.split(u' ')) {
            const QString seconds = run.section(u':', 0, 0);
            const FlashSpeed speed{seconds.section(u',', 0, 0).toInt(), seconds.section(u',', 1).toInt()};
            QString letters = seconds + u':';
            for (qsizetype i = run.section(u':', 1).size(); i > 0; --i) {
                const FlashStage s = advanceFlash(tick, speed);
                letters += s == FlashStage::NewWord  ? u'N'
                           : s == FlashStage::Reveal ? u'R'
                           : s == FlashStage::Pause  ? u'P'
                                                     : u'.';
                if (s == FlashStage::Pause)
                    QCOMPARE(tick, qint16(0)); // the next cycle starts from 0
            }
            got << letters;
        }
        QCOMPARE(got.join(u' '), runs);
    }

    // gap.dll as found on disk, read as whole numbers (halves to the even one); what is not a
    // second count from 1 to 8 gives the default (3 for the question, 2 for the answer).
    void readFlashSpeed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("question");
        QTest::addColumn<int>("answer");
        QTest::addRow("as written: 8,1") << QByteArray("8,1\r\n") << 8 << 1;
        QTest::addRow("halves to even, down") << QByteArray("2.5,2\r\n") << 2 << 2;
        QTest::addRow("halves to even, up") << QByteArray("3.5,1.5\r\n") << 4 << 2;
        QTest::addRow("8.5 reads as 8") << QByteArray("8.5,1\r\n") << 8 << 1;
        QTest::addRow("8.6 reads as 9") << QByteArray("1,8.6\r\n") << 1 << 2;
        QTest::addRow("0.4 reads as 0") << QByteArray("0.4,1\r\n") << 3 << 1;
        QTest::addRow("empty file") << QByteArray() << 3 << 2;
        QTest::addRow("one value") << QByteArray("5\r\n") << 5 << 2;
        QTest::addRow("zero answer") << QByteArray("4,0\r\n") << 4 << 2;
        QTest::addRow("above 8") << QByteArray("9,12\r\n") << 3 << 2;
        QTest::addRow("not numbers") << QByteArray("fast,slow\r\n") << 3 << 2;
        QTest::addRow("quoted numbers are texts") << QByteArray("\"6\",\"7\"\r\n") << 3 << 2;
        // One rule for bare numbers in every settings file: the leading ASCII digits (with a
        // fraction here); an exponent is not part of it, full-width digits and inner blanks
        // are no number.
        QTest::addRow("huge") << QByteArray("1e400,99999999999999999999\r\n") << 1 << 2;
        QTest::addRow("full-width digits") << QStringLiteral("５,４\r\n").toUtf8() << 3 << 2;
        QTest::addRow("blank inside a number") << QByteArray("1 0,2\r\n") << 1 << 2;
        QTest::addRow("character cut at the line end") << QByteArray("5,4\xe9\r\n") << 3 << 2;
        QTest::addRow("character cut at the file end") << QByteArray("5,4\xe9") << 3 << 2;
        QTest::addRow("only the first line counts") << QByteArray("\r\n7,7\r\n") << 3 << 2;
        QTest::addRow("binary garbage") << QByteArray("\x00\xff\xfe,\x01", 5) << 3 << 2;
    }
    void readFlashSpeed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, question);
        QFETCH(int, answer);
        QTemporaryDir dir;
        QCOMPARE(practice::readFlashSpeed(writeFile(dir, bytes)), (FlashSpeed{question, answer}));
    }

    // A speed dialog box: whether the value typed (0 for empty or cancelled) is taken (more than
    // 0, less than 9, and still so once the file has rounded it), and how it is written.
    void typedSeconds_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("written");
        QTest::addRow("8") << false << "8" << true << "8";
        QTest::addRow("0") << false << "0" << false << "0";
        QTest::addRow("9") << false << "9" << false << "9";
        QTest::addRow("2.5 written as typed") << false << "2.5" << true << "2.5";
        QTest::addRow("2.50 written as its value") << false << "2.50" << true << "2.5";
        QTest::addRow("text after the number") << false << "4秒" << true << "4";
        QTest::addRow("empty") << false << "" << false << "0";
        QTest::addRow("cancelled") << true << "" << false << "0";
        QTest::addRow("8.5 reads back as 8") << false << "8.5" << true << "8.5";
        QTest::addRow("8.7 would read back as 9") << false << "8.7" << false << "8.7";
        QTest::addRow("0.5 would read back as 0") << false << "0.5" << false << "0.5";
        QTest::addRow("0.6 reads back as 1") << false << "0.6" << true << "0.6";
        QTest::addRow("exponent") << false << "1e1" << false << "10";
    }
    void typedSeconds()
    {
        QFETCH(bool, cancelled);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, written);
        const auto seconds = practice::typedSeconds(cancelled ? std::nullopt : std::optional<QString>(typed));
        QCOMPARE(acceptableSeconds(seconds), accepted);
        QCOMPARE(formatSeconds(seconds), written);
    }

    // The values the answer panel prints, in order; a word without a kanji form ("空缺" or
    // "片假名" in the data) shows the dash on the kanji line.
    void answerPanel_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("kanjiLine");
        QTest::addRow("real kanji printed unchanged") << 1 << "私";
        QTest::addRow("空缺 printed as dashes") << 5 << "-----";
        QTest::addRow("片假名 printed as dashes") << 94 << "-----";
    }
    void answerPanel()
    {
        QFETCH(int, index);
        QFETCH(QString, kanjiLine);
        ciku::fillLexicon();
        const ciku::WordEntry &w = *ciku::lexicon().entry(index);
        QStringList values;
        for (const ui::TextRow &row : answerPanelRows(w)) {
            if (!row.isEmpty())
                values << row.last().text;
        }
        QCOMPARE(values, (QStringList{w.kana.toString(), kanjiLine, w.chinese.toString(), w.accent.toString(),
                                      w.partOfSpeech.toString()}));
    }
};

QTEST_GUILESS_MAIN(PracticeRulesTest)
#include "tst_practicerules.moc"
