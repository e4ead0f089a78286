#include "shell/startmenuwindow.h"

#include "shell/shell.h"
#include "ui/activelabel.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/interaction.h"
#include "ui/windowplacement.h"

#include <QCloseEvent>
#include <QFile>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>

namespace shell {
namespace {

constexpr int kPictureWidth = 150;
constexpr int kPictureHeight = 190;
constexpr int kPictureTop = 18;
constexpr int kPictureGap = 40;
constexpr int kFrameMargin = 6; // distance of the highlight frame from its picture
constexpr int kFrameThickness = 3;
// The windows behind the pictures, in the order the pictures stand.
constexpr Screen kTargets[] = {Screen::Query, Screen::Practice, Screen::Study};

} // namespace

const QStringList &StartMenuWindow::requiredPictures()
{
    static const QStringList files{QStringLiteral("pic/chaxun.gif"), QStringLiteral("pic/xuexi.gif"),
                                   QStringLiteral("pic/lianxi.gif")};
    return files;
}

StartMenuWindow::StartMenuWindow(Shell &shell, QWidget *parent) : QWidget(parent), m_shell(shell)
{
    setObjectName(QStringLiteral("startmenu"));
    setWindowTitle(QStringLiteral("岚舟工作室-词帆（初级）"));
    setMouseTracking(true);
    ui::frameWithoutMaximise(this);
    setFixedSize(640, 500);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 250, 236));
    setPalette(pal);

    m_rule = new QFrame(this);
    m_rule->setObjectName(QStringLiteral("Line1"));
    m_rule->setFrameShape(QFrame::HLine);
    // Colours go through the palette: a style sheet would bring in the style-sheet machinery
    // (parsing, its own style) before the start window's first paint.
    ui::setTextColor(m_rule, QColor(200, 160, 110));
    m_rule->setGeometry(30, 330, 580, 2);

    m_pictureFrame = new QFrame(this);
    m_pictureFrame->setObjectName(QStringLiteral("frapic"));
    m_pictureFrame->setMouseTracking(true);
    m_pictureFrame->installEventFilter(this);
    const int frameWidth = 3 * kPictureWidth + 2 * kPictureGap + 2 * 24;
    m_pictureFrame->setGeometry((width() - frameWidth) / 2, 16, frameWidth, 300);

    static const char *const pictureNames[] = {"picchaxun", "piclianxi", "picxuexi"};
    static const char *const captionNames[] = {"Label1", "Label2", "Label3"};
    const QString captions[] = {QStringLiteral("单词查询"), QStringLiteral("单词练习"),
                                QStringLiteral("单词学习")};
    const QColor captionColors[] = {QColor(40, 110, 190), QColor(40, 150, 80), QColor(215, 110, 30)};

    for (int i = 0; i < 3; ++i) {
        const int left = 24 + i * (kPictureWidth + kPictureGap);
        auto *pic = new ui::ActiveLabel(QString(), m_pictureFrame);
        pic->setObjectName(QString::fromLatin1(pictureNames[i]));
        pic->setGeometry(left, kPictureTop, kPictureWidth, kPictureHeight);
        pic->setCursor(Qt::PointingHandCursor);
        // Reached with Tab in the order they stand, then the help button; Enter or Space opens.
        pic->setFocusPolicy(Qt::StrongFocus);
        m_pictures[i] = pic;

        auto *caption = new ui::ActiveLabel(captions[i], m_pictureFrame);
        caption->setObjectName(QString::fromLatin1(captionNames[i]));
        caption->setToolTip(QStringLiteral("请点击头像"));
        caption->setFont(ui::designFont({QStringLiteral("华文彩云")}, 18, true));
        caption->setAlignment(Qt::AlignCenter);
        ui::setTextColor(caption, captionColors[i]);
        caption->setGeometry(left - 10, kPictureTop + kPictureHeight + 16, kPictureWidth + 20, 44);
        caption->setCursor(Qt::PointingHandCursor);
        m_captions[i] = caption;

        // Four lines frame the picture: top, bottom, left, right.
        const QRect box(left - kFrameMargin, kPictureTop - kFrameMargin, kPictureWidth + 2 * kFrameMargin,
                        kPictureHeight + 2 * kFrameMargin);
        const QRect sides[] = {
            QRect(box.left(), box.top(), box.width(), kFrameThickness),
            QRect(box.left(), box.bottom() - kFrameThickness + 1, box.width(), kFrameThickness),
            QRect(box.left(), box.top(), kFrameThickness, box.height()),
            QRect(box.right() - kFrameThickness + 1, box.top(), kFrameThickness, box.height()),
        };
        for (int s = 0; s < 4; ++s) {
            auto *line = new QFrame(m_pictureFrame);
            line->setObjectName(QStringLiteral("Line%1").arg(2 + i * 4 + s));
            line->setGeometry(sides[s]);
            line->setAutoFillBackground(true);
            QPalette lp = line->palette();
            lp.setColor(QPalette::Window, captionColors[i]);
            line->setPalette(lp);
            line->hide();
            m_lines[static_cast<std::size_t>(i * 4 + s)] = line;
        }
    }

    connect(m_pictures[0], &ui::ActiveLabel::mouseMoved, this, &StartMenuWindow::picchaxun_MouseMove);
    connect(m_pictures[1], &ui::ActiveLabel::mouseMoved, this, &StartMenuWindow::piclianxi_MouseMove);
    connect(m_pictures[2], &ui::ActiveLabel::mouseMoved, this, &StartMenuWindow::picxuexi_MouseMove);
    for (int i = 0; i < 3; ++i) {
        const Screen target = kTargets[i];
        auto go = [this, target] { m_shell.switchTo(target); };
        connect(m_pictures[i], &ui::ActiveLabel::clicked, this, go);
        connect(m_captions[i], &ui::ActiveLabel::clicked, this, go);
        connect(m_captions[i], &ui::ActiveLabel::mouseMoved, this, &StartMenuWindow::lines);
        // A learner about to open a window points at its picture or caption, or tabs to it.
        connect(m_pictures[i], &ui::ActiveLabel::mouseMoved, this, [this, i] { pointedAt(i); });
        connect(m_captions[i], &ui::ActiveLabel::mouseMoved, this, [this, i] { pointedAt(i); });
        m_pictures[i]->installEventFilter(this);
        m_captions[i]->installEventFilter(this);
    }
    m_prepareTimer.setSingleShot(true);
    m_prepareTimer.setInterval(kPrepareAfterMs);
    connect(&m_prepareTimer, &QTimer::timeout, this, [this] {
        if (m_pointed >= 0 && isVisible())
            m_shell.prepare(kTargets[m_pointed]);
    });

    m_welcomeText = new ui::ActiveLabel(QString(), this);
    m_welcomeText->setObjectName(QStringLiteral("welcome"));
    m_welcomeText->setFont(ui::designFont({QStringLiteral("宋体")}, 10.5));
    m_welcomeText->setWordWrap(true);
    m_welcomeText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::setTextColor(m_welcomeText, QColor(90, 60, 30));
    m_welcomeText->setGeometry(30, 340, 580, 92);
    connect(m_welcomeText, &ui::ActiveLabel::doubleClicked, this, &StartMenuWindow::welcome_DblClick);
    connect(m_welcomeText, &ui::ActiveLabel::mouseMoved, this, &StartMenuWindow::lines);

    m_helpButton = new QPushButton(QStringLiteral("使用前请务必仔细阅读帮助文件"), this);
    m_helpButton->setObjectName(QStringLiteral("exuse"));
    m_helpButton->setFont(ui::designFont({QStringLiteral("华文新魏")}, 11));
    m_helpButton->setGeometry(190, 448, 260, 34);
    m_helpButton->setAutoDefault(true); // Enter presses it when it has the focus, as Space does
    connect(m_helpButton, &QPushButton::clicked, this, &StartMenuWindow::exuse_Click);

    // A small text link to the learning record, out of the way of the pictures: a flat button
    // drawn as a link, reached with Tab like the other controls. (A label that takes the focus or
    // shows rich text would bring a whole text document into start-up.)
    m_recordLink = new QPushButton(QStringLiteral("学习记录"), this);
    m_recordLink->setObjectName(QStringLiteral("lbljilu"));
    m_recordLink->setToolTip(QStringLiteral("每天的答题、各课的掌握情况和到期的单词"));
    m_recordLink->setFlat(true);
    QFont linkFont = m_recordLink->font();
    linkFont.setUnderline(true);
    m_recordLink->setFont(linkFont);
    ui::setTextColor(m_recordLink, m_recordLink->palette().color(QPalette::Link));
    m_recordLink->setCursor(Qt::PointingHandCursor);
    m_recordLink->setGeometry(540, 454, 80, 24);
    connect(m_recordLink, &QPushButton::clicked, this, &StartMenuWindow::lbljilu_Click);

    // F1 opens the help here as in every other window.
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setObjectName(QStringLiteral("helpKey"));
    connect(help, &QShortcut::activated, this, &StartMenuWindow::exuse_Click);
}

void StartMenuWindow::lbljilu_Click()
{
    m_shell.showProgress(this);
}

bool StartMenuWindow::Form_Load()
{
    m_shell.loadReminder();

    for (const QString &file : requiredPictures()) {
        if (!QFile::exists(m_shell.programPath(file))) {
            m_shell.interaction().message(this, ui::Message{ui::Icon::None, ui::Buttons::Ok, QString(),
                                                            QStringLiteral("文件丢失，无法启动程序")});
            m_shell.exitProgram();
            return false;
        }
    }

    static const char *const files[] = {"pic/chaxun.gif", "pic/lianxi.gif", "pic/xuexi.gif"};
    for (int i = 0; i < 3; ++i)
        m_pictures[i]->setPixmap(QPixmap(m_shell.programPath(QString::fromLatin1(files[i]))));

    m_welcomeText->setText(QStringLiteral("        欢迎使用岚舟工作室的学习软件。此软件是为日语学习者设计的，"
                                          "具有单词学习，练习，和查询三大功能。\n"
                                          "         此级别是标日初级。\n"
                                          "         请点击相应图片进入。"));
    return true;
}

QList<QFrame *> StartMenuWindow::highlightLines() const
{
    return QList<QFrame *>(m_lines.begin(), m_lines.end());
}

void StartMenuWindow::showFrame(int picture)
{
    for (int i = 0; i < 12; ++i)
        m_lines[static_cast<std::size_t>(i)]->setVisible(i / 4 == picture);
}

void StartMenuWindow::picchaxun_MouseMove()
{
    showFrame(0);
}

void StartMenuWindow::piclianxi_MouseMove()
{
    showFrame(1);
}

void StartMenuWindow::picxuexi_MouseMove()
{
    showFrame(2);
}

void StartMenuWindow::lines()
{
    showFrame(-1);
}

void StartMenuWindow::pointedAt(int picture)
{
    if (picture == m_pointed)
        return;
    m_pointed = picture;
    if (picture < 0)
        m_prepareTimer.stop();
    else
        m_prepareTimer.start();
}

void StartMenuWindow::pressedOn(int picture)
{
    m_pointed = picture;
    m_prepareTimer.stop();
    if (isVisible())
        m_shell.prepare(kTargets[picture]);
}

void StartMenuWindow::exuse_Click()
{
    m_shell.openHelp(this, m_shell.helpFileFor(this));
}

void StartMenuWindow::welcome_DblClick()
{
    m_shell.exitProgram();
}

void StartMenuWindow::mouseMoveEvent(QMouseEvent *event)
{
    lines();
    pointedAt(-1);
    QWidget::mouseMoveEvent(event);
}

bool StartMenuWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pictureFrame && event->type() == QEvent::MouseMove) {
        lines();
        pointedAt(-1);
    }
    for (int i = 0; i < 3; ++i) {
        if (watched == m_pictures[i] || watched == m_captions[i]) {
            // A button held down on a picture or caption opens its window when it comes up: the
            // window is readied at once, while the learner's finger is still down.
            if (event->type() == QEvent::MouseButtonPress &&
                static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                pressedOn(i);
        }
        if (watched != m_pictures[i])
            continue;
        // Only a learner's Tab counts: the focus a picture gets when the window is activated
        // is no choice, and readying a window then would hold its memory from the start.
        const auto reason = event->type() == QEvent::FocusIn ? static_cast<QFocusEvent *>(event)->reason()
                                                             : Qt::OtherFocusReason;
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            pointedAt(i);
        else if (event->type() == QEvent::FocusOut && m_pointed == i)
            pointedAt(-1);
    }
    return QWidget::eventFilter(watched, event);
}

void StartMenuWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_shell.windowClosedByUser(this);
}

} // namespace shell
