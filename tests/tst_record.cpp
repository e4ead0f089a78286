// The learning record without a window: the FSRS arithmetic against worked examples, the memory
// a run of answers adds up to, the progress figures, the retention setting, and the store on a
// real SQLite file in a temporary folder with its troubles (damaged, held, newer, full).
#include "lexicon/lexicon.h"
#include "record/answertracker.h"
#include "record/fsrs.h"
#include "record/learningrecord.h"
#include "record/memory.h"
#include "record/progress.h"
#include "record/progresscanvas.h"
#include "record/progresswindow.h"
#include "record/recordstore.h"
#include "record/retention.h"
#include "scriptedinteraction.h"
#include "ui/settingsfile.h"

#include <QDateTime>
#include <QDoubleSpinBox>
#include <QFile>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace record;

namespace {

const qint64 kDay = kMsPerDay;
const qint64 kStart = QDateTime(QDate(2026, 3, 2), QTime(9, 0)).toMSecsSinceEpoch();

Answer answerFor(int slot, bool right, qint64 atMs, Direction direction = Direction::HanRi,
                 bool aided = false)
{
    ciku::fillLexicon();
    const ciku::WordEntry *entry = ciku::lexicon().entry(slot);
    return Answer{slot,
                  entry->kana.toString(),
                  entry->chinese.toString(),
                  direction,
                  AnswerKind::Question,
                  right,
                  aided,
                  atMs};
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Runs SQL on a file through a connection of its own (to make foreign or newer databases).
void runSql(const QString &path, const QStringList &statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const QString &s : statements)
            QVERIFY2(q.exec(s), qPrintable(s));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
}

QDoubleSpinBox *findIn(QWidget &w, const char *name)
{
    return w.findChild<QDoubleSpinBox *>(QString::fromLatin1(name));
}

} // namespace

class RecordTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Worked examples, each computed step by step from the published formulas and default
    // weights (w0..w18) with a desk calculator; see the notes beside each row.
    void memoryAfterAnswers_data()
    {
        QTest::addColumn<int>("first");  // grade of the first answer
        QTest::addColumn<int>("second"); // grade of the second answer, 0 for none
        QTest::addColumn<double>("days");
        QTest::addColumn<double>("stability");
        QTest::addColumn<double>("difficulty");
        // S0 = w2; D0 = w4 - e^(2 w5) + 1 = 7.1949 - 2.912434 + 1
        QTest::newRow("first Good") << 3 << 0 << 0.0 << 3.173 << 5.282434;
        // S0 = w0; D0 = w4 - e^0 + 1 = w4
        QTest::newRow("first Again") << 1 << 0 << 0.0 << 0.40255 << 7.1949;
        // D0 = w4 - e^(w5) + 1 = 7.1949 - 1.706595 + 1
        QTest::newRow("first Hard") << 2 << 0 << 0.0 << 1.18385 << 6.488305;
        // R(3, 3.173) = (1 + 19/81 * 3/3.173)^-0.5 = 0.904698;
        // S' = 3.173 * (1 + e^w8 * (11 - 5.282434) * 3.173^-w9 * (e^(w10 * 0.095302) - 1)) = 10.738926;
        // D' = w7 * D0(4) + (1 - w7) * 5.282434 with D0(4) = 7.1949 - e^(3 w5) + 1 = 3.224502
        QTest::newRow("Good, Good after 3 days") << 3 << 3 << 3.0 << 10.738926 << 5.272968;
        // As above with the hard penalty w15; D moves up by w6 * (10 - D) / 9 first
        QTest::newRow("Good, Hard after 3 days") << 3 << 2 << 3.0 << 4.924512 << 6.034950;
        // R(10, 3.173) = 0.758259; S' = w11 * D^-w12 * ((S + 1)^w13 - 1) * e^(w14 * 0.241741)
        QTest::newRow("Good, lapse after 10 days") << 3 << 1 << 10.0 << 1.471762 << 6.796933;
        // Same day: S * e^(w17 * (G - 3 + w18))
        QTest::newRow("Good, Good within the day") << 3 << 3 << 0.25 << 4.466858 << 5.272968;
        QTest::newRow("Good, Again within the day") << 3 << 1 << 0.5 << 1.589764 << 6.796933;
        // The lapse formula gives 0.938562 here, more than before the lapse: it stays 0.40255
        QTest::newRow("a lapse never strengthens") << 1 << 1 << 30.0 << 0.40255 << 8.0 /*unused*/;
    }
    void memoryAfterAnswers()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(double, days);
        QFETCH(double, stability);
        QFETCH(double, difficulty);
        const FsrsParameters p = FsrsParameters::defaults();
        MemoryState s = firstState(static_cast<Grade>(first), p);
        if (second)
            s = nextState(s, days, static_cast<Grade>(second), p);
        QVERIFY2(qAbs(s.stability - stability) < 1e-5, qPrintable(QString::number(s.stability, 'f', 6)));
        if (QByteArray(QTest::currentDataTag()) != "a lapse never strengthens")
            QVERIFY2(qAbs(s.difficulty - difficulty) < 1e-5,
                     qPrintable(QString::number(s.difficulty, 'f', 6)));
    }

    void forgettingCurve_data()
    {
        QTest::addColumn<bool>("interval"); // false: R(a, b); true: I(a = S, b = retention)
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("expected");
        QTest::newRow("R at S is 0.9") << false << 10.0 << 10.0 << 0.9;
        QTest::newRow("R at 3 S") << false << 30.0 << 10.0 << 0.766131; // (1 + 19/27)^-0.5
        QTest::newRow("R right after") << false << 0.0 << 5.0 << 1.0;
        QTest::newRow("R before the answer") << false << -2.0 << 5.0 << 1.0;
        QTest::newRow("I at 0.90 is S") << true << 10.0 << 0.90 << 10.0;
        QTest::newRow("I at 0.80") << true << 10.0 << 0.80 << 23.980263; // 10 * 81/19 * 0.5625
        QTest::newRow("I at 0.97") << true << 10.0 << 0.97 << 2.677783;  // 10 * 81/19 * 0.062812
        QTest::newRow("I first Good 0.8") << true << 3.173 << 0.80 << 7.608937;
    }
    void forgettingCurve()
    {
        QFETCH(bool, interval);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, expected);
        const double got = interval ? intervalDays(a, b) : retrievability(a, b);
        QVERIFY2(qAbs(got - expected) < 1e-5, qPrintable(QString::number(got, 'f', 6)));
    }

    // Grades from what the learner did; a changed word under a slot starts afresh; the due date
    // follows the retention.
    void memoryOfAWord()
    {
        QCOMPARE(gradeFor(false, false), Grade::Again);
        QCOMPARE(gradeFor(false, true), Grade::Again);
        QCOMPARE(gradeFor(true, true), Grade::Hard);
        QCOMPARE(gradeFor(true, false), Grade::Good);

        const QList<Answer> answers{answerFor(1, true, kStart), answerFor(1, true, kStart + 3 * kDay),
                                    answerFor(1, false, kStart + 13 * kDay, Direction::RiHan)};
        const MemoryBook book = foldAnswers(answers);
        QCOMPARE(book.size(), std::size_t(2));
        const WordMemory &hanRi = book.at({1, Direction::HanRi});
        QCOMPARE(hanRi.answers, 2);
        QVERIFY(qAbs(hanRi.state.stability - 10.738926) < 1e-5);
        QVERIFY(qAbs(dueAtMs(hanRi, 0.9) - (kStart + 3 * kDay + qint64(10.738926 * kDay))) < 1000);
        QVERIFY(dueAtMs(hanRi, 0.8) > dueAtMs(hanRi, 0.9));
        QCOMPARE(book.at({1, Direction::RiHan}).lapses, 1);

        Answer renamed = answerFor(1, true, kStart + 20 * kDay);
        renamed.meaning = QStringLiteral("别的词");
        const WordMemory fresh = afterAnswer(hanRi, renamed);
        QCOMPARE(fresh.answers, 1);
        QCOMPARE(fresh.state.stability, 3.173);
    }

    // What the practice hands the record: judged answers as they are; the Japanese-to-Chinese
    // verdict only after a reveal; nothing about the test words.
    void answersTheTrackerRecords_data()
    {
        QTest::addColumn<QString>(
            "events"); // r<slot> reveal, a add, n next word, j<slot>/w<slot> judged, s<slot> shown
        QTest::addColumn<QString>("recorded");
        QTest::newRow("revealed and added") << "r5 a n"
                                            << "5 日汉 wrong";
        QTest::newRow("revealed and left") << "r5 n"
                                           << "5 日汉 right";
        QTest::newRow("never revealed") << "n n"
                                        << "";
        QTest::newRow("added without a reveal") << "a"
                                                << "";
        QTest::newRow("revealed twice, added") << "r5 r5 a"
                                               << "5 日汉 wrong";
        QTest::newRow("one left, the next revealed") << "r5 r6 a"
                                                     << "5 日汉 right,6 日汉 wrong";
        QTest::newRow("typed") << "j7 w8 s9"
                               << "7 汉日 right,8 汉日 wrong,9 汉日 wrong aided";
        QTest::newRow("test words") << "j1607 s1613 r1610 n"
                                    << "";
    }
    void answersTheTrackerRecords()
    {
        QFETCH(QString, events);
        QFETCH(QString, recorded);
        AnswerTracker tracker;
        QStringList out;
        const auto note = [&](const std::optional<Answer> &a) {
            if (a)
                out << QStringLiteral("%1 %2 %3%4")
                           .arg(a->slot)
                           .arg(directionText(a->direction), a->right ? "right" : "wrong",
                                a->aided ? " aided" : "");
        };
        for (const QString &e : events.split(u' ', Qt::SkipEmptyParts)) {
            const int slot = e.mid(1).toInt();
            switch (e.at(0).toLatin1()) {
            case 'r':
                note(tracker.revealed(slot, AnswerKind::Question));
                break;
            case 'a':
                note(tracker.markedWrong());
                break;
            case 'n':
                note(tracker.nextWord());
                break;
            case 'j':
                note(AnswerTracker::judged(slot, true, false, AnswerKind::Drill));
                break;
            case 'w':
                note(AnswerTracker::judged(slot, false, false, AnswerKind::Drill));
                break;
            case 's':
                note(AnswerTracker::shown(slot, AnswerKind::Review));
                break;
            }
        }
        QCOMPARE(out.join(u','), recorded);
    }

    // Per-lesson standing, today's figures, the calendar and the review order.
    void progressFigures()
    {
        const qint64 now = kStart + 10 * kDay;
        QList<Answer> answers;
        answers << answerFor(1, true, kStart) << answerFor(2, true, now - kDay / 2) // due, learning
                << answerFor(3, true, now - 2 * kDay) << answerFor(4, true, now - kDay, Direction::RiHan)
                << answerFor(5, false, kStart + kDay); // lapse: due long ago
        MemoryBook book = foldAnswers(answers);
        // A word known for good: stability beyond 21 days, last seen yesterday.
        book[{6, Direction::HanRi}] =
            WordMemory{answers[0].kana, answers[0].meaning, {40, 5}, now - kDay, 5, 0};
        book[{6, Direction::HanRi}].kana = ciku::lexicon().entry(6)->kana.toString();
        book[{6, Direction::HanRi}].meaning = ciku::lexicon().entry(6)->chinese.toString();
        // A memory of a word that no longer stands in its slot counts as never practised.
        book[{7, Direction::HanRi}] =
            WordMemory{QStringLiteral("べつ"), QStringLiteral("别的"), {1, 5}, kStart, 1, 0};

        QCOMPARE(standingOf(1, book, now, 0.9), WordStanding::Due);
        QCOMPARE(standingOf(2, book, now, 0.9), WordStanding::Learning);
        QCOMPARE(standingOf(4, book, now, 0.9), WordStanding::Learning);
        QCOMPARE(standingOf(6, book, now, 0.9), WordStanding::Known);
        QCOMPARE(standingOf(7, book, now, 0.9), WordStanding::Never);

        const QDate today = QDateTime::fromMSecsSinceEpoch(now).date();
        const DayCounts days{{today, 3}, {today.addDays(-1), 7}, {today.addDays(-400), 9}};
        const ProgressSummary s = summarize(book, days, TodayFigures{3, 2, 0, 0}, 9, now, today, 0.9);
        QCOMPARE(s.bars.size(), 48 + 2);
        const GroupBar &lesson1 = s.bars.first();
        QCOMPARE(lesson1.label, QStringLiteral("1"));
        QCOMPARE(lesson1.total(), 18);
        QCOMPARE(lesson1.due, 2);      // 1 (due after 3.173 days) and 5 (a lapse)
        QCOMPARE(lesson1.known, 1);    // 6
        QCOMPARE(lesson1.learning, 3); // 2 and 3 (not due yet), 4 (Japanese-to-Chinese only)
        QCOMPARE(lesson1.never, 12);
        QCOMPARE(s.bars.last().label, QStringLiteral("片假名"));
        QCOMPARE(s.today.rightPercent(), std::optional<int>(67));
        QCOMPARE(s.today.dueNow, 2);
        QCOMPARE(s.today.dueTomorrow, 1); // 3, due 1.173 days from now
        QCOMPARE(s.calendarCounts.size(), kCalendarWeeks * 7);
        QCOMPARE(s.calendarStart.dayOfWeek(), 1);
        QCOMPARE(s.calendarCounts[s.calendarStart.daysTo(today)], 3);
        QCOMPARE(s.calendarCounts[s.calendarStart.daysTo(today) - 1], 7);
        QCOMPARE(s.busiestDay, 7);
        if (today.dayOfWeek() < 7)
            QCOMPARE(s.calendarCounts.last(), -1);

        // Most overdue first: 5 (lapsed on day 1, due 0.4 days later), then 1 (due on day 3.173).
        QCOMPARE(dueForReview(book, now, 0.9), (QList<int>{5, 1}));
        QCOMPARE(dueForReview(book, now, 0.9, 1), (QList<int>{5}));
        QCOMPARE(dueForReview(book, now, 0.97), (QList<int>{1, 5, 3})); // shorter intervals
        const auto next = nextDueMs(book, now, 0.9);
        QVERIFY(next && *next > now);
        QCOMPARE(*next, dueAtMs(book.at({3, Direction::HanRi}), 0.9));
        QVERIFY(nothingDueText(next).startsWith(QStringLiteral("现在没有到期的单词。\n下一个单词将于 ")));
        QVERIFY(nothingDueText(std::nullopt).startsWith(QStringLiteral("现在没有到期的单词。")));
    }

    void retentionFile_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<double>("expected");
        QTest::newRow("missing") << QByteArray() << 0.90;
        QTest::newRow("saved") << QByteArray("0.85\r\n") << 0.85;
        QTest::newRow("lowest") << QByteArray("0.80\r\n") << 0.80;
        QTest::newRow("highest") << QByteArray("0.97\r\n") << 0.97;
        QTest::newRow("too high") << QByteArray("0.99\r\n") << 0.90;
        QTest::newRow("too low") << QByteArray("0.5\r\n") << 0.90;
        QTest::newRow("quoted") << QByteArray("\"0.85\"\r\n") << 0.90;
        QTest::newRow("garbage") << QByteArray("abc\r\n") << 0.90;
    }
    void retentionFile()
    {
        QFETCH(QByteArray, contents);
        QFETCH(double, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("retention.dll"));
        if (!contents.isEmpty())
            writeBytes(path, contents);
        QCOMPARE(readRetention(path), expected);
        QVERIFY(writeRetention(path, 0.934));
        QCOMPARE(fileBytes(path), QByteArray("0.93\r\n"));
        QCOMPARE(readRetention(path), 0.93);
    }

    // Answers written, read back, kept across a reopen; the memory table is the fold of the
    // answers; the CSV export holds every answer.
    void storeKeepsAnswers()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(RecordStore::kFileName);
        QList<Answer> written;
        {
            RecordStore store(path);
            QCOMPARE(store.open(), RecordStore::State::Open);
            for (int i = 0; i < 30; ++i) {
                const Answer a = answerFor(1 + i % 7, i % 3 != 0, kStart + i * kDay / 3,
                                           i % 5 == 0 ? Direction::RiHan : Direction::HanRi, i % 4 == 0);
                QVERIFY(store.append(a));
                written << a;
            }
        }
        RecordStore store(path);
        QCOMPARE(store.open(), RecordStore::State::Open);
        QCOMPARE(store.answerCount(), 30);
        const QList<Answer> read = store.answers();
        QCOMPARE(read.size(), 30);
        QCOMPARE(read[4].kana, written[4].kana);
        QCOMPARE(read[5].direction, Direction::RiHan);
        QCOMPARE(read[4].aided, true);
        QCOMPARE(read[29].atMs, written[29].atMs);
        const MemoryBook stored = store.memories();
        const MemoryBook folded = foldAnswers(read);
        QCOMPARE(stored.size(), folded.size());
        for (const auto &[key, m] : folded) {
            QVERIFY(qAbs(stored.at(key).state.stability - m.state.stability) < 1e-9);
            QCOMPARE(stored.at(key).answers, m.answers);
        }
        const QDate first = QDateTime::fromMSecsSinceEpoch(kStart).date();
        const DayCounts days = store.dayCounts(first);
        int total = 0;
        for (const auto &[day, count] : days)
            total += count;
        QCOMPARE(total, 30);
        QCOMPARE(days.at(first), 2); // 09:00 and 17:00; 01:00 is the next day
        QCOMPARE(store.answeredSince(kStart + 9 * kDay).answered, 3);

        const QString csv = dir.filePath(QStringLiteral("out.csv"));
        QVERIFY(store.exportCsv(csv));
        const QStringList lines =
            QString::fromUtf8(fileBytes(csv)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 31);
        QCOMPARE(lines[0], QStringLiteral("时间(UTC),单词序号,假名,汉语,方向,类型,结果,用了提示"));
        QVERIFY(lines[1].endsWith(QStringLiteral(",1,") + written[0].kana + u',' + written[0].meaning +
                                  QStringLiteral(",日汉,出题,错,是")));
        QVERIFY(lines[1].startsWith(QStringLiteral("2026-03-02T")));
        QVERIFY(!store.exportCsv(dir.filePath(QStringLiteral("no/such/folder/out.csv"))));

        QCOMPARE(fileBytes(path).left(16), QByteArray("SQLite format 3\0", 16));
    }

    // Damaged files of every kind are moved aside byte for byte and a new database made.
    void damagedFileMovedAside_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("random bytes") << "random";
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("foreign tables") << "foreign";
        QTest::newRow("our tables, wrong columns") << "columns";
        QTest::newRow("our columns, other rules") << "rules";
    }
    void damagedFileMovedAside()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(RecordStore::kFileName);
        if (kind == QLatin1String("random")) {
            QByteArray bytes;
            for (int i = 0; i < 5000; ++i)
                bytes.append(char((i * 7919) % 251));
            writeBytes(path, bytes);
        } else if (kind == QLatin1String("truncated")) {
            {
                RecordStore store(path);
                QCOMPARE(store.open(), RecordStore::State::Open);
                for (int i = 0; i < 400; ++i)
                    store.append(answerFor(1 + i % 100, true, kStart + i));
            }
            const QByteArray whole = fileBytes(path);
            QVERIFY(whole.size() > 8192);
            writeBytes(path, whole.left(whole.size() / 2));
        } else if (kind == QLatin1String("foreign")) {
            runSql(path, {QStringLiteral("CREATE TABLE cards (id INTEGER, front TEXT)"),
                          QStringLiteral("INSERT INTO cards VALUES (1, 'x')")});
        } else if (kind == QLatin1String("rules")) {
            // Every column in place, but no answer the program writes passes the check.
            runSql(path,
                   {QStringLiteral("CREATE TABLE answers (id INTEGER PRIMARY KEY, slot INTEGER, kana TEXT, "
                                   "meaning TEXT, direction TEXT, kind TEXT CHECK (kind = 'none'), "
                                   "right INTEGER, aided INTEGER, answered_at INTEGER)"),
                    QStringLiteral("CREATE INDEX answers_by_time ON answers (answered_at)"),
                    QStringLiteral("CREATE TABLE memory (slot INTEGER, direction TEXT, kana TEXT, "
                                   "meaning TEXT, stability REAL, difficulty REAL, last_at INTEGER, "
                                   "answers INTEGER, lapses INTEGER, PRIMARY KEY (slot, direction))"),
                    QStringLiteral("PRAGMA user_version = 1")});
        } else {
            runSql(path, {QStringLiteral("CREATE TABLE answers (id INTEGER)"),
                          QStringLiteral("CREATE TABLE memory (slot INTEGER)"),
                          QStringLiteral("PRAGMA user_version = 1")});
        }
        const QByteArray before = fileBytes(path);

        ScriptedInteraction ui;
        LearningRecord record(dir.path(), ui);
        record.recordAnswer(nullptr, answerFor(3, true, 0));
        QCOMPARE(record.store().state(), RecordStore::State::Open);
        const QString moved = record.store().movedAside();
        QVERIFY(moved.startsWith(path + QStringLiteral(".damaged-")));
        QCOMPARE(fileBytes(moved), before);
        QCOMPARE(ui.messageTexts(), QStringList{LearningRecord::damagedText(moved)});
        QCOMPARE(record.store().answerCount(), 1);
    }

    // The window shows what the record holds, saves the retention it is given and exports the
    // answers to the file the save dialog names.
    void progressWindow()
    {
        QTemporaryDir dir;
        ScriptedInteraction ui;
        LearningRecord record(dir.path(), ui);
        qint64 now = kStart;
        record.setClock([&] { return now; });
        for (int slot : {1, 2, 3}) // day 1: three words right
            record.recordAnswer(nullptr, answerFor(slot, true, 0));
        record.recordAnswer(nullptr, answerFor(4, false, 0));
        now += 4 * kDay; // words 1..3 (S 3.173) and 4 are due now
        record.recordAnswer(nullptr, answerFor(3, true, 0));

        ProgressWindow window(record, ui);
        window.resize(1280, 800);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const ProgressSummary &s = window.summary();
        QCOMPARE(s.totalAnswers, 5);
        QCOMPARE(s.bars[0].due, 3);
        QCOMPARE(s.bars[0].learning, 1);
        QCOMPARE(s.bars[0].never, 14);
        QCOMPARE(s.today.answered, 1);
        QCOMPARE(s.today.dueNow, 3);
        QCOMPARE(s.desiredRetention, 0.90);
        QCOMPARE(window.canvas()->grab().size(), window.canvas()->size() * window.devicePixelRatio());

        auto *retention = findIn(window, "retention");
        QCOMPARE(record.dueWords(nullptr, nullptr), (QList<int>{4, 1, 2})); // the lapse first
        // At 0.80 words 1 and 2 wait 7.6 days; the lapsed word 4 (S 0.40255) is due after 0.97.
        retention->setValue(0.80);
        QCOMPARE(readRetention(dir.filePath(QStringLiteral("retention.dll"))), 0.80);
        QCOMPARE(window.summary().desiredRetention, 0.80);
        QCOMPARE(window.summary().today.dueNow, 1);
        QCOMPARE(record.dueWords(nullptr, nullptr), (QList<int>{4}));

        auto *exportButton = window.findChild<QPushButton *>(QStringLiteral("daochu"));
        QCOMPARE(exportButton->text(), QStringLiteral("导出…"));
        exportButton->click(); // cancelled
        const QString csv = dir.filePath(QStringLiteral("导出.csv"));
        ui.saveNames.push_back(csv);
        exportButton->click();
        QCOMPARE(ui.saveTitles, (QStringList{"导出学习记录", "导出学习记录"}));
        QCOMPARE(QString::fromUtf8(fileBytes(csv)).count(QStringLiteral("\r\n")), 6);
        QCOMPARE(ui.messages.size(), 1);
        QVERIFY(ui.messages[0].message.text.startsWith(QStringLiteral("已导出 5 次答题到：")));
    }

    // Opened ahead (while the range dialog is open), the record tells nothing yet; a trouble is
    // told at the first answer, once, as when the record is first opened by that answer.
    void troublesOfARecordOpenedAheadWaitForTheFirstAnswer()
    {
        QTemporaryDir dir;
        ScriptedInteraction ui1, ui2;
        LearningRecord first(dir.path(), ui1);
        first.openAhead();
        QCOMPARE(first.store().state(), RecordStore::State::Open);
        LearningRecord second(dir.path(), ui2);
        second.openAhead();
        QCOMPARE(second.store().state(), RecordStore::State::Busy);
        QVERIFY(ui2.messages.isEmpty());
        second.recordAnswer(nullptr, answerFor(2, true, 0));
        second.recordAnswer(nullptr, answerFor(3, true, 0));
        QCOMPARE(ui2.messageTexts(), QStringList{LearningRecord::busyText()});
        first.recordAnswer(nullptr, answerFor(1, true, 0));
        first.openAhead(); // once open, opening ahead again changes nothing
        first.recordAnswer(nullptr, answerFor(4, false, 0));
        QCOMPARE(first.store().answerCount(), 2);
        QVERIFY(ui1.messages.isEmpty());
    }

    // A second copy, a newer schema, a full disk and a folder that cannot hold the file: one
    // message each, nothing recorded, nothing touched.
    void troublesToldOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(RecordStore::kFileName);
        ScriptedInteraction ui1, ui2;
        LearningRecord first(dir.path(), ui1);
        first.recordAnswer(nullptr, answerFor(1, true, 0));
        LearningRecord second(dir.path(), ui2);
        second.recordAnswer(nullptr, answerFor(2, true, 0));
        second.recordAnswer(nullptr, answerFor(3, true, 0));
        QCOMPARE(second.store().state(), RecordStore::State::Busy);
        QCOMPARE(ui2.messageTexts(), QStringList{LearningRecord::busyText()});
        first.recordAnswer(nullptr, answerFor(4, true, 0));
        QCOMPARE(first.store().answerCount(), 2);
        QVERIFY(ui1.messages.isEmpty());

        // Full: the database may not grow any more.
        first.store().limitPagesForTesting(1);
        for (int i = 0; i < 300; ++i)
            first.recordAnswer(nullptr, answerFor(5 + i % 50, true, 0));
        QCOMPARE(first.store().state(), RecordStore::State::Unwritable);
        QCOMPARE(ui1.messageTexts(), QStringList{LearningRecord::unwritableText()});

        // Newer schema: untouched.
        QTemporaryDir newerDir;
        const QString newer = newerDir.filePath(RecordStore::kFileName);
        runSql(newer, {QStringLiteral("CREATE TABLE answers (id INTEGER, x BLOB)"),
                       QStringLiteral("PRAGMA user_version = 2")});
        const QByteArray before = fileBytes(newer);
        ScriptedInteraction ui3;
        LearningRecord newerRecord(newerDir.path(), ui3);
        newerRecord.recordAnswer(nullptr, answerFor(1, true, 0));
        newerRecord.recordAnswer(nullptr, answerFor(1, true, 0));
        QCOMPARE(newerRecord.store().state(), RecordStore::State::Newer);
        QCOMPARE(ui3.messageTexts(), QStringList{LearningRecord::newerText()});
        QCOMPARE(fileBytes(newer), before);
        QVERIFY(!QFile::exists(newer + QStringLiteral("-wal")));

        // The settings "folder" is a file: nothing can be made there.
        const QString notAFolder = dir.filePath(QStringLiteral("plain"));
        writeBytes(notAFolder, "x");
        ScriptedInteraction ui4;
        LearningRecord nowhere(notAFolder, ui4);
        nowhere.recordAnswer(nullptr, answerFor(1, true, 0));
        QCOMPARE(nowhere.store().state(), RecordStore::State::Unwritable);
        QCOMPARE(ui4.messageTexts(), QStringList{LearningRecord::unwritableText()});
        QVERIFY(nowhere.summary(nullptr).bars.first().never == 18);
    }
};

QTEST_MAIN(RecordTest)
#include "tst_record.moc"
