// The motto banner at the top right of the print view: its default lines, placement, the two
// prompts, the motto file and the restoring double-click.

#include "studytest.h"

#include "study/mottobanner.h"
#include "study/studysettings.h"
#include "ui/colors.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>

using namespace studytest;

namespace {

QLabel *line(QWidget *w, const char *name)
{
    return findIn<QLabel>(w, name);
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

void checkPlacement(QWidget *w)
{
    auto *first = line(w, "lblpome1");
    auto *second = line(w, "lblpome2");
    QCOMPARE(first->parentWidget(), static_cast<QWidget *>(showword(w)));
    QCOMPARE(first->x() + first->width(), study::MottoBanner::kRightEdge);
    QCOMPARE(second->x() + second->width(), study::MottoBanner::kRightEdge);
    QCOMPARE(first->y(), 0);
    QCOMPARE(second->y(), first->y() + first->height());
    QCOMPARE(second->font().pointSizeF(), first->font().pointSizeF());
    // Each label is as wide as its text, so the text ends at the right edge.
    QVERIFY(first->width() >= first->sizeHint().width());
    QVERIFY(first->alignment() & Qt::AlignRight);
}

const QString kFirst = QStringLiteral("工欲善其事，必先利其器");
const QString kSecond = QStringLiteral("学日语单词，用词帆");

} // namespace

class TestStudyMotto : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultLinesAtFirstOpening();
    void newLinesShownAndSaved();
    void cancelledSecondPromptKeepsEverything();
    void doubleClickOnSecondLineRestoresDefaults();
    void longFirstLineGrowsLeft();
    void doubleQuoteStaysReadable();
    void popupItemWorksWhileHidden();
    void incompleteFileGivesDefaults();
    void unwritableMottoIsReported();
    void rightPressOpensPopup();
    void fittingSizeIsComputed_data();
    void fittingSizeIsComputed();
    void aVeryLongMottoIsFittedAtOnce();
};

void TestStudyMotto::defaultLinesAtFirstOpening()
{
    TestApp app;
    auto *w = openStudy(app);
    QCOMPARE(line(w, "lblpome1")->text(), kFirst);
    QCOMPARE(line(w, "lblpome2")->text(), kSecond);
    QVERIFY(line(w, "lblpome1")->isVisible());
    QVERIFY(line(w, "lblpome2")->isVisible());
    QCOMPARE(line(w, "lblpome1")->toolTip(), QStringLiteral("双击此处即可自行设置警句"));
    QCOMPARE(line(w, "lblpome1")->font().pointSizeF(), 27.75);
    QCOMPARE(ui::textColor(line(w, "lblpome1")), QColor(0, 128, 0));
    checkPlacement(w);
    // The banner stands above the introduction, which begins with six empty lines.
    QVERIFY(line(w, "lblpome2")->geometry().bottom() < 6 * showword(w)->lineHeight() + 4);
}

void TestStudyMotto::newLinesShownAndSaved()
{
    TestApp app;
    auto *w = openStudy(app);
    app.ui().inputs = {QStringLiteral("好好学习"), QStringLiteral("天天向上")};
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    QCOMPARE(app.ui().inputRequests.size(), 2);
    QCOMPARE(app.ui().inputRequests[0].prompt, QStringLiteral("请输入上句"));
    QCOMPARE(app.ui().inputRequests[1].prompt, QStringLiteral("请输入下句"));
    QCOMPARE(app.ui().inputRequests[0].title, QStringLiteral("词帆"));
    QCOMPARE(app.ui().inputRequests[0].initial, QString());
    QCOMPARE(line(w, "lblpome1")->text(), QStringLiteral("好好学习"));
    QCOMPARE(line(w, "lblpome2")->text(), QStringLiteral("天天向上"));
    checkPlacement(w);
    QCOMPARE(bytesOf(app.path("sous/pome.dll")), QStringLiteral("\"好好学习\",\"天天向上\"\r\n").toUtf8());

    w = reopenStudy(app);
    QCOMPARE(line(w, "lblpome1")->text(), QStringLiteral("好好学习"));
    QCOMPARE(line(w, "lblpome2")->text(), QStringLiteral("天天向上"));
    checkPlacement(w);
}

void TestStudyMotto::cancelledSecondPromptKeepsEverything()
{
    TestApp app;
    auto *w = openStudy(app);
    app.ui().inputs = {QStringLiteral("好好学习"), QStringLiteral("天天向上")};
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    const QByteArray saved = bytesOf(app.path("sous/pome.dll"));

    // A first line, then Cancel: neither the lines on show nor the saved pair change.
    app.ui().inputs = {QStringLiteral("新的上句"), std::nullopt};
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    QCOMPARE(app.ui().inputRequests.size(), 4);
    QCOMPARE(line(w, "lblpome1")->text(), QStringLiteral("好好学习"));
    QCOMPARE(line(w, "lblpome2")->text(), QStringLiteral("天天向上"));
    QCOMPARE(bytesOf(app.path("sous/pome.dll")), saved);
    w = reopenStudy(app);
    QCOMPARE(line(w, "lblpome1")->text(), QStringLiteral("好好学习"));

    // Cancelling the first prompt does not ask the second.
    app.ui().inputs = {std::nullopt};
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    QCOMPARE(app.ui().inputRequests.size(), 5);
    QCOMPARE(bytesOf(app.path("sous/pome.dll")), saved);

    // Without a saved pair nothing is created.
    QVERIFY(QFile::remove(app.path("sous/pome.dll")));
    app.ui().inputs = {QStringLiteral("上"), QString()};
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    QVERIFY(!QFile::exists(app.path("sous/pome.dll")));
    QCOMPARE(line(w, "lblpome2")->text(), QStringLiteral("天天向上"));
}

void TestStudyMotto::doubleClickOnSecondLineRestoresDefaults()
{
    TestApp app;
    auto *w = openStudy(app);
    app.ui().inputs = {QStringLiteral("好好学习"), QStringLiteral("天天向上")};
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    QVERIFY(QFile::exists(app.path("sous/pome.dll")));
    QTest::mouseDClick(line(w, "lblpome2"), Qt::LeftButton);
    QVERIFY(!QFile::exists(app.path("sous/pome.dll")));
    QCOMPARE(line(w, "lblpome1")->text(), kFirst);
    QCOMPARE(line(w, "lblpome2")->text(), kSecond);
    checkPlacement(w);
    QVERIFY(app.ui().messages.isEmpty());
}

void TestStudyMotto::longFirstLineGrowsLeft()
{
    TestApp app;
    auto *w = openStudy(app);
    const int defaultLeft = line(w, "lblpome1")->x();
    app.ui().inputs = {QStringLiteral("千里之行，始于足下，不积跬步"), QStringLiteral("短句")};
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    QVERIFY(line(w, "lblpome1")->x() < defaultLeft);
    QVERIFY(line(w, "lblpome2")->width() < line(w, "lblpome1")->width());
    checkPlacement(w);
    w = reopenStudy(app);
    QVERIFY(line(w, "lblpome1")->x() < defaultLeft);
    checkPlacement(w);

    // A line wider than the canvas is made smaller, with its partner, rather than lose its start;
    // the defaults bring the design size back.
    const qreal designSize = line(w, "lblpome1")->font().pointSizeF();
    app.ui().inputs = {QStringLiteral("短句"), QString(30, QChar(0x5B66))};
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    QVERIFY(line(w, "lblpome2")->x() >= 0);
    QVERIFY(line(w, "lblpome1")->font().pointSizeF() < designSize);
    checkPlacement(w);
    QTest::mouseDClick(line(w, "lblpome2"), Qt::LeftButton);
    QCOMPARE(line(w, "lblpome1")->font().pointSizeF(), designSize);
    checkPlacement(w);
}

void TestStudyMotto::doubleQuoteStaysReadable()
{
    TestApp app;
    auto *w = openStudy(app);
    app.ui().inputs = {QStringLiteral("他说\"学\",好"), QStringLiteral("\"词帆\"")};
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    // The quote is kept as the full-width quote, on show and in the file, so the two fields
    // still read back as two.
    QCOMPARE(line(w, "lblpome1")->text(), QStringLiteral("他说＂学＂,好"));
    QCOMPARE(line(w, "lblpome2")->text(), QStringLiteral("＂词帆＂"));
    QCOMPARE(bytesOf(app.path("sous/pome.dll")),
             QStringLiteral("\"他说＂学＂,好\",\"＂词帆＂\"\r\n").toUtf8());
    w = reopenStudy(app);
    QCOMPARE(line(w, "lblpome1")->text(), QStringLiteral("他说＂学＂,好"));
    QCOMPARE(line(w, "lblpome2")->text(), QStringLiteral("＂词帆＂"));
}

void TestStudyMotto::popupItemWorksWhileHidden()
{
    TestApp app;
    auto *w = openStudy(app);
    click(w, "start");
    QVERIFY(!line(w, "lblpome1")->isVisible());
    app.ui().inputs = {QStringLiteral("好好学习"), QStringLiteral("天天向上")};
    findIn<QAction>(w, "popdiylogo")->trigger();
    QCOMPARE(line(w, "lblpome1")->text(), QStringLiteral("好好学习"));
    QVERIFY(!line(w, "lblpome1")->isVisible());
    QVERIFY(!line(w, "lblpome2")->isVisible());
    QCOMPARE(bytesOf(app.path("sous/pome.dll")), QStringLiteral("\"好好学习\",\"天天向上\"\r\n").toUtf8());
    // Paging does not bring the banner back.
    key(w, Qt::Key_Down);
    QVERIFY(!line(w, "lblpome1")->isVisible());
    w = reopenStudy(app);
    QVERIFY(line(w, "lblpome1")->isVisible());
    QCOMPARE(line(w, "lblpome2")->text(), QStringLiteral("天天向上"));
}

void TestStudyMotto::incompleteFileGivesDefaults()
{
    TestApp app;
    for (const QByteArray &bad : {QByteArray("\"好好学习\",\"\"\r\n"), QByteArray("\"好好学习\"\r\n"),
                                  QByteArray(), QByteArray("12\r\n")}) {
        QFile f(app.path("sous/pome.dll"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bad);
        f.close();
        auto *w = reopenStudy(app);
        QCOMPARE(line(w, "lblpome1")->text(), kFirst);
        QCOMPARE(line(w, "lblpome2")->text(), kSecond);
        checkPlacement(w);
    }
}

void TestStudyMotto::unwritableMottoIsReported()
{
    TestApp app;
    auto *w = openStudy(app);
    QVERIFY(QDir(app.path("sous")).removeRecursively());
    app.ui().inputs = {QStringLiteral("好好学习"), QStringLiteral("天天向上")};
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    QCOMPARE(app.ui().messages.size(), 1);
    QVERIFY(app.ui().messages[0].message.text.contains(QStringLiteral("没有保存")));
    QVERIFY(app.ui().messages[0].message.text.contains(QStringLiteral("sous/pome.dll")));
    // The new lines show for this run; the window goes on working.
    QCOMPARE(line(w, "lblpome1")->text(), QStringLiteral("好好学习"));
    click(w, "start");
    QCOMPARE(shownMeanings(w), meanings(1, 11));
}

void TestStudyMotto::rightPressOpensPopup()
{
    TestApp app;
    auto *w = openStudy(app);
    QStringList names;
    for (QAction *a : w->popout()->actions())
        names << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    QCOMPARE(names, (QStringList{"popchaxun", "poplianxi", "-", "poplist", "popprint", "-", "setcolor",
                                 "setfont", "popdiylogo", "-", "defaultcolor", "popbijiao", "-", "popexit",
                                 "-", "popyindiao"}));
    QTest::mouseClick(line(w, "lblpome2"), Qt::RightButton);
    QVERIFY(w->popout()->isVisible());
    w->popout()->close();
    QTest::mouseClick(showword(w), Qt::RightButton, {}, QPoint(100, 300));
    QVERIFY(w->popout()->isVisible());
    w->popout()->close();
    // A left click on the motto does not open it.
    QTest::mouseClick(line(w, "lblpome1"), Qt::LeftButton);
    QVERIFY(!w->popout()->isVisible());
}

void TestStudyMotto::fittingSizeIsComputed_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<qreal>("points");
    QTest::newRow("fits") << study::MottoBanner::kRightEdge << 27.75;
    QTest::newRow("twice as wide") << 2 * study::MottoBanner::kRightEdge << 13.75;
    QTest::newRow("a little too wide") << study::MottoBanner::kRightEdge + 1 << 27.5;
    QTest::newRow("far too wide") << 1000000 << 8.0;
}

void TestStudyMotto::fittingSizeIsComputed()
{
    QFETCH(int, width);
    QFETCH(qreal, points);
    QCOMPARE(study::fittingMottoPoints(width), points);
}

// A motto as long as the input box takes is fitted by computing its size, not by trying 80
// sizes one after the other; both lines still stand whole on the canvas.
void TestStudyMotto::aVeryLongMottoIsFittedAtOnce()
{
    TestApp app;
    auto *w = openStudy(app);
    const QString first(32767, u'x');
    app.ui().inputs = {first, QStringLiteral("短句")};
    QElapsedTimer clock;
    clock.start();
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    const qint64 took = clock.elapsed();
    qInfo("a 32,767-character motto set in %lld ms", took);
    QCOMPARE(line(w, "lblpome1")->text(), first);
    QCOMPARE(line(w, "lblpome1")->font().pointSizeF(), 8.0);
    QVERIFY2(took < 1000, qPrintable(QString::number(took)));
    clock.restart();
    w = reopenStudy(app);
    qInfo("reopened with it in %lld ms", clock.elapsed());
    QCOMPARE(line(w, "lblpome1")->text(), first);
}

QTEST_MAIN(TestStudyMotto)
#include "tst_studymotto.moc"
