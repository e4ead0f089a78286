// The layout of word lines, list entries and word details, and how the print view's header row
// stands over the canvas columns.

#include "studytest.h"

#include "lexicon/lessontable.h"
#include "study/studylayout.h"
#include "ui/colors.h"
#include "ui/fonts.h"

#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QMenu>

using namespace studytest;
using study::ListOrder;
using ui::PlacedText;
using ui::TextRow;

namespace {

ciku::WordEntry word(const char16_t *chinese, const char16_t *kana, const char16_t *kanji,
                     const char16_t *accent = u"1", const char16_t *pos = u"名词")
{
    return ciku::WordEntry{QStringView(chinese), QStringView(kana), QStringView(kanji), QStringView(accent),
                           QStringView(pos)};
}

// Left edge of a widget in the window's surface coordinates.
int surfaceX(QWidget *w, QWidget *window)
{
    return w->mapTo(window, QPoint(0, 0)).x();
}

} // namespace

class TestStudyLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wordLineNormalFormat();
    void wordWithoutKanjiShowsKanaAndDashes();
    void wordLineKanaFormat();
    void longKanjiPushesReadingToNextLine();
    void longMeaningWrapsInItsColumn_data();
    void longMeaningWrapsInItsColumn();
    void everyMeaningWholeOnItsScreen();
    void continuedMeaningKeepsAGap_data();
    void continuedMeaningKeepsAGap();
    void lessonScreenShowsMarkersAsKana();
    void listEntries();
    void detailLineOrders();
    void detailKanaFormat();
    void headerStandsOverColumns();
    void headerFollowsSavedFace();
    void headerFacesAndColours();
    void exitLabelHoverColours();
    void captionsAndToolTips();
};

void TestStudyLayout::wordLineNormalFormat()
{
    const auto w = word(u"我", u"わたし", u"私", u"0", u"代词");
    QCOMPARE(study::wordLine(w, false),
             (TextRow{{2, "私"}, {26, "わたし"}, {47, "0"}, {53, "代词"}, {63, "我"}}));
}

void TestStudyLayout::wordWithoutKanjiShowsKanaAndDashes()
{
    for (const char16_t *marker : {u"空缺", u"片假名", u""}) {
        const auto w = word(u"美国", u"アメリカ", marker, u"0", u"名词");
        const TextRow row = study::wordLine(w, false);
        QCOMPARE(row.size(), 5);
        QCOMPARE(row[0], (PlacedText{2, "アメリカ"}));
        QCOMPARE(row[1], (PlacedText{26, "-----"}));
        QCOMPARE(row[4], (PlacedText{63, "美国"}));
    }
}

void TestStudyLayout::wordLineKanaFormat()
{
    // In the katakana drill field 1 is the hiragana and field 2 the katakana.
    const auto w = word(u"あ", u"ア", u"空缺", u"", u"");
    QCOMPARE(study::wordLine(w, true), (TextRow{{2, "あ"}, {26, "ア"}}));
}

void TestStudyLayout::longKanjiPushesReadingToNextLine()
{
    ui::TextCanvas canvas;
    canvas.setFont(study::canvasFont());
    const auto w =
        word(u"很长的说明", u"ながいことば", u"非常長漢字表記例非常長漢字表記例非常長漢字", u"3", u"名词");
    QVERIFY(QFontMetricsF(canvas.font()).horizontalAdvance(w.kanji.toString()) + canvas.columnX(2) >
            canvas.columnX(26));
    ui::writeRow(canvas, study::wordLine(w, false));
    const auto lines = canvas.lines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], (ui::TextRow{{2, w.kanji.toString()}}));
    QCOMPARE(columnsOf(lines[1]), (QList<int>{26, 47, 53, 63}));
    QCOMPARE(lines[1][0].text, QStringLiteral("ながいことば"));

    // A short one stays on its line.
    canvas.clear();
    ui::writeRow(canvas, study::wordLine(word(u"我", u"わたし", u"私"), false));
    QCOMPARE(canvas.lines().size(), 1);
}

void TestStudyLayout::longMeaningWrapsInItsColumn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("ems"); // column width in widths of one CJK character
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("fits") << "先生" << 5.0 << QStringList{"先生"};
    QTest::newRow("exactly fits") << "一二三" << 3.0 << QStringList{"一二三"};
    QTest::newRow("before a bracket")
        << "先生，女士（接在人名后的尊称）" << 10.0 << QStringList{"先生，女士", "（接在人名后的尊称）"};
    QTest::newRow("after a comma") << "（旅行带回的）礼物，土特产" << 10.0
                                   << QStringList{"（旅行带回的）礼物，", "土特产"};
    QTest::newRow("no place to break") << "一二三四五六七" << 3.0 << QStringList{"一二三", "四五六", "七"};
    QTest::newRow("before a bracket, rest on one line")
        << "先生，女士（接在人名后的尊称）" << 12.0 << QStringList{"先生，女士", "（接在人名后的尊称）"};
    QTest::newRow("early comma, rest on one line")
        << "甲，乙丙丁戊己庚" << 6.0 << QStringList{"甲，", "乙丙丁戊己庚"};
    QTest::newRow("comma too early") << "甲，乙丙丁戊己庚辛" << 6.0 << QStringList{"甲，乙丙丁戊", "己庚辛"};
    QTest::newRow("narrower than a character") << "中文" << 0.5 << QStringList{"中", "文"};
    QTest::newRow("empty") << "" << 3.0 << QStringList{};
}

void TestStudyLayout::longMeaningWrapsInItsColumn()
{
    QFETCH(QString, text);
    QFETCH(double, ems);
    QFETCH(QStringList, lines);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(20);
    const QFontMetricsF metrics(font);
    const qreal em = metrics.horizontalAdvance(QStringLiteral("中"));
    QCOMPARE(study::wrapToWidth(text, metrics, ems * em), lines);

    // The word line carries the first part, the rest follows alone at the meaning's column.
    const QString chinese = text;
    const auto w = ciku::WordEntry{chinese, u"かな", u"漢字", u"1", u"名"};
    const QList<TextRow> rows = study::wordLines(w, false, metrics, ems * em);
    QCOMPARE(rows.size(), std::max<qsizetype>(lines.size(), 1));
    QCOMPARE(rows.first().last(), (PlacedText{63, lines.value(0)}));
    for (qsizetype i = 1; i < rows.size(); ++i)
        QCOMPARE(rows[i], (TextRow{{63, lines[i]}}));
    QCOMPARE(study::wordLines(w, true, metrics, ems * em), (QList<TextRow>{study::wordLine(w, true)}));
}

void TestStudyLayout::everyMeaningWholeOnItsScreen()
{
    TestApp app;
    auto *w = openStudy(app);
    ui::TextCanvas *canvas = showword(w);
    const QFontMetricsF metrics(canvas->font());
    QStringList typed{QStringLiteral("0"), QStringLiteral("1004")};
    for (int lesson = 1; lesson <= 49; ++lesson) {
        if (lesson != 25)
            typed << QString::number(lesson);
    }
    for (const QString &number : std::as_const(typed)) {
        const auto range = ciku::studyRangeFor(number).range;
        QVERIFY(range);
        typeLesson(w, number);
        click(w, "start");
        for (int first = range->first;; first += 10) {
            const int last = std::min(first + 10, int(range->last));
            const QString where = QStringLiteral("lesson %1, screen from word %2").arg(number).arg(first);
            if (number != u"0")
                QVERIFY2(shownMeanings(w) == meanings(first, last), qPrintable(where));
            // Every text ends inside the canvas, and the last line stands above the window's edge.
            for (const TextRow &line : canvas->lines()) {
                for (const PlacedText &f : line) {
                    const qreal right = canvas->columnX(f.column) + metrics.horizontalAdvance(f.text);
                    QVERIFY2(right <= canvas->width() + 0.5,
                             qPrintable(where + QStringLiteral(": ") + f.text));
                }
            }
            const int bottom = canvas->y() + canvas->contentHeight();
            QVERIFY2(bottom <= canvas->parentWidget()->height(), qPrintable(where));
            if (last == range->last)
                break;
            click(w, "goon");
        }
    }
}

void TestStudyLayout::continuedMeaningKeepsAGap_data()
{
    QTest::addColumn<int>("freeHeight");
    QTest::addColumn<int>("continuedWords");
    QTest::addColumn<int>("gap");
    // Lines 20 pixels high.
    QTest::newRow("room for half a line") << 35 << 1 << 10;
    QTest::newRow("room for three") << 35 << 3 << 10;
    QTest::newRow("shared when short") << 35 << 5 << 7;
    QTest::newRow("no continued word") << 35 << 0 << 0;
    QTest::newRow("no room") << 0 << 2 << 0;
    QTest::newRow("already past the edge") << -20 << 1 << 0;
}

void TestStudyLayout::continuedMeaningKeepsAGap()
{
    QFETCH(int, freeHeight);
    QFETCH(int, continuedWords);
    QFETCH(int, gap);
    QCOMPARE(study::continuationGap(20, freeHeight, continuedWords), gap);
}

void TestStudyLayout::lessonScreenShowsMarkersAsKana()
{
    TestApp app;
    auto *w = openStudy(app);
    click(w, "start");
    const auto lines = filledLines(showword(w));
    // Word 5 has no kanji form ("空缺").
    QCOMPARE(lines[4], (ui::TextRow{{2, QStringLiteral("はじめまして")},
                                    {26, QStringLiteral("-----")},
                                    {47, QStringLiteral("4")},
                                    {53, QStringLiteral("寒暄")},
                                    {63, QStringLiteral("初次见面")}}));
    click(w, "goon");
    const auto last = filledLines(showword(w)).last();
    QCOMPARE(fieldAt(last, 2), QStringLiteral("アメリカ"));
    QCOMPARE(fieldAt(last, 26), QStringLiteral("-----"));
}

void TestStudyLayout::listEntries()
{
    const auto plain = word(u"学生", u"がくせい", u"学生");
    QCOMPARE(study::listEntryText(plain, ListOrder::Chinese), QStringLiteral("学生"));
    QCOMPARE(study::listEntryText(plain, ListOrder::Kana), QStringLiteral("がくせい"));
    QCOMPARE(study::listEntryText(plain, ListOrder::Kanji), QStringLiteral("学生"));
    for (const char16_t *marker : {u"空缺", u"片假名", u""})
        QCOMPARE(study::listEntryText(word(u"是的", u"はい", marker), ListOrder::Kanji),
                 QStringLiteral("はい"));
}

void TestStudyLayout::detailLineOrders()
{
    const auto w = word(u"公司职员", u"かいしゃいん", u"会社員", u"3", u"名词");
    // Each line as "caption=value" when it has its caption at column 1 and its value at 15.
    const auto captions = [](const QList<TextRow> &rows) {
        QStringList out;
        for (const TextRow &r : rows) {
            if (r.isEmpty())
                out << QString();
            else if (r.size() == 2 && r[0].column == 1 && r[1].column == 15)
                out << r[0].text + u'=' + r[1].text;
            else
                out << QStringLiteral("<misplaced>");
        }
        return out;
    };
    QCOMPARE(captions(study::wordDetail(w, ListOrder::Chinese, false)),
             (QStringList{"汉语=公司职员", "", "日语假名=かいしゃいん", "", "当用汉字=会社員", "", "音调=3",
                          "", "词性=名词"}));
    QCOMPARE(captions(study::wordDetail(w, ListOrder::Kana, false)),
             (QStringList{"日语假名=かいしゃいん", "", "当用汉字=会社員", "", "汉语=公司职员", "", "音调=3",
                          "", "词性=名词"}));
    QCOMPARE(captions(study::wordDetail(w, ListOrder::Kanji, false)),
             (QStringList{"当用汉字=会社員", "", "日语假名=かいしゃいん", "", "汉语=公司职员", "", "音调=3",
                          "", "词性=名词"}));
    const auto none = word(u"是的", u"はい", u"片假名", u"1", u"感叹");
    QCOMPARE(study::wordDetail(none, ListOrder::Kanji, false).first(),
             (TextRow{{1, "当用汉字"}, {15, "-----"}}));
}

void TestStudyLayout::detailKanaFormat()
{
    const auto w = word(u"か", u"カ", u"空缺", u"", u"");
    QCOMPARE(study::wordDetail(w, ListOrder::Chinese, true),
             (QList<TextRow>{{{1, "平假名"}, {15, "か"}}, {}, {}, {{1, "片假名"}, {15, "カ"}}}));
    QCOMPARE(study::wordDetail(w, ListOrder::Kana, true),
             (QList<TextRow>{{{1, "片假名"}, {15, "カ"}}, {}, {}, {{1, "平假名"}, {15, "か"}}}));
    QVERIFY(study::wordDetail(w, ListOrder::Kanji, true).isEmpty());
}

void TestStudyLayout::headerStandsOverColumns()
{
    TestApp app;
    auto *w = openStudy(app);
    click(w, "start");
    auto *canvas = showword(w);
    const QList<QPair<const char *, int>> headers = {
        {"Label1", 2}, {"Label2", 26}, {"Label3", 47}, {"Label5", 53}, {"Label4", 63}};
    for (const auto &[name, column] : headers) {
        auto *label = findIn<QLabel>(w, name);
        QVERIFY(label->isVisible());
        QCOMPARE(surfaceX(label, w), surfaceX(canvas, w) + qRound(canvas->columnX(column)));
        // The caption is drawn from the label's left edge.
        QVERIFY(label->alignment() & Qt::AlignLeft);
        QCOMPARE(label->contentsMargins().left(), 0);
    }
    // The rules separate the first two columns and stand before the Chinese meaning.
    const int line1 = surfaceX(findIn<QWidget>(w, "Line1"), w) - surfaceX(canvas, w);
    const int line2 = surfaceX(findIn<QWidget>(w, "Line2"), w) - surfaceX(canvas, w);
    QVERIFY(line1 > canvas->columnX(2) && line1 < canvas->columnX(26));
    QVERIFY(line2 > canvas->columnX(53) && line2 < canvas->columnX(63));

    // The kana headers stand over the same columns.
    typeLesson(w, QStringLiteral("0"));
    click(w, "start");
    auto *label2 = findIn<QLabel>(w, "Label2");
    QCOMPARE(label2->text(), QStringLiteral("片假名"));
    QCOMPARE(surfaceX(label2, w), surfaceX(canvas, w) + qRound(canvas->columnX(26)));
    QVERIFY(label2->width() >= label2->sizeHint().width());
}

void TestStudyLayout::headerFollowsSavedFace()
{
    TestApp app;
    QFile face(app.path("sous/xxfnt.dll"));
    QVERIFY(face.open(QIODevice::WriteOnly));
    face.write("\"DejaVu Serif\"\r\n");
    face.close();
    auto *w = openStudy(app);
    auto *canvas = showword(w);
    QCOMPARE(canvas->font().families().first(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(canvas->font().pointSizeF(), 12.0);
    QVERIFY(canvas->font().bold());
    // A wider face moves the far columns; the headers move with them.
    ui::TextCanvas plain;
    plain.setFont(study::canvasFont());
    QVERIFY(qAbs(canvas->columnX(63) - plain.columnX(63)) > 2);
    click(w, "start");
    auto *label4 = findIn<QLabel>(w, "Label4");
    QCOMPARE(surfaceX(label4, w), surfaceX(canvas, w) + qRound(canvas->columnX(63)));
    QCOMPARE(fieldAt(filledLines(canvas).first(), 63), QStringLiteral("我"));
}

void TestStudyLayout::headerFacesAndColours()
{
    TestApp app;
    auto *w = openStudy(app);
    struct Expect {
        const char *name;
        const char *caption;
        const char *face;
        qreal points;
        QColor color;
    };
    const Expect expected[] = {
        {"Label1", "日语", "幼圆", 12, QColor(0, 192, 0)},
        {"Label2", "发音", "方正舒体", 14.25, QColor(128, 64, 64)},
        {"Label3", "音调", "隶书", 14.25, QColor(128, 0, 128)},
        {"Label5", "词性", "楷体_GB2312", 12, QColor(0, 0, 192)},
        {"Label4", "汉语意思", "华文行楷", 12, QColor(128, 128, 0)},
    };
    for (const Expect &e : expected) {
        auto *label = findIn<QLabel>(w, e.name);
        QCOMPARE(label->text(), QString::fromUtf8(e.caption));
        // The installed face the font table gives for the named one.
        QCOMPARE(label->font().families(), ui::designFont({QString::fromUtf8(e.face)}, e.points).families());
        QCOMPARE(label->font().pointSizeF(), e.points);
        QCOMPARE(ui::textColor(label), e.color);
    }
    QVERIFY(findIn<QLabel>(w, "Label1")->font().bold());
    QCOMPARE(showword(w)->textColor(), QColor(0, 0, 128));
}

void TestStudyLayout::exitLabelHoverColours()
{
    TestApp app;
    auto *w = openStudy(app);
    auto *exit = findIn<QLabel>(w, "lblexit");
    QCOMPARE(exit->text(), QStringLiteral("退出"));
    QCOMPARE(ui::textColor(exit), QColor(128, 128, 255));
    QCOMPARE(ui::fillColor(exit), QColor(255, 224, 192));
    hoverOver(exit, QPoint(10, 10));
    QCOMPARE(ui::textColor(exit), QColor(0, 192, 0));
    QCOMPARE(ui::fillColor(exit), QColor(255, 255, 192));
    hoverOver(showword(w), QPoint(200, 300));
    QCOMPARE(ui::textColor(exit), QColor(128, 128, 255));
    QCOMPARE(ui::fillColor(exit), QColor(255, 224, 192));
    hoverOver(exit, QPoint(12, 12));
    hoverOver(w->surface(), QPoint(500, 20));
    QCOMPARE(ui::textColor(exit), QColor(128, 128, 255));
    QTest::mouseClick(exit, Qt::LeftButton);
    QCOMPARE(app.quitCalls(), 1);
}

void TestStudyLayout::captionsAndToolTips()
{
    TestApp app;
    auto *w = openStudy(app);
    struct Expect {
        const char *name;
        const char *caption; // nullptr: the control has no caption to check
        const char *tip;
    };
    const Expect expected[] = {
        {"Label6", "输入课时", ""},
        {"start", "开始学习(&Q)", ""},
        {"startlist", "开始学习(&Q)", ""},
        {"goon", nullptr, "打印后面十个单词"},
        {"goback", nullptr, ""},
        {"Opb", "列表(&X)", "以列表的方式显示所有单词"},
        {"Opa", "打印(&Z)", "在下面打印出单词的详细信息（类似于课本）"},
        {"cmdmoren", "保存", "保存所选择的自己习惯的显示方式，以后打开的时候，将此方式显示。"},
        {"lblexit", "退出", ""},
        {"savecolor", "保存颜色", "如果希望下次启动时仍显示此色彩，请点击此按钮。"},
        {"model1", "按汉语(&A)", "以汉语意思为第一项显示"},
        {"model2", "按假名(&S)", "以假名形式为第一项显示"},
        {"model3", "按当汉(&D)", "以当用汉字为第一项显示"},
        {"Command1", "保存设置", "保存自己习惯的单词排列方式，以后都将按此方式显示。"},
        {"lblpome1", nullptr, "双击此处即可自行设置警句"},
        {"lblpome2", nullptr, "双击此处即可自行设置警句"},
    };
    for (const Expect &e : expected) {
        QWidget *control = findIn<QWidget>(w, e.name);
        QVERIFY2(control, e.name);
        if (e.caption) {
            QString caption;
            if (auto *button = qobject_cast<QAbstractButton *>(control))
                caption = button->text();
            else if (auto *label = qobject_cast<QLabel *>(control))
                caption = label->text();
            QCOMPARE(caption, QString::fromUtf8(e.caption));
        }
        QCOMPARE(control->toolTip(), QString::fromUtf8(e.tip));
    }
    // The list's caption stands one character under the other.
    QCOMPARE(findIn<QLabel>(w, "Label8")->text().remove(u'\n'), QStringLiteral("单词列表"));
    QCOMPARE(findIn<QLabel>(w, "Label8")->text().count(u'\n'), 3);
    QCOMPARE(findIn<QLineEdit>(w, "keshi")->text(), QStringLiteral("1"));

    QCOMPARE(w->popout()->title(), QStringLiteral("弹出式"));
    QStringList captions;
    for (QAction *a : w->popout()->actions()) {
        if (!a->isSeparator())
            captions << a->text();
    }
    QCOMPARE(captions, (QStringList{"单词查询", "单词练习", "列表显示", "打印显示", "设置颜色", "设置字体",
                                    "设置警句", "恢复默认颜色", "字形比较", "退出", "显示音调线"}));
}

QTEST_MAIN(TestStudyLayout)
#include "tst_studylayout.moc"
