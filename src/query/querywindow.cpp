#include "query/querywindow.h"

#include "lexicon/lessontable.h"
#include "lexicon/lexicon.h"
#include "shell/shell.h"
#include "ui/activelabel.h"
#include "ui/colors.h"
#include "ui/interaction.h"
#include "ui/settingsfile.h"
#include "ui/shapeframe.h"
#include "ui/textcanvas.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <functional>

namespace query {
namespace {

const QColor kExitHoverText(255, 0, 0);
const QColor kExitHoverBorder(255, 255, 192);
const QColor kExitHoverFill(192, 255, 255);
const QColor kExitText(0, 0, 255);
const QColor kExitBorder(255, 224, 192);
const QColor kExitFill(255, 255, 192);

const QColor kNotFoundColor(192, 0, 0);
const QColor kFuzzyListColor(128, 128, 0);
const QColor kCanvasText(0, 128, 128);

// The window is laid out in twips, 15 to a pixel.
int px(int twips)
{
    return qRound(twips / 15.0);
}

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

// A named Chinese face with a close face that is installed here as fallback.
QFont chineseFont(const QString &face, qreal points, bool bold, bool serif)
{
    QFont f;
    f.setFamilies({face, serif ? QStringLiteral("Noto Serif CJK SC") : QStringLiteral("Noto Sans CJK SC"),
                   QStringLiteral("Noto Sans CJK SC")});
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// The print areas' face. The column places of the result lines and the heading places were laid
// out for columns 120 twips (8 pixels) apart, so a face whose average character is wider is
// made smaller until it fits; otherwise the columns would drift away from their headings.
QFont canvasFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Century Gothic"), QStringLiteral("Nimbus Sans"),
                   QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
    f.setPointSizeF(12);
    f.setBold(true);
    constexpr qreal kColumn = 8.0;
    int pixels = QFontInfo(f).pixelSize();
    while (pixels > 8 && QFontMetricsF(f).averageCharWidth() > kColumn + 0.05) {
        --pixels;
        f.setPixelSize(pixels);
    }
    return f;
}

// A tall, narrow button whose caption runs down it one character to a line.
class TallButton : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QStylePainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        opt.text.clear();
        p.drawControl(QStyle::CE_PushButton, opt);
        p.setFont(font());
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        // One character a line, spread evenly down the button; a CJK face's own line height is
        // too generous for four characters on a button this short.
        const QString caption = text();
        if (caption.isEmpty())
            return;
        const QFontMetricsF fm(font());
        const qreal step = std::min<qreal>(fm.height(), (height() - 8.0) / caption.size());
        qreal top = (height() - step * caption.size()) / 2;
        for (const QChar ch : caption) {
            p.drawText(QRectF(0, top, width(), step), Qt::AlignCenter, QString(ch));
            top += step;
        }
    }
};

// An input that reports a click and the focus it receives from the user or the program; the
// focus that merely comes back with the window or after a menu is not a move to this input.
class QueryInput : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    std::function<void()> onGotFocus;
    std::function<void()> onClick;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QLineEdit::focusInEvent(event);
        if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
            return;
        if (onGotFocus)
            onGotFocus();
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QLineEdit::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && onClick)
            onClick();
    }
};

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, const QFont &font,
                  const QColor &color)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    ui::setTextColor(label, color);
    return label;
}

// What the kanji column shows for a kana or Chinese lookup: the markers of a word without a kanji
// form read as a dash.
QString dashedKanji(const QString &kanji)
{
    if (kanji == u"空缺" || kanji == u"片假名")
        return QStringLiteral("-----");
    return kanji;
}

const QString kNothingTyped = QStringLiteral("请输入要查询的单词");
const QString kDone = QStringLiteral("搜索完毕");

} // namespace

QueryWindow::QueryWindow(shell::Shell &shell, QWidget *parent)
    : WorkWindow(shell, shell::Screen::Query, parent)
{
    setObjectName(QStringLiteral("chaxun"));
    setWindowTitle(QStringLiteral("词帆  单词查询 "));
    resizeClient(715, 481);
    createNavigation();
    createControls();
}

void QueryWindow::createControls()
{
    QWidget *s = surface();

    // The three inputs with their captions.
    const QFont inputCaption = chineseFont(QStringLiteral("方正舒体"), 15, false, true);
    place(makeLabel(s, "Label4", QStringLiteral("输入汉语"), inputCaption, QColor(0, 128, 128)), 120, 45,
          1305, 300);
    place(makeLabel(s, "Label1", QStringLiteral("输入日语"), inputCaption, QColor(0, 0, 192)), 105, 510, 1305,
          300);
    place(makeLabel(s, "Label2", QStringLiteral("输入当汉"), inputCaption, QColor(192, 64, 0)), 120, 1005,
          1305, 300);

    const QFont systemBold = chineseFont(QStringLiteral("System"), 12, true, false);
    auto makeInput = [&](const char *name, int top, const QFont &font) {
        auto *input = new QueryInput(s);
        input->setObjectName(QString::fromLatin1(name));
        input->setFont(font);
        place(input, 1350, top, 3000, 400);
        input->onGotFocus = [this, input] { input_GotFocus(input); };
        input->onClick = [this, input] { input_GotFocus(input); };
        connect(input, &QLineEdit::textChanged, this, &QueryWindow::input_Change);
        connect(input, &QLineEdit::returnPressed, this, &QueryWindow::pressDefault);
        return input;
    };
    m_hanyu = makeInput("hanyu", 0, chineseFont(QStringLiteral("幼圆"), 14.25, true, false));
    m_riyu = makeInput("riyu", 465, systemBold);
    m_dang = makeInput("dang", 960, systemBold);

    // The two lookup buttons.
    m_chaxun = new TallButton(QStringLiteral("查询"), s);
    m_chaxun->setObjectName(QStringLiteral("chaxun"));
    m_chaxun->setFont(chineseFont(QStringLiteral("华文新魏"), 15.75, false, true));
    place(m_chaxun, 4560, 0, 375, 1400);
    m_chaxun->setEnabled(false);
    connect(m_chaxun, &QPushButton::clicked, this, &QueryWindow::chaxun_Click);

    m_mohu = new TallButton(QStringLiteral("模糊查询"), s);
    m_mohu->setObjectName(QStringLiteral("mohu"));
    m_mohu->setFont(chineseFont(QStringLiteral("华文新魏"), 14.25, false, true));
    m_mohu->setToolTip(QStringLiteral("查询包含所输入内容的所有单词"));
    place(m_mohu, 5040, 0, 375, 1400);
    m_mohu->hide();
    connect(m_mohu, &QPushButton::clicked, this, &QueryWindow::mohu_Click);
    setDefaultButton(m_chaxun);

    // Display mode.
    const QFont round12 = chineseFont(QStringLiteral("幼圆"), 12, true, false);
    place(makeLabel(s, "Label5", QStringLiteral("显示方式"), round12, QColor(128, 128, 255)), 6690, 480, 1065,
          240);
    m_way2 = new QRadioButton(QStringLiteral("列表(&X)"), s);
    m_way2->setObjectName(QStringLiteral("way2"));
    m_way2->setFont(round12);
    ui::setTextColor(m_way2, QColor(128, 0, 128));
    place(m_way2, 5880, 840, 1275, 400);
    m_way1 = new QRadioButton(QStringLiteral("打印(&Z)"), s);
    m_way1->setObjectName(QStringLiteral("way1"));
    m_way1->setFont(round12);
    ui::setTextColor(m_way1, QColor(0, 128, 0));
    place(m_way1, 7320, 840, 1275, 400);
    m_way1->setChecked(true);
    connect(m_way1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            way1_Click();
    });
    connect(m_way2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            way2_Click();
    });

    m_command1 = new QPushButton(QStringLiteral("保存设置"), s);
    m_command1->setObjectName(QStringLiteral("Command1"));
    QFont small = chineseFont(QStringLiteral("宋体"), 9, false, false);
    m_command1->setFont(small);
    m_command1->setStyleSheet(QStringLiteral("padding: 0px;"));
    place(m_command1, 8760, 920, 915, 250);
    connect(m_command1, &QPushButton::clicked, this, &QueryWindow::Command1_Click);

    // The exit label on its shape.
    m_shape1 = new ui::ShapeFrame(s);
    m_shape1->setObjectName(QStringLiteral("Shape1"));
    m_shape1->setGeometry(606, 4, 89, 33);
    m_shape1->setBorderColor(kExitBorder);
    m_shape1->setFillColor(kExitFill);

    m_label3 = new ui::ActiveLabel(QStringLiteral("退出"), s);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setAlignment(Qt::AlignCenter);
    m_label3->setFont(chineseFont(QStringLiteral("华文行楷"), 16, false, true));
    m_label3->setGeometry(606, 7, 89, 27);
    ui::setTextColor(m_label3, QColor(0, 0, 192));
    connect(m_label3, &ui::ActiveLabel::mouseMoved, this, &QueryWindow::Label3_MouseMove);
    connect(m_label3, &ui::ActiveLabel::clicked, this, &QueryWindow::Label3_Click);

    // Records which input the latest list hit came from; drawn in the face colour, never seen.
    m_info = makeLabel(s, "info", QString(), chineseFont(QStringLiteral("宋体"), 36, false, true),
                       palette().color(QPalette::Window));
    place(m_info, 10440, 0, 255, 375);

    auto *line1 = new QFrame(s);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setGeometry(0, px(1420), px(10560), 1);
    ui::setFillColor(line1, QColor(255, 224, 192));

    // Column headings of the print display.
    m_headings[0] = makeLabel(s, "l1", QStringLiteral("汉语"),
                              chineseFont(QStringLiteral("隶书"), 15, false, true), QColor(0, 0, 128));
    place(m_headings[0], 120, 1425, 600, 300);
    m_headings[1] = makeLabel(s, "l2", QStringLiteral("日语"), round12, QColor(128, 0, 0));
    place(m_headings[1], 3360, 1440, 525, 240);
    m_headings[2] = makeLabel(s, "l3", QStringLiteral("当用汉字形式"),
                              chineseFont(QStringLiteral("华文行楷"), 12, false, true), QColor(128, 128, 0));
    place(m_headings[2], 5640, 1440, 1440, 255);
    m_headings[3] =
        makeLabel(s, "l4", QStringLiteral("音调"), chineseFont(QStringLiteral("楷体_GB2312"), 12, true, true),
                  QColor(128, 128, 255));
    place(m_headings[3], 8880, 1440, 525, 240);
    m_headings[4] = makeLabel(s, "l5", QStringLiteral("词性"),
                              chineseFont(QStringLiteral("华文中宋"), 12, false, true), QColor(192, 0, 192));
    place(m_headings[4], 9720, 1410, 480, 285);

    m_label7 = makeLabel(s, "Label7", QString(), chineseFont(QStringLiteral("方正姚体"), 14.25, false, false),
                         kNotFoundColor);
    place(m_label7, 3600, 1700, 6000, 375);

    const QFont printFace = canvasFont();
    const QColor face = palette().color(QPalette::Window);
    auto makeCanvas = [&](const char *name) {
        auto *canvas = new ui::TextCanvas(s);
        canvas->setObjectName(QString::fromLatin1(name));
        canvas->setFont(printFace);
        canvas->setTextColor(kCanvasText);
        canvas->setBackgroundColor(face);
        connect(canvas, &ui::TextCanvas::mousePressed, this,
                [this](Qt::MouseButton button, const QPoint &pos) { Form_MouseDown(button, pos); });
        connect(canvas, &ui::TextCanvas::clicked, this, &QueryWindow::zhijieshuru);
        return canvas;
    };
    // The print area lies over the heading row until a print lookup moves it down.
    m_showwords = makeCanvas("showwords");
    place(m_showwords, 0, 1400, 10700, 5700);

    m_listno = new QListWidget(s);
    m_listno->setObjectName(QStringLiteral("Listno"));
    place(m_listno, 120, 1460, 2295, 5460);
    m_listno->setFocusPolicy(Qt::NoFocus);
    m_list = new QListWidget(s);
    m_list->setObjectName(QStringLiteral("List"));
    m_list->setFont(systemBold);
    place(m_list, 120, 1440, 2295, 5580);
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::currentRowChanged, this, &QueryWindow::List_Click);

    m_showwords2 = makeCanvas("showwords2");
    place(m_showwords2, 3600, 2280, 6705, 3315);

    // Design state: the print display.
    m_list->hide();
    m_listno->hide();
    m_showwords2->hide();
}

void QueryWindow::createNavigation()
{
    using shell::Screen;
    addHelpCommand();
    addAboutCommand("guanyu");
    addBarCommand("spc2", QString());
    addLeaveCommand("qidong", QStringLiteral("向导页面"), Screen::Start, LeaveBy::StartPage);
    addLeaveCommand("practise", QStringLiteral("单词练习(F3)"), Screen::Practice, LeaveBy::MenuEntry);
    addLeaveCommand("learn", QStringLiteral("单词学习(F4)"), Screen::Study, LeaveBy::MenuEntry);
    addBarCommand("spc", QStringLiteral(" "));
    addCompareCommand();

    QMenu *space = addCarrierMenu("space");
    addLeaveKey(space, "kuaijiepractise", QStringLiteral("单词练习"), Qt::Key_F3, Screen::Practice);
    addLeaveKey(space, "kuaijielearn", QStringLiteral("单词学习"), Qt::Key_F4, Screen::Study);
    addCompareKey(space);

    addLeavePopupItem("poplianxi", QStringLiteral("练习模式"), Screen::Practice, LeaveBy::MenuEntry);
    addLeavePopupItem("popxuexi", QStringLiteral("学习模式"), Screen::Study, LeaveBy::MenuEntry);
    addPopupSeparator();
    m_popprint = addPopupItem("popprint", QStringLiteral("打印显示"));
    connect(m_popprint, &QAction::triggered, this, [this] { m_way1->setChecked(true); });
    m_poplist = addPopupItem("poplist", QStringLiteral("列表显示"));
    connect(m_poplist, &QAction::triggered, this, [this] { m_way2->setChecked(true); });
    addPopupItem("setcolor", QStringLiteral("设置颜色")); // offered, but does nothing
    addPopupSeparator();
    addComparePopupItem();
    addPopupSeparator();
    addExitPopupItem();
}

void QueryWindow::Form_Load()
{
    // Operating notes, printed in the design state: the print area still covers the headings.
    const QString indent10(10, u' ');
    const QString indent4(4, u' ');
    ui::TextCanvas *c = m_showwords;
    c->newLine();
    c->newLine();
    c->newLine();
    c->writeAt(35, QStringLiteral("操作简介"));
    c->newLine();
    c->writeLine(indent10 + QStringLiteral("当前为查询模式,可在此查询标准日本语初级单词。"));
    c->writeLine(
        indent10 +
        QStringLiteral("操作方法很简单，在相应的框里输入单词，然后回车便可以.    比如:如果要汉译日查询，"));
    c->writeLine(
        indent4 +
        QStringLiteral("就在“输入汉语”的框里输入中文意思，日译汉查询的话，在“输入日语”框里输入假名；"));
    c->writeLine(
        indent4 +
        QStringLiteral("如果单词包含当用汉字，则在“输入当汉”内输入.输完按回车，如果找到该单词，便会在"));
    c->writeLine(indent4 + QStringLiteral("下面打印，搜索全部词库后，便打印出“搜索完毕”。"));
    c->writeLine(indent10 + QStringLiteral("支持模糊查询."));
    c->writeLine(indent10 + QStringLiteral("操作极为简便."));
    c->writeLine(indent10 +
                 QStringLiteral("输入单词后不要按tab键，不然，小心刚刚输入的单词不翼而飞。嘿嘿。"));
    c->newLine();
    c->writeLine(indent10 +
                 QStringLiteral("以上只是基本说明，如果仔细阅读帮助文档的话,使用起来将更加方便。"));
    c->writeLine(QStringLiteral(
        "说明：只能查询标日初级的词汇,还有此功能不是电子词典，所以功能比较简单.要求不要太高啊."));

    // The saved display mode; anything but the number 2 (or no file at all) is the print display.
    const auto mode = ui::SettingsLine::read(m_shell.programPath(QStringLiteral("sous/cx.dll"))).number(0);
    if (mode && *mode == 2)
        m_way2->setChecked(true);
    else
        m_way1->setChecked(true);
    // The pop-up menu never offers the mode in use.
    m_popprint->setVisible(!m_way1->isChecked());
    m_poplist->setVisible(m_way1->isChecked());

    zhijieshuru();
}

bool QueryWindow::printDisplay() const
{
    return m_way1->isChecked();
}

void QueryWindow::way1_Click()
{
    zhijieshuru();
    m_list->hide();
    m_listno->hide();
    m_showwords2->hide();
    m_showwords->show();
    for (QLabel *h : m_headings)
        h->show();
    m_label7->clear();
    if (!m_mohu->isHidden()) {
        setDefaultButton(m_chaxun);
        m_mohu->hide();
    }
    m_popprint->setVisible(false);
    m_poplist->setVisible(true);
}

void QueryWindow::way2_Click()
{
    zhijieshuru();
    for (QLabel *h : m_headings)
        h->hide();
    m_showwords->hide();
    m_listno->show();
    m_list->show();
    m_showwords2->show();
    if (!m_mohu->isHidden()) {
        setDefaultButton(m_chaxun);
        m_mohu->hide();
    }
    m_poplist->setVisible(false);
    m_popprint->setVisible(true);
}

void QueryWindow::Command1_Click()
{
    const long long mode = m_way1->isChecked() ? 1 : 2;
    if (!ui::writeSettingsFile(m_shell.programPath(QStringLiteral("sous/cx.dll")),
                               {ui::SettingsValue(mode)})) {
        m_shell.interaction().message(
            this,
            ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(),
                        QStringLiteral("显示方式未能保存：程序文件夹下的sous文件夹不存在或无法写入。")});
    }
    m_hanyu->setFocus();
}

QueryTexts QueryWindow::currentTexts() const
{
    return QueryTexts{m_hanyu->text(), m_riyu->text(), m_dang->text()};
}

void QueryWindow::setDefaultButton(QPushButton *button)
{
    m_defaultButton = button;
    m_chaxun->setDefault(button == m_chaxun);
    m_mohu->setDefault(button == m_mohu);
}

void QueryWindow::pressDefault()
{
    if (m_defaultButton && m_defaultButton->isEnabled() && !m_defaultButton->isHidden())
        m_defaultButton->click();
}

void QueryWindow::chaxun_Click()
{
    ciku::fillLexicon();
    if (printDisplay())
        printLookup();
    else
        listLookup();
}

void QueryWindow::printNothingTyped(ui::TextCanvas *canvas)
{
    canvas->clear();
    canvas->newLine();
    canvas->newLine();
    canvas->writeAt(1, kNothingTyped);
    canvas->newLine();
}

void QueryWindow::uncoverHeadings()
{
    m_showwords->move(0, px(1800));
}

void QueryWindow::printLookup()
{
    const QueryTexts texts = currentTexts();
    if (texts.allEmpty()) {
        printNothingTyped(m_showwords);
        return;
    }
    m_showwords->clear();
    uncoverHeadings();
    m_lineBreak = QStringLiteral("\n\r");

    const QList<Hit> hits = exactLookup(ciku::lexicon(), texts);
    for (const Hit &hit : hits)
        printHit(hit);

    int marker = hits.isEmpty() ? 0 : 1;
    bool stopped = false;
    if (hits.isEmpty()) {
        m_showwords->writeAt(32, QStringLiteral("找不到所输入单词，下面显示模糊查询结果"));
        m_showwords->newLine();
        m_shell.interaction().beep();
        stopped = mohuchaxun(marker);
    } else {
        m_mohu->show();
        setDefaultButton(m_mohu);
    }

    if (!stopped) {
        m_showwords->newLine();
        if (marker == 0)
            m_showwords->writeAt(
                7,
                QStringLiteral("模糊查询也未能找到所输入的的单词，也许该单词不属于标日初级词汇，没有资料。"));
        else
            m_showwords->writeAt(37, kDone);
        m_showwords->newLine();
    }
    zhijieshuru();
}

void QueryWindow::setHeadings(Source source)
{
    struct Heading {
        const char16_t *caption;
        int left;
    };
    static const Heading kHanyu[3] = {{u"汉语", 120}, {u"日语", 4100}, {u"当用汉字形式", 6720}};
    static const Heading kRiyu[3] = {{u"假名", 120}, {u"当用汉字形式", 2940}, {u"汉语", 5250}};
    static const Heading kDang[3] = {{u"当用汉字形式", 120}, {u"假名", 2300}, {u"汉语", 5300}};
    const Heading *row = source == Source::Hanyu ? kHanyu : source == Source::Riyu ? kRiyu : kDang;
    for (int i = 0; i < 3; ++i) {
        QLabel *h = m_headings[i];
        h->setText(QString::fromUtf16(row[i].caption));
        // The headings size themselves to their captions.
        h->adjustSize();
        h->move(px(row[i].left), h->y());
    }
}

void QueryWindow::printHit(const Hit &hit)
{
    const ciku::Lexicon &table = ciku::lexicon();
    const QString chinese = table.text(hit.slot, 1);
    const QString kana = table.text(hit.slot, 2);
    const QString kanji = table.text(hit.slot, 3);
    const QString accent = table.text(hit.slot, 4);
    const QString pos = table.text(hit.slot, 5);
    ui::TextCanvas *c = m_showwords;
    auto put = [c](int column, const QString &text) {
        c->tab(column);
        if (!text.isEmpty())
            c->write(text);
    };
    switch (hit.source) {
    case Source::Hanyu:
        put(2, chinese);
        put(35, kana);
        put(59, kanji);
        put(78, accent);
        break;
    case Source::Riyu:
        put(2, kana);
        put(26, dashedKanji(kanji));
        put(45, chinese);
        put(77, accent);
        break;
    case Source::Dang:
        put(2, kanji);
        put(20, kana);
        put(45, chinese);
        put(77, accent);
        break;
    }
    put(82, pos);
    c->newLine();
    setHeadings(hit.source);
}

bool QueryWindow::mohuchaxun(int &counter)
{
    const QList<Hit> hits = containsLookup(ciku::lexicon(), currentTexts());
    for (qsizetype i = 0; i < hits.size(); ++i) {
        printHit(hits[i]);
        ++counter;
        // A screen is full once a slot has brought the count to a page; the question waits for
        // the end of the slot so that all its lines stand on the screen.
        const bool slotDone = i + 1 == hits.size() || hits[i + 1].slot != hits[i].slot;
        if (!slotDone || counter < kPageSize)
            continue;
        counter = 0;
        const QString text = QStringList{QStringLiteral("由于符合搜索条件的单词较多，一屏无法完全显示，"),
                                         QStringLiteral("请查找当前打印出的单词有没有要查找的，"),
                                         QStringLiteral("如果有，请点击“是”结束查找，"),
                                         QStringLiteral("没有，请点击“否”显示下一屏。"),
                                         QStringLiteral("如果此消息框遮挡住了单词,可以将它拖到一边。")}
                                 .join(m_lineBreak);
        const ui::Answer answer = m_shell.interaction().message(
            this, ui::Message{ui::Icon::Warning, ui::Buttons::YesNo, QStringLiteral("提醒"), text});
        if (answer == ui::Answer::Yes) {
            m_showwords->newLine();
            m_showwords->writeAt(29, QStringLiteral("目标词已找到，搜索中止！"));
            m_showwords->newLine();
            return true;
        }
        m_showwords->clear();
    }
    return false;
}

void QueryWindow::mohu_Click()
{
    ciku::fillLexicon();
    if (printDisplay()) {
        m_showwords->clear();
        uncoverHeadings();
        m_lineBreak = QStringLiteral("\n\r");
        m_showwords->writeAt(23, QStringLiteral("下面显示模糊查询结果（包含刚才的查询结果）"));
        m_showwords->newLine();
        int counter = 0;
        if (!mohuchaxun(counter)) {
            m_showwords->newLine();
            m_showwords->writeAt(37, kDone);
            m_showwords->newLine();
        }
    } else {
        m_list->clear();
        m_listno->clear();
        listmohu();
        ui::setTextColor(m_label7, kFuzzyListColor);
        m_label7->setText(QStringLiteral("当前为模糊查询结果（包含刚才的查询结果）"));
        if (!m_info->text().isEmpty() && m_list->count() > 0) {
            m_list->setFocus();
            m_list->setCurrentRow(0);
        }
        if (m_list->count() == 0)
            zhijieshuru();
    }
    m_mohu->hide();
    setDefaultButton(m_chaxun);
}

void QueryWindow::appendListHit(const Hit &hit)
{
    m_list->addItem(ciku::lexicon().text(hit.slot, fieldNumber(hit.source)));
    m_listno->addItem(QString::number(hit.slot));
    m_info->setText(QString::number(static_cast<int>(hit.source)));
}

void QueryWindow::listmohu()
{
    for (const Hit &hit : containsLookup(ciku::lexicon(), currentTexts()))
        appendListHit(hit);
}

void QueryWindow::listLookup()
{
    const QueryTexts texts = currentTexts();
    if (texts.allEmpty()) {
        printNothingTyped(m_showwords2);
        return;
    }
    m_label7->clear();
    m_list->clear();
    m_listno->clear();
    const QList<Hit> hits = exactLookup(ciku::lexicon(), texts);
    for (const Hit &hit : hits)
        appendListHit(hit);
    if (hits.isEmpty()) {
        ui::setTextColor(m_label7, kNotFoundColor);
        m_label7->setText(QStringLiteral("找不到所输入单词，下面显示模糊查询结果。"));
        m_shell.interaction().beep();
        listmohu();
    } else {
        m_mohu->show();
        setDefaultButton(m_mohu);
    }
    if (!m_info->text().isEmpty() && m_list->count() > 0) {
        m_list->setFocus();
        m_list->setCurrentRow(0);
    }
    if (m_list->count() == 0) {
        zhijieshuru();
        m_showwords2->clear();
        m_shell.interaction().beep();
        m_showwords2->writeAt(1, QStringLiteral("模糊查询也找不到所要查询的单词，"));
        m_showwords2->newLine();
        m_showwords2->writeAt(1, QStringLiteral("也许该单词不属于初级词库，没有资料。"));
        m_showwords2->newLine();
        return;
    }
    showDetails(0);
}

void QueryWindow::List_Click(int row)
{
    if (row >= 0)
        showDetails(row);
}

void QueryWindow::showDetails(int row)
{
    m_showwords2->clear();
    if (row < 0 || row >= m_listno->count())
        return;
    const int slot = static_cast<int>(ciku::leadingNumber(m_listno->item(row)->text()));
    const ciku::Lexicon &table = ciku::lexicon();
    const QString chinese = table.text(slot, 1);
    const QString kana = table.text(slot, 2);
    const QString kanji = table.text(slot, 3);
    const QString accent = table.text(slot, 4);
    const QString pos = table.text(slot, 5);

    QList<std::pair<QString, QString>> rows;
    const QString info = m_info->text();
    if (info == u"1")
        rows = {{QStringLiteral("汉语"), chinese},
                {QStringLiteral("日语"), kana},
                {QStringLiteral("当用汉字"), dashedKanji(kanji)}};
    else if (info == u"2")
        rows = {{QStringLiteral("日语"), kana},
                {QStringLiteral("当用汉字"), dashedKanji(kanji)},
                {QStringLiteral("汉语"), chinese}};
    else if (info == u"3")
        rows = {{QStringLiteral("当用汉字"), kanji},
                {QStringLiteral("日语"), kana},
                {QStringLiteral("汉语"), chinese}};
    else
        return;
    rows.append({QStringLiteral("音调"), accent});
    rows.append({QStringLiteral("词性"), pos});
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i > 0)
            m_showwords2->newLine();
        m_showwords2->writeAt(1, rows[i].first);
        m_showwords2->tab(15);
        if (!rows[i].second.isEmpty())
            m_showwords2->write(rows[i].second);
        m_showwords2->newLine();
    }
}

void QueryWindow::input_Change()
{
    if (!m_mohu->isHidden())
        m_mohu->hide();
    m_chaxun->setEnabled(true);
    setDefaultButton(m_chaxun);
    if (!printDisplay()) {
        m_list->clear();
        m_listno->clear();
        m_showwords2->clear();
        m_label7->clear();
    }
}

void QueryWindow::input_GotFocus(QLineEdit *input)
{
    input->selectAll();
    // One input at a time: moving to an input empties the others.
    for (QLineEdit *other : {m_hanyu, m_riyu, m_dang}) {
        if (other != input && !other->text().isEmpty())
            other->clear();
    }
}

void QueryWindow::zhijieshuru()
{
    for (QLineEdit *input : {m_hanyu, m_riyu, m_dang}) {
        if (!input->text().isEmpty()) {
            input->setFocus();
            input->setSelection(0, static_cast<int>(input->text().size()));
            return;
        }
    }
    m_hanyu->setFocus();
    m_hanyu->deselect();
}

void QueryWindow::Form_Click()
{
    zhijieshuru();
}

bool QueryWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on the result list presses the default button, as it does in an input.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            pressDefault();
            return true;
        }
    }
    return WorkWindow::eventFilter(watched, event);
}

void QueryWindow::Label3_MouseMove()
{
    m_shape1->setBorderColor(kExitHoverBorder);
    m_shape1->setFillColor(kExitHoverFill);
    ui::setTextColor(m_label3, kExitHoverText);
}

void QueryWindow::Form_MouseMove()
{
    m_shape1->setBorderColor(kExitBorder);
    m_shape1->setFillColor(kExitFill);
    ui::setTextColor(m_label3, kExitText);
}

void QueryWindow::Label3_Click()
{
    m_shell.exitProgram();
}

} // namespace query
