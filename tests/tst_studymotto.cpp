// The motto banner at the top right of the print view: its default lines, placement, the two
// prompts, the motto file and the restoring double-click.

#include "gapprobe.h"
#include "studytest.h"

#include "study/mottobanner.h"
#include "study/studysettings.h"
#include "ui/colors.h"
#include "ui/fonts.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
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
    void visibleTailIsBounded_data();
    void visibleTailIsBounded();
    void aVeryLongMottoIsFittedAtOnce_data();
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

namespace {

// n UTF-16 units of a repeated piece.
QString repeated(const QString &piece, int n)
{
    QString s;
    while (s.size() < n)
        s += piece;
    s.truncate(n);
    return s;
}

QString withMarks()
{
    // Letters under 40 combining marks each: hardly wider than the letters alone.
    return QStringLiteral("a") + QString(40, QChar(0x0301));
}

} // namespace

void TestStudyMotto::visibleTailIsBounded_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("atMost"); // UTF-16 units of the tail
    const QString rtl = repeated(QStringLiteral("\u05E9\u05DC\u05D5\u05DD "), 32767);
    QTest::newRow("the default line") << kFirst << int(kFirst.size());
    QTest::newRow("a line a little too wide") << QString(60, QChar(0x5B66)) << 60;
    QTest::newRow("32,767 Latin letters") << QString(32767, u'x') << 256;
    QTest::newRow("32,767 kanji") << QString(32767, QChar(0x5B66)) << 128;
    QTest::newRow("kana and Latin") << repeated(QStringLiteral("わたしはgakusei"), 32767) << 256;
    QTest::newRow("emoji") << repeated(QStringLiteral("\U0001F600\U0001F469\u200D\U0001F4BB"), 32767) << 256;
    QTest::newRow("right to left") << rtl << 256;
    // Text with little or no width for its length is cut by length.
    QTest::newRow("combining marks") << repeated(withMarks(), 32767) << int(study::kMaxShownMottoUnits);
    QTest::newRow("zero-width spaces") << QString(32767, QChar(0x200B)) << int(study::kMaxShownMottoUnits);
}

// The tail ends the line, is never longer than the bound, begins a character, and is either the
// whole line or wider than the room (so no part that could be seen is left out).
void TestStudyMotto::visibleTailIsBounded()
{
    QFETCH(QString, line);
    QFETCH(int, atMost);
    const QFont font = ui::designFont({QStringLiteral("华文行楷")}, 8, false, ui::Fallback::Serif);
    const QFontMetricsF metrics(font);
    const qreal room = study::MottoBanner::kRightEdge;
    const QString tail = study::visibleMottoTail(line, metrics, room);
    QVERIFY(!tail.isEmpty());
    QVERIFY(line.endsWith(tail));
    QVERIFY2(tail.size() <= atMost, qPrintable(QString::number(tail.size())));
    if (tail.size() == line.size())
        return;
    QVERIFY(!tail.front().isLowSurrogate());
    QVERIFY(!tail.front().isMark());
    QVERIFY(tail.front() != QChar(0x200D));
    const bool widerThanRoom = metrics.horizontalAdvance(tail) > room;
    const bool asLongAsShown = tail.size() > study::kMaxShownMottoUnits - withMarks().size();
    QVERIFY(widerThanRoom || asLongAsShown);
}

void TestStudyMotto::aVeryLongMottoIsFittedAtOnce_data()
{
    QTest::addColumn<QString>("first");
    QTest::newRow("Latin") << QString(32767, u'x');
    QTest::newRow("kanji") << QString(32767, QChar(0x5B66));
    QTest::newRow("combining marks") << repeated(withMarks(), 32767);
    QTest::newRow("right to left") << repeated(QStringLiteral("\u05E9\u05DC\u05D5\u05DD "), 32767);
}

// A motto as long as the input box takes is set, shown and read back without holding the GUI
// thread: its size is computed, not tried, and only the part that can be seen is laid out. The
// end of the line stands at the right edge, as for any line.
void TestStudyMotto::aVeryLongMottoIsFittedAtOnce()
{
    QFETCH(QString, first);
    TestApp app;
    auto *w = openStudy(app);
    app.ui().inputs = {first, QStringLiteral("短句")};
    GapProbe probe;
    QTest::qWait(30);
    probe.restart();
    QTest::mouseDClick(line(w, "lblpome1"), Qt::LeftButton);
    QTest::qWait(60);
    const qint64 setGap = probe.longestGapMs();
    const auto checkShown = [&](study::StudyWindow *window) {
        QCOMPARE(window->banner()->lines().first, first);
        const QString shown = line(window, "lblpome1")->text();
        QVERIFY2(shown.size() <= study::kMaxShownMottoUnits, qPrintable(QString::number(shown.size())));
        QVERIFY(first.endsWith(shown));
        QCOMPARE(line(window, "lblpome1")->font().pointSizeF(), 8.0);
        QCOMPARE(line(window, "lblpome2")->text(), QStringLiteral("短句"));
        checkPlacement(window);
    };
    checkShown(w);
    if (QTest::currentTestFailed())
        return;

    // What is saved comes back at the next opening; a line the file cannot hold was refused
    // with the warning, and the next opening shows the saved (here the default) lines.
    const bool saved = app.ui().messages.isEmpty();
    app.shell().switchTo(shell::Screen::Start);
    TestApp::settle();
    probe.restart();
    w = openStudy(app);
    QTest::qWait(60);
    const qint64 reopenGap = probe.longestGapMs();
    if (saved) {
        checkShown(w);
    } else {
        QVERIFY(app.ui().messages.first().message.text.contains(QStringLiteral("没有保存")));
        QCOMPARE(w->banner()->lines(), study::settings::defaultMotto());
    }
    qInfo("%s: longest event-loop gap %lld ms when set, %lld ms at reopening (%s)", QTest::currentDataTag(),
          setGap, reopenGap, saved ? "saved" : "not saved");
    QVERIFY2(setGap < GapProbe::kBlockedMs, qPrintable(QString::number(setGap)));
    QVERIFY2(reopenGap < GapProbe::kBlockedMs, qPrintable(QString::number(reopenGap)));
}

QTEST_MAIN(TestStudyMotto)
#include "tst_studymotto.moc"
