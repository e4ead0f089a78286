// The kana comparison window `eg` and the about window `aboutme`: both modal over their owner,
// borderless, closed by a double-click.
#include "shell/aboutwindow.h"
#include "shell/comparewindow.h"
#include "shell/workwindow.h"
#include "testapp.h"
#include "ui/activelabel.h"
#include "ui/qtinteraction.h"
#include "ui/textcanvas.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

using shell::AboutWindow;
using shell::CompareWindow;
using Field = ui::PlacedText;

namespace {

// Runs check on the window while the scripted modal layer "shows" it.
template <typename Window> void whileShown(TestApp &app, std::function<void(Window *)> check)
{
    app.ui().modalScripts.push_back([check](QWidget *w) {
        auto *window = qobject_cast<Window *>(w);
        QVERIFY(window);
        check(window);
    });
}

void doubleClick(QWidget *widget, QPoint at = QPoint())
{
    if (at.isNull())
        at = widget->rect().center();
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}

} // namespace

class TestAboutCompare : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void comparisonText();
    void smallKanaLineUpUnderFullSize();
    void titleBarThenBorderlessAgain();
    void f5OpensComparisonOverTheWindow();
    void aboutLabels();
    void addressesOfferedForCopying();
    void aboutClosesOnDoubleClick();
    void f1OpensTheHelpFromBothWindows();
    void modalOverTheOwnerOnly();
};

void TestAboutCompare::comparisonText()
{
    TestApp app;
    QList<ui::TextRow> lines;
    whileShown<CompareWindow>(app, [&](CompareWindow *eg) { lines = eg->canvas()->lines(); });
    app.shell().showCompare(nullptr);
    QCOMPARE(app.ui().modalWindows, QStringList{QStringLiteral("eg")});
    QCOMPARE(lines.size(), 13);
    QCOMPARE(lines[0], (ui::TextRow{Field{1, QStringLiteral("拗音、促音与普通形式字形比较")}}));
    QVERIFY(lines[1].isEmpty());
    QCOMPARE(lines[2], (ui::TextRow{Field{1, QStringLiteral("拗音:")}}));
    QCOMPARE(lines[3], (ui::TextRow{Field{1, QStringLiteral("普通  しやう   しゆう   しよう")},
                                    Field{32, QStringLiteral("シヤウ    シユウ     シヨウ")}}));
    QCOMPARE(lines[4], (ui::TextRow{Field{1, QStringLiteral("拗音  しゃう   しゅう   しょう")},
                                    Field{32, QStringLiteral("シャウ    シュウ     ショウ")}}));
    QVERIFY(lines[5].isEmpty());
    QCOMPARE(lines[6], (ui::TextRow{Field{1, QStringLiteral("促音:")}}));
    // "ツ" and "ポツト" one print zone apart (zones are 14 columns).
    QCOMPARE(lines[7].size(), 2);
    QCOMPARE(lines[7][0].text, QStringLiteral("普通  ツ"));
    QCOMPARE(lines[7][1].text, QStringLiteral("ポツト"));
    QCOMPARE((lines[7][1].column - 1) % 14, 0);
    QVERIFY(lines[7][1].column > 1);
    QCOMPARE(lines[8].size(), 2);
    QCOMPARE(lines[8][0].text, QStringLiteral("促音  ッ"));
    QCOMPARE(lines[8][1], (Field{lines[7][1].column, QStringLiteral("ポット")}));
    QVERIFY(lines[9].isEmpty());
    QCOMPARE(lines[10][0].text,
             QString(7, u' ') + QStringLiteral("由于电脑显示的限制，拗音，促音片假名不是很明显。"));
    QCOMPARE(lines[11][0].text, QString(24, u' ') + QStringLiteral("请大家在练习的时候注意区分！"));
    QCOMPARE(lines[12][0].text, QString(40, u' ') + QStringLiteral("双击退出！"));
}

void TestAboutCompare::smallKanaLineUpUnderFullSize()
{
    TestApp app;
    whileShown<CompareWindow>(app, [](CompareWindow *eg) {
        const ui::TextCanvas *canvas = eg->canvas();
        const QFontMetricsF m(canvas->font());
        // Same width before each group, so every small kana stands under its full-size form.
        const QString full = QStringLiteral("普通  しやう   しゆう   しよう");
        const QString small = QStringLiteral("拗音  しゃう   しゅう   しょう");
        for (qsizetype i = 1; i <= full.size(); ++i)
            QCOMPARE(m.horizontalAdvance(small.left(i)), m.horizontalAdvance(full.left(i)));
        QCOMPARE(m.horizontalAdvance(QStringLiteral("シャウ    シュウ     ショウ")),
                 m.horizontalAdvance(QStringLiteral("シヤウ    シユウ     シヨウ")));
        QCOMPARE(m.horizontalAdvance(QStringLiteral("ポット")),
                 m.horizontalAdvance(QStringLiteral("ポツト")));
        // The hiragana end before the katakana column, so nothing is pushed to the next line.
        QVERIFY(m.horizontalAdvance(full) <= canvas->columnX(CompareWindow::kKatakanaColumn));
        // All of the text fits in the window.
        QVERIFY(canvas->lineCount() * canvas->lineHeight() <= canvas->height());
        const qreal katakanaEnd = canvas->columnX(CompareWindow::kKatakanaColumn) +
                                  m.horizontalAdvance(QStringLiteral("シヤウ    シユウ     シヨウ"));
        QVERIFY(katakanaEnd <= canvas->width());
    });
    app.shell().showCompare(nullptr);
    QCOMPARE(app.ui().modalWindows.size(), 1);
}

void TestAboutCompare::titleBarThenBorderlessAgain()
{
    TestApp app;
    bool closedByDoubleClick = false;
    whileShown<CompareWindow>(app, [&](CompareWindow *eg) {
        QVERIFY(eg->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(!eg->isFramed());
        auto *yidiong = findIn<ui::ActiveLabel>(eg, "yidiong");
        QVERIFY(yidiong);
        QCOMPARE(yidiong->text(), QStringLiteral("点此移动位置"));
        QCOMPARE(yidiong->toolTip(), QStringLiteral("点击此处后可以移动窗体"));
        QTest::mouseClick(yidiong, Qt::LeftButton);
        QVERIFY(eg->isFramed());
        QVERIFY(eg->windowFlags() & Qt::WindowTitleHint);
        QCOMPARE(eg->windowTitle(), QStringLiteral("拖动标题栏移动位置"));
        QVERIFY(eg->isVisible()); // still open, now with its title bar
        doubleClick(eg->canvas());
        closedByDoubleClick = !eg->isVisible();
    });
    bool borderlessAgain = false;
    QString titleAgain = QStringLiteral("unset");
    whileShown<CompareWindow>(app, [&](CompareWindow *eg) {
        borderlessAgain = !eg->isFramed() && (eg->windowFlags() & Qt::FramelessWindowHint);
        titleAgain = eg->windowTitle();
    });
    app.shell().showCompare(nullptr);
    QVERIFY(closedByDoubleClick);
    app.shell().showCompare(nullptr);
    QVERIFY(borderlessAgain);
    QVERIFY(titleAgain.isEmpty());
    QCOMPARE(app.ui().modalWindows, (QStringList{QStringLiteral("eg"), QStringLiteral("eg")}));
}

void TestAboutCompare::f5OpensComparisonOverTheWindow()
{
    TestApp app;
    QVERIFY(app.shell().start());
    app.shell().switchTo(shell::Screen::Query);
    TestApp::settle();
    shell::WorkWindow *query = app.shell().workWindow(shell::Screen::Query);
    QVERIFY(query);
    QWidget *owner = nullptr;
    whileShown<CompareWindow>(app, [&](CompareWindow *eg) { owner = eg->parentWidget(); });
    query->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(query));
    QTest::keyClick(query, Qt::Key_F5);
    QCOMPARE(app.ui().modalWindows, QStringList{QStringLiteral("eg")});
    QCOMPARE(owner, query);
    QVERIFY(query->isVisible()); // the owner stays open underneath
    TestApp::settle();
    QVERIFY(query->findChildren<CompareWindow *>().isEmpty()); // gone once closed
}

void TestAboutCompare::aboutLabels()
{
    TestApp app;
    QMap<QString, QString> texts;
    bool logoShown = false;
    bool frameless = false;
    whileShown<AboutWindow>(app, [&](AboutWindow *about) {
        for (QLabel *label : about->findChildren<QLabel *>())
            texts[label->objectName()] = label->text();
        auto *image = findIn<QLabel>(about, "Image1");
        logoShown = image && !image->pixmap().isNull();
        frameless = about->windowFlags() & Qt::FramelessWindowHint;
    });
    app.shell().showAbout(nullptr);
    QCOMPARE(app.ui().modalWindows, QStringList{QStringLiteral("aboutme")});
    QVERIFY(frameless);
    QVERIFY(logoShown);
    const QList<QPair<const char *, const char *>> pairs{
        {"Label5", "软件名称"},       {"Label6", "词帆"}, {"Label4", "级别"},
        {"Label7", "标准日本语初级"}, {"Label8", "版本"}, {"Label9", "2.30"},
        {"Label2", "岚舟工作室"},     {"Label1", "网址"}, {"Label3", "E-mail"},
        {"Label15", "双击空白处退出"}};
    for (const auto &p : pairs)
        QCOMPARE(texts.value(QString::fromLatin1(p.first)), QString::fromUtf8(p.second));
    QCOMPARE(texts.value(QStringLiteral("Label11")), AboutWindow::kWebAddress);
    QCOMPARE(texts.value(QStringLiteral("Label13")), AboutWindow::kMailAddress);
    QVERIFY(!texts.value(QStringLiteral("Label10")).isEmpty());
}

void TestAboutCompare::addressesOfferedForCopying()
{
    TestApp app;
    whileShown<AboutWindow>(app, [](AboutWindow *about) {
        auto *label11 = findIn<QLabel>(about, "Label11");
        auto *net1 = findIn<QLineEdit>(about, "net1");
        QVERIFY(label11 && net1);
        QCOMPARE(label11->toolTip(), QStringLiteral("点击选中网址"));
        QVERIFY(!net1->isVisible());
        QTest::mouseClick(label11, Qt::LeftButton);
        QTest::mouseClick(label11, Qt::LeftButton);
        QVERIFY(net1->isVisible());
        QCOMPARE(net1->text(), AboutWindow::kWebAddress);
        QCOMPARE(net1->selectedText(), AboutWindow::kWebAddress);
        // Clicking into the box places the cursor, and the whole text is selected again.
        net1->deselect();
        QTest::mouseClick(net1, Qt::LeftButton, {}, QPoint(8, net1->height() / 2));
        QCOMPARE(net1->selectedText(), AboutWindow::kWebAddress);

        auto *label13 = findIn<QLabel>(about, "Label13");
        auto *mail = findIn<QLineEdit>(about, "mail");
        QVERIFY(label13 && mail);
        QCOMPARE(label13->toolTip(), QStringLiteral("点击选中电子邮件地址"));
        QVERIFY(!mail->isVisible());
        QTest::mouseClick(label13, Qt::LeftButton);
        QVERIFY(mail->isVisible());
        QCOMPARE(mail->selectedText(), AboutWindow::kMailAddress);
        QVERIFY(net1->isVisible()); // the web address stays offered
    });
    app.shell().showAbout(nullptr);
    QCOMPARE(app.ui().modalWindows.size(), 1);
}

void TestAboutCompare::aboutClosesOnDoubleClick()
{
    TestApp app;
    QStringList closedBy;
    for (const char *target : {"aboutme", "Frame1", "Label10", "Label15"}) {
        whileShown<AboutWindow>(app, [&closedBy, target](AboutWindow *about) {
            QWidget *w = qstrcmp(target, "aboutme") == 0 ? about : findIn<QWidget>(about, target);
            QVERIFY(w);
            // Empty spots: the window's corner, the frame's corner; the motto's and the hint's middle.
            const QPoint at = qobject_cast<QLabel *>(w) ? w->rect().center() : QPoint(3, 3);
            doubleClick(w, at);
            if (!about->isVisible())
                closedBy << QString::fromLatin1(target);
        });
    }
    // A double-click on the address label only offers the address.
    bool stillOpen = false;
    whileShown<AboutWindow>(app, [&](AboutWindow *about) {
        QTest::mouseClick(findIn<QLabel>(about, "Label11"), Qt::LeftButton);
        QTest::mouseDClick(findIn<QLineEdit>(about, "net1"), Qt::LeftButton);
        stillOpen = about->isVisible();
    });
    // The captions, values and the logo are not empty area: a double-click there closes nothing.
    QStringList closedByLabel;
    whileShown<AboutWindow>(app, [&](AboutWindow *about) {
        for (const char *name : {"Label5", "Label6", "Label4", "Label7", "Label8", "Label9", "Label2",
                                 "Label1", "Label11", "Label3", "Label13", "Image1"}) {
            auto *label = findIn<QLabel>(about, name);
            QVERIFY2(label, name);
            doubleClick(label);
            if (!about->isVisible()) {
                closedByLabel << QString::fromLatin1(name);
                about->show();
            }
        }
    });
    for (int i = 0; i < 6; ++i)
        app.shell().showAbout(nullptr);
    QCOMPARE(closedBy, (QStringList{QStringLiteral("aboutme"), QStringLiteral("Frame1"),
                                    QStringLiteral("Label10"), QStringLiteral("Label15")}));
    QVERIFY(stillOpen);
    QCOMPARE(closedByLabel, QStringList());
}

void TestAboutCompare::f1OpensTheHelpFromBothWindows()
{
    // F1 works in every window of the program, the two small ones included; over a working
    // window the help file is named bare, as that window names it.
    TestApp app;
    QStringList opened;
    app.shell().setHelpOpener(
        [&](QWidget *owner, const QString &file) { opened << owner->objectName() + u':' + file; });
    QVERIFY(app.shell().start());
    app.shell().switchTo(shell::Screen::Study);
    TestApp::settle();
    shell::WorkWindow *study = app.shell().workWindow(shell::Screen::Study);
    QVERIFY(study);
    auto pressF1 = [](QWidget *w) {
        w->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), w);
        QTest::keyClick(w, Qt::Key_F1);
    };
    whileShown<CompareWindow>(app, [&](CompareWindow *eg) {
        pressF1(eg);
        QVERIFY(eg->isVisible()); // the window stays open
    });
    whileShown<AboutWindow>(app, [&](AboutWindow *about) { pressF1(about); });
    app.shell().showCompare(study);
    app.shell().showAbout(study);
    QCOMPARE(app.ui().modalWindows, (QStringList{QStringLiteral("eg"), QStringLiteral("aboutme")}));
    QCOMPARE(opened, (QStringList{QStringLiteral("eg:帮助.chm"), QStringLiteral("aboutme:帮助.chm")}));
}

void TestAboutCompare::modalOverTheOwnerOnly()
{
    // The real modal layer blocks the owner, not the help viewer (a window of its own) that F1
    // may open meanwhile; without an owner it blocks everything.
    ui::QtInteraction modal;
    QWidget owner;
    owner.setObjectName(QStringLiteral("owner"));
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    for (QWidget *parent : {&owner, static_cast<QWidget *>(nullptr)}) {
        QPointer<CompareWindow> eg = new CompareWindow(parent);
        Qt::WindowModality seen = Qt::NonModal;
        bool shown = false;
        QTimer::singleShot(0, eg, [&] {
            seen = eg->windowModality();
            shown = eg->isVisible();
            doubleClick(eg->canvas());
        });
        modal.showModal(eg);
        QVERIFY(shown);
        QCOMPARE(seen, parent ? Qt::WindowModal : Qt::ApplicationModal);
        QVERIFY(eg && !eg->isVisible()); // closed by the double-click, deleted by its opener
        delete eg.data();
    }
}

QTEST_MAIN(TestAboutCompare)
#include "tst_aboutcompare.moc"
