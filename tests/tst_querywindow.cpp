// The query window driven as a user drives it: typing, Enter, clicks, the pop-up menu and the
// saved display mode. Results are read back from the print areas, the lists and the labels.
#include "lexicon/lexicon.h"
#include "query/lookup.h"
#include "query/resultlayout.h"
#include "shell/workwindow.h"
#include "testapp.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/settingsfile.h"
#include "ui/shapeframe.h"
#include "ui/textcanvas.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString kNotFoundPrint = QStringLiteral("找不到所输入单词，下面显示模糊查询结果");
const QString kNothingAtAll =
    QStringLiteral("模糊查询也未能找到所输入的单词，也许该单词不属于标日初级词汇，没有资料。");
const QString kDone = QStringLiteral("搜索完毕");
const QString kStopped = QStringLiteral("目标词已找到，搜索中止！");
const QString kFuzzyHeader = QStringLiteral("下面显示模糊查询结果（包含刚才的查询结果）");

// A line of a print area as "column:text" items, easy to compare and to read in a failure.
QStringList items(const ui::TextRow &line)
{
    QStringList out;
    for (const ui::PlacedText &f : line)
        out << QString::number(f.column) + u':' + f.text;
    return out;
}

QList<QStringList> itemLines(const ui::TextCanvas *canvas)
{
    QList<QStringList> out;
    for (const ui::TextRow &line : canvas->lines())
        out << items(line);
    return out;
}

QString word(int slot, int field)
{
    return ciku::lexicon().text(slot, field);
}

// The print lines of hits as the result layout places them: an empty text is not written.
QList<QStringList> linesFor(const QList<query::Hit> &hits)
{
    QList<QStringList> out;
    for (const query::Hit &h : hits) {
        QStringList line;
        for (const ui::PlacedText &p : query::resultLine(ciku::lexicon(), h)) {
            if (!p.text.isEmpty())
                line << QString::number(p.column) + u':' + p.text;
        }
        out << line;
    }
    return out;
}

QList<query::Hit> fuzzy(const query::QueryTexts &t)
{
    ciku::fillLexicon();
    return query::containsLookup(ciku::lexicon(), t);
}

QList<query::Hit> exact(const query::QueryTexts &t)
{
    ciku::fillLexicon();
    return query::exactLookup(ciku::lexicon(), t);
}

// The controls of one opened query window.
struct Query {
    shell::WorkWindow *window = nullptr;
    QLineEdit *hanyu = nullptr;
    QLineEdit *riyu = nullptr;
    QLineEdit *dang = nullptr;
    QPushButton *chaxun = nullptr;
    QPushButton *mohu = nullptr;
    QRadioButton *way1 = nullptr;
    QRadioButton *way2 = nullptr;
    QPushButton *command1 = nullptr;
    ui::TextCanvas *showwords = nullptr;
    ui::TextCanvas *showwords2 = nullptr;
    QListWidget *list = nullptr;
    QListWidget *listno = nullptr;
    QLabel *info = nullptr;
    QLabel *label7 = nullptr;
    QLabel *heading[5]{};

    QAction *popupItem(const char *name) const { return findIn<QAction>(window->popout(), name); }
    QString headingText(int i) const { return heading[i]->text(); }
};

Query openQuery(TestApp &app)
{
    Query q;
    q.window = qobject_cast<shell::WorkWindow *>(openWindow(app, shell::Screen::Query));
    if (!q.window)
        return q;
    q.hanyu = findIn<QLineEdit>(q.window, "hanyu");
    q.riyu = findIn<QLineEdit>(q.window, "riyu");
    q.dang = findIn<QLineEdit>(q.window, "dang");
    q.chaxun = q.window->surface()->findChild<QPushButton *>(QStringLiteral("chaxun"));
    q.mohu = findIn<QPushButton>(q.window, "mohu");
    q.way1 = findIn<QRadioButton>(q.window, "way1");
    q.way2 = findIn<QRadioButton>(q.window, "way2");
    q.command1 = findIn<QPushButton>(q.window, "Command1");
    q.showwords = findIn<ui::TextCanvas>(q.window, "showwords");
    q.showwords2 = findIn<ui::TextCanvas>(q.window, "showwords2");
    q.list = findIn<QListWidget>(q.window, "List");
    q.listno = findIn<QListWidget>(q.window, "Listno");
    q.info = findIn<QLabel>(q.window, "info");
    q.label7 = findIn<QLabel>(q.window, "Label7");
    const char *names[] = {"l1", "l2", "l3", "l4", "l5"};
    for (int i = 0; i < 5; ++i)
        q.heading[i] = findIn<QLabel>(q.window, names[i]);
    return q;
}

// Clicks into an input and types, as with a keyboard and an input method.
void type(QLineEdit *input, const QString &text)
{
    QTest::mouseClick(input, Qt::LeftButton);
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(input, ch.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(ch));
            QCoreApplication::sendEvent(input, &commit);
        }
    }
}

void enter(QWidget *w)
{
    QTest::keyClick(w, Qt::Key_Return);
}

int twips(int t)
{
    return qRound(t / 15.0);
}

} // namespace

class TestQueryWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ciku::fillLexicon(); }

    // --- opening, display modes, the pop-up menu and the saved mode ---

    void opensWithOperatingNotesInThePrintDisplay()
    {
        TestApp app;
        Query q = openQuery(app);
        QVERIFY(q.window && q.hanyu && q.chaxun && q.showwords && q.list);
        QCOMPARE(q.window->windowTitle(), QStringLiteral("词帆  单词查询 "));

        // The operating notes, line for line: empty lines, a title at column 35, then texts
        // indented with blanks from column 1.
        const QList<QStringList> notes = itemLines(q.showwords);
        const QList<QStringList> expectedNotes{
            {},
            {},
            {},
            {QStringLiteral("35:操作简介")},
            {QStringLiteral("1:          当前为查询模式,可在此查询标准日本语初级单词。")},
            {QStringLiteral("1:          操作方法很简单，在相应的框里输入单词，然后回车便可以.    "
                            "比如:如果要汉译日查询，")},
            {QStringLiteral(
                "1:    就在“输入汉语”的框里输入中文意思，日译汉查询的话，在“输入日语”框里输入假名；")},
            {QStringLiteral(
                "1:    如果单词包含当用汉字，则在“输入当汉”内输入.输完按回车，如果找到该单词，便会在")},
            {QStringLiteral("1:    下面打印，搜索全部词库后，便打印出“搜索完毕”。")},
            {QStringLiteral("1:          支持模糊查询.")},
            {QStringLiteral("1:          操作极为简便.")},
            {QStringLiteral("1:          输入单词后不要按tab键，不然，小心刚刚输入的单词不翼而飞。嘿嘿。")},
            {},
            {QStringLiteral("1:          以上只是基本说明，如果仔细阅读帮助文档的话,使用起来将更加方便。")},
            {QStringLiteral(
                "1:说明：只能查询标日初级的词汇,还有此功能不是电子词典，所以功能比较简单.要求不要太高啊.")},
        };
        QCOMPARE(notes, expectedNotes);

        // Design state: print display, the notes lie over the heading row.
        QVERIFY(q.way1->isChecked());
        QVERIFY(q.showwords->isVisible());
        QVERIFY(!q.list->isVisible());
        QVERIFY(!q.showwords2->isVisible());
        QCOMPARE(q.showwords->y(), twips(1400));
        QCOMPARE(q.window->surface()->childAt(q.heading[1]->geometry().center()), q.showwords);

        QVERIFY(!q.chaxun->isEnabled());
        QVERIFY(q.chaxun->isDefault());
        QVERIFY(q.mohu->isHidden());
        QCOMPARE(q.mohu->toolTip(), QStringLiteral("查询包含所输入内容的所有单词"));
        QVERIFY(q.popupItem("poplist")->isVisible());
        QVERIFY(!q.popupItem("popprint")->isVisible());
        QCOMPARE(QApplication::focusWidget(), q.hanyu);

        // Enter before anything was typed does nothing: the button is still disabled.
        enter(q.hanyu);
        QCOMPARE(itemLines(q.showwords), notes);
    }

    void controlsAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twipsPlace");
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("color");
        const QColor none;
        auto row = [](const char *name, const char *caption, QRect place, const char *face, double points,
                      bool bold, QColor color) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption) << place
                                << QString::fromUtf8(face) << points << bold << color;
        };
        row("Label4", "输入汉语", {120, 45, 1305, 300}, "方正舒体", 15, false, QColor(0, 128, 128));
        row("hanyu", "", {1350, 0, 3000, 400}, "幼圆", 14.25, true, none);
        row("Label1", "输入日语", {105, 510, 1305, 300}, "方正舒体", 15, false, QColor(0, 0, 192));
        row("riyu", "", {1350, 465, 3000, 400}, "System", 12, true, none);
        row("Label2", "输入当汉", {120, 1005, 1305, 300}, "方正舒体", 15, false, QColor(192, 64, 0));
        row("dang", "", {1350, 960, 3000, 400}, "System", 12, true, none);
        row("mohu", "模糊查询", {5040, 0, 375, 1400}, "华文新魏", 14.25, false, none);
        row("Label5", "显示方式", {6690, 480, 1065, 240}, "幼圆", 12, true, QColor(128, 128, 255));
        row("way2", "列表(&X)", {5880, 840, 1275, 400}, "幼圆", 12, true, QColor(128, 0, 128));
        row("way1", "打印(&Z)", {7320, 840, 1275, 400}, "幼圆", 12, true, QColor(0, 128, 0));
        row("Command1", "保存设置", {8760, 920, 915, 250}, "", 0, false, none);
        row("Shape1", "", {9090, 60, 1335, 495}, "", 0, false, none);
        row("Label3", "退出", {9080, 100, 1455, 375}, "华文行楷", 21.75, false, QColor(0, 0, 192));
        row("info", "", {10440, 0, 255, 375}, "宋体", 36, false, none);
        row("l1", "汉语", {120, 1425, 600, 300}, "隶书", 15, false, QColor(0, 0, 128));
        row("l2", "日语", {3360, 1440, 525, 240}, "幼圆", 12, true, QColor(128, 0, 0));
        row("l3", "当用汉字形式", {5640, 1440, 1440, 255}, "华文行楷", 12, false, QColor(128, 128, 0));
        row("l4", "音调", {8880, 1440, 525, 240}, "楷体_GB2312", 12, true, QColor(128, 128, 255));
        row("l5", "词性", {9720, 1410, 480, 285}, "华文中宋", 12, false, QColor(192, 0, 192));
        // The print areas' Century Gothic: Nimbus Sans, whose width their columns were laid out for.
        row("showwords", "", {0, 1400, 10700, 5700}, "Nimbus Sans", 0, true, QColor(0, 128, 128));
        row("List", "", {120, 1440, 2295, 5580}, "System", 12, true, none);
        row("Listno", "", {120, 1460, 2295, 5460}, "", 0, false, none);
        row("Label7", "", {3600, 1700, 6000, 375}, "方正姚体", 14.25, false, QColor(192, 0, 0));
        row("showwords2", "", {3600, 2280, 6705, 3315}, "Nimbus Sans", 0, true, QColor(0, 128, 128));
    }
    void controlsAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, twipsPlace);
        QFETCH(QString, face);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(QColor, color);
        TestApp app;
        Query q = openQuery(app);
        auto *w = q.window->surface()->findChild<QWidget *>(name);
        QVERIFY(w);
        const QRect expected(twips(twipsPlace.x()), twips(twipsPlace.y()), twips(twipsPlace.width()),
                             twips(twipsPlace.height()));
        QCOMPARE(w->geometry(), expected);
        if (w->property("text").isValid())
            QCOMPARE(w->property("text").toString(), caption);
        // The installed face the font table gives for the named one (the kana and kanji inputs
        // in its Japanese face).
        if (!face.isEmpty())
            QCOMPARE(ui::inLanguage(w->font(), ui::TextLanguage::Chinese).families().value(0),
                     ui::designFont({face}, 12).families().value(0));
        if (points > 0)
            QCOMPARE(w->font().pointSizeF(), points);
        if (!face.isEmpty())
            QCOMPARE(w->font().bold(), ui::designFont({face}, 12, bold).bold());
        if (color.isValid()) {
            const QColor shown = qobject_cast<ui::TextCanvas *>(w)
                                     ? static_cast<ui::TextCanvas *>(w)->textColor()
                                     : ui::textColor(w);
            QCOMPARE(shown, color);
        }
        if (name == u"Shape1") {
            auto *shape = static_cast<ui::ShapeFrame *>(w);
            QCOMPARE(shape->borderColor(), QColor(255, 224, 192));
            QCOMPARE(shape->fillColor(), QColor(255, 255, 192));
        }
        if (name == u"info")
            QCOMPARE(ui::textColor(w), q.window->palette().color(QPalette::Window));
    }

    void clientAreaAndStackingAsDesigned()
    {
        TestApp app;
        Query q = openQuery(app);
        // 10725 x 7215 twips below the menu bar.
        QCOMPARE(q.window->surface()->size(), QSize(twips(10725), twips(7215)));
        // The exit label lies over its shape, the list over its number list.
        QWidget *s = q.window->surface();
        auto *label3 = findIn<QWidget>(q.window, "Label3");
        QCOMPARE(s->childAt(label3->geometry().center()), label3);
        QTest::mouseClick(q.way2, Qt::LeftButton);
        QCOMPARE(s->childAt(q.listno->geometry().center())->parentWidget(), q.list);
        QVERIFY(!q.listno->isHidden());
        // The chaxun button: disabled at first, its caption and face as designed.
        QCOMPARE(q.chaxun->geometry(), QRect(twips(4560), 0, twips(375), twips(1400)));
        QCOMPARE(q.chaxun->text(), QStringLiteral("查询"));
        QCOMPARE(q.chaxun->font().families(), ui::designFont({QStringLiteral("华文新魏")}, 15.75).families());
        QCOMPARE(q.chaxun->font().pointSizeF(), 15.75);
    }

    void popupMenuOrderAndModeItems()
    {
        TestApp app;
        Query q = openQuery(app);
        QStringList order;
        for (QAction *a : q.window->popout()->actions())
            order << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(order, (QStringList{"poplianxi", "popxuexi", "-", "popprint", "poplist", "setcolor", "-",
                                     "popbijiao", "-", "popexit", "-", "popyindiao"}));
        QCOMPARE(q.popupItem("setcolor")->text(), QStringLiteral("设置颜色"));

        q.popupItem("poplist")->trigger();
        QVERIFY(q.way2->isChecked());
        QVERIFY(q.list->isVisible());
        QVERIFY(!q.showwords->isVisible());
        for (QLabel *h : q.heading)
            QVERIFY(!h->isVisible());
        QVERIFY(q.popupItem("popprint")->isVisible());
        QVERIFY(!q.popupItem("poplist")->isVisible());

        q.popupItem("popprint")->trigger();
        QVERIFY(q.way1->isChecked());
        QVERIFY(q.showwords->isVisible());
        QVERIFY(q.heading[0]->isVisible());
        QVERIFY(!q.popupItem("popprint")->isVisible());
        QVERIFY(q.popupItem("poplist")->isVisible());

        // A right press on the print area opens the menu; a left click there does not.
        QTest::mouseClick(q.showwords, Qt::LeftButton, {}, QPoint(200, 200));
        QVERIFY(!q.window->popout()->isVisible());
        QTest::mousePress(q.showwords, Qt::RightButton, {}, QPoint(200, 200));
        QTRY_VERIFY(q.window->popout()->isVisible());
        QTest::mouseRelease(q.window->popout(), Qt::RightButton, {}, QPoint(-5, -5));
        QTest::keyClick(q.window->popout(), Qt::Key_Escape);
        QTRY_VERIFY(!q.window->popout()->isVisible());

        // So does a right press on the details area of the list display; a left click there
        // returns to the input in use.
        q.popupItem("poplist")->trigger();
        type(q.riyu, QStringLiteral("はい"));
        QTest::mouseClick(q.showwords2, Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(QApplication::focusWidget(), q.riyu);
        QCOMPARE(q.riyu->selectedText(), QStringLiteral("はい"));
        QVERIFY(!q.window->popout()->isVisible());
        QTest::mousePress(q.showwords2, Qt::RightButton, {}, QPoint(100, 100));
        QTRY_VERIFY(q.window->popout()->isVisible());
        QTest::mouseRelease(q.window->popout(), Qt::RightButton, {}, QPoint(-5, -5));
        QTest::keyClick(q.window->popout(), Qt::Key_Escape);
        QTRY_VERIFY(!q.window->popout()->isVisible());
        q.popupItem("popprint")->trigger();

        // The colour item is offered but changes nothing.
        const QList<QStringList> before = itemLines(q.showwords);
        q.popupItem("setcolor")->trigger();
        QCOMPARE(itemLines(q.showwords), before);
        QCOMPARE(app.ui().colorRequests, 0);
    }

    void exitLabelHoverAndClick()
    {
        TestApp app;
        Query q = openQuery(app);
        auto *label3 = findIn<QLabel>(q.window, "Label3");
        auto *shape1 = findIn<ui::ShapeFrame>(q.window, "Shape1");
        QVERIFY(label3 && shape1);
        QCOMPARE(ui::textColor(label3), QColor(0, 0, 192));

        hoverOver(label3);
        QCOMPARE(ui::textColor(label3), QColor(255, 0, 0));
        QCOMPARE(shape1->borderColor(), QColor(255, 255, 192));
        QCOMPARE(shape1->fillColor(), QColor(192, 255, 255));

        // Back over the empty background above the headings: the resting colours, the label's
        // text now in full blue.
        hoverOver(q.window->surface(), QPoint(560, 20));
        QCOMPARE(ui::textColor(label3), QColor(0, 0, 255));
        QCOMPARE(shape1->borderColor(), QColor(255, 224, 192));
        QCOMPARE(shape1->fillColor(), QColor(255, 255, 192));

        QTest::mouseClick(label3, Qt::LeftButton);
        QCOMPARE(app.quitCalls(), 1);
    }

    void savesListDisplayAsTheNumberTwo()
    {
        TestApp app;
        {
            Query q = openQuery(app);
            QTest::mouseClick(q.way2, Qt::LeftButton);
            QVERIFY(q.way2->isChecked());
            QTest::mouseClick(q.command1, Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), q.hanyu);
        }
        QFile file(app.path(QStringLiteral("sous/cx.dll")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("2\r\n"));
        file.close();

        // The next opening prints the notes, then switches to the list display.
        app.shell().switchTo(shell::Screen::Start);
        TestApp::settle();
        Query again = openQuery(app);
        QVERIFY(again.way2->isChecked());
        QVERIFY(again.list->isVisible());
        QVERIFY(!again.showwords->isVisible());
        QCOMPARE(again.showwords->lines().size(), 15);
        QVERIFY(again.popupItem("popprint")->isVisible());
        QVERIFY(!again.popupItem("poplist")->isVisible());

        // Saving the print display writes 1.
        QTest::mouseClick(again.way1, Qt::LeftButton);
        QTest::mouseClick(again.command1, Qt::LeftButton);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("1\r\n"));
    }

    void unreadableSavedModeKeepsThePrintDisplay_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("list");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("not a number") << QByteArray("abc\r\n") << false;
        QTest::newRow("one") << QByteArray("1\r\n") << false;
        QTest::newRow("three") << QByteArray("3\r\n") << false;
        QTest::newRow("two") << QByteArray("2\r\n") << true;
        // A quoted number is a text, as in every other settings file.
        QTest::newRow("quoted two") << QByteArray("\"2\"\r\n") << false;
    }
    void unreadableSavedModeKeepsThePrintDisplay()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, list);
        TestApp app;
        QFile file(app.path(QStringLiteral("sous/cx.dll")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        Query q = openQuery(app);
        QCOMPARE(q.way2->isChecked(), list);
        QCOMPARE(q.showwords->isVisible(), !list);
        QCOMPARE(q.popupItem("poplist")->isVisible(), !list);
        QCOMPARE(q.popupItem("popprint")->isVisible(), list);
    }

    void aPipeAsTheSavedModeDoesNotBlockOpening()
    {
        TestApp app;
        QCOMPARE(::mkfifo(QFile::encodeName(app.path(QStringLiteral("sous/cx.dll"))).constData(), 0600), 0);
        Query q = openQuery(app); // used to wait for a writer for ever
        QVERIFY(q.way1->isChecked());
        QVERIFY(q.showwords->isVisible());
    }

    void aSaveThatFailsMidwayKeepsTheFileAndSaysSo()
    {
        TestApp app;
        QFile file(app.path(QStringLiteral("sous/cx.dll")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1\r\n");
        file.close();
        Query q = openQuery(app);
        QTest::mouseClick(q.way2, Qt::LeftButton);
        ui::failSaveStepForTesting(ui::SaveStep::Write); // as on a full disk
        QTest::mouseClick(q.command1, Qt::LeftButton);
        ui::failSaveStepForTesting(std::nullopt);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("1\r\n"));
        file.close();
        // The warning names the cause: a full disk here, a missing folder next.
        QVERIFY(QDir(app.path(QStringLiteral("sous"))).removeRecursively());
        QTest::mouseClick(q.command1, Qt::LeftButton);
        QCOMPARE(app.ui().messages.size(), 2);
        QCOMPARE(app.ui().messages[0].message.icon, ui::Icon::Warning);
        const QString full = app.ui().messages[0].message.text;
        const QString missing = app.ui().messages[1].message.text;
        QVERIFY2(full.contains(QStringLiteral("（磁盘已满）")), qPrintable(full));
        QVERIFY2(missing.contains(QStringLiteral("（文件夹不存在）")), qPrintable(missing));
        QVERIFY2(missing.contains(QStringLiteral("cx.dll")), qPrintable(missing));
    }

    void savingWithoutTheSettingsFolderSaysSo()
    {
        TestApp app;
        QVERIFY(QDir(app.path(QStringLiteral("sous"))).removeRecursively());
        Query q = openQuery(app);
        QTest::mouseClick(q.way2, Qt::LeftButton);
        QTest::mouseClick(q.command1, Qt::LeftButton);
        QCOMPARE(app.ui().messages.size(), 1);
        QCOMPARE(app.ui().messages.first().message.icon, ui::Icon::Warning);
        // The box names the folder it could not write to (beside the program or the user's own).
        QVERIFY(app.ui().messages.first().message.text.contains(app.path(QStringLiteral("sous"))));
        QVERIFY(!QFile::exists(app.path(QStringLiteral("sous/cx.dll"))));
        QVERIFY(q.way2->isChecked());
    }

    // --- exact lookup in the print display ---

    void printLookupOfAMeaningUncoversAndPlacesTheHeadings()
    {
        TestApp app;
        Query q = openQuery(app);
        type(q.hanyu, QStringLiteral("学生"));
        QVERIFY(q.chaxun->isEnabled());
        enter(q.hanyu);

        const QList<query::Hit> hits = exact(query::QueryTexts{QStringLiteral("学生"), {}, {}});
        const QList<QStringList> lines = itemLines(q.showwords);
        QCOMPARE(lines.first(), (QStringList{"2:学生", "35:がくせい", "59:学生", "78:0", "82:名词"}));
        QCOMPARE(lines.mid(0, hits.size()), linesFor(hits));
        QCOMPARE(lines.mid(hits.size()), (QList<QStringList>{{}, {QStringLiteral("37:") + kDone}}));

        QCOMPARE(q.showwords->y(), twips(1800));
        QCOMPARE(q.headingText(0), QStringLiteral("汉语"));
        QCOMPARE(q.headingText(1), QStringLiteral("日语"));
        QCOMPARE(q.headingText(2), QStringLiteral("当用汉字形式"));
        QCOMPARE(q.heading[0]->x(), twips(120));
        QCOMPARE(q.heading[1]->x(), twips(4100));
        QCOMPARE(q.heading[2]->x(), twips(6720));
        QCOMPARE(q.heading[3]->x(), twips(8880));
        QCOMPARE(q.heading[4]->x(), twips(9720));
        // Uncovered, and each heading stands over its column.
        for (QLabel *h : q.heading)
            QCOMPARE(q.window->surface()->childAt(h->geometry().center()), h);
        // Each field starts under its heading: from a little before its left edge to its right edge.
        const int columns[] = {2, 35, 59, 78, 82};
        const qreal columnWidth = q.showwords->columnX(2);
        for (int i = 0; i < 5; ++i) {
            const qreal x = q.showwords->x() + q.showwords->columnX(columns[i]);
            const QRect h = q.heading[i]->geometry();
            QVERIFY2(x >= h.left() - 2 * columnWidth && x <= h.right(),
                     qPrintable(QStringLiteral("heading %1 spans %2-%3, column at %4")
                                    .arg(i)
                                    .arg(h.left())
                                    .arg(h.right())
                                    .arg(x)));
        }

        QVERIFY(!q.mohu->isHidden());
        QVERIFY(q.mohu->isDefault());
        QVERIFY(!q.chaxun->isDefault());
        QCOMPARE(QApplication::focusWidget(), q.hanyu);
        QCOMPARE(q.hanyu->selectedText(), QStringLiteral("学生"));
        QCOMPARE(app.ui().beeps, 0);
        QVERIFY(app.ui().messages.isEmpty());
    }

    void printLookupOfKanaDashesTheMarkers()
    {
        TestApp app;
        Query q = openQuery(app);
        type(q.riyu, QStringLiteral("はい"));
        enter(q.riyu);
        const QList<QStringList> lines = itemLines(q.showwords);
        QCOMPARE(lines.first(), (QStringList{"2:はい", "26:-----", "45:是的", "77:1", "82:感叹"}));
        QCOMPARE(q.headingText(0), QStringLiteral("假名"));
        QCOMPARE(q.headingText(1), QStringLiteral("当用汉字形式"));
        QCOMPARE(q.headingText(2), QStringLiteral("汉语"));
        QCOMPARE(q.heading[0]->x(), twips(120));
        QCOMPARE(q.heading[1]->x(), twips(2940));
        QCOMPARE(q.heading[2]->x(), twips(5250));
        QCOMPARE(q.headingText(3), QStringLiteral("音调"));
        QCOMPARE(q.headingText(4), QStringLiteral("词性"));

        // A Chinese lookup afterwards restores the captions and places; the marker stays as stored.
        type(q.hanyu, QStringLiteral("是的"));
        QVERIFY(q.riyu->text().isEmpty());
        enter(q.hanyu);
        QCOMPARE(itemLines(q.showwords).first(),
                 (QStringList{"2:是的", "35:はい", "59:空缺", "78:1", "82:感叹"}));
        QCOMPARE(q.headingText(0), QStringLiteral("汉语"));
        QCOMPARE(q.headingText(1), QStringLiteral("日语"));
        QCOMPARE(q.headingText(2), QStringLiteral("当用汉字形式"));
        QCOMPARE(q.heading[1]->x(), twips(4100));
        QCOMPARE(q.heading[2]->x(), twips(6720));

        // A kanji lookup sets its own row, and the kanji column shows the form as stored.
        type(q.dang, QStringLiteral("学校"));
        enter(q.dang);
        QCOMPARE(itemLines(q.showwords).first(), linesFor({{45, query::Source::Kanji}}).first());
        QCOMPARE(q.headingText(0), QStringLiteral("当用汉字形式"));
        QCOMPARE(q.headingText(1), QStringLiteral("假名"));
        QCOMPARE(q.heading[1]->x(), twips(2300));
        QCOMPARE(q.heading[2]->x(), twips(5300));
    }

    void blanksAroundAreIgnoredButNotInside_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("found");
        QTest::newRow("blanks around") << QStringLiteral("  学生 ") << true;
        QTest::newRow("blank inside") << QStringLiteral("学 生") << false;
        QTest::newRow("full-width space") << QStringLiteral("学生\u3000") << false;
    }
    void blanksAroundAreIgnoredButNotInside()
    {
        QFETCH(QString, typed);
        QFETCH(bool, found);
        TestApp app;
        Query q = openQuery(app);
        type(q.hanyu, typed);
        QCOMPARE(q.hanyu->text(), typed);
        enter(q.hanyu);
        const QList<QStringList> lines = itemLines(q.showwords);
        if (found) {
            QCOMPARE(lines.first(), linesFor({{3, query::Source::Meaning}}).first());
            QCOMPARE(lines.last(), QStringList{QStringLiteral("37:") + kDone});
        } else {
            QVERIFY(exact(query::QueryTexts{typed, {}, {}}).isEmpty());
            QVERIFY(fuzzy(query::QueryTexts{typed, {}, {}}).isEmpty());
            QCOMPARE(lines, (QList<QStringList>{{QStringLiteral("32:") + kNotFoundPrint},
                                                {},
                                                {QStringLiteral("7:") + kNothingAtAll}}));
            QCOMPARE(app.ui().beeps, 1);
            QVERIFY(q.mohu->isHidden());
            QVERIFY(q.chaxun->isDefault());
        }
    }

    void hiraganaDoesNotFindAKatakanaWord()
    {
        TestApp app;
        Query q = openQuery(app);
        type(q.riyu, QStringLiteral("あめりか"));
        enter(q.riyu);
        const QStringList text = q.showwords->textLines();
        QVERIFY(!text.join(u'\n').contains(QStringLiteral("アメリカ")));
        QCOMPARE(itemLines(q.showwords).first(), QStringList{QStringLiteral("32:") + kNotFoundPrint});

        type(q.riyu, QStringLiteral("アメリカ"));
        enter(q.riyu);
        QCOMPARE(itemLines(q.showwords).first(), linesFor({{18, query::Source::Kana}}).first());
    }

    // "罗马字输入(F8)" on (sous/roma.dll holds 1): the kana box turns rōmaji into kana as it is
    // typed, Enter finishes the tail and looks the kana up; F8 turns it off and saves 0.
    void romajiTypingInTheKanaBox()
    {
        TestApp app;
        QVERIFY(ui::writeSettingsFile(app.path(QStringLiteral("sous/roma.dll")), {ui::SettingsValue(1LL)}));
        Query q = openQuery(app);
        QAction *roma = findIn<QAction>(q.window, "luomazi");
        QVERIFY(roma);
        QCOMPARE(roma->text(), QStringLiteral("罗马字输入(F8)"));
        QVERIFY(roma->isChecked());

        QTest::mouseClick(q.riyu, Qt::LeftButton);
        QTest::keyClicks(q.riyu, QStringLiteral("ho"));
        QCOMPARE(q.riyu->text(), QStringLiteral("ほ"));
        QTest::keyClick(q.riyu, 'n');
        QCOMPARE(q.riyu->text(), QStringLiteral("ほn")); // n could still become な…
        enter(q.riyu);
        QCOMPARE(q.riyu->text(), QStringLiteral("ほん"));
        QCOMPARE(itemLines(q.showwords).first(),
                 linesFor(exact({QString(), QStringLiteral("ほん"), QString()})).first());

        // Backspace takes one character: a kana, or a letter of the tail.
        type(q.riyu, QStringLiteral("kyo"));
        QCOMPARE(q.riyu->text(), QStringLiteral("きょ"));
        QTest::keyClick(q.riyu, Qt::Key_Backspace);
        QCOMPARE(q.riyu->text(), QStringLiteral("き"));
        QTest::keyClicks(q.riyu, QStringLiteral("sh"));
        QCOMPARE(q.riyu->text(), QStringLiteral("きsh"));
        QTest::keyClick(q.riyu, Qt::Key_Backspace);
        QCOMPARE(q.riyu->text(), QStringLiteral("きs"));

        // A pasted text converts whole; upper case is katakana.
        QApplication::clipboard()->setText(QStringLiteral("AMERIKA"));
        q.riyu->selectAll();
        QTest::keyClick(q.riyu, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(q.riyu->text(), QStringLiteral("アメリカ"));
        enter(q.riyu);
        QCOMPARE(itemLines(q.showwords).first(), linesFor({{18, query::Source::Kana}}).first());

        // The other boxes never convert.
        type(q.hanyu, QStringLiteral("ka"));
        QCOMPARE(q.hanyu->text(), QStringLiteral("ka"));

        // F8: off, saved as 0; the kana box is a plain box again.
        QTest::keyClick(q.window, Qt::Key_F8);
        QVERIFY(!roma->isChecked());
        QFile file(app.path(QStringLiteral("sous/roma.dll")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("0\r\n"));
        type(q.riyu, QStringLiteral("ka"));
        QCOMPARE(q.riyu->text(), QStringLiteral("ka"));

        // Without the file the entry starts off.
        QVERIFY(QFile::remove(app.path(QStringLiteral("sous/roma.dll"))));
        app.shell().switchTo(shell::Screen::Start);
        TestApp::settle();
        Query again = openQuery(app);
        QVERIFY(!findIn<QAction>(again.window, "luomazi")->isChecked());
        type(again.riyu, QStringLiteral("hon"));
        enter(again.riyu);
        QCOMPARE(again.riyu->text(), QStringLiteral("hon"));
    }

    void testWordsAboveTheSearchedSlotsAreNotFound()
    {
        TestApp app;
        Query q = openQuery(app);
        QCOMPARE(word(1613, 3), QStringLiteral("777"));
        type(q.dang, QStringLiteral("777"));
        enter(q.dang);
        QCOMPARE(itemLines(q.showwords).last(), QStringList{QStringLiteral("7:") + kNothingAtAll});
        QVERIFY(!q.showwords->textLines().join(u'\n').contains(QStringLiteral("形容动词")));
    }

    void emptiedInputAsksForAWord()
    {
        TestApp app;
        Query q = openQuery(app);
        type(q.hanyu, QStringLiteral("x"));
        QTest::keyClick(q.hanyu, Qt::Key_Backspace);
        QVERIFY(q.hanyu->text().isEmpty());
        QVERIFY(q.chaxun->isEnabled());
        enter(q.hanyu);
        QCOMPARE(itemLines(q.showwords),
                 (QList<QStringList>{{}, {}, {QStringLiteral("1:请输入要查询的单词")}}));
        // Nothing else changes: the print area still covers the headings, no fuzzy button.
        QCOMPARE(q.showwords->y(), twips(1400));
        QCOMPARE(q.headingText(0), QStringLiteral("汉语"));
        QVERIFY(q.mohu->isHidden());
        QVERIFY(q.chaxun->isDefault());
        QCOMPARE(QApplication::focusWidget(), q.hanyu);
    }

    void blanksOnlyHitEveryUnfilledSlot()
    {
        TestApp app;
        Query q = openQuery(app);
        type(q.hanyu, QStringLiteral("   "));
        app.ui().answers = {ui::Answer::Yes};
        enter(q.hanyu);
        const query::QueryTexts texts{QStringLiteral("   "), {}, {}};
        const QList<query::Hit> hits = exact(texts);
        const QList<query::Hit> all = fuzzy(texts);
        QVERIFY(all.size() >= 104);
        if (hits.isEmpty()) {
            // Every meaning in 1-1513 is filled: nothing equals the empty text, so the lookup
            // falls back to containment, which every filled word satisfies, fifteen to a screen.
            QCOMPARE(app.ui().messages.size(), 1);
            QList<QStringList> expected{{QStringLiteral("32:") + kNotFoundPrint}};
            expected << linesFor(all.mid(0, 15));
            expected << QStringList{} << QStringList{QStringLiteral("29:") + kStopped};
            QCOMPARE(itemLines(q.showwords), expected);
            QVERIFY(q.mohu->isHidden());
            QVERIFY(q.chaxun->isDefault());
            return;
        }
        const QList<QStringList> lines = itemLines(q.showwords);
        QCOMPARE(lines.size(), hits.size() + 2);
        QCOMPARE(lines.last(), QStringList{QStringLiteral("37:") + kDone});
        QVERIFY(app.ui().messages.isEmpty()); // the exact lookup never pages
        QVERIFY(q.mohu->isDefault());

        // The fuzzy button then finds every filled word, fifteen to a screen; stop at the first.
        app.ui().answers = {ui::Answer::Yes};
        enter(q.hanyu);
        QCOMPARE(app.ui().messages.size(), 1);
        QList<QStringList> expected{{QStringLiteral("23:") + kFuzzyHeader}};
        expected << linesFor(all.mid(0, 15));
        expected << QStringList{} << QStringList{QStringLiteral("29:") + kStopped};
        QCOMPARE(itemLines(q.showwords), expected);
        QVERIFY(q.mohu->isHidden());
        QVERIFY(q.chaxun->isDefault());
    }

    // --- fuzzy lookup, paging and the default button ---

    void singleCharacterFallsBackToContainment()
    {
        TestApp app;
        Query q = openQuery(app);
        type(q.hanyu, QStringLiteral("学"));
        app.ui().answers = {ui::Answer::Yes}; // stop at the first screen when there are more
        enter(q.hanyu);
        const query::QueryTexts texts{QStringLiteral("学"), {}, {}};
        const QList<query::Hit> hits = fuzzy(texts);
        QCOMPARE(app.ui().beeps, 1);
        QList<query::Hit> firstSeven;
        for (const query::Hit &h : hits.mid(0, 7))
            firstSeven << h;
        QCOMPARE(linesFor(firstSeven), linesFor({{3, query::Source::Meaning},
                                                 {4, query::Source::Meaning},
                                                 {15, query::Source::Meaning},
                                                 {28, query::Source::Meaning},
                                                 {45, query::Source::Meaning},
                                                 {68, query::Source::Meaning},
                                                 {98, query::Source::Meaning}}));
        const QList<QStringList> lines = itemLines(q.showwords);
        QCOMPARE(lines.first(), QStringList{QStringLiteral("32:") + kNotFoundPrint});
        if (hits.size() < 15) {
            QList<QStringList> expected{{QStringLiteral("32:") + kNotFoundPrint}};
            expected << linesFor(hits) << QStringList{} << QStringList{QStringLiteral("37:") + kDone};
            QCOMPARE(lines, expected);
            QVERIFY(app.ui().messages.isEmpty());
        } else {
            QCOMPARE(lines.mid(1, 7), linesFor(firstSeven));
        }
        QVERIFY(q.mohu->isHidden());
        QVERIFY(q.chaxun->isDefault());
    }

    void enterCyclesExactFuzzyExact()
    {
        TestApp app;
        Query q = openQuery(app);
        type(q.hanyu, QStringLiteral("学生"));
        enter(q.hanyu);
        QCOMPARE(itemLines(q.showwords).first(), linesFor({{3, query::Source::Meaning}}).first());
        QVERIFY(q.mohu->isDefault());

        enter(q.hanyu); // the fuzzy lookup
        const QList<query::Hit> hits = fuzzy(query::QueryTexts{QStringLiteral("学生"), {}, {}});
        QVERIFY(hits.size() >= 2);
        QCOMPARE(hits.mid(0, 2),
                 (QList<query::Hit>{{3, query::Source::Meaning}, {4, query::Source::Meaning}}));
        const QList<QStringList> lines = itemLines(q.showwords);
        QCOMPARE(lines.first(), QStringList{QStringLiteral("23:") + kFuzzyHeader});
        QCOMPARE(lines.mid(1, 2), linesFor(hits.mid(0, 2)));
        if (hits.size() < 15) {
            QCOMPARE(lines.size(), hits.size() + 3);
            QCOMPARE(lines.last(), QStringList{QStringLiteral("37:") + kDone});
        }
        QVERIFY(q.mohu->isHidden());
        QVERIFY(q.chaxun->isDefault());
        QCOMPARE(QApplication::focusWidget(), q.hanyu);

        enter(q.hanyu); // exact again
        QCOMPARE(itemLines(q.showwords).first(), linesFor({{3, query::Source::Meaning}}).first());
        QVERIFY(q.mohu->isDefault());

        // Typing re-arms the exact lookup.
        QTest::keyClick(q.hanyu, Qt::Key_End);
        QTest::keyClick(q.hanyu, Qt::Key_Backspace);
        QVERIFY(q.mohu->isHidden());
        QVERIFY(q.chaxun->isDefault());
    }

    void pagingQuestionAnsweredYesStops()
    {
        TestApp app;
        Query q = openQuery(app);
        QList<QStringList> atQuestion;
        app.ui().onMessage = [&](const ui::Message &) { atQuestion = itemLines(q.showwords); };
        app.ui().answers = {ui::Answer::Yes};
        type(q.riyu, QStringLiteral("し"));
        enter(q.riyu);

        QCOMPARE(app.ui().messages.size(), 1);
        const ui::Message &m = app.ui().messages.first().message;
        QCOMPARE(m.icon, ui::Icon::Warning);
        QCOMPARE(m.buttons, ui::Buttons::YesNo);
        QCOMPARE(m.title, QStringLiteral("提醒"));
        QCOMPARE(m.text, QStringList({QStringLiteral("由于符合搜索条件的单词较多，一屏无法完全显示，"),
                                      QStringLiteral("请查找当前打印出的单词有没有要查找的，"),
                                      QStringLiteral("如果有，请点击“是”结束查找，"),
                                      QStringLiteral("没有，请点击“否”显示下一屏。"),
                                      QStringLiteral("如果此消息框遮挡住了单词,可以将它拖到一边。")})
                             .join(QStringLiteral("\n\r")));

        QList<query::Hit> first15;
        for (int slot : {1, 2, 5, 8, 9, 21, 24, 26, 29, 47, 50, 58, 69, 87, 101})
            first15 << query::Hit{slot, query::Source::Kana};
        QList<QStringList> screen{{QStringLiteral("32:") + kNotFoundPrint}};
        screen << linesFor(first15);
        QCOMPARE(atQuestion, screen);
        screen << QStringList{} << QStringList{QStringLiteral("29:") + kStopped};
        QCOMPARE(itemLines(q.showwords), screen);
        QCOMPARE(q.headingText(0), QStringLiteral("假名"));
        QVERIFY(q.mohu->isHidden());

        // The whole screen can be read: the fifteen lines the question asks about and the stop
        // line below them lie above the bottom edge of the window.
        const int bottom = q.showwords->y() + q.showwords->lineCount() * q.showwords->lineHeight();
        QVERIFY2(bottom <= q.window->surface()->height(),
                 qPrintable(QStringLiteral("last line ends at %1, window area ends at %2")
                                .arg(bottom)
                                .arg(q.window->surface()->height())));
    }

    void pagingQuestionAnsweredNoShowsTheNextScreen()
    {
        TestApp app;
        Query q = openQuery(app);
        // Each full screen, its first one with the line above the hits, and the closing lines
        // after it stand inside the window.
        const auto linesFit = [&](qsizetype extra) {
            return q.showwords->y() + (q.showwords->lineCount() + extra) * q.showwords->lineHeight() <=
                   q.showwords->parentWidget()->height();
        };
        app.ui().onMessage = [&](const ui::Message &) { QVERIFY(linesFit(2)); };
        type(q.riyu, QStringLiteral("し"));
        enter(q.riyu); // every question is answered No
        QVERIFY(linesFit(0));

        const QList<query::Hit> hits = fuzzy(query::QueryTexts{{}, QStringLiteral("し"), {}});
        QVERIFY(hits.size() >= 15);
        QCOMPARE(app.ui().messages.size(), hits.size() / 15);
        const qsizetype rest = hits.size() % 15;
        QList<QStringList> expected = linesFor(hits.mid(hits.size() - rest));
        // No on a last screen used up exactly says the word is not among the hits.
        expected << QStringList{}
                 << QStringList{rest == 0 ? QStringLiteral("7:") + kNothingAtAll
                                          : QStringLiteral("37:") + kDone};
        QCOMPARE(itemLines(q.showwords), expected);
    }

    void everyHitLineStaysOnOneLine()
    {
        // A text wider than its column is drawn narrower rather than pushing the next one to a
        // line of its own, so fifteen hits always take fifteen lines; it stays readable.
        TestApp app;
        Query q = openQuery(app);
        ciku::fillLexicon();
        const qreal fullSize = QFontInfo(q.showwords->font()).pointSizeF();
        for (int slot = 1; slot <= query::kLastSearchedSlot; ++slot) {
            for (query::Source s : query::kSources) {
                const ui::TextRow row = query::resultLine(ciku::lexicon(), query::Hit{slot, s});
                q.showwords->clear();
                ui::writeRowInColumns(*q.showwords, row);
                QVERIFY2(q.showwords->lineCount() == 1, qPrintable(QString::number(slot)));
                for (qsizetype i = 0; i + 1 < row.size(); ++i) {
                    const qreal room =
                        q.showwords->columnX(row[i + 1].column) - q.showwords->columnX(row[i].column);
                    QVERIFY2(QFontInfo(q.showwords->fittedFont(row[i].text, room)).pointSizeF() >=
                                 0.6 * fullSize,
                             qPrintable(row[i].text));
                }
            }
        }
    }

    void fallbackFillingItsLastScreenExactlyAndAnsweredNoFindsNothing()
    {
        // A kana text whose exact lookup finds nothing and whose fuzzy hits fill whole screens:
        // a single kana, else two in a row, as they stand in the word table.
        QString kana;
        qsizetype count = 0;
        for (int length = 1; length <= 2 && kana.isEmpty(); ++length) {
            for (int slot = 1; slot <= 1513 && kana.isEmpty(); ++slot) {
                const QString reading = word(slot, 2);
                for (qsizetype at = 0; at + length <= reading.size() && kana.isEmpty(); ++at) {
                    const query::QueryTexts t{{}, reading.mid(at, length), {}};
                    count = fuzzy(t).size();
                    if (exact(t).isEmpty() && count % 15 == 0)
                        kana = t.kana;
                }
            }
        }
        QVERIFY2(!kana.isEmpty(), "no kana text in the word table has a multiple of 15 fuzzy hits");
        TestApp app;
        Query q = openQuery(app);
        type(q.riyu, kana);
        enter(q.riyu); // every question is answered No
        QCOMPARE(app.ui().messages.size(), count / 15);
        QCOMPARE(itemLines(q.showwords), (QList<QStringList>{{}, {QStringLiteral("7:") + kNothingAtAll}}));
    }

    void switchingTheDisplayRearmsTheExactLookup()
    {
        TestApp app;
        Query q = openQuery(app);
        type(q.hanyu, QStringLiteral("学生"));
        enter(q.hanyu);
        QVERIFY(q.mohu->isDefault());
        const QList<QStringList> printed = itemLines(q.showwords);

        QTest::mouseClick(q.way2, Qt::LeftButton);
        QVERIFY(q.mohu->isHidden());
        QVERIFY(q.chaxun->isDefault());
        QCOMPARE(QApplication::focusWidget(), q.hanyu);

        // List display: exact hit shows the fuzzy button, Enter runs it, then the exact one again.
        enter(q.hanyu);
        QCOMPARE(q.list->count(), exact(query::QueryTexts{QStringLiteral("学生"), {}, {}}).size());
        QVERIFY(q.mohu->isVisible());
        QVERIFY(q.mohu->isDefault());
        QCOMPARE(QApplication::focusWidget(), q.list);
        enter(q.list);
        const QList<query::Hit> hits = fuzzy(query::QueryTexts{QStringLiteral("学生"), {}, {}});
        QCOMPARE(q.list->count(), hits.size());
        QCOMPARE(q.list->item(1)->text(), QStringLiteral("留学生"));
        QCOMPARE(q.listno->item(1)->text(), QStringLiteral("4"));
        QCOMPARE(q.label7->text(), QStringLiteral("当前为模糊查询结果（包含刚才的查询结果）"));
        QCOMPARE(ui::textColor(q.label7), QColor(128, 128, 0));
        QVERIFY(q.mohu->isHidden());
        QVERIFY(q.chaxun->isDefault());
        enter(q.hanyu);
        QVERIFY(q.mohu->isDefault());

        // Back to print: the fuzzy button goes, the status line empties, both areas kept.
        QTest::mouseClick(q.way1, Qt::LeftButton);
        QVERIFY(q.mohu->isHidden());
        QVERIFY(q.chaxun->isDefault());
        QVERIFY(q.label7->text().isEmpty());
        QCOMPARE(itemLines(q.showwords), printed);
        const int listed = q.list->count();
        QTest::mouseClick(q.way2, Qt::LeftButton);
        QCOMPARE(q.list->count(), listed);
    }

    void movingToAnotherInputEmptiesTheOthers()
    {
        TestApp app;
        Query q = openQuery(app);
        type(q.hanyu, QStringLiteral("学生"));
        enter(q.hanyu);
        QVERIFY(q.mohu->isDefault());
        QTest::mouseClick(q.riyu, Qt::LeftButton);
        QVERIFY(q.hanyu->text().isEmpty());
        QVERIFY(q.mohu->isHidden());
        QVERIFY(q.chaxun->isDefault());
        type(q.riyu, QStringLiteral("はい"));
        QTest::keyClick(q.riyu, Qt::Key_Tab); // on to dang
        QCOMPARE(QApplication::focusWidget(), q.dang);
        QVERIFY(q.riyu->text().isEmpty());

        // Clicking the print area returns to the input in use with its text selected.
        type(q.dang, QStringLiteral("本"));
        QTest::mouseClick(q.showwords, Qt::LeftButton, {}, QPoint(300, 200));
        QCOMPARE(QApplication::focusWidget(), q.dang);
        QCOMPARE(q.dang->selectedText(), QStringLiteral("本"));

        // A click into the input in use selects its whole text, so the next word replaces it.
        QTest::keyClick(q.dang, Qt::Key_End);
        QVERIFY(q.dang->selectedText().isEmpty());
        QTest::mouseClick(q.dang, Qt::LeftButton);
        QCOMPARE(q.dang->selectedText(), QStringLiteral("本"));
        type(q.dang, QStringLiteral("学"));
        QCOMPARE(q.dang->text(), QStringLiteral("学"));
    }

    // --- list display ---

    // With "显示音调线" on, the kana of a printed hit and of the details carry the contour.
    void pitchContourInBothDisplays()
    {
        TestApp app;
        Query q = openQuery(app);
        type(q.riyu, QStringLiteral("わたし"));
        enter(q.riyu);
        QVERIFY(q.showwords->pitchContours().isEmpty());
        QAction *item = q.popupItem("popyindiao");
        item->trigger();
        QVERIFY(item->isChecked());
        const QList<ui::PitchContour> printed = q.showwords->pitchContours();
        QVERIFY(!printed.isEmpty());
        QCOMPARE(printed.first().moraHigh, (QList<bool>{false, true, true}));
        QCOMPARE(printed.first().morae.first().left(),
                 q.showwords->columnX(query::kanaColumn(query::Source::Kana)));

        q.popupItem("poplist")->trigger();
        type(q.hanyu, QStringLiteral("学生"));
        enter(q.hanyu);
        const QList<ui::PitchContour> detailed = q.showwords2->pitchContours();
        QCOMPARE(detailed.size(), 1); // がくせい, 0
        QCOMPARE(detailed.first().moraHigh, (QList<bool>{false, true, true, true}));
        QCOMPARE(detailed.first().morae.first().left(), q.showwords2->columnX(15));

        item->trigger();
        QVERIFY(q.showwords2->pitchContours().isEmpty());
        QVERIFY(q.showwords->pitchContours().isEmpty());
    }

    void listDisplayShowsTheDetailsOfTheFirstHit()
    {
        TestApp app;
        Query q = openQuery(app);
        QTest::mouseClick(q.way2, Qt::LeftButton);
        type(q.hanyu, QStringLiteral("学生"));
        enter(q.hanyu);
        QCOMPARE(q.list->item(0)->text(), QStringLiteral("学生"));
        QCOMPARE(q.listno->item(0)->text(), QStringLiteral("3"));
        QCOMPARE(q.listno->count(), q.list->count());
        QCOMPARE(q.info->text(), QStringLiteral("1"));
        QCOMPARE(q.list->currentRow(), 0);
        QCOMPARE(QApplication::focusWidget(), q.list);
        QCOMPARE(itemLines(q.showwords2), (QList<QStringList>{{"1:汉语", "15:学生"},
                                                              {},
                                                              {"1:日语", "15:がくせい"},
                                                              {},
                                                              {"1:当用汉字", "15:学生"},
                                                              {},
                                                              {"1:音调", "15:0"},
                                                              {},
                                                              {"1:词性", "15:名词"}}));
        QVERIFY(q.mohu->isDefault());
        QVERIFY(q.label7->text().isEmpty());

        // Typing clears the list and the details.
        type(q.hanyu, QStringLiteral("x"));
        QCOMPARE(q.list->count(), 0);
        QCOMPARE(q.listno->count(), 0);
        QCOMPARE(q.showwords2->lines().size(), 0);
    }

    void listDisplayKanjiContainmentAndSelection()
    {
        TestApp app;
        Query q = openQuery(app);
        QTest::mouseClick(q.way2, Qt::LeftButton);
        type(q.dang, QStringLiteral("日"));
        enter(q.dang);
        QCOMPARE(q.label7->text(), QStringLiteral("找不到所输入单词，下面显示模糊查询结果。"));
        QCOMPARE(ui::textColor(q.label7), QColor(192, 0, 0));
        QCOMPARE(app.ui().beeps, 1);
        const QList<query::Hit> hits = fuzzy(query::QueryTexts{{}, {}, QStringLiteral("日")});
        QCOMPARE(q.list->count(), hits.size());
        QStringList first11;
        for (int i = 0; i < 11; ++i)
            first11 << q.list->item(i)->text();
        QStringList expected;
        for (int slot : {12, 76, 77, 78, 79, 80, 81, 82, 92, 99, 102})
            expected << word(slot, 3);
        QCOMPARE(first11, expected);
        QCOMPARE(q.info->text(), QStringLiteral("3"));
        QCOMPARE(q.list->currentRow(), 0);
        QCOMPARE(itemLines(q.showwords2).first(), (QStringList{"1:当用汉字", "15:日本"}));
        QCOMPARE(itemLines(q.showwords2).at(2), (QStringList{"1:日语", "15:にほん"}));
        QVERIFY(q.mohu->isHidden());

        // Selecting another line shows its details in the same layout.
        QTest::keyClick(q.list, Qt::Key_Down);
        QCOMPARE(q.list->currentRow(), 1);
        QCOMPARE(itemLines(q.showwords2).first(), (QStringList{"1:当用汉字", "15:昨日"}));
        QCOMPARE(itemLines(q.showwords2).at(4), (QStringList{"1:汉语", "15:昨天"}));

        // A kana hit dashes the marker in the details.
        type(q.riyu, QStringLiteral("はい"));
        enter(q.riyu);
        QCOMPARE(q.info->text(), QStringLiteral("2"));
        QCOMPARE(itemLines(q.showwords2).at(2), (QStringList{"1:当用汉字", "15:-----"}));
    }

    void listDisplayWithNothingFound()
    {
        TestApp app;
        Query q = openQuery(app);
        QTest::mouseClick(q.way2, Qt::LeftButton);
        type(q.hanyu, QStringLiteral("企鹅"));
        enter(q.hanyu);
        QCOMPARE(q.label7->text(), QStringLiteral("找不到所输入单词，下面显示模糊查询结果。"));
        QCOMPARE(q.list->count(), 0);
        QCOMPARE(itemLines(q.showwords2),
                 (QList<QStringList>{{QStringLiteral("1:模糊查询也找不到所要查询的单词，")},
                                     {QStringLiteral("1:也许该单词不属于初级词库，没有资料。")}}));
        QCOMPARE(QApplication::focusWidget(), q.hanyu);
        QCOMPARE(q.hanyu->selectedText(), QStringLiteral("企鹅"));
        QVERIFY(q.mohu->isHidden());
        QVERIFY(app.ui().messages.isEmpty());
        QCOMPARE(app.ui().beeps, 2); // one for the fallback, one for nothing at all

        // Empty input in the list display asks for a word in the details area.
        QTest::keyClick(q.hanyu, Qt::Key_Backspace);
        enter(q.hanyu);
        QCOMPARE(itemLines(q.showwords2),
                 (QList<QStringList>{{}, {}, {QStringLiteral("1:请输入要查询的单词")}}));
    }

    void listDisplayReachesBeyondTheBuiltInWords()
    {
        ciku::fillLexicon();
        int high = 0;
        for (int slot = query::kLastSearchedSlot; slot > 104 && high == 0; --slot) {
            if (!word(slot, 2).isEmpty())
                high = slot;
        }
        if (high == 0)
            QSKIP("No word above slot 104 is in the table yet; lessons 5-49 are still to come.");
        TestApp app;
        Query q = openQuery(app);
        QTest::mouseClick(q.way2, Qt::LeftButton);
        type(q.riyu, word(high, 2));
        enter(q.riyu);
        QStringList numbers;
        for (int i = 0; i < q.listno->count(); ++i)
            numbers << q.listno->item(i)->text();
        QVERIFY2(numbers.contains(QString::number(high)), qPrintable(numbers.join(u',')));
        for (const QString &n : numbers)
            QVERIFY(n.toInt() <= query::kLastSearchedSlot);
    }
};

QTEST_MAIN(TestQueryWindow)
#include "tst_querywindow.moc"
