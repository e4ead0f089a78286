#include "shell/workwindow.h"

#include "shell/shell.h"
#include "ui/interaction.h"
#include "ui/offscreen.h"
#include "ui/pitchcontour.h"
#include "ui/romaji.h"
#include "ui/romajityping.h"
#include "ui/windowplacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace shell {

namespace {

// The application's style for a menu bar, with one checkable entry framed and tinted while it is
// checked.
class CheckedBarEntryStyle : public QProxyStyle
{
public:
    explicit CheckedBarEntryStyle(QAction *entry)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), m_entry(entry)
    {
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element != CE_MenuBarItem || !item || !m_entry || !m_entry->isChecked() ||
            item->text != m_entry->text())
            return;
        painter->save();
        QColor tint = item->palette.color(QPalette::Highlight);
        painter->setPen(tint);
        tint.setAlpha(40);
        painter->setBrush(tint);
        painter->drawRoundedRect(QRectF(item->rect).adjusted(0.5, 1.5, -0.5, -1.5), 3, 3);
        painter->restore();
    }

private:
    QPointer<QAction> m_entry;
};

} // namespace

WorkWindow::WorkWindow(Shell &shell, Screen screen, QWidget *parent)
    : QMainWindow(parent), m_shell(shell), m_screen(screen), m_surface(new QWidget(this))
{
    ui::frameWithoutMaximise(this);
    m_surface->setObjectName(QStringLiteral("surface"));
    m_surface->setMouseTracking(true);
    m_surface->installEventFilter(this);
    setCentralWidget(m_surface);

    m_popout = new QMenu(QStringLiteral("弹出式"), this);
    m_popout->setObjectName(QStringLiteral("popout"));
    // The pop-up menu belongs to the menu bar in name only: it is never shown there.
    menuBar()->addMenu(m_popout)->setVisible(false);
}

void WorkWindow::resizeClient(int width, int height)
{
    m_clientSize = QSize(width, height);
    setFixedSize(width, height + menuBar()->sizeHint().height());
}

void WorkWindow::showEvent(QShowEvent *event)
{
    settleMenuBarAndSize();
    QMainWindow::showEvent(event);
}

void WorkWindow::prepare()
{
    settleMenuBarAndSize();
    ui::drawOffscreen(this);
    ui::readyNativeWindow(this);
}

void WorkWindow::settleMenuBarAndSize()
{
    // "罗马字输入(F8)" is the last entry of the bar, whatever a window added after it.
    if (m_romajiCommand) {
        const QList<QAction *> bar = menuBar()->actions();
        const qsizetype at = bar.indexOf(m_romajiCommand);
        if (at >= 0 && at + 1 < bar.size() && bar[at + 1] != m_popout->menuAction()) {
            menuBar()->removeAction(m_romajiCommand);
            menuBar()->insertAction(m_popout->menuAction(), m_romajiCommand);
        }
    }
    if (!m_sized && m_clientSize.isValid()) {
        m_sized = true;
        setFixedSize(m_clientSize.width(), m_clientSize.height() + menuBar()->sizeHint().height());
    }
}

QAction *WorkWindow::addBarCommand(const char *name, const QString &caption)
{
    QAction *action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    // Insert before the hidden pop-up menu so the visible order is the order of the calls.
    menuBar()->insertAction(m_popout->menuAction(), action);
    return action;
}

QMenu *WorkWindow::addCarrierMenu(const char *name)
{
    QMenu *menu = new QMenu(QStringLiteral(" "), this);
    menu->setObjectName(QString::fromLatin1(name));
    menuBar()->insertMenu(m_popout->menuAction(), menu)->setVisible(false);
    return menu;
}

QAction *WorkWindow::addKeyCarrier(QMenu *carrier, const char *name, const QString &caption,
                                   const QKeySequence &key)
{
    QAction *action = carrier->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    return action;
}

QAction *WorkWindow::addPopupItem(const char *name, const QString &caption)
{
    QAction *action = m_popout->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QAction *WorkWindow::addHelpCommand()
{
    QAction *help = addBarCommand("shuoming", QStringLiteral("使用说明(F1)"));
    help->setShortcut(Qt::Key_F1);
    help->setShortcutContext(Qt::WindowShortcut);
    addAction(help);
    connect(help, &QAction::triggered, this, [this] { m_shell.openHelp(this, m_shell.helpFileFor(this)); });
    return help;
}

QAction *WorkWindow::addAboutCommand(const char *name)
{
    QAction *about = addBarCommand(name, QStringLiteral("关于"));
    connect(about, &QAction::triggered, this, [this] { m_shell.showAbout(this); });
    return about;
}

QAction *WorkWindow::addCompareCommand()
{
    QAction *compare = addBarCommand("compare", QStringLiteral("字形比较(F5)"));
    connect(compare, &QAction::triggered, this, [this] { m_shell.showCompare(this); });
    return compare;
}

QAction *WorkWindow::addLeaveCommand(const char *name, const QString &caption, Screen target, LeaveBy by)
{
    QAction *action = addBarCommand(name, caption);
    connect(action, &QAction::triggered, this, [this, target, by] { leaveFor(target, by); });
    return action;
}

QAction *WorkWindow::addLeaveKey(QMenu *carrier, const char *name, const QString &caption,
                                 const QKeySequence &key, Screen target)
{
    QAction *action = addKeyCarrier(carrier, name, caption, key);
    connect(action, &QAction::triggered, this, [this, target] { leaveFor(target, LeaveBy::Key); });
    return action;
}

QAction *WorkWindow::addLeavePopupItem(const char *name, const QString &caption, Screen target, LeaveBy by)
{
    QAction *action = addPopupItem(name, caption);
    connect(action, &QAction::triggered, this, [this, target, by] { leaveFor(target, by); });
    return action;
}

void WorkWindow::leaveFor(Screen target, LeaveBy)
{
    m_shell.switchTo(target);
}

QAction *WorkWindow::addCompareKey(QMenu *carrier)
{
    QAction *action = addKeyCarrier(carrier, "kuaijiecompare", QStringLiteral("字形比较"), Qt::Key_F5);
    connect(action, &QAction::triggered, this, [this] { m_shell.showCompare(this); });
    return action;
}

QAction *WorkWindow::addComparePopupItem()
{
    QAction *action = addPopupItem("popbijiao", QStringLiteral("字形比较"));
    connect(action, &QAction::triggered, this, [this] { m_shell.showCompare(this); });
    return action;
}

QAction *WorkWindow::addExitPopupItem()
{
    QAction *exit = addPopupItem("popexit", QStringLiteral("退出"));
    connect(exit, &QAction::triggered, this, [this] { m_shell.exitProgram(); });
    return exit;
}

QMenu *WorkWindow::addRecordMenu()
{
    QMenu *menu = new QMenu(QStringLiteral("记录(&R)"), this);
    menu->setObjectName(QStringLiteral("jilu"));
    menuBar()->insertMenu(m_popout->menuAction(), menu);
    // The entries show their key in the caption; the key itself is carried by an action the window
    // owns, so it works while the menu is closed.
    const auto add = [&](const char *name, const QString &caption, Qt::Key key, auto handler) {
        QAction *entry = menu->addAction(caption);
        entry->setObjectName(QString::fromLatin1(name));
        connect(entry, &QAction::triggered, this, handler);
        QAction *carrier = new QAction(this);
        carrier->setObjectName(QStringLiteral("kuaijie") + QString::fromLatin1(name));
        carrier->setShortcut(key);
        carrier->setShortcutContext(Qt::WindowShortcut);
        connect(carrier, &QAction::triggered, this, handler);
        addAction(carrier);
    };
    add("xuexijilu", QStringLiteral("学习记录(F6)"), Qt::Key_F6, [this] { m_shell.showProgress(this); });
    add("fuxi", QStringLiteral("复习到期单词(F7)"), Qt::Key_F7, [this] { m_shell.reviewDue(this); });
    return menu;
}

QAction *WorkWindow::addPitchContourPopupItem()
{
    m_pitchContourItem = addPopupItem("popyindiao", QStringLiteral("显示音调线"));
    m_pitchContourItem->setCheckable(true);
    m_pitchContourItem->setChecked(
        ui::readPitchContourShown(m_shell.settingsFileToRead(ui::kPitchContourFile)));
    connect(m_pitchContourItem, &QAction::toggled, this, [this](bool shown) {
        // The choice applies at once; a failed save only means the next opening will not know it.
        const QString path = m_shell.programPath(ui::kPitchContourFile);
        if (const ui::SaveResult saved = ui::writePitchContourShown(path, shown); !saved)
            m_shell.interaction().message(
                this, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(),
                                  QStringLiteral("音调线设置未能保存：无法写入文件 %1（%2）。")
                                      .arg(QDir::toNativeSeparators(path), saved.cause())});
        else
            m_shell.settingsSaved(this);
        pitchContoursChanged(shown);
    });
    return m_pitchContourItem;
}

bool WorkWindow::pitchContoursShown() const
{
    return m_pitchContourItem && m_pitchContourItem->isChecked();
}

QAction *WorkWindow::addRomajiCommand()
{
    m_romaji = new ui::RomajiTyping(this);
    QAction *action = addBarCommand("luomazi", QStringLiteral("罗马字输入(F8)"));
    m_romajiCommand = action;
    action->setCheckable(true);
    action->setShortcut(Qt::Key_F8);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    const bool on = ui::loadRomajiSetting(m_shell.settingsFileToRead(QStringLiteral("sous/roma.dll")));
    action->setChecked(on);
    m_romaji->setOn(on);
    // A menu bar draws no check mark: the entry is framed while it is on.
    auto *style = new CheckedBarEntryStyle(action);
    style->setParent(menuBar());
    menuBar()->setStyle(style);
    connect(action, &QAction::toggled, menuBar(), qOverload<>(&QWidget::update));
    connect(action, &QAction::triggered, this, &WorkWindow::luomazi_Click);
    return action;
}

void WorkWindow::luomazi_Click(bool on)
{
    // The choice holds for this window even when it cannot be saved.
    m_romaji->setOn(on);
    const QString path = m_shell.programPath(QStringLiteral("sous/roma.dll"));
    if (const ui::SaveResult saved = ui::saveRomajiSetting(path, on); !saved) {
        m_shell.interaction().message(
            this, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(),
                              QStringLiteral("罗马字输入的设置未能保存：无法写入文件 %1（%2）。")
                                  .arg(QDir::toNativeSeparators(path), saved.cause())});
    } else {
        m_shell.settingsSaved(this);
    }
}

QAction *WorkWindow::addPopupSeparator()
{
    return m_popout->addSeparator();
}

void WorkWindow::openPopout(const QPoint &globalPos)
{
    m_popout->popup(globalPos);
}

void WorkWindow::Form_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton)
        openPopout(globalPos);
}

void WorkWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_shell.windowClosedByUser(this);
}

bool WorkWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_surface) {
        switch (event->type()) {
        case QEvent::MouseMove:
            Form_MouseMove();
            break;
        case QEvent::MouseButtonPress: {
            auto *me = static_cast<QMouseEvent *>(event);
            Form_MouseDown(me->button(), me->globalPosition().toPoint());
            break;
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                Form_Click();
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace shell
