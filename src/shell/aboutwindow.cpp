#include "shell/aboutwindow.h"

#include "ui/activelabel.h"
#include "ui/fonts.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

namespace shell {

const QString AboutWindow::kWebAddress = QStringLiteral("https://cifan.example.org");
const QString AboutWindow::kMailAddress = QStringLiteral("cifan@example.org");

namespace {

const QColor kFill(250, 246, 232);
const QColor kNameColor(120, 90, 50);
const QColor kValueColor(40, 90, 160);

template <typename Label = QLabel>
Label *addLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry,
                const QColor &color, double points = 11, bool bold = false)
{
    auto *label = new Label(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(ui::designFont({}, points, bold));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, color);
    label->setPalette(p);
    return label;
}

} // namespace

void SelectAllLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        selectAll();
}

AboutWindow::AboutWindow(const QString &logoFile, QWidget *parent) : SmallWindow(parent, kFill)
{
    setObjectName(QStringLiteral("aboutme"));
    setFixedSize(430, 270);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(18, 22, 96, 96);
    image->setAlignment(Qt::AlignCenter);
    const QPixmap logo(logoFile);
    if (!logo.isNull())
        image->setPixmap(logo.scaled(image->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));

    auto *maker =
        addLabel(this, "Label2", QStringLiteral("岚舟工作室"), QRect(18, 124, 100, 26), kNameColor, 11, true);
    maker->setAlignment(Qt::AlignCenter);

    m_detailsFrame = new QFrame(this);
    m_detailsFrame->setObjectName(QStringLiteral("Frame1"));
    m_detailsFrame->setFrameShape(QFrame::StyledPanel);
    m_detailsFrame->setGeometry(130, 14, 286, 190);
    closeOnDoubleClick(m_detailsFrame);

    const int nameLeft = 12;
    const int valueLeft = 92;
    const int rowHeight = 28;
    int top = 10;
    addLabel(m_detailsFrame, "Label5", QStringLiteral("软件名称"), QRect(nameLeft, top, 76, 24), kNameColor);
    addLabel(m_detailsFrame, "Label6", QStringLiteral("词帆"), QRect(valueLeft, top, 180, 24), kValueColor,
             11, true);
    top += rowHeight;
    addLabel(m_detailsFrame, "Label4", QStringLiteral("级别"), QRect(nameLeft, top, 76, 24), kNameColor);
    addLabel(m_detailsFrame, "Label7", QStringLiteral("标准日本语初级"), QRect(valueLeft, top, 180, 24),
             kValueColor, 11, true);
    top += rowHeight;
    addLabel(m_detailsFrame, "Label8", QStringLiteral("版本"), QRect(nameLeft, top, 76, 24), kNameColor);
    addLabel(m_detailsFrame, "Label9", QStringLiteral("2.30"), QRect(valueLeft, top, 180, 24), kValueColor,
             11, true);
    top += rowHeight;

    addLabel(m_detailsFrame, "Label1", QStringLiteral("网址"), QRect(nameLeft, top, 76, 24), kNameColor);
    auto *label11 = addLabel<ui::ActiveLabel>(m_detailsFrame, "Label11", kWebAddress,
                                              QRect(valueLeft, top, 186, 24), kValueColor);
    label11->setToolTip(QStringLiteral("点击选中网址"));
    label11->setCursor(Qt::PointingHandCursor);
    m_webBox = new SelectAllLineEdit(kWebAddress, m_detailsFrame);
    m_webBox->setObjectName(QStringLiteral("net1"));
    m_webBox->setReadOnly(true);
    m_webBox->setGeometry(valueLeft - 2, top - 1, 186, 26);
    m_webBox->hide();
    connect(label11, &ui::ActiveLabel::clicked, this, &AboutWindow::Label11_Click);
    top += rowHeight + 4;

    addLabel(m_detailsFrame, "Label3", QStringLiteral("E-mail"), QRect(nameLeft, top, 76, 24), kNameColor);
    auto *label13 = addLabel<ui::ActiveLabel>(m_detailsFrame, "Label13", kMailAddress,
                                              QRect(valueLeft, top, 186, 24), kValueColor);
    label13->setToolTip(QStringLiteral("点击选中电子邮件地址"));
    label13->setCursor(Qt::PointingHandCursor);
    m_mailBox = new SelectAllLineEdit(kMailAddress, m_detailsFrame);
    m_mailBox->setObjectName(QStringLiteral("mail"));
    m_mailBox->setReadOnly(true);
    m_mailBox->setGeometry(valueLeft - 2, top - 1, 186, 26);
    m_mailBox->hide();
    connect(label13, &ui::ActiveLabel::clicked, this, &AboutWindow::Label13_Click);

    m_motto = addLabel(this, "Label10", QStringLiteral("一帆风顺，词海无涯；日积月累，学有所成。"),
                       QRect(18, 212, 398, 26), QColor(160, 80, 40), 11, true);
    m_motto->setAlignment(Qt::AlignCenter);
    closeOnDoubleClick(m_motto);

    m_hint = addLabel(this, "Label15", QStringLiteral("双击空白处退出"), QRect(18, 242, 398, 20),
                      QColor(140, 140, 140), 9);
    m_hint->setAlignment(Qt::AlignCenter);
    // The hint says what to do, and doing it on the hint itself works too.
    closeOnDoubleClick(m_hint);

    // A double-click on a caption, a value or the logo is not one on the empty area: only the
    // motto and the hint among the labels close the window.
    for (QLabel *label : findChildren<QLabel *>()) {
        if (label != m_motto && label != m_hint)
            label->installEventFilter(this);
    }
}

void AboutWindow::offerText(QLineEdit *box)
{
    box->show();
    box->raise();
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

void AboutWindow::Label11_Click()
{
    offerText(m_webBox);
}

void AboutWindow::Label13_Click()
{
    offerText(m_mailBox);
}

bool AboutWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick && watched != m_motto && watched != m_hint &&
        qobject_cast<QLabel *>(watched))
        return true; // stays with the label instead of reaching the frame or the window
    return SmallWindow::eventFilter(watched, event);
}

} // namespace shell
