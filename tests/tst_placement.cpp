// Where a window opens: in the middle of its screen or of its owner, and always wholly on the
// screen (a window larger than the screen keeps its top-left corner on it).
#include "ui/placement.h"

#include <QTest>

class TestPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Without an owner the window is centred on the area, else over the owner.
    void placement_data()
    {
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QPoint>("topLeft");
        const QRect screen(0, 0, 1280, 800);
        const QSize about(430, 270);
        QTest::newRow("middle") << QSize(716, 541) << QRect() << screen << QPoint(282, 129);
        QTest::newRow("second screen")
            << QSize(200, 100) << QRect() << QRect(1280, 0, 1024, 768) << QPoint(1692, 334);
        QTest::newRow("below a panel")
            << QSize(200, 100) << QRect() << QRect(0, 30, 1280, 770) << QPoint(540, 365);
        QTest::newRow("exactly the area") << QSize(1280, 800) << QRect() << screen << QPoint(0, 0);
        QTest::newRow("taller than the area") << QSize(716, 900) << QRect() << screen << QPoint(282, 0);
        QTest::newRow("owner in the middle")
            << about << QRect(282, 129, 716, 541) << screen << QPoint(425, 264);
        QTest::newRow("owner off the bottom")
            << about << QRect(2, 500, 716, 541) << screen << QPoint(145, 530);
        QTest::newRow("owner off the top left")
            << about << QRect(-500, -400, 716, 541) << screen << QPoint(0, 0);
        QTest::newRow("owner off the right")
            << about << QRect(1100, 100, 716, 541) << screen << QPoint(850, 235);
    }
    void placement()
    {
        QFETCH(QSize, frame);
        QFETCH(QRect, owner);
        QFETCH(QRect, area);
        QFETCH(QPoint, topLeft);
        QCOMPARE(owner.isNull() ? ui::centredIn(frame, area) : ui::centredOver(frame, owner, area), topLeft);
    }
};

QTEST_APPLESS_MAIN(TestPlacement)
#include "tst_placement.moc"
