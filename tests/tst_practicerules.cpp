// The practice rules without a window: the draw step in order and at random, the exact answer
// check, the hint and score texts, and the saved practice settings file.
#include "lexicon/lessontable.h"
#include "practice/practicerules.h"
#include "practice/practicesettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using ciku::WordRange;
using namespace practice;
using practice::settings::SavedPractice;

Q_DECLARE_METATYPE(practice::settings::SavedPractice)

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class PracticeRulesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Draws in order from the first word: the indexes taken and, for each, whether it was the
    // last of the range (the end-of-range message comes before it is shown).
    void sequentialDraws_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QList<int>>("indexes");
        QTest::addColumn<QList<bool>>("ends");
        QTest::addRow("one word: every draw is the last")
            << 1607 << 1607 << 1607 << QList<int>{1607, 1607, 1607} << QList<bool>{true, true, true};
        QTest::addRow("two words wrap")
            << 1 << 2 << 1 << QList<int>{1, 2, 1, 2, 1} << QList<bool>{false, true, false, true, false};
        QTest::addRow("three words wrap") << 1607 << 1609 << 1607 << QList<int>{1607, 1608, 1609, 1607, 1608}
                                          << QList<bool>{false, false, true, false, false};
        QTest::addRow("from the middle")
            << 105 << 133 << 132 << QList<int>{132, 133, 105} << QList<bool>{false, true, false};
        QTest::addRow("cursor below the range starts at the first word")
            << 232 << 348 << 0 << QList<int>{232, 233} << QList<bool>{false, false};
        QTest::addRow("cursor past the range starts at the first word")
            << 1 << 3 << 104 << QList<int>{1, 2, 3, 1} << QList<bool>{false, false, true, false};
    }
    void sequentialDraws()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, cursor);
        QFETCH(QList<int>, indexes);
        QFETCH(QList<bool>, ends);
        const WordRange range{qint16(first), qint16(last)};
        QList<int> taken;
        QList<bool> ended;
        for (int i = 0; i < indexes.size(); ++i) {
            const SequentialStep step = sequentialStep(cursor, range);
            taken << step.index;
            ended << step.endOfRange;
            cursor = step.nextCursor;
        }
        QCOMPARE(taken, indexes);
        QCOMPARE(ended, ends);
    }

    // Every range the dialog offers, with the extreme random values: the word drawn always lies
    // in the range; 0 gives the first word and the largest value below 1 the last.
    void randomStaysInEveryRange_data()
    {
        QTest::addColumn<QString>("option");
        for (const QString &option : ciku::practiceOptionOrder())
            QTest::newRow(qPrintable(option)) << option;
    }
    void randomStaysInEveryRange()
    {
        QFETCH(QString, option);
        const auto range = ciku::practiceRangeFor(option);
        QVERIFY(range);
        const double justBelowOne = std::nextafter(1.0, 0.0);
        const double floatJustBelowOne = double(std::nextafter(1.0f, 0.0f));
        QCOMPARE(randomIndex(0.0, *range), int(range->first));
        QCOMPARE(randomIndex(justBelowOne, *range), int(range->last));
        QCOMPARE(randomIndex(floatJustBelowOne, *range), int(range->last));
        for (double r : {1.0, 2.5, -0.25, std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::infinity(), 0.5, 1e-300}) {
            const int index = randomIndex(r, *range);
            QVERIFY2(index >= range->first && index <= range->last, qPrintable(QString::number(r)));
        }
    }

    // Equal shares: the value at the middle of the k-th of n equal parts of [0, 1) gives the
    // k-th word, for every word of the range.
    void randomGivesEveryWordAnEqualShare_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addRow("one word") << 1607 << 1607;
        QTest::addRow("two words") << 1 << 2;
        QTest::addRow("three words") << 1607 << 1609;
        QTest::addRow("unit 12, where single precision went past the end") << 1365 << 1490;
        QTest::addRow("whole") << 1 << 1490;
    }
    void randomGivesEveryWordAnEqualShare()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        const WordRange range{qint16(first), qint16(last)};
        const int n = range.size();
        for (int k = 0; k < n; ++k)
            QCOMPARE(randomIndex((k + 0.5) / n, range), first + k);
    }

    void exactAnswer_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kana");
        QTest::addColumn<bool>("right");
        QTest::addRow("same") << "わたし"
                              << "わたし" << true;
        QTest::addRow("blank before") << " わたし"
                                      << "わたし" << false;
        QTest::addRow("blank after") << "わたし "
                                     << "わたし" << false;
        QTest::addRow("full-width blank after") << "わたし　"
                                                << "わたし" << false;
        QTest::addRow("katakana for hiragana") << "ワタシ"
                                               << "わたし" << false;
        QTest::addRow("hiragana for katakana") << "あめりか"
                                               << "アメリカ" << false;
        QTest::addRow("half-width katakana") << "ｱﾒﾘｶ"
                                             << "アメリカ" << false;
        QTest::addRow("kanji for kana") << "私"
                                        << "わたし" << false;
        QTest::addRow("test word") << "11"
                                   << "11" << true;
        QTest::addRow("full-width digits") << "１１"
                                           << "11" << false;
        QTest::addRow("empty answer") << ""
                                      << "わたし" << false;
        QTest::addRow("empty word, empty answer") << ""
                                                  << "" << true;
        QTest::addRow("one kana short") << "わた"
                                        << "わたし" << false;
    }
    void exactAnswer()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kana);
        QFETCH(bool, right);
        QCOMPARE(isRightAnswer(typed, kana), right);
    }

    void lengthHint_data()
    {
        QTest::addColumn<QString>("kana");
        QTest::addColumn<QString>("hint");
        QTest::addRow("three kana") << "わたし"
                                    << "本单词一共有 3 个字符";
        QTest::addRow("four kana, not bytes") << "アメリカ"
                                              << "本单词一共有 4 个字符";
        QTest::addRow("long vowel mark counts") << "コーヒー"
                                                << "本单词一共有 4 个字符";
        QTest::addRow("empty slot") << ""
                                    << "本单词一共有 0 个字符";
    }
    void lengthHint()
    {
        QFETCH(QString, kana);
        QFETCH(QString, hint);
        QCOMPARE(practice::lengthHint(kana), hint);
    }

    void score_data()
    {
        QTest::addColumn<bool>("reviewMode");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<QString>("caption");
        QTest::addRow("five, three right, one wrong")
            << false << 5 << 3 << 1 << "单词练习---（一共练习5个词，打对了3个，打错了1个）";
        QTest::addRow("first word right, next already drawn")
            << false << 2 << 1 << 0 << "单词练习---（一共练习2个词，打对了1个，打错了0个）";
        QTest::addRow("past 16 bits stays positive")
            << false << 32768 << 32768 << 40000
            << "单词练习---（一共练习32768个词，打对了32768个，打错了40000个）";
        QTest::addRow("during the drill") << true << 5 << 3 << 1 << "单词练习---";
    }
    void score()
    {
        QFETCH(bool, reviewMode);
        QFETCH(int, questions);
        QFETCH(int, right);
        QFETCH(int, wrong);
        QFETCH(QString, caption);
        QCOMPARE(scoreCaption(reviewMode, questions, right, wrong), caption);
    }

    void countersNeverWrap_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::addRow("zero") << 0 << 1;
        QTest::addRow("16-bit limit") << 32767 << 32768;
        QTest::addRow("largest") << std::numeric_limits<int>::max() << std::numeric_limits<int>::max();
    }
    void countersNeverWrap()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        QCOMPARE(countUp(before), after);
    }

    // sys.dll as found on disk: what the window selects at load.
    void readSavedPractice_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<SavedPractice>("saved");
        const SavedPractice defaults;
        QTest::addRow("2,2,1") << QByteArray("2,2,1\r\n")
                               << SavedPractice{Order::Random, Direction::JapaneseToChinese,
                                                DisplayMode::Learn};
        QTest::addRow("1,1,2 is the defaults") << QByteArray("1,1,2\r\n") << defaults;
        QTest::addRow("one value a line")
            << QByteArray("2\r\n2\r\n1\r\n")
            << SavedPractice{Order::Random, Direction::JapaneseToChinese, DisplayMode::Learn};
        QTest::addRow("unknown values") << QByteArray("3,0,-1\r\n") << defaults;
        QTest::addRow("two values") << QByteArray("2,2\r\n")
                                    << SavedPractice{Order::Random, Direction::JapaneseToChinese,
                                                     DisplayMode::Dictation};
        QTest::addRow("not numbers") << QByteArray("abc,def,\r\n") << defaults;
        QTest::addRow("empty file") << QByteArray() << defaults;
        QTest::addRow("no line end") << QByteArray("1,2,1")
                                     << SavedPractice{Order::Sequential, Direction::JapaneseToChinese,
                                                      DisplayMode::Learn};
        QTest::addRow("quoted numbers are texts") << QByteArray("\"2\",\"2\",\"1\"\r\n") << defaults;
    }
    void readSavedPractice()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(SavedPractice, saved);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sys.dll"));
        writeBytes(path, bytes);
        const auto read = settings::readSavedPractice(path);
        QVERIFY(read);
        QVERIFY(*read == saved);
    }

    void missingFileKeepsTheWindowDefaults()
    {
        QTemporaryDir dir;
        QVERIFY(!settings::readSavedPractice(dir.filePath(QStringLiteral("sys.dll"))));
        QVERIFY(!settings::readSavedPractice(dir.path())); // a folder is not a settings file
        // Neither UTF-8 nor GB18030: not one of ours either.
        const QString garbage = dir.filePath(QStringLiteral("garbage.dll"));
        writeBytes(garbage, QByteArray("\xff\xfe\x00\x01,x2", 7));
        QVERIFY(!settings::readSavedPractice(garbage));
    }

    // Every choice written and read back; the bytes are the one line with CR LF, and a second
    // save replaces the first.
    void savedPracticeRoundTrip_data()
    {
        QTest::addColumn<SavedPractice>("saved");
        QTest::addColumn<QByteArray>("bytes");
        for (int o = 1; o <= 2; ++o) {
            for (int d = 1; d <= 2; ++d) {
                for (int m = 1; m <= 2; ++m) {
                    const SavedPractice s = settings::savedPracticeFrom(o, d, m);
                    const QByteArray line = QByteArray::number(o) + ',' + QByteArray::number(d) + ',' +
                                            QByteArray::number(m) + "\r\n";
                    QTest::newRow(line.trimmed().constData()) << s << line;
                }
            }
        }
    }
    void savedPracticeRoundTrip()
    {
        QFETCH(SavedPractice, saved);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sys.dll"));
        writeBytes(path, "2,2,1,and a much longer line that an older version left behind\r\n");
        QVERIFY(settings::writeSavedPractice(path, saved));
        QVERIFY(settings::writeSavedPractice(path, saved));
        QCOMPARE(readAll(path), bytes);
        QVERIFY(*settings::readSavedPractice(path) == saved);
    }
};

QTEST_GUILESS_MAIN(PracticeRulesTest)
#include "tst_practicerules.moc"
