// The practice rules without a window: the draw step in order and at random, the exact answer
// check, the hint and score texts, the saved practice settings, the flash drill's cycle and speed
// file with the speed dialog's checks, and the Japanese-to-Chinese answer panel.
#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"
#include "practice/answerexplain.h"
#include "practice/answerpanel.h"
#include "practice/flashcycle.h"
#include "practice/flashspeed.h"
#include "practice/practicerules.h"
#include "practice/practicesettings.h"
#include "ui/colornumber.h"
#include "ui/romaji.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using ciku::WordRange;
using namespace practice;

namespace {

struct RomajiRow {
    QString typed, shown, finished;
};

// tests/data/romaji.tsv: what is typed, what the box shows, what Enter leaves (when it differs).
QList<RomajiRow> romajiRows()
{
    QList<RomajiRow> rows;
    QFile f(QStringLiteral(CIFAN_SOURCE_DIR "/tests/data/romaji.tsv"));
    if (!f.open(QIODevice::ReadOnly))
        return rows;
    for (const QByteArray &raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList cols = line.split(u'\t');
        rows.append({cols.value(0), cols.value(1), cols.size() > 2 ? cols.value(2) : cols.value(1)});
    }
    return rows;
}

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
    // The contrast ratio of text on its background; both looks of the heading "错题栏" read at
    // 4.5:1 or better (yellow on the old grey band did not: 2.44).
    void contrastRatios_data()
    {
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("band");
        QTest::addColumn<double>("ratio");
        QTest::addRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::addRow("white on black") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::addRow("the same colour") << QColor(0, 0, 255) << QColor(0, 0, 255) << 1.0;
        QTest::addRow("yellow on the grey band")
            << practice::kDrillHeadingText << practice::kHeadingBand << 2.44;
        QTest::addRow("heading") << practice::kHeadingText << practice::kHeadingBand << 8.03;
        QTest::addRow("drill heading") << practice::kDrillHeadingText << practice::kDrillHeadingBand << 9.66;
    }
    void contrastRatios()
    {
        QFETCH(QColor, text);
        QFETCH(QColor, band);
        QFETCH(double, ratio);
        QCOMPARE(std::round(ui::contrastRatio(text, band) * 100) / 100, ratio);
        if (QByteArray(QTest::currentDataTag()).contains("heading"))
            QVERIFY(ui::contrastRatio(text, band) >= 4.5);
    }

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

    // The conversion table: the whole text at once (a paste), key by key as typed, and after
    // Enter; converting the result again changes nothing.
    void romajiTable_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("finished");
        for (const RomajiRow &r : romajiRows())
            QTest::newRow(qPrintable(r.typed)) << r.typed << r.shown << r.finished;
    }
    void romajiTable()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, finished);
        QCOMPARE(ui::romajiToKana(typed, ui::RomajiTail::Keep), shown);
        QCOMPARE(ui::romajiToKana(typed, ui::RomajiTail::Finish), finished);
        QString box;
        for (const QChar key : typed) {
            const ui::TypedText after =
                ui::convertBeforeCursor(box + key, box.size() + 1, ui::RomajiTail::Keep);
            QCOMPARE(after.cursor, after.text.size());
            box = after.text;
        }
        QCOMPARE(box, shown);
        QCOMPARE(ui::convertBeforeCursor(box, box.size(), ui::RomajiTail::Finish).text, finished);
        QCOMPARE(ui::romajiToKana(finished, ui::RomajiTail::Finish), finished);
        QCOMPARE(ui::romajiToKana(shown, ui::RomajiTail::Keep), shown);
    }
    void romajiTableIsLarge() { QVERIFY(romajiRows().size() >= 200); }

    // The letters left waiting at the end of the box, and text typed in the middle of the box.
    void romajiPending_data()
    {
        QTest::addColumn<QString>("converted");
        QTest::addColumn<QString>("pending");
        QTest::newRow("n") << QStringLiteral("かいしゃいn") << QStringLiteral("n");
        QTest::newRow("ky") << QStringLiteral("きky") << QStringLiteral("ky");
        QTest::newRow("xts") << QStringLiteral("xts") << QStringLiteral("xts");
        QTest::newRow("q waits for nothing") << QStringLiteral("かq") << QString();
        QTest::newRow("only the tail of kq") << QStringLiteral("kqsh") << QStringLiteral("sh");
        QTest::newRow("kana only") << QStringLiteral("わたし") << QString();
        QTest::newRow("nothing") << QString() << QString();
    }
    void romajiPending()
    {
        QFETCH(QString, converted);
        QFETCH(QString, pending);
        QCOMPARE(ui::pendingRomaji(converted).toString(), pending);
    }
    void romajiInTheMiddle()
    {
        // The cursor after "wa" of "wa|し": only the text before it is converted.
        const ui::TypedText t = ui::convertBeforeCursor(QStringLiteral("wataし"), 4, ui::RomajiTail::Keep);
        QCOMPARE(t.text, QStringLiteral("わたし"));
        QCOMPARE(t.cursor, 2);
        const ui::TypedText k = ui::convertBeforeCursor(QStringLiteral("わkし"), 2, ui::RomajiTail::Keep);
        QCOMPARE(k.text, QStringLiteral("わkし"));
        QCOMPARE(k.cursor, 2);
        const ui::TypedText n = ui::convertBeforeCursor(QStringLiteral("ほnや"), 2, ui::RomajiTail::Finish);
        QCOMPARE(n.text, QStringLiteral("ほんや"));
    }

    // Why a wrong answer is wrong: the most specific reason first, else the typed text marked.
    void wrongAnswerReasons_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kana");
        QTest::addColumn<QString>("kanji");
        QTest::addColumn<QString>("reason");
        auto row = [](const char *name, const char16_t *typed, const char16_t *kana, const char16_t *kanji,
                      const char16_t *reason) {
            QTest::newRow(name) << QString::fromUtf16(typed) << QString::fromUtf16(kana)
                                << QString::fromUtf16(kanji) << QString::fromUtf16(reason);
        };
        const char16_t *kanjiTyped = u"你输入的是汉字写法，这里要输入假名";
        row("kanji form", u"私", u"わたし", u"私", kanjiTyped);
        row("kanji form with blanks", u" 会社員 ", u"かいしゃいん", u"会社員", kanjiTyped);
        row("marker typed is not a kanji form", u"空缺", u"はい", u"空缺", u"[空缺]");
        row("katakana for hiragana", u"ワタシ", u"わたし", u"私", u"平假名和片假名不同");
        row("hiragana for katakana", u"あめりか", u"アメリカ", u"片假名", u"平假名和片假名不同");
        row("mixed scripts", u"アめりか", u"アメリカ", u"片假名", u"平假名和片假名不同");
        row("long mark kept", u"でぱーと", u"デパート", u"片假名", u"平假名和片假名不同");
        row("blank after", u"わたし ", u"わたし", u"私", u"答案前后多了空格");
        row("blank before", u" わたし", u"わたし", u"私", u"答案前后多了空格");
        row("full-width blank", u"わたし\u3000", u"わたし", u"私", u"答案前后多了空格");
        row("small tsu missing", u"がこう", u"がっこう", u"学校", u"少了促音“っ”");
        row("small tsu extra", u"きっって", u"きって", u"切手", u"多了促音“っ”");
        row("katakana small tsu missing", u"ベト", u"ベット", u"片假名", u"少了促音“ッ”");
        row("large tsu for small", u"がつこう", u"がっこう", u"学校", u"“っ”要写成小字");
        row("small tsu for large", u"っくえ", u"つくえ", u"机", u"“つ”要写成大字");
        row("long o missing", u"とうきょ", u"とうきょう", u"東京", u"少了长音");
        row("long o missing inside", u"とkょう", u"とうきょう", u"東京", u"と[＿k]ょう");
        row("long e missing", u"せんせ", u"せんせい", u"先生", u"少了长音");
        row("long u extra", u"がっこうう", u"がっこう", u"学校", u"多了长音");
        row("long mark missing", u"デパト", u"デパート", u"片假名", u"少了长音");
        row("long mark extra", u"カメーラ", u"カメラ", u"片假名", u"多了长音");
        row("long a missing", u"おばさん", u"おばあさん", u"", u"少了长音");
        row("voiced mark missing", u"かくせい", u"がくせい", u"学生", u"浊音符号不对");
        row("voiced mark extra", u"だれ", u"たれ", u"", u"浊音符号不对");
        row("semi-voiced for voiced", u"ぱん", u"ばん", u"晩", u"半浊音符号不对");
        row("semi-voiced missing", u"ヘン", u"ペン", u"片假名", u"半浊音符号不对");
        row("small ya missing", u"きく", u"きゃく", u"客", u"少了拗音“ゃ”");
        row("small yo extra", u"とうきょうょ", u"とうきょう", u"東京", u"多了拗音“ょ”");
        row("large yu for small", u"りゆうがくせい", u"りゅうがくせい", u"留学生", u"“ゅ”要写成小字");
        row("wrong character", u"わたす", u"わたし", u"私", u"わた[す]");
        row("missing character", u"わし", u"わたし", u"私", u"わ[＿]し");
        row("extra character", u"わたしし", u"わたし", u"私", u"わた[し]し");
        row("pending rōmaji", u"かいしゃいn", u"かいしゃいん", u"会社員", u"かいしゃい[n]");
        row("two mora off", u"がこ", u"がっこう", u"学校", u"が[＿]こ[＿]");
        row("blank inside", u"わた し", u"わたし", u"私", u"わた[␣]し");
        row("empty", u"", u"はい", u"空缺", u"[＿＿]");
        row("all wrong", u"abc", u"はい", u"空缺", u"[abc]");
    }
    void wrongAnswerReasons()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kana);
        QFETCH(QString, kanji);
        QFETCH(QString, reason);
        QVERIFY(!isRightAnswer(typed, kana));
        QCOMPARE(reasonAsText(explainWrongAnswer(typed, kana, kanji)), reason);
    }
    void wrongAnswerReasonAsRichText()
    {
        QCOMPARE(
            reasonAsHtml(explainWrongAnswer(QStringLiteral("わ<し"), QStringLiteral("わたし"), QString())),
            QStringLiteral("わ<span style=\"color:#ff0000\">&lt;</span>し"));
        QCOMPARE(
            reasonAsHtml(explainWrongAnswer(QStringLiteral("がこう"), QStringLiteral("がっこう"), QString())),
            QStringLiteral("少了促音“っ”"));
    }

    // sous/roma.dll: the number 1 turns the rōmaji input on; anything else, or no file, is off.
    void romajiSetting_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("on");
        QTest::newRow("1") << QByteArray("1\r\n") << true;
        QTest::newRow("0") << QByteArray("0\r\n") << false;
        QTest::newRow("2") << QByteArray("2\r\n") << false;
        QTest::newRow("quoted") << QByteArray("\"1\"\r\n") << false;
        QTest::newRow("1 and more") << QByteArray("1,0\r\n") << true;
        QTest::newRow("1x") << QByteArray("1x\r\n") << false;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("no line end") << QByteArray("1") << true;
    }
    void romajiSetting()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, on);
        QTemporaryDir dir;
        const QString path = writeFile(dir, bytes);
        QCOMPARE(ui::loadRomajiSetting(path), on);
        QVERIFY(ui::saveRomajiSetting(path, !on));
        QCOMPARE(readFile(path), on ? QByteArray("0\r\n") : QByteArray("1\r\n"));
        QCOMPARE(ui::loadRomajiSetting(path), !on);
        QVERIFY(!ui::loadRomajiSetting(dir.filePath(QStringLiteral("missing.dll"))));
        QVERIFY(!ui::saveRomajiSetting(dir.filePath(QStringLiteral("no/such/folder.dll")), true));
    }
};

QTEST_GUILESS_MAIN(PracticeRulesTest)
#include "tst_practicerules.moc"
