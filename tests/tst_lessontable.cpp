// Typed lesson numbers and range-dialog options turned into word ranges, with the rejections.
#include "lexicon/lessontable.h"

#include <QTest>

#include <limits>

using ciku::WordRange;

Q_DECLARE_METATYPE(ui::Icon)

class LessonTableTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addRow("plain") << "12" << 12.0;
        QTest::addRow("trailing text") << "12abc" << 12.0;
        QTest::addRow("blanks inside") << "1 0 0" << 100.0;
        QTest::addRow("tabs and line feeds") << "\t1\n2 " << 12.0;
        QTest::addRow("fraction") << "1.5" << 1.5;
        QTest::addRow("exponent") << "1e3" << 1000.0;
        QTest::addRow("exponent with sign") << "5E-1" << 0.5;
        QTest::addRow("exponent without digits") << "3e" << 3.0;
        QTest::addRow("negative") << "-1" << -1.0;
        QTest::addRow("plus sign") << "+4" << 4.0;
        QTest::addRow("leading point") << ".5" << 0.5;
        QTest::addRow("empty") << "" << 0.0;
        QTest::addRow("letters") << "abc" << 0.0;
        QTest::addRow("sign alone") << "-" << 0.0;
        QTest::addRow("hex is not read") << "0x10" << 0.0;
        // As a Chinese input method types them in full-width mode.
        QTest::addRow("full-width digits") << "１２" << 12.0;
        QTest::addRow("full-width sign and point") << "－１．５" << -1.5;
        QTest::addRow("full-width plus, exponent, space") << "＋１\u3000ｅ２" << 100.0;
        QTest::addRow("full-width and ASCII mixed") << "1２課" << 12.0;
        // Beyond a double: too large, never 0 (which would be the katakana drill).
        const double inf = std::numeric_limits<double>::infinity();
        QTest::addRow("exponent beyond range") << "1e999" << inf;
        QTest::addRow("5000 digits") << QString(5000, u'9') << inf;
        QTest::addRow("negative beyond range") << "-1e999" << -inf;
        QTest::addRow("too small to tell from 0") << "1e-999" << std::numeric_limits<double>::denorm_min();
        QTest::addRow("zero with a long exponent") << "0e-999" << 0.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QCOMPARE(ciku::leadingNumber(text), number);
    }

    void acceptedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addRow("lesson 1") << "1" << 1 << 18;
        QTest::addRow("lesson 4") << "4" << 76 << 104;
        QTest::addRow("lesson 5 study variant") << "5" << 105 << 130;
        QTest::addRow("lesson 8 study variant") << "8" << 200 << 232;
        QTest::addRow("lesson 9 study variant") << "9" << 233 << 258;
        QTest::addRow("lesson 12 with letters") << "12abc" << 327 << 348;
        QTest::addRow("lesson 24") << "24" << 674 << 711;
        QTest::addRow("lesson 26") << "26" << 712 << 750;
        QTest::addRow("lesson 49") << "49" << 1463 << 1490;
        QTest::addRow("unit 1 typed with blanks") << "1 0 0" << 1 << 104;
        QTest::addRow("unit 2 study variant") << "200" << 105 << 232;
        QTest::addRow("unit 3 study variant") << "300" << 233 << 348;
        QTest::addRow("unit 9") << "900" << 983 << 1129;
        QTest::addRow("unit 12") << "1200" << 1365 << 1490;
        QTest::addRow("unit 1 as exponent") << "1e2" << 1 << 104;
        QTest::addRow("volume 1") << "1001" << 1 << 711;
        QTest::addRow("volume 2") << "1002" << 712 << 1490;
        QTest::addRow("all lessons") << "1003" << 1 << 1490;
        QTest::addRow("country names") << "1004" << 1491 << 1506;
        QTest::addRow("katakana drill") << "0" << 1507 << 1552;
        QTest::addRow("empty box reads 0") << "" << 1507 << 1552;
        QTest::addRow("letters read 0") << "abc" << 1507 << 1552;
        QTest::addRow("full-width lesson 12") << "１２" << 327 << 348;
        QTest::addRow("full-width unit 1") << "１００" << 1 << 104;
        QTest::addRow("full-width zero") << "０" << 1507 << 1552;
    }
    void acceptedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, first);
        QFETCH(int, last);
        for (auto command : {ciku::StudyCommand::Start, ciku::StudyCommand::WordList}) {
            const auto r = ciku::studyRangeFor(text, command);
            QVERIFY(r.range.has_value());
            QCOMPARE(int(r.range->first), first);
            QCOMPARE(int(r.range->last), last);
        }
    }

    void rejectedNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<ui::Icon>("icon");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        const QString wrong = QStringLiteral("输入错误，请重新输入课时");
        const QString past = QStringLiteral("标日初级词汇结束于49课，请输入正确的课时。");
        const QString tooMany = QStringLiteral("又乱输，哪有那么多课？别闹了。 ^_^");
        QTest::addRow("no lesson 25") << "25" << ui::Icon::None << "" << wrong;
        QTest::addRow("150") << "150" << ui::Icon::None << "" << wrong;
        QTest::addRow("1005") << "1005" << ui::Icon::None << "" << wrong;
        QTest::addRow("negative") << "-1" << ui::Icon::None << "" << wrong;
        QTest::addRow("fraction") << "1.5" << ui::Icon::None << "" << wrong;
        QTest::addRow("50") << "50" << ui::Icon::Critical << "出错" << past;
        QTest::addRow("60") << "60" << ui::Icon::Critical << "出错" << past;
        QTest::addRow("99") << "99" << ui::Icon::Critical << "出错" << past;
        QTest::addRow("99.5") << "99.5" << ui::Icon::Critical << "出错" << past;
        QTest::addRow("1201") << "1201" << ui::Icon::Warning << "？？？" << tooMany;
        QTest::addRow("huge") << "99999" << ui::Icon::Warning << "？？？" << tooMany;
        QTest::addRow("beyond any range") << "1e999" << ui::Icon::Warning << "？？？" << tooMany;
        QTest::addRow("5000 digits pasted")
            << QString(5000, u'7') << ui::Icon::Warning << "？？？" << tooMany;
        QTest::addRow("negative beyond range") << "-1e999" << ui::Icon::None << "" << wrong;
        QTest::addRow("too small to tell from 0") << "1e-999" << ui::Icon::None << "" << wrong;
        QTest::addRow("full-width negative") << "－１" << ui::Icon::None << "" << wrong;
        QTest::addRow("full-width 60") << "６０" << ui::Icon::Critical << "出错" << past;
    }
    void rejectedNumbers()
    {
        QFETCH(QString, text);
        QFETCH(ui::Icon, icon);
        QFETCH(QString, title);
        QFETCH(QString, message);
        const auto r = ciku::studyRangeFor(text, ciku::StudyCommand::Start);
        QVERIFY(!r.range.has_value());
        QCOMPARE(r.rejection.icon, icon);
        QCOMPARE(r.rejection.title, title);
        QCOMPARE(r.rejection.text, message);
        QCOMPARE(r.rejection.buttons, ui::Buttons::Ok);
        QCOMPARE(r.rejection.shownTitle(), title.isEmpty() ? QStringLiteral("词帆") : title);
    }

    void wordListWordsTooLargeItsOwnWay()
    {
        const auto start = ciku::studyRangeFor(u"1201", ciku::StudyCommand::Start);
        const auto list = ciku::studyRangeFor(u"1201", ciku::StudyCommand::WordList);
        QCOMPARE(list.rejection.title, QStringLiteral("欠揍？？"));
        QCOMPARE(list.rejection.icon, ui::Icon::Warning);
        QVERIFY(!list.rejection.text.isEmpty());
        QVERIFY(list.rejection.text != start.rejection.text);
        // The other rejections are shared.
        QCOMPARE(ciku::studyRangeFor(u"60", ciku::StudyCommand::WordList).rejection.title,
                 QStringLiteral("出错"));
    }

    void practiceOptions_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addRow("unit 1") << "u1" << 1 << 104;
        QTest::addRow("unit 2 practice variant") << "u2" << 105 << 231;
        QTest::addRow("unit 3 practice variant") << "u3" << 232 << 348;
        QTest::addRow("unit 9") << "u9" << 983 << 1129;
        QTest::addRow("lesson 5 practice variant") << "l5" << 105 << 133;
        QTest::addRow("lesson 6 practice variant") << "l6" << 134 << 164;
        QTest::addRow("lesson 7 practice variant") << "l7" << 165 << 197;
        QTest::addRow("lesson 8 practice variant") << "l8" << 198 << 231;
        QTest::addRow("lesson 9 practice variant") << "l9" << 232 << 258;
        QTest::addRow("lesson 49") << "l49" << 1463 << 1490;
        QTest::addRow("volume 1") << "shangce" << 1 << 711;
        QTest::addRow("volume 2") << "xiace" << 712 << 1490;
        QTest::addRow("all") << "whole" << 1 << 1490;
        QTest::addRow("countries") << "country" << 1491 << 1506;
        QTest::addRow("katakana") << "pian" << 1507 << 1552;
        QTest::addRow("test words") << "ceshi" << 1607 << 1613;
    }
    void practiceOptions()
    {
        QFETCH(QString, option);
        QFETCH(int, first);
        QFETCH(int, last);
        const auto r = ciku::practiceRangeFor(option);
        QVERIFY(r.has_value());
        QCOMPARE(int(r->first), first);
        QCOMPARE(int(r->last), last);
    }

    void unknownOptionsHaveNoRange()
    {
        for (const char *name : {"l25", "l0", "l50", "u13", "u0", "", "l05", "L5", "whole "})
            QVERIFY2(!ciku::practiceRangeFor(QString::fromLatin1(name)), name);
    }

    void optionOrderIsFixed()
    {
        const QStringList &order = ciku::practiceOptionOrder();
        QCOMPARE(order.size(), 12 + 3 + 48 + 3);
        QCOMPARE(order.first(), QStringLiteral("u1"));
        QCOMPARE(order.at(11), QStringLiteral("u12"));
        QCOMPARE(order.mid(12, 3), (QStringList{"shangce", "xiace", "whole"}));
        QCOMPARE(order.at(15), QStringLiteral("l1"));
        QVERIFY(!order.contains(QStringLiteral("l25")));
        QCOMPARE(order.mid(order.size() - 3), (QStringList{"country", "pian", "ceshi"}));
        for (const QString &name : order)
            QVERIFY2(ciku::practiceRangeFor(name).has_value(), qPrintable(name));
    }

    // Units are the unions of their lessons, lessons are contiguous, volumes the union of units,
    // in both variants.
    void tablesAreConsistent()
    {
        const QList<QList<int>> units{{1, 2, 3, 4},     {5, 6, 7, 8},     {9, 10, 11, 12},  {13, 14, 15, 16},
                                      {17, 18, 19, 20}, {21, 22, 23, 24}, {26, 27, 28, 29}, {30, 31, 32, 33},
                                      {34, 35, 36, 37}, {38, 39, 40, 41}, {42, 43, 44, 45}, {46, 47, 48, 49}};
        for (int u = 0; u < 12; ++u) {
            const QList<int> &ls = units[u];
            const auto studyUnit = ciku::studyRangeFor(QString::number((u + 1) * 100)).range;
            const auto practiceUnit = ciku::practiceRangeFor(QStringLiteral("u%1").arg(u + 1));
            QCOMPARE(studyUnit->first, ciku::studyRangeFor(QString::number(ls.first())).range->first);
            QCOMPARE(studyUnit->last, ciku::studyRangeFor(QString::number(ls.last())).range->last);
            QCOMPARE(practiceUnit->first,
                     ciku::practiceRangeFor(QStringLiteral("l%1").arg(ls.first()))->first);
            QCOMPARE(practiceUnit->last, ciku::practiceRangeFor(QStringLiteral("l%1").arg(ls.last()))->last);
        }
        int previousStudy = 0;
        int previousPractice = 0;
        for (int l = 1; l <= 49; ++l) {
            if (l == 25)
                continue;
            const auto s = ciku::studyRangeFor(QString::number(l)).range;
            const auto p = ciku::practiceRangeFor(QStringLiteral("l%1").arg(l));
            QCOMPARE(int(s->first), previousStudy + 1);
            QCOMPARE(int(p->first), previousPractice + 1);
            QVERIFY(s->first <= s->last);
            previousStudy = s->last;
            previousPractice = p->last;
            if (l < 5 || l > 9)
                QCOMPARE(*s, *p);
        }
        QCOMPARE(previousStudy, 1490);
        QCOMPARE(previousPractice, 1490);
        // Unit 8 ends one before unit 9 starts.
        QCOMPARE(ciku::studyRangeFor(u"800").range->last + 1, int(ciku::studyRangeFor(u"900").range->first));
    }
};

QTEST_GUILESS_MAIN(LessonTableTest)
#include "tst_lessontable.moc"
