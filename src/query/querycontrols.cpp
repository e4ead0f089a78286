// The controls of the query window as designed, its menus, and the small widgets they use.
#include "query/querycontrols.h"

#include "lexicon/lexicon.h"
#include "query/querywindow.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/hoverlabel.h"
#include "ui/romajityping.h"
#include "ui/shapeframe.h"
#include "ui/textcanvas.h"
#include "ui/twips.h"

#include <QFocusEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace query {

void TallButton::paintEvent(QPaintEvent *)
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

void QueryInput::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (onGotFocus)
        onGotFocus();
}

void QueryInput::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && onClick)
        onClick();
}

namespace {

const QColor kCanvasText(0, 128, 128);

// The exit label lights up while the mouse is over it; at rest it is a brighter blue than its
// design colour.
const ui::HoverLabel::Look kExitRest{QString(), QColor(0, 0, 255), QColor(), QColor(255, 224, 192),
                                     QColor(255, 255, 192)};
const ui::HoverLabel::Look kExitHover{QString(), QColor(255, 0, 0), QColor(), QColor(255, 255, 192),
                                      QColor(192, 255, 255)};

// The print areas' face. The column places of the result lines and the heading places were laid
// out for columns 120 twips (8 pixels) apart, and a full screen of the fuzzy print search (the
// line above the hits, fifteen hits, an empty line and the closing line) was laid out to fit
// between the moved print area's top edge at 1800 twips and the window's bottom edge at 7215.
// A face whose average character is wider or whose lines are taller is made smaller until both
// fit; otherwise the columns would drift away from their headings, or the last hits and the
// stop line would fall below the window.
QFont canvasFont()
{
    QFont f = ui::designFont({QStringLiteral("Nimbus Sans")}, 12, true);
    constexpr qreal kColumn = 8.0;
    constexpr int kScreenLines = QueryWindow::kPageSize + 3;
    const int kLineHeight = (ui::twips(7215) - ui::twips(1800)) / kScreenLines;
    int pixels = QFontInfo(f).pixelSize();
    while (pixels > 8 &&
           (QFontMetricsF(f).averageCharWidth() > kColumn + 0.05 || QFontMetrics(f).height() > kLineHeight)) {
        --pixels;
        f.setPixelSize(pixels);
    }
    return f;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, const QFont &font,
                  const QColor &color)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    ui::setTextColor(label, color);
    return label;
}

} // namespace

void QueryWindow::createControls()
{
    QWidget *s = surface();

    // The three inputs with their captions.
    const QFont inputCaption = ui::designFont({QStringLiteral("方正舒体")}, 15, false, ui::Fallback::Serif);
    ui::place(makeLabel(s, "Label4", QStringLiteral("输入汉语"), inputCaption, QColor(0, 128, 128)), 120, 45,
              1305, 300);
    ui::place(makeLabel(s, "Label1", QStringLiteral("输入日语"), inputCaption, QColor(0, 0, 192)), 105, 510,
              1305, 300);
    ui::place(makeLabel(s, "Label2", QStringLiteral("输入当汉"), inputCaption, QColor(192, 64, 0)), 120, 1005,
              1305, 300);

    const QFont systemBold = ui::designFont({QStringLiteral("System")}, 12, true, ui::Fallback::Sans);
    auto makeInput = [&](const char *name, int top, const QFont &font) {
        auto *input = new QueryInput(s);
        input->setObjectName(QString::fromLatin1(name));
        input->setMaxLength(ciku::kWordBoxMaxLength);
        input->setFont(font);
        ui::place(input, 1350, top, 3000, 400);
        input->onGotFocus = [this, input] { input_GotFocus(input); };
        input->onClick = [this, input] { input_GotFocus(input); };
        connect(input, &QLineEdit::textChanged, this, &QueryWindow::input_Change);
        connect(input, &QLineEdit::returnPressed, this, &QueryWindow::pressDefault);
        return input;
    };
    m_meaningInput =
        makeInput("hanyu", 0, ui::designFont({QStringLiteral("幼圆")}, 14.25, true, ui::Fallback::Sans));
    // The kana and kanji inputs take Japanese: the Japanese face of the same collection.
    const QFont japaneseInput = ui::inLanguage(systemBold, ui::TextLanguage::Japanese);
    m_kanaInput = makeInput("riyu", 465, japaneseInput);
    m_kanjiInput = makeInput("dang", 960, japaneseInput);
    // The kana box takes rōmaji when "罗马字输入(F8)" is on.
    romajiTyping()->attach(m_kanaInput);

    // The two lookup buttons.
    m_lookupButton = new TallButton(QStringLiteral("查询"), s);
    m_lookupButton->setObjectName(QStringLiteral("chaxun"));
    m_lookupButton->setFont(ui::designFont({QStringLiteral("华文新魏")}, 15.75, false, ui::Fallback::Serif));
    ui::place(m_lookupButton, 4560, 0, 375, 1400);
    m_lookupButton->setEnabled(false);
    connect(m_lookupButton, &QPushButton::clicked, this, &QueryWindow::chaxun_Click);

    m_fuzzyButton = new TallButton(QStringLiteral("模糊查询"), s);
    m_fuzzyButton->setObjectName(QStringLiteral("mohu"));
    m_fuzzyButton->setFont(ui::designFont({QStringLiteral("华文新魏")}, 14.25, false, ui::Fallback::Serif));
    m_fuzzyButton->setToolTip(QStringLiteral("查询包含所输入内容的所有单词"));
    ui::place(m_fuzzyButton, 5040, 0, 375, 1400);
    m_fuzzyButton->hide();
    connect(m_fuzzyButton, &QPushButton::clicked, this, &QueryWindow::mohu_Click);
    setDefaultButton(m_lookupButton);

    // Display mode.
    const QFont round12 = ui::designFont({QStringLiteral("幼圆")}, 12, true, ui::Fallback::Sans);
    ui::place(makeLabel(s, "Label5", QStringLiteral("显示方式"), round12, QColor(128, 128, 255)), 6690, 480,
              1065, 240);
    m_listOption = new QRadioButton(QStringLiteral("列表(&X)"), s);
    m_listOption->setObjectName(QStringLiteral("way2"));
    m_listOption->setFont(round12);
    ui::setTextColor(m_listOption, QColor(128, 0, 128));
    ui::place(m_listOption, 5880, 840, 1275, 400);
    m_printOption = new QRadioButton(QStringLiteral("打印(&Z)"), s);
    m_printOption->setObjectName(QStringLiteral("way1"));
    m_printOption->setFont(round12);
    ui::setTextColor(m_printOption, QColor(0, 128, 0));
    ui::place(m_printOption, 7320, 840, 1275, 400);
    m_printOption->setChecked(true);
    connect(m_printOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            way1_Click();
    });
    connect(m_listOption, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            way2_Click();
    });

    m_saveModeButton = new QPushButton(QStringLiteral("保存设置"), s);
    m_saveModeButton->setObjectName(QStringLiteral("Command1"));
    QFont small = ui::designFont({QStringLiteral("宋体")}, 9, false, ui::Fallback::Sans);
    m_saveModeButton->setFont(small);
    m_saveModeButton->setStyleSheet(QStringLiteral("padding: 0px;"));
    ui::place(m_saveModeButton, 8760, 920, 915, 250);
    connect(m_saveModeButton, &QPushButton::clicked, this, &QueryWindow::Command1_Click);

    // The exit label on its shape.
    m_exitShape = new ui::ShapeFrame(s);
    m_exitShape->setObjectName(QStringLiteral("Shape1"));
    ui::place(m_exitShape, 9090, 60, 1335, 495);
    m_exitShape->setBorderColor(QColor(255, 224, 192));
    m_exitShape->setFillColor(QColor(255, 255, 192));

    m_exitLabel = new ui::HoverLabel(QStringLiteral("退出"), kExitRest, kExitHover, s);
    m_exitLabel->setShape(m_exitShape);
    m_exitLabel->setObjectName(QStringLiteral("Label3"));
    m_exitLabel->setAlignment(Qt::AlignCenter);
    m_exitLabel->setFont(ui::designFont({QStringLiteral("华文行楷")}, 21.75, false, ui::Fallback::Serif));
    ui::place(m_exitLabel, 9080, 100, 1455, 375);
    ui::setTextColor(m_exitLabel, QColor(0, 0, 192));
    connect(m_exitLabel, &ui::ActiveLabel::mouseMoved, this, &QueryWindow::Label3_MouseMove);
    connect(m_exitLabel, &ui::ActiveLabel::clicked, this, &QueryWindow::Label3_Click);

    // Shows which input the latest list hit came from; drawn in the face colour, never seen.
    m_sourceMirror = makeLabel(s, "info", QString(),
                               ui::designFont({QStringLiteral("宋体")}, 36, false, ui::Fallback::Serif),
                               palette().color(QPalette::Window));
    ui::place(m_sourceMirror, 10440, 0, 255, 375);

    auto *line1 = new QFrame(s);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setGeometry(0, ui::twips(1420), ui::twips(10560), 1);
    ui::setFillColor(line1, QColor(255, 224, 192));

    // Column headings of the print display.
    m_headings[0] = makeLabel(s, "l1", QStringLiteral("汉语"),
                              ui::designFont({QStringLiteral("隶书")}, 15, false, ui::Fallback::Serif),
                              QColor(0, 0, 128));
    ui::place(m_headings[0], 120, 1425, 600, 300);
    m_headings[1] = makeLabel(s, "l2", QStringLiteral("日语"), round12, QColor(128, 0, 0));
    ui::place(m_headings[1], 3360, 1440, 525, 240);
    m_headings[2] = makeLabel(s, "l3", QStringLiteral("当用汉字形式"),
                              ui::designFont({QStringLiteral("华文行楷")}, 12, false, ui::Fallback::Serif),
                              QColor(128, 128, 0));
    ui::place(m_headings[2], 5640, 1440, 1440, 255);
    m_headings[3] = makeLabel(s, "l4", QStringLiteral("音调"),
                              ui::designFont({QStringLiteral("楷体_GB2312")}, 12, true, ui::Fallback::Serif),
                              QColor(128, 128, 255));
    ui::place(m_headings[3], 8880, 1440, 525, 240);
    m_headings[4] = makeLabel(s, "l5", QStringLiteral("词性"),
                              ui::designFont({QStringLiteral("华文中宋")}, 12, false, ui::Fallback::Serif),
                              QColor(192, 0, 192));
    ui::place(m_headings[4], 9720, 1410, 480, 285);

    m_statusLine = makeLabel(s, "Label7", QString(),
                             ui::designFont({QStringLiteral("方正姚体")}, 14.25, false, ui::Fallback::Sans),
                             QColor(192, 0, 0));
    ui::place(m_statusLine, 3600, 1700, 6000, 375);

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
    m_printArea = makeCanvas("showwords");
    ui::place(m_printArea, 0, 1400, 10700, 5700);

    m_slotMirror = new QListWidget(s);
    m_slotMirror->setObjectName(QStringLiteral("Listno"));
    ui::place(m_slotMirror, 120, 1460, 2295, 5460);
    m_slotMirror->setFocusPolicy(Qt::NoFocus);
    m_hitList = new QListWidget(s);
    m_hitList->setObjectName(QStringLiteral("List"));
    m_hitList->setFont(systemBold);
    ui::place(m_hitList, 120, 1440, 2295, 5580);
    m_hitList->installEventFilter(this);
    connect(m_hitList, &QListWidget::currentRowChanged, this, &QueryWindow::List_Click);

    m_detailArea = makeCanvas("showwords2");
    ui::place(m_detailArea, 3600, 2280, 6705, 3315);

    // Design state: the print display.
    m_hitList->hide();
    m_slotMirror->hide();
    m_detailArea->hide();
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
    addRecordMenu();

    QMenu *space = addCarrierMenu("space");
    addLeaveKey(space, "kuaijiepractise", QStringLiteral("单词练习"), Qt::Key_F3, Screen::Practice);
    addLeaveKey(space, "kuaijielearn", QStringLiteral("单词学习"), Qt::Key_F4, Screen::Study);
    addCompareKey(space);
    addRomajiCommand();

    addLeavePopupItem("poplianxi", QStringLiteral("练习模式"), Screen::Practice, LeaveBy::MenuEntry);
    addLeavePopupItem("popxuexi", QStringLiteral("学习模式"), Screen::Study, LeaveBy::MenuEntry);
    addPopupSeparator();
    m_printPopupItem = addPopupItem("popprint", QStringLiteral("打印显示"));
    connect(m_printPopupItem, &QAction::triggered, this, [this] { m_printOption->setChecked(true); });
    m_listPopupItem = addPopupItem("poplist", QStringLiteral("列表显示"));
    connect(m_listPopupItem, &QAction::triggered, this, [this] { m_listOption->setChecked(true); });
    addPopupItem("setcolor", QStringLiteral("设置颜色")); // offered, but does nothing
    addPopupSeparator();
    addComparePopupItem();
    addPopupSeparator();
    addExitPopupItem();
    addPopupSeparator();
    addPitchContourPopupItem();
}

} // namespace query
