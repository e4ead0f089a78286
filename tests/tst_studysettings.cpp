// The study window's settings files: view mode, list order, text colour and face, written byte
// for byte, read back at the next opening, and defaults for missing, empty or garbled files.

#include "studytest.h"

#include "study/studysettings.h"
#include "study/wordlistview.h"
#include "ui/fonts.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace studytest;
namespace settings = study::settings;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QAction *popupItem(QWidget *w, const char *name)
{
    return findIn<QAction>(w, name);
}

// How many pixels of the canvas are close to colour c.
int pixelsNear(QWidget *canvas, const QColor &c)
{
    const QImage img = canvas->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (qAbs(p.red() - c.red()) < 40 && qAbs(p.green() - c.green()) < 40 &&
                qAbs(p.blue() - c.blue()) < 40)
                ++n;
        }
    }
    return n;
}

} // namespace

class TestStudySettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filesWrittenByteForByte();
    void readersGiveDefaultsForBadFiles();
    void colourIsAPlainDecimalInRange_data();
    void colourIsAPlainDecimalInRange();
    void mottoFileEncodings_data();
    void mottoFileEncodings();
    void viewModeSavedAndRestored();
    void listOrderFileAppliesOnEverySwitch();
    void listOrderWithoutFileKeepsChoice();
    void chosenColourRedrawsAndSaves();
    void cancelledColourDialogKeepsColour();
    void resetColourDeletesFile();
    void savedFaceAndColourAtOpening();
    void missingFolderIsReportedAndWindowStaysUsable();
    void unwritableFileIsReported();
};

void TestStudySettings::filesWrittenByteForByte()
{
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("f.dll"));
    QVERIFY(settings::writeViewMode(p, settings::ViewMode::List));
    QCOMPARE(bytesOf(p), QByteArray("2\r\n"));
    QVERIFY(settings::writeViewMode(p, settings::ViewMode::Print));
    QCOMPARE(bytesOf(p), QByteArray("1\r\n"));
    QVERIFY(settings::writeListOrder(p, study::ListOrder::Kanji));
    QCOMPARE(bytesOf(p), QByteArray("3\r\n"));
    QVERIFY(settings::writeTextColor(p, QColor(0, 0, 128)));
    QCOMPARE(bytesOf(p), QByteArray("8388608\r\n"));
    QVERIFY(settings::writeTextColor(p, QColor(255, 0, 0)));
    QCOMPARE(bytesOf(p), QByteArray("255\r\n"));
    QVERIFY(settings::writeTextColor(p, QColor(255, 255, 255)));
    QCOMPARE(bytesOf(p), QByteArray("16777215\r\n"));
    QCOMPARE(settings::readTextColor(p), QColor(255, 255, 255));
    // Black is the colour number 0, a colour like any other.
    QVERIFY(settings::writeTextColor(p, QColor(0, 0, 0)));
    QCOMPARE(bytesOf(p), QByteArray("0\r\n"));
    QCOMPARE(settings::readTextColor(p), QColor(0, 0, 0));
    QVERIFY(settings::writeFontFace(p, QStringLiteral("宋体")));
    QCOMPARE(bytesOf(p), QStringLiteral("\"宋体\"\r\n").toUtf8());
    QCOMPARE(settings::readFontFace(p), QStringLiteral("宋体"));
    QVERIFY(settings::writeMotto(p, {QStringLiteral("好好学习"), QStringLiteral("天天向上")}));
    QCOMPARE(bytesOf(p), QStringLiteral("\"好好学习\",\"天天向上\"\r\n").toUtf8());
    QCOMPARE(settings::readMotto(p),
             (settings::Motto{QStringLiteral("好好学习"), QStringLiteral("天天向上")}));
}

void TestStudySettings::readersGiveDefaultsForBadFiles()
{
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("f.dll"));
    // No file: no value at all.
    QVERIFY(!settings::readViewMode(p));
    QVERIFY(!settings::readListOrder(p));
    QVERIFY(!settings::readTextColor(p));
    QVERIFY(!settings::readFontFace(p));
    QCOMPARE(settings::readMotto(p), settings::defaultMotto());
    // An empty or garbled file: any other value for the mode and the order, missing for the rest.
    for (const QByteArray &bad :
         {QByteArray(), QByteArray("\r\n"), QByteArray("\"abc\"\r\n"), QByteArray("x7\r\n")}) {
        putFile(p, bad);
        QCOMPARE(settings::readViewMode(p), settings::ViewMode::Print);
        QCOMPARE(settings::readListOrder(p), study::ListOrder::Chinese);
        QVERIFY(!settings::readTextColor(p));
        QCOMPARE(settings::readMotto(p), settings::defaultMotto());
    }
    // A quoted field is a text even when it holds digits.
    putFile(p, "\"2\"\r\n");
    QCOMPARE(settings::readViewMode(p), settings::ViewMode::Print);
    putFile(p, "\"3\"\r\n");
    QCOMPARE(settings::readListOrder(p), study::ListOrder::Chinese);
    putFile(p, "\"255\"\r\n");
    QVERIFY(!settings::readTextColor(p));
    putFile(p, "2");
    QCOMPARE(settings::readViewMode(p), settings::ViewMode::List);
    QCOMPARE(settings::readListOrder(p), study::ListOrder::Kana);
    putFile(p, "7\r\n");
    QCOMPARE(settings::readListOrder(p), study::ListOrder::Chinese);
    // Colour numbers outside the colour range are not colours.
    for (const QByteArray &bad : {QByteArray("-1\r\n"), QByteArray("16777216\r\n")}) {
        putFile(p, bad);
        QVERIFY(!settings::readTextColor(p));
    }
    putFile(p, "\"\"\r\n");
    QVERIFY(!settings::readFontFace(p));
    putFile(p, "\"only one\"\r\n");
    QCOMPARE(settings::readMotto(p), settings::defaultMotto());
    putFile(p, "\"a\",\"\"\r\n");
    QCOMPARE(settings::readMotto(p), settings::defaultMotto());
}

void TestStudySettings::colourIsAPlainDecimalInRange_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QColor>("colour"); // invalid: the default colour applies
    QTest::newRow("green") << QByteArray("65280\r\n") << QColor(0, 255, 0);
    QTest::newRow("black") << QByteArray("0\r\n") << QColor(0, 0, 0);
    QTest::newRow("white") << QByteArray("16777215\r\n") << QColor(255, 255, 255);
    QTest::newRow("hex") << QByteArray("0x00FF00\r\n") << QColor();
    QTest::newRow("trailing garbage") << QByteArray("0garbage\r\n") << QColor();
    QTest::newRow("sign") << QByteArray("+255\r\n") << QColor();
    QTest::newRow("fraction") << QByteArray("255.5\r\n") << QColor();
    QTest::newRow("too large") << QByteArray("99999999999999999999\r\n") << QColor();
}

void TestStudySettings::colourIsAPlainDecimalInRange()
{
    QFETCH(QByteArray, content);
    QFETCH(QColor, colour);
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("xxclr.dll"));
    putFile(p, content);
    QCOMPARE(settings::readTextColor(p).value_or(QColor()), colour);
}

void TestStudySettings::mottoFileEncodings_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("fromFile");
    const QByteArray pair = QStringLiteral("\"好好学习\",\"天天向上\"\r\n").toUtf8();
    QTest::newRow("utf-8") << pair << true;
    QTest::newRow("utf-8 with bom") << QByteArray("\xEF\xBB\xBF") + pair << true;
    // The same lines as Chinese Windows writes them.
    QTest::newRow("gb18030")
        << QByteArray("\"\xBA\xC3\xBA\xC3\xD1\xA7\xCF\xB0\",\"\xCC\xEC\xCC\xEC\xCF\xF2\xC9\xCF\"\r\n")
        << true;
    QTest::newRow("latin-1") << QByteArray("\"caf\xE9\",\"na\xEFve\"\r\n") << false;
    QTest::newRow("broken bytes") << QByteArray("\"\xFF\xFE\",\"\x80\"\r\n") << false;
}

void TestStudySettings::mottoFileEncodings()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, fromFile);
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("pome.dll"));
    putFile(p, content);
    const settings::Motto expected =
        fromFile ? settings::Motto{QStringLiteral("好好学习"), QStringLiteral("天天向上")}
                 : settings::defaultMotto();
    QCOMPARE(settings::readMotto(p), expected);
}

void TestStudySettings::viewModeSavedAndRestored()
{
    TestApp app;
    auto *w = openStudy(app);
    click(w, "Opb");
    click(w, "model2");
    QCOMPARE(w->focusWidget(), findIn<QWidget>(w, "List"));
    click(w, "Command1");
    QCOMPARE(bytesOf(app.path("sous/mod.dll")), QByteArray("2\r\n"));
    // Saving the order leaves the focus where it was.
    QCOMPARE(w->focusWidget(), findIn<QWidget>(w, "List"));
    click(w, "cmdmoren");
    QCOMPARE(bytesOf(app.path("sous/xx.dll")), QByteArray("2\r\n"));
    QCOMPARE(w->focusWidget(), findIn<QWidget>(w, "keshi"));
    QVERIFY(app.ui().messages.isEmpty());

    w = reopenStudy(app);
    QVERIFY(findIn<QRadioButton>(w, "Opb")->isChecked());
    QVERIFY(findIn<QWidget>(w, "framelist")->isVisible());
    QVERIFY(!showword(w)->isVisible());
    QVERIFY(findIn<QRadioButton>(w, "model2")->isChecked());
    QCOMPARE(findIn<ui::TextCanvas>(w, "showwords2")->lines().size(), 5);
    QVERIFY(!popupItem(w, "poplist")->isVisible());
    QVERIFY(popupItem(w, "popprint")->isVisible());
    QCOMPARE(w->defaultButton(), findIn<QAbstractButton>(w, "startlist"));

    click(w, "Opa");
    click(w, "cmdmoren");
    QCOMPARE(bytesOf(app.path("sous/xx.dll")), QByteArray("1\r\n"));
    w = reopenStudy(app);
    QVERIFY(findIn<QRadioButton>(w, "Opa")->isChecked());
    QVERIFY(showword(w)->isVisible());
    QVERIFY(!findIn<QWidget>(w, "framelist")->isVisible());
}

void TestStudySettings::listOrderFileAppliesOnEverySwitch()
{
    TestApp app;
    putFile(app.path("sous/mod.dll"), "3\r\n");
    auto *w = openStudy(app);
    click(w, "Opb");
    QVERIFY(findIn<QRadioButton>(w, "model3")->isChecked());
    click(w, "model1");
    click(w, "Opa");
    click(w, "Opb");
    QVERIFY(findIn<QRadioButton>(w, "model3")->isChecked());
    // An empty file counts as any other value: the Chinese order.
    putFile(app.path("sous/mod.dll"), "");
    click(w, "Opa");
    click(w, "Opb");
    QVERIFY(findIn<QRadioButton>(w, "model1")->isChecked());
    // So does a text, even one that holds a digit.
    click(w, "model2");
    putFile(app.path("sous/mod.dll"), "\"3\"\r\n");
    click(w, "Opa");
    click(w, "Opb");
    QVERIFY(findIn<QRadioButton>(w, "model1")->isChecked());
    // A view-mode file holding a text opens the print view.
    putFile(app.path("sous/xx.dll"), "\"2\"\r\n");
    w = reopenStudy(app);
    QVERIFY(findIn<QRadioButton>(w, "Opa")->isChecked());
    QVERIFY(showword(w)->isVisible());
}

void TestStudySettings::listOrderWithoutFileKeepsChoice()
{
    TestApp app;
    auto *w = openStudy(app);
    click(w, "Opb");
    click(w, "model2");
    click(w, "Opa");
    click(w, "Opb");
    QVERIFY(findIn<QRadioButton>(w, "model2")->isChecked());
}

void TestStudySettings::chosenColourRedrawsAndSaves()
{
    TestApp app;
    auto *w = openStudy(app);
    QAction *defaultcolor = popupItem(w, "defaultcolor");
    QVERIFY(defaultcolor->isVisible());
    QVERIFY(!findIn<QWidget>(w, "savecolor")->isVisible());
    const QColor red(255, 0, 0);
    QCOMPARE(pixelsNear(showword(w), red), 0);
    app.ui().colors.push_back(red);
    popupItem(w, "setcolor")->trigger();
    QCOMPARE(app.ui().colorRequests, 1);
    QCOMPARE(showword(w)->textColor(), red);
    // The introduction gave way to the first screen of lesson 1, drawn in red.
    QCOMPARE(shownMeanings(w), meanings(1, 11));
    QVERIFY(pixelsNear(showword(w), red) > 50);
    QCOMPARE(pixelsNear(showword(w), QColor(0, 0, 128)), 0);
    QVERIFY(findIn<QWidget>(w, "savecolor")->isVisible());
    QVERIFY(defaultcolor->isVisible());
    // The button stands clear of everything written in either view, so no meaning hides behind it.
    const auto clearOf = [&](const char *name) {
        const QWidget *button = findIn<QWidget>(w, "savecolor");
        const QWidget *area = findIn<QWidget>(w, name);
        return !QRect(button->mapTo(w, QPoint()), button->size())
                    .intersects(QRect(area->mapTo(w, QPoint()), area->size()));
    };
    QVERIFY(clearOf("showword"));
    QVERIFY(clearOf("framelist"));
    QVERIFY(clearOf("lblpome1"));

    click(w, "savecolor");
    QCOMPARE(bytesOf(app.path("sous/xxclr.dll")), QByteArray("255\r\n"));
    QVERIFY(!findIn<QWidget>(w, "savecolor")->isVisible());
    QVERIFY(!defaultcolor->isVisible());

    // In the list view the redraw is the list start.
    click(w, "Opb");
    typeLesson(w, QStringLiteral("2"));
    app.ui().colors.push_back(QColor(0, 0, 128));
    popupItem(w, "setcolor")->trigger();
    QCOMPARE(findIn<QListWidget>(w, "List")->count(), 25);
    click(w, "savecolor");
    QCOMPARE(bytesOf(app.path("sous/xxclr.dll")), QByteArray("8388608\r\n"));
}

void TestStudySettings::cancelledColourDialogKeepsColour()
{
    TestApp app;
    putFile(app.path("sous/xxclr.dll"), "32768\r\n");
    auto *w = openStudy(app);
    // The dialog starts from the colour on show.
    app.ui().colors.push_back(std::nullopt);
    popupItem(w, "setcolor")->trigger();
    QCOMPARE(app.ui().colorRequests, 1);
    QCOMPARE(app.ui().colorInitials.last(), QColor(0, 128, 0));
    // Cancelling leaves that colour; the command still offers the save and redraws the lesson
    // typed in the box.
    QCOMPARE(showword(w)->textColor(), QColor(0, 128, 0));
    QCOMPARE(shownMeanings(w), meanings(1, 11));
    QVERIFY(findIn<QWidget>(w, "savecolor")->isVisible());
    QVERIFY(popupItem(w, "defaultcolor")->isVisible());
    QVERIFY(pixelsNear(showword(w), QColor(0, 128, 0)) > 50);

    app.ui().colors.push_back(QColor(255, 0, 0));
    popupItem(w, "setcolor")->trigger();
    app.ui().colors.push_back(std::nullopt);
    popupItem(w, "setcolor")->trigger();
    QCOMPARE(app.ui().colorInitials.last(), QColor(255, 0, 0));
    QCOMPARE(showword(w)->textColor(), QColor(255, 0, 0));
    click(w, "savecolor");
    QCOMPARE(bytesOf(app.path("sous/xxclr.dll")), QByteArray("255\r\n"));
}

void TestStudySettings::resetColourDeletesFile()
{
    TestApp app;
    putFile(app.path("sous/xxclr.dll"), "65280\r\n");
    auto *w = openStudy(app);
    QCOMPARE(showword(w)->textColor(), QColor(0, 255, 0));
    app.ui().colors.push_back(QColor(255, 255, 255));
    popupItem(w, "setcolor")->trigger();
    popupItem(w, "defaultcolor")->trigger();
    QVERIFY(!QFile::exists(app.path("sous/xxclr.dll")));
    QCOMPARE(showword(w)->textColor(), QColor(0, 0, 128));
    QVERIFY(!findIn<QWidget>(w, "savecolor")->isVisible());
    QVERIFY(popupItem(w, "defaultcolor")->isVisible());
    QVERIFY(pixelsNear(showword(w), QColor(0, 0, 128)) > 50);
    w = reopenStudy(app);
    QCOMPARE(showword(w)->textColor(), QColor(0, 0, 128));
}

void TestStudySettings::savedFaceAndColourAtOpening()
{
    TestApp app;
    putFile(app.path("sous/xxclr.dll"), "255\r\n");
    putFile(app.path("sous/xxfnt.dll"), "\"DejaVu Serif\"\r\n");
    auto *w = openStudy(app);
    QCOMPARE(showword(w)->textColor(), QColor(255, 0, 0));
    QCOMPARE(showword(w)->font().families().first(), QStringLiteral("DejaVu Serif"));
    // The list view's canvas keeps its own colour and face.
    auto *detail = findIn<ui::TextCanvas>(w, "showwords2");
    QCOMPARE(detail->textColor(), QColor(0, 128, 128));
    QVERIFY(detail->font().families().first() != QStringLiteral("DejaVu Serif"));
    QVERIFY(pixelsNear(showword(w), QColor(255, 0, 0)) > 50);

    // An empty face and a garbled colour leave the defaults.
    putFile(app.path("sous/xxclr.dll"), "\"blue\"\r\n");
    putFile(app.path("sous/xxfnt.dll"), "\"\"\r\n");
    w = reopenStudy(app);
    QCOMPARE(showword(w)->textColor(), QColor(0, 0, 128));
    QCOMPARE(showword(w)->font().families().first(),
             ui::designFont({QStringLiteral("Century Gothic")}, 12, true).families().first());
    // The face item stays hidden and disabled.
    QVERIFY(!popupItem(w, "setfont")->isVisible());
    QVERIFY(!popupItem(w, "setfont")->isEnabled());
}

void TestStudySettings::missingFolderIsReportedAndWindowStaysUsable()
{
    TestApp app;
    auto *w = openStudy(app);
    QVERIFY(QDir(app.path("sous")).removeRecursively());
    click(w, "cmdmoren");
    QCOMPARE(app.ui().messages.size(), 1);
    const ui::Message m = app.ui().messages[0].message;
    QCOMPARE(m.icon, ui::Icon::Warning);
    QVERIFY(m.text.contains(QStringLiteral("没有保存")));
    QVERIFY(m.text.contains(QStringLiteral("sous/xx.dll")));
    QVERIFY(!QDir(app.path("sous")).exists()); // the folder is not created behind the user's back

    app.ui().colors.push_back(QColor(255, 0, 0));
    popupItem(w, "setcolor")->trigger();
    click(w, "savecolor");
    QCOMPARE(app.ui().messages.size(), 2);
    QVERIFY(app.ui().messages[1].message.text.contains(QStringLiteral("sous/xxclr.dll")));
    // Not saved: the button stays so the user can try again.
    QVERIFY(findIn<QWidget>(w, "savecolor")->isVisible());
    QCOMPARE(showword(w)->textColor(), QColor(255, 0, 0));

    click(w, "Opb");
    click(w, "Command1");
    QCOMPARE(app.ui().messages.size(), 3);
    QVERIFY(app.ui().messages[2].message.text.contains(QStringLiteral("sous/mod.dll")));
    // The window goes on working.
    click(w, "startlist");
    QCOMPARE(findIn<QListWidget>(w, "List")->count(), 18);
    click(w, "Opa");
    click(w, "start");
    QCOMPARE(shownMeanings(w), meanings(1, 11));
}

void TestStudySettings::unwritableFileIsReported()
{
    TestApp app;
    putFile(app.path("sous/xx.dll"), "2\r\n");
    auto *w = openStudy(app);
    // A folder where the file should be: the file cannot be replaced.
    QVERIFY(QDir(app.path("sous")).mkpath(QStringLiteral("xxclr.dll")));
    app.ui().colors.push_back(QColor(255, 0, 0));
    popupItem(w, "setcolor")->trigger();
    click(w, "savecolor");
    QCOMPARE(app.ui().messages.size(), 1);
    QVERIFY(app.ui().messages[0].message.text.contains(QStringLiteral("没有保存")));
    popupItem(w, "defaultcolor")->trigger();
    QCOMPARE(app.ui().messages.size(), 2);
    QVERIFY(app.ui().messages[1].message.text.contains(QStringLiteral("sous/xxclr.dll")));
    QCOMPARE(showword(w)->textColor(), QColor(0, 0, 128));
}

QTEST_MAIN(TestStudySettings)
#include "tst_studysettings.moc"
