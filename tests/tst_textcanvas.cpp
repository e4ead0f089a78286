// The text canvas: the column rule, overflow to the next line, print zones, clearing, empty lines.
#include "ui/textcanvas.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QTest>

using ui::TextCanvas;
using Field = ui::PlacedText;
using Line = ui::TextRow;

class TextCanvasTest : public QObject
{
    Q_OBJECT

    static void setUp(TextCanvas &c)
    {
        QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        f.setPointSize(12);
        c.setFont(f);
        c.resize(800, 600);
    }

private Q_SLOTS:
    void fieldsGoToTheirColumns()
    {
        TextCanvas c;
        setUp(c);
        c.writeAt(2, QStringLiteral("私"));
        c.writeAt(26, QStringLiteral("わたし"));
        c.writeAt(47, QStringLiteral("0"));
        c.newLine();
        QCOMPARE(c.lines(), (QList<Line>{Line{Field{2, "私"}, Field{26, "わたし"}, Field{47, "0"}}}));
        const qreal avg = QFontMetricsF(c.font()).averageCharWidth();
        QCOMPARE(c.columnX(1), 0.0);
        QCOMPARE(c.columnX(26), 25 * avg);
    }

    void aFieldPastItsColumnMovesToTheNextLine()
    {
        TextCanvas c;
        setUp(c);
        // Thirty wide characters reach well past column 26.
        c.writeAt(2, QString(30, QChar(0x65E5)));
        c.writeAt(26, QStringLiteral("reading"));
        c.writeAt(47, QStringLiteral("3"));
        c.newLine();
        const QList<Line> lines = c.lines();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], (Line{Field{2, QString(30, QChar(0x65E5))}}));
        QCOMPARE(lines[1], (Line{Field{26, "reading"}, Field{47, "3"}}));
    }

    void aRowInColumnsNarrowsAFieldWiderThanItsRoom()
    {
        TextCanvas c;
        setUp(c);
        const QString wide(30, QChar(0x65E5));
        ui::writeRowInColumns(c, Line{Field{2, wide}, Field{26, "reading"}, Field{47, QString(40, u'x')}});
        QCOMPARE(c.lines(),
                 (QList<Line>{Line{Field{2, wide}, Field{26, "reading"}, Field{47, QString(40, u'x')}}}));
        // Only the field wider than the room up to the next column is drawn smaller, and it ends
        // before that column; the last field keeps the canvas font whatever its width.
        const QFont fitted = c.fittedFont(wide, c.columnX(26) - c.columnX(2));
        QVERIFY(fitted.pointSizeF() < c.font().pointSizeF());
        QVERIFY(QFontMetricsF(fitted).horizontalAdvance(wide) <= c.columnX(26) - c.columnX(2) + 0.5);
        QCOMPARE(c.fittedFont(QStringLiteral("reading"), c.columnX(47) - c.columnX(26)), c.font());
    }

    void textEndingExactlyOnTheColumnStaysOnTheLine()
    {
        TextCanvas c;
        setUp(c);
        c.writeAt(1, QStringLiteral("abcde")); // monospace: ends exactly where column 6 starts
        c.writeAt(6, QStringLiteral("f"));
        QCOMPARE(c.lines(), (QList<Line>{Line{Field{1, "abcde"}, Field{6, "f"}}}));
    }

    void writesWithoutPlacementContinueTheField()
    {
        TextCanvas c;
        setUp(c);
        c.write(QStringLiteral("普通  "));
        c.write(QStringLiteral("しやう"));
        c.writeAt(32, QStringLiteral("シヤウ"));
        c.newLine();
        QCOMPARE(c.lines(), (QList<Line>{Line{Field{1, "普通  しやう"}, Field{32, "シヤウ"}}}));
    }

    void printZonesAreFourteenColumnsWide()
    {
        TextCanvas c;
        setUp(c);
        c.write(QStringLiteral("促音  ッ"));
        c.nextZone();
        c.write(QStringLiteral("ポット"));
        c.newLine();
        c.nextZone();
        c.write(QStringLiteral("x"));
        c.newLine();
        const QList<Line> lines = c.lines();
        QCOMPARE(lines[0].at(1), (Field{15, "ポット"}));
        QCOMPARE(lines[1].at(0), (Field{15, "x"}));
    }

    void emptyLinesAndClear()
    {
        TextCanvas c;
        setUp(c);
        c.writeLine();
        c.writeLine();
        c.writeAt(35, QStringLiteral("操作简介"));
        c.newLine();
        c.writeLine();
        c.writeLine(QStringLiteral("end"));
        QCOMPARE(c.lineCount(), 5);
        const QList<Line> lines = c.lines();
        QVERIFY(lines[0].isEmpty() && lines[1].isEmpty() && lines[3].isEmpty());
        QCOMPARE(lines[2], (Line{Field{35, "操作简介"}}));
        QCOMPARE(c.textLines().at(4), QStringLiteral("end"));
        QCOMPARE(c.textLines().at(2), QString(34, u' ') + QStringLiteral("操作简介"));

        c.clear();
        QCOMPARE(c.lineCount(), 0);
        QVERIFY(c.lines().isEmpty());
        c.writeAt(5, QStringLiteral("again"));
        QCOMPARE(c.lines(), (QList<Line>{Line{Field{5, "again"}}}));
    }

    void linesBelowTheBottomAreKeptNotScrolled()
    {
        TextCanvas c;
        setUp(c);
        c.resize(300, c.lineHeight() * 3);
        for (int i = 0; i < 10; ++i)
            c.writeLine(QString::number(i));
        QCOMPARE(c.lineCount(), 10);
        QCOMPARE(c.textLines().first(), QStringLiteral("0"));
    }
};

QTEST_MAIN(TextCanvasTest)
#include "tst_textcanvas.moc"
