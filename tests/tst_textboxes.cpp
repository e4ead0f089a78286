// Every text box a learner can type into, given a very long paste: the box takes it, Enter on it
// is answered, and neither holds the GUI thread.
#include "gapprobe.h"
#include "lexicon/lexicon.h"
#include "testapp.h"
#include "ui/qtinteraction.h"
#include "ui/romaji.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// 100,000 characters of what a learner might paste: kana, kanji, Latin letters (some of them
// rōmaji), digits, blanks and punctuation.
const QString &longPaste()
{
    static const QString text = [] {
        const QString piece =
            QStringLiteral("わたしは学生です。watashi wa gakusei desu, カタカナ 漢字 ABC 123 ");
        QString t;
        while (t.size() < 100000)
            t += piece;
        t.truncate(100000);
        return t;
    }();
    return text;
}

// The boxes that may be given a paste: a window's own box, or every box of a dialog.
enum class Place { Window, InputDialog, ColourDialog, FileDialog };

struct Gaps {
    qint64 paste = -1;
    qint64 enter = -1;
};

// Pastes into each box as Ctrl+V does and lets it be painted; the longest gap meanwhile.
qint64 pasteInto(const QList<QLineEdit *> &boxes, GapProbe &probe)
{
    QGuiApplication::clipboard()->setText(longPaste());
    probe.restart();
    for (QLineEdit *box : boxes) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::qWait(60);
    }
    return probe.longestGapMs();
}

QList<QLineEdit *> visibleBoxes(QWidget *dialog)
{
    QList<QLineEdit *> boxes;
    for (QLineEdit *box : dialog->findChildren<QLineEdit *>()) {
        if (box->isVisible() && !box->isReadOnly())
            boxes << box;
    }
    return boxes;
}

// Opens a dialog through the program's modal layer, pastes into each of its boxes once it shows
// and then presses Enter in the last (Escape for the file dialog, whose Enter with such a name
// would ask its own question).
Gaps pasteIntoDialog(Place place, QStringList &pasted)
{
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    ui::QtInteraction modal;
    GapProbe probe;
    Gaps gaps;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        QTest::qWait(30); // the dialog's first paint
        const QList<QLineEdit *> boxes = visibleBoxes(dialog);
        gaps.paste = pasteInto(boxes, probe);
        for (QLineEdit *box : boxes)
            pasted << box->text();
        probe.restart();
        QTest::keyClick(boxes.isEmpty() ? dialog : static_cast<QWidget *>(boxes.last()),
                        place == Place::FileDialog ? Qt::Key_Escape : Qt::Key_Return);
    });
    poll.start();
    switch (place) {
    case Place::InputDialog:
        modal.input(&owner, QStringLiteral("请输入上句"), QString(), QString());
        break;
    case Place::ColourDialog:
        modal.color(&owner, QColor(0, 128, 0));
        break;
    case Place::FileDialog: {
        // A folder of its own with the same entries on every machine: the dialog lists it and
        // completes the pasted name against it, and the system's shared temporary folder holds
        // whatever other programs left there.
        QTemporaryDir folder;
        QDir dir(folder.path());
        for (int i = 1; i <= 30; ++i)
            QFile(dir.filePath(QStringLiteral("记录-%1.csv").arg(i))).open(QIODevice::WriteOnly);
        for (const QString &sub : {QStringLiteral("备份"), QStringLiteral("lessons")})
            dir.mkdir(sub);
        modal.saveFileName(&owner, QStringLiteral("导出学习记录"), dir.filePath(QStringLiteral("记录.csv")),
                           QStringLiteral("CSV (*.csv)"));
        break;
    }
    case Place::Window:
        break;
    }
    QTest::qWait(60);
    gaps.enter = probe.longestGapMs();
    return gaps;
}

} // namespace

class TestTextBoxes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void aLongPasteDoesNotHoldTheProgram_data();
    void aLongPasteDoesNotHoldTheProgram();
};

void TestTextBoxes::initTestCase()
{
    // Fonts, the clipboard and the first dialogs are loaded once per program, before measuring.
    TestApp app;
    QStringList ignored;
    pasteIntoDialog(Place::InputDialog, ignored);
}

void TestTextBoxes::aLongPasteDoesNotHoldTheProgram_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<shell::Screen>("screen");
    QTest::addColumn<QByteArray>("box");
    QTest::addColumn<bool>("romaji");
    QTest::addColumn<int>("holds"); // UTF-16 units the box keeps of the paste
    using shell::Screen;
    const int word = ciku::kWordBoxMaxLength;
    const int line = 32767; // a line box's own limit
    QTest::newRow("answer box") << Place::Window << Screen::Practice << QByteArray("txtinput") << false
                                << word;
    QTest::newRow("answer box, romaji on")
        << Place::Window << Screen::Practice << QByteArray("txtinput") << true << word;
    QTest::newRow("meaning box") << Place::Window << Screen::Query << QByteArray("hanyu") << false << word;
    QTest::newRow("kana box") << Place::Window << Screen::Query << QByteArray("riyu") << false << word;
    QTest::newRow("kana box, romaji on")
        << Place::Window << Screen::Query << QByteArray("riyu") << true << word;
    QTest::newRow("kanji box") << Place::Window << Screen::Query << QByteArray("dang") << false << word;
    QTest::newRow("lesson box") << Place::Window << Screen::Study << QByteArray("keshi") << false << word;
    // The motto's and the flash speed's prompts.
    QTest::newRow("input box") << Place::InputDialog << Screen::Start << QByteArray() << false << line;
    QTest::newRow("colour dialog") << Place::ColourDialog << Screen::Start << QByteArray() << false << 0;
    QTest::newRow("export file dialog") << Place::FileDialog << Screen::Start << QByteArray() << false << 0;
}

// The paste arrives (as far as a box takes text), and neither it nor Enter stops the event loop
// for long: a box that converted, looked up or laid out the whole text over and over would.
void TestTextBoxes::aLongPasteDoesNotHoldTheProgram()
{
    QFETCH(Place, place);
    QFETCH(shell::Screen, screen);
    QFETCH(QByteArray, box);
    QFETCH(bool, romaji);
    QFETCH(int, holds);
    TestApp app;
    Gaps gaps;
    QStringList pasted;
    if (place == Place::Window) {
        if (romaji)
            QVERIFY(ui::saveRomajiSetting(app.path(QStringLiteral("sous/roma.dll")), true));
        if (screen == shell::Screen::Practice)
            app.ui().modalScripts.push_back([](QWidget *dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
        QWidget *window = openWindow(app, screen);
        QVERIFY(window);
        auto *input = findIn<QLineEdit>(window, box.constData());
        QVERIFY(input && input->isVisible());
        QTest::qWait(30);
        GapProbe probe;
        input->selectAll();
        gaps.paste = pasteInto({input}, probe);
        pasted << input->text();
        probe.restart();
        QTest::keyClick(input, Qt::Key_Return);
        QTest::qWait(60);
        gaps.enter = probe.longestGapMs();
        // The window still answers: the box takes new text.
        input->clear();
        QTest::keyClicks(input, QStringLiteral("1"));
        QCOMPARE(input->text(), QStringLiteral("1"));
    } else {
        gaps = pasteIntoDialog(place, pasted);
        QVERIFY(!pasted.isEmpty());
        QVERIFY(!QApplication::activeModalWidget());
    }
    qInfo("%s: longest event-loop gap %lld ms at the paste, %lld ms at Enter", QTest::currentDataTag(),
          gaps.paste, gaps.enter);
    // A box for a word keeps as much of the paste as a word box takes (rōmaji turned into
    // kana), the input box as much as a line takes; the colour dialog's number boxes refuse it.
    if (holds > 0) {
        const QString &got = pasted.first();
        if (romaji) {
            QVERIFY(got.size() <= holds);
            QVERIFY(got.startsWith(QStringLiteral("わたしは学生です。わたし")));
            QVERIFY(!got.contains(QStringLiteral("gakusei")));
        } else {
            QCOMPARE(got.size(), holds);
            QVERIFY(longPaste().startsWith(got));
        }
    }
    QVERIFY2(gaps.paste >= 0 && gaps.paste < GapProbe::kBlockedMs, qPrintable(QString::number(gaps.paste)));
    QVERIFY2(gaps.enter >= 0 && gaps.enter < GapProbe::kBlockedMs, qPrintable(QString::number(gaps.enter)));
}

QTEST_MAIN(TestTextBoxes)
#include "tst_textboxes.moc"
