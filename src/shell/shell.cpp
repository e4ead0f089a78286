#include "shell/shell.h"

#include "record/learningrecord.h"
#include "record/progresswindow.h"
#include "shell/aboutwindow.h"
#include "shell/chmfile.h"
#include "shell/comparewindow.h"
#include "shell/helpreaderrun.h"
#include "shell/helpviewer.h"
#include "shell/ordinarywindow.h"
#include "shell/startmenuwindow.h"
#include "shell/workwindow.h"
#include "ui/interaction.h"
#include "ui/smallwindow.h"
#include "ui/windowplacement.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace shell {

Shell::Shell(const QString &programDir, ui::Interaction &interaction, QuitFunction quit)
    : m_programDir(programDir), m_settingsDir(QDir(programDir).filePath(QStringLiteral("sous"))),
      m_interaction(interaction), m_quit(std::move(quit))
{
    m_helpOpener = [this](QWidget *owner, const QString &file) { showHelpViewer(owner, file); };
    m_aboutOpener = [this](QWidget *owner) { showAboutWindow(owner); };
    m_compareOpener = [this](QWidget *owner) { showCompareWindow(owner); };
}

Shell::~Shell()
{
    // Windows are top-level and owned here; delete them before the interaction layer goes away.
    delete m_current.data();
    delete m_preparedWidget.data();
    for (const auto &kept : m_kept)
        delete kept.second.data();
    delete m_reminder.data();
    delete m_helpViewer.data();
    delete m_pendingHelpViewer.data();
    for (const QPointer<QObject> &retired : std::as_const(m_retired))
        delete retired.data();
}

record::LearningRecord &Shell::learningRecord()
{
    if (!m_record)
        m_record = std::make_unique<record::LearningRecord>(m_settingsDir, m_interaction);
    return *m_record;
}

void Shell::showProgress(QWidget *owner)
{
    record::ProgressWindow window(learningRecord(), m_interaction, owner);
    m_interaction.showModal(&window);
}

void Shell::reviewDue(QWidget *owner)
{
    QString nothingDue;
    const QList<int> due = learningRecord().dueWords(owner, &nothingDue);
    if (due.isEmpty()) {
        m_interaction.message(owner,
                              ui::Message{ui::Icon::Information, ui::Buttons::Ok, QString(), nothingDue});
        return;
    }
    m_pendingReview = due;
    if (m_currentScreen != Screen::Practice || !m_current || !m_current->isVisible())
        switchTo(Screen::Practice);
    if (WorkWindow *practice = workWindow(Screen::Practice); practice && !m_pendingReview.isEmpty())
        practice->startPendingReview();
    m_pendingReview.clear();
}

QList<int> Shell::takePendingReview()
{
    return std::exchange(m_pendingReview, {});
}

QString Shell::programPath(const QString &relative) const
{
    static const QString settingsPrefix = QStringLiteral("sous/");
    if (relative.startsWith(settingsPrefix))
        return QDir(m_settingsDir).filePath(relative.mid(settingsPrefix.size()));
    return QDir(m_programDir).filePath(relative);
}

void Shell::setReadOnlySettingsDir(const QString &dir)
{
    m_readOnlySettingsDir = dir;
    m_tellSettingsPlace =
        !dir.isEmpty() && QDir(m_settingsDir).entryList({QStringLiteral("*.dll")}, QDir::Files).isEmpty();
}

QString Shell::settingsFileToRead(const QString &relative) const
{
    const QString path = programPath(relative);
    static const QString settingsPrefix = QStringLiteral("sous/");
    if (m_readOnlySettingsDir.isEmpty() || !relative.startsWith(settingsPrefix))
        return path;
    const QFileInfo own(path);
    if (own.exists() || own.isSymLink())
        return path;
    return QDir(m_readOnlySettingsDir).filePath(relative.mid(settingsPrefix.size()));
}

void Shell::settingsSaved(QWidget *owner)
{
    if (!m_tellSettingsPlace)
        return;
    m_tellSettingsPlace = false;
    m_interaction.message(owner, ui::Message{ui::Icon::Information, ui::Buttons::Ok, QString(),
                                             QStringLiteral("程序文件夹中的 sous 文件夹（%1）不能写入，"
                                                            "设置从现在起保存在 %2。")
                                                 .arg(QDir::toNativeSeparators(m_readOnlySettingsDir),
                                                      QDir::toNativeSeparators(m_settingsDir))});
}

bool Shell::start()
{
    switchTo(Screen::Start);
    return !m_exited;
}

OrdinaryWindow *Shell::createWindow(Screen target)
{
    if (target == Screen::Start)
        return new StartMenuWindow(*this);
    return m_factory ? m_factory(target, *this) : nullptr;
}

void Shell::prepare(Screen target)
{
    if (m_exited || target == Screen::Start || !m_factory || m_kept.count(target) > 0 ||
        (target == m_currentScreen && m_current))
        return;
    if (m_preparedWidget && m_preparedScreen == target)
        return;
    dropPrepared();
    OrdinaryWindow *window = createWindow(target);
    if (!window)
        return;
    m_prepared = window;
    m_preparedWidget = window->widget();
    m_preparedScreen = target;
    window->prepare();
}

OrdinaryWindow *Shell::takePrepared(Screen screen)
{
    if (!m_preparedWidget || m_preparedScreen != screen)
        return nullptr;
    m_preparedWidget = nullptr;
    return std::exchange(m_prepared, nullptr);
}

void Shell::dropPrepared()
{
    m_prepared = nullptr;
    if (QWidget *window = m_preparedWidget.data()) {
        m_preparedWidget = nullptr;
        retire(window);
    }
}

QWidget *Shell::takeKept(Screen screen)
{
    const auto it = m_kept.find(screen);
    if (it == m_kept.end())
        return nullptr;
    QWidget *window = it->second;
    m_kept.erase(it);
    return window;
}

void Shell::leave(QWidget *window, Screen screen, Keep keep)
{
    if (keep == Keep::Hidden) {
        window->hide();
        m_kept[screen] = window;
    } else {
        retire(window);
    }
}

void Shell::retire(QWidget *window)
{
    if (!window)
        return;
    for (auto it = m_kept.begin(); it != m_kept.end();) {
        if (it->second == window)
            it = m_kept.erase(it);
        else
            ++it;
    }
    window->hide();
    // The window may be running one of its own handlers right now, so it goes when control
    // returns to the event loop.
    window->deleteLater();
    m_retired.removeAll(nullptr);
    m_retired.append(window);
}

void Shell::switchTo(Screen target, Keep keep)
{
    if (m_exited)
        return;
    QWidget *previous = m_current;
    const Screen previousScreen = m_currentScreen;
    if (previous && previousScreen == target && previous->isVisible())
        return;
    QWidget *window = takeKept(target);
    OrdinaryWindow *fresh = nullptr; // a new window, still to be loaded
    if (!window) {
        fresh = takePrepared(target);
        if (!fresh)
            fresh = createWindow(target);
        if (!fresh)
            return; // no window for this screen
        window = fresh->widget();
    }
    // A window readied for another screen is not needed any more.
    dropPrepared();
    m_current = window;
    m_currentScreen = target;
    if (fresh && fresh->loadStage() == OrdinaryWindow::LoadStage::BeforeShow && !fresh->load()) {
        // The program is ending; nothing is kept.
        retire(previous);
        return;
    }
    // A new window opens in the middle of the screen the user was working on.
    if (fresh)
        ui::centreOnScreen(window, previous);
    window->show();
    if (previous && previous != window)
        leave(previous, previousScreen, keep);
    if (fresh && fresh->loadStage() == OrdinaryWindow::LoadStage::AfterShow)
        fresh->load();
    Q_EMIT switched(target);
}

void Shell::exitProgram()
{
    if (m_exited)
        return;
    m_exited = true;
    dropPrepared();
    if (m_reminder) {
        m_reminder->deleteLater();
        m_retired.append(m_reminder.data());
        m_reminder = nullptr;
    }
    QList<QWidget *> kept;
    for (const auto &k : m_kept)
        kept.append(k.second);
    for (QWidget *window : std::as_const(kept))
        retire(window);
    for (HelpViewer *viewer : {m_helpViewer.data(), m_pendingHelpViewer.data()}) {
        if (viewer)
            viewer->close(); // deletes itself on close; the shell deletes it if it is still there
    }
    if (m_quit)
        m_quit(0);
}

void Shell::windowClosedByUser(QWidget *window)
{
    // Closing the window on show through its frame ends the program, as its exit command does.
    if (!m_exited && window == m_current)
        exitProgram();
}

void Shell::openHelp(QWidget *owner, const QString &helpFile)
{
    if (m_helpOpener)
        m_helpOpener(owner, helpFile);
}

QString Shell::helpFileFor(const QWidget *window) const
{
    static const QString name = QStringLiteral("帮助.chm");
    return qobject_cast<const StartMenuWindow *>(window) ? programPath(name) : name;
}

void Shell::showAbout(QWidget *owner)
{
    if (m_aboutOpener)
        m_aboutOpener(owner);
}

void Shell::showCompare(QWidget *owner)
{
    if (m_compareOpener)
        m_compareOpener(owner);
}

void Shell::showHelpViewer(QWidget *owner, const QString &helpFile)
{
    // A bare name is looked for in the working folder first, then in the program folder: a
    // program started from the menu works in the home folder.
    const QFileInfo given(helpFile);
    const QFileInfo info(given.isRelative() && !given.exists() ? programPath(helpFile) : helpFile);
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    for (HelpViewer *viewer : {m_pendingHelpViewer.data(), m_helpViewer.data()}) {
        if (viewer && QFileInfo(viewer->fileName()) == QFileInfo(path) && QFileInfo::exists(path)) {
            viewer->show();
            viewer->raise();
            viewer->activateWindow();
            return;
        }
    }
    const auto tell = [this](QWidget *to, const QString &text) {
        m_interaction.message(to, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(), text});
    };
    if (!QFileInfo::exists(path))
        return tell(owner, QStringLiteral("找不到帮助文件“%1”。\n%2").arg(info.fileName(), path));
    const QString damaged =
        QStringLiteral("无法读取帮助文件“%1”，它可能已经损坏。\n%2").arg(info.fileName(), path);
    if (!ChmFile::mayBeHelpFile(path))
        return tell(owner, damaged);
    if (!HelpReaderRun::readerUsable())
        return tell(owner, QStringLiteral("无法打开帮助：帮助阅读程序“%1”不存在或不能运行。\n%2")
                               .arg(QFileInfo(ChmFile::readerProgram()).fileName(),
                                    QDir::toNativeSeparators(ChmFile::readerProgram())));
    // The reader runs while the program goes on; the new viewer says it is opening the file.
    // One help window at a time: the one on show stays until the new file has been read.
    if (m_pendingHelpViewer)
        m_pendingHelpViewer->close();
    auto *viewer = new HelpViewer(path);
    m_pendingHelpViewer = viewer;
    ui::centreOnScreen(viewer, owner ? owner->window() : m_current.data());
    viewer->show();
    viewer->raise();
    auto *run = new HelpReaderRun(viewer);
    QPointer<QWidget> asker = owner;
    connect(run, &HelpReaderRun::finished, this,
            [this, viewer = QPointer<HelpViewer>(viewer), asker, path, damaged,
             tell](HelpReaderRun::Outcome outcome, const QByteArray &reply) {
                if (!viewer)
                    return; // closed while its file was being read
                auto file = std::make_unique<ChmFile>();
                if (outcome == HelpReaderRun::Outcome::Read && file->openReply(path, reply)) {
                    if (m_helpViewer) {
                        m_helpViewer->close();
                        m_retired.append(m_helpViewer.data());
                    }
                    m_helpViewer = viewer.data();
                    m_pendingHelpViewer = nullptr;
                    viewer->setFile(std::move(file));
                    viewer->activateWindow();
                    return;
                }
                m_pendingHelpViewer = nullptr;
                viewer->close();
                tell(asker ? asker.data() : m_current.data(), damaged);
            });
    run->start(path);
}

void Shell::showAboutWindow(QWidget *owner)
{
    showSmallWindow(new AboutWindow(programPath(QStringLiteral("pic/logo.png")), owner), owner);
}

void Shell::showCompareWindow(QWidget *owner)
{
    // Built anew every time, so it always opens borderless.
    showSmallWindow(new CompareWindow(owner), owner);
}

void Shell::showSmallWindow(ui::SmallWindow *window, QWidget *owner)
{
    QPointer<ui::SmallWindow> guard = window;
    connect(window, &ui::SmallWindow::helpRequested, this,
            [this, guard, owner] { openHelp(guard, helpFileFor(owner)); });
    m_interaction.showModal(window);
    delete guard.data();
}

void Shell::loadReminder()
{
    if (m_reminder || !m_reminderFactory)
        return;
    m_reminder = m_reminderFactory(*this);
}

StartMenuWindow *Shell::startWindow() const
{
    return m_currentScreen == Screen::Start ? qobject_cast<StartMenuWindow *>(m_current.data()) : nullptr;
}

HelpViewer *Shell::openingHelpViewer() const
{
    return m_pendingHelpViewer;
}

HelpViewer *Shell::helpViewer() const
{
    return m_helpViewer;
}

WorkWindow *Shell::workWindow(Screen screen) const
{
    if (m_currentScreen == screen && m_current)
        return qobject_cast<WorkWindow *>(m_current.data());
    const auto it = m_kept.find(screen);
    return it != m_kept.end() ? qobject_cast<WorkWindow *>(it->second.data()) : nullptr;
}

} // namespace shell
