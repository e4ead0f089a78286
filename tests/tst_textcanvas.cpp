// The text canvas: the column rule, overflow to the next line, print zones, clearing, empty lines;
// the pitch contour over a kana field and the geometry it is drawn from.
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

    // The contour's geometry for a few words: which morae carry the line, where the fall stands
    // (on the edge after the accent mora), the particle's level, and its scale with the font.
    void pitchContourGeometry_data()
    {
        QTest::addColumn<QString>("kana");
        QTest::addColumn<QString>("accent");
        QTest::addColumn<QList<bool>>("high");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("particleHigh");
        QTest::newRow("flat") << "わたし"
                              << "0" << QList<bool>{false, true, true} << 1 << true;
        QTest::newRow("head") << "ジュース"
                              << "1" << QList<bool>{true, false, false} << 1 << false;
        QTest::newRow("middle") << "かいしゃいん"
                                << "3" << QList<bool>{false, true, true, false, false} << 1 << false;
        QTest::newRow("tail") << "いもうと"
                              << "4" << QList<bool>{false, true, true, true} << 1 << false;
    }

    void pitchContourGeometry()
    {
        QFETCH(QString, kana);
        QFETCH(QString, accent);
        QFETCH(QList<bool>, high);
        QFETCH(int, lines);
        QFETCH(bool, particleHigh);
        QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setPixelSize(20);
        const auto pattern = ciku::pitchPattern(kana, accent);
        QVERIFY(pattern);
        const QPointF origin(10, 40);
        const ui::PitchContour c = ui::pitchContour(kana, *pattern, font, origin);
        QCOMPARE(c.moraHigh, high);
        QCOMPARE(c.highLines.size(), lines);
        QCOMPARE(c.particleHigh, particleHigh);
        QCOMPARE(c.particleCentre.y(), particleHigh ? c.highY : c.lowY);
        QVERIFY(c.lowY > c.highY);
        // The high line lies above the kana's ink and spans exactly the high morae.
        const QFontMetricsF fm(font);
        QVERIFY(c.highY < origin.y() + fm.tightBoundingRect(kana).top());
        const int first = static_cast<int>(high.indexOf(true));
        const int last = static_cast<int>(high.lastIndexOf(true));
        const QLineF line = c.highLines.first();
        QVERIFY(line.x1() >= c.morae[first].left() && line.x1() < c.morae[first].center().x());
        QVERIFY(line.x2() <= c.morae[last].right() && line.x2() > c.morae[last].center().x());
        // The fall stands at the right edge of the accent mora, whose edge is the advance of the
        // morae up to it; the flat word has none.
        if (pattern->fallAfter == 0) {
            QVERIFY(!c.fall);
        } else {
            QVERIFY(c.fall);
            const QStringList morae = ciku::splitMorae(kana);
            const qreal edge =
                origin.x() + fm.horizontalAdvance(morae.mid(0, pattern->fallAfter).join(QString()));
            QVERIFY(qAbs(c.fall->x1() - edge) <= font.pixelSize() * 0.1);
            QCOMPARE(c.fall->y1(), c.highY);
            QCOMPARE(c.fall->y2(), c.lowY);
        }
        // The particle follows the word.
        QVERIFY(c.particleCentre.x() - c.particleRadius > c.morae.last().right());

        // Twice the font, twice the contour (within a pixel of rounding in the metrics).
        font.setPixelSize(40);
        const ui::PitchContour big = ui::pitchContour(kana, *pattern, font, origin);
        QVERIFY(qAbs((big.lowY - big.highY) - 2 * (c.lowY - c.highY)) <= 1.5);
        QVERIFY(big.particleRadius > c.particleRadius * 1.7);

        // Room too small above: the contour moves down into it; too narrow: the particle comes in.
        font.setPixelSize(20);
        const QRectF room(0, c.highY + 3, c.morae.last().right() + 2, 80);
        const ui::PitchContour kept = ui::pitchContour(kana, *pattern, font, origin, room);
        QVERIFY(kept.highY > c.highY);
        QVERIFY(kept.bounds().top() >= room.top() - 1e-6);
        QVERIFY(kept.bounds().right() <= room.right() + 1e-6);
        QCOMPARE(kept.moraHigh, high);
    }

    // The canvas draws a contour only over the field it was given, and only while shown.
    void canvasContourFollowsItsField()
    {
        TextCanvas c;
        setUp(c);
        c.newLine();
        ui::writeRow(c, Line{Field{1, "日语"}, Field{15, "わたし"}});
        c.markPitch(15, u"わたし", u"0");
        ui::writeRow(c, Line{Field{1, "音调"}, Field{15, "0"}});
        c.markPitch(15, u"わたし", u"0"); // the latest field at 15 is "0": nothing marked
        ui::writeRow(c, Line{Field{1, "日语"}, Field{15, "だいがく"}});
        c.markPitch(15, u"だいがく", u"5"); // no pattern
        QVERIFY(c.pitchContours().isEmpty());
        const QList<Line> written = c.lines();
        c.setPitchContoursShown(true);
        const QList<ui::PitchContour> shown = c.pitchContours();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().moraHigh, (QList<bool>{false, true, true}));
        QCOMPARE(shown.first().morae.first().left(), c.columnX(15));
        // Drawn over the second line, below the first.
        QVERIFY(shown.first().highY > c.lineHeight() * 0.5);
        QVERIFY(shown.first().highY < c.lineHeight() * 2);
        QCOMPARE(c.lines(), written);
        c.setPitchContoursShown(false);
        QVERIFY(c.pitchContours().isEmpty());

        // On the top line the contour still stands wholly inside the canvas, above the kana.
        TextCanvas top;
        setUp(top);
        ui::writeRow(top, Line{Field{2, "がくせい"}, Field{20, "学生"}});
        top.markPitch(2, u"がくせい", u"0");
        top.setPitchContoursShown(true);
        const ui::PitchContour first = top.pitchContours().value(0);
        QCOMPARE(first.moraHigh, (QList<bool>{false, true, true, true}));
        QVERIFY(first.bounds().top() >= 0);
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
