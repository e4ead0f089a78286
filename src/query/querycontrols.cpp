// The controls of the query window as designed, its menus, and the small widgets they use.
#include "query/querycontrols.h"

#include "query/querywindow.h"
#include "ui/activelabel.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/shapeframe.h"
#include "ui/textcanvas.h"

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

int px(int twips)
{
    return qRound(twips / 15.0);
}

void place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(px(left), px(top), px(width), px(height));
}

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

// The print areas' face. The column places of the result lines and the heading places were laid
// out for columns 120 twips (8 pixels) apart, and a full screen of the fuzzy print search (the
// line above the hits, fifteen hits, an empty line and the closing line) was laid out to fit
// between the moved print area's top edge at 1800 twips and the window's bottom edge at 7215.
// A face whose average character is wider or whose lines are taller is made smaller until both
// fit; otherwise the columns would drift away from their headings, or the last hits and the
// stop line would fall below the window.
QFont canvasFont()
{
    QFont f = ui::designFont(
        {QStringLiteral("Century Gothic"), QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")}, 12,
        true, ui::Fallback::Sans);
    constexpr qreal kColumn = 8.0;
    constexpr int kScreenLines = QueryWindow::kPageSize + 3;
    const int kLineHeight = (px(7215) - px(1800)) / kScreenLines;
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
    place(makeLabel(s, "Label4", QStringLiteral("输入汉语"), inputCaption, QColor(0, 128, 128)), 120, 45,
          1305, 300);
    place(makeLabel(s, "Label1", QStringLiteral("输入日语"), inputCaption, QColor(0, 0, 192)), 105, 510, 1305,
          300);
    place(makeLabel(s, "Label2", QStringLiteral("输入当汉"), inputCaption, QColor(192, 64, 0)), 120, 1005,
          1305, 300);

    const QFont systemBold = ui::designFont({QStringLiteral("System")}, 12, true, ui::Fallback::Sans);
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
    m_hanyu =
        makeInput("hanyu", 0, ui::designFont({QStringLiteral("幼圆")}, 14.25, true, ui::Fallback::Sans));
    m_riyu = makeInput("riyu", 465, systemBold);
    m_dang = makeInput("dang", 960, systemBold);

    // The two lookup buttons.
    m_chaxun = new TallButton(QStringLiteral("查询"), s);
    m_chaxun->setObjectName(QStringLiteral("chaxun"));
    m_chaxun->setFont(ui::designFont({QStringLiteral("华文新魏")}, 15.75, false, ui::Fallback::Serif));
    place(m_chaxun, 4560, 0, 375, 1400);
    m_chaxun->setEnabled(false);
    connect(m_chaxun, &QPushButton::clicked, this, &QueryWindow::chaxun_Click);

    m_mohu = new TallButton(QStringLiteral("模糊查询"), s);
    m_mohu->setObjectName(QStringLiteral("mohu"));
    m_mohu->setFont(ui::designFont({QStringLiteral("华文新魏")}, 14.25, false, ui::Fallback::Serif));
    m_mohu->setToolTip(QStringLiteral("查询包含所输入内容的所有单词"));
    place(m_mohu, 5040, 0, 375, 1400);
    m_mohu->hide();
    connect(m_mohu, &QPushButton::clicked, this, &QueryWindow::mohu_Click);
    setDefaultButton(m_chaxun);

    // Display mode.
    const QFont round12 = ui::designFont({QStringLiteral("幼圆")}, 12, true, ui::Fallback::Sans);
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
    QFont small = ui::designFont({QStringLiteral("宋体")}, 9, false, ui::Fallback::Sans);
    m_command1->setFont(small);
    m_command1->setStyleSheet(QStringLiteral("padding: 0px;"));
    place(m_command1, 8760, 920, 915, 250);
    connect(m_command1, &QPushButton::clicked, this, &QueryWindow::Command1_Click);

    // The exit label on its shape.
    m_shape1 = new ui::ShapeFrame(s);
    m_shape1->setObjectName(QStringLiteral("Shape1"));
    place(m_shape1, 9090, 60, 1335, 495);
    m_shape1->setBorderColor(QColor(255, 224, 192));
    m_shape1->setFillColor(QColor(255, 255, 192));

    m_label3 = new ui::ActiveLabel(QStringLiteral("退出"), s);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setAlignment(Qt::AlignCenter);
    m_label3->setFont(ui::designFont({QStringLiteral("华文行楷")}, 21.75, false, ui::Fallback::Serif));
    place(m_label3, 9080, 100, 1455, 375);
    ui::setTextColor(m_label3, QColor(0, 0, 192));
    connect(m_label3, &ui::ActiveLabel::mouseMoved, this, &QueryWindow::Label3_MouseMove);
    connect(m_label3, &ui::ActiveLabel::clicked, this, &QueryWindow::Label3_Click);

    // Records which input the latest list hit came from; drawn in the face colour, never seen.
    m_info = makeLabel(s, "info", QString(),
                       ui::designFont({QStringLiteral("宋体")}, 36, false, ui::Fallback::Serif),
                       palette().color(QPalette::Window));
    place(m_info, 10440, 0, 255, 375);

    auto *line1 = new QFrame(s);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setGeometry(0, px(1420), px(10560), 1);
    ui::setFillColor(line1, QColor(255, 224, 192));

    // Column headings of the print display.
    m_headings[0] = makeLabel(s, "l1", QStringLiteral("汉语"),
                              ui::designFont({QStringLiteral("隶书")}, 15, false, ui::Fallback::Serif),
                              QColor(0, 0, 128));
    place(m_headings[0], 120, 1425, 600, 300);
    m_headings[1] = makeLabel(s, "l2", QStringLiteral("日语"), round12, QColor(128, 0, 0));
    place(m_headings[1], 3360, 1440, 525, 240);
    m_headings[2] = makeLabel(s, "l3", QStringLiteral("当用汉字形式"),
                              ui::designFont({QStringLiteral("华文行楷")}, 12, false, ui::Fallback::Serif),
                              QColor(128, 128, 0));
    place(m_headings[2], 5640, 1440, 1440, 255);
    m_headings[3] = makeLabel(s, "l4", QStringLiteral("音调"),
                              ui::designFont({QStringLiteral("楷体_GB2312")}, 12, true, ui::Fallback::Serif),
                              QColor(128, 128, 255));
    place(m_headings[3], 8880, 1440, 525, 240);
    m_headings[4] = makeLabel(s, "l5", QStringLiteral("词性"),
                              ui::designFont({QStringLiteral("华文中宋")}, 12, false, ui::Fallback::Serif),
                              QColor(192, 0, 192));
    place(m_headings[4], 9720, 1410, 480, 285);

    m_label7 = makeLabel(s, "Label7", QString(),
                         ui::designFont({QStringLiteral("方正姚体")}, 14.25, false, ui::Fallback::Sans),
                         QColor(192, 0, 0));
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

} // namespace query
