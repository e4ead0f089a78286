// Where a window opens: in the middle of its screen or of its owner, and always wholly on the
// screen.
#include "ui/placement.h"

#include <QTest>

class TestPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void centredOnTheScreen_data()
    {
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("middle") << QSize(716, 541) << QRect(0, 0, 1280, 800) << QPoint(282, 129);
        QTest::newRow("second screen") << QSize(200, 100) << QRect(1280, 0, 1024, 768) << QPoint(1692, 334);
        QTest::newRow("below a panel") << QSize(200, 100) << QRect(0, 30, 1280, 770) << QPoint(540, 365);
        QTest::newRow("exactly the area") << QSize(1280, 800) << QRect(0, 0, 1280, 800) << QPoint(0, 0);
        QTest::newRow("taller than the area: top edge on it")
            << QSize(716, 900) << QRect(0, 0, 1280, 800) << QPoint(282, 0);
    }
    void centredOnTheScreen()
    {
        QFETCH(QSize, frame);
        QFETCH(QRect, area);
        QFETCH(QPoint, topLeft);
        QCOMPARE(ui::centredIn(frame, area), topLeft);
    }

    void centredOverTheOwner_data()
    {
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QPoint>("topLeft");
        const QRect area(0, 0, 1280, 800);
        QTest::newRow("owner in the middle") << QRect(282, 129, 716, 541) << QPoint(425, 264);
        // The owner partly off the screen: the small window stays wholly on it.
        QTest::newRow("owner off the bottom") << QRect(2, 500, 716, 541) << QPoint(145, 530);
        QTest::newRow("owner off the top left") << QRect(-500, -400, 716, 541) << QPoint(0, 0);
        QTest::newRow("owner off the right") << QRect(1100, 100, 716, 541) << QPoint(850, 235);
    }
    void centredOverTheOwner()
    {
        QFETCH(QRect, owner);
        QFETCH(QPoint, topLeft);
        const QSize about(430, 270);
        const QRect area(0, 0, 1280, 800);
        const QPoint got = ui::centredOver(about, owner, area);
        QCOMPARE(got, topLeft);
        QVERIFY(area.contains(QRect(got, about)));
    }
};

QTEST_APPLESS_MAIN(TestPlacement)
#include "tst_placement.moc"
