// The windows on a real desktop: a window manager (openbox) on an X server of its own (Xvfb).
// Modal windows and boxes stay in front of the window they block, even after a click on it, and
// every window opens in the middle of its screen, wholly on it. Without Xvfb or openbox the
// suite is skipped; scripts/setup-deps.sh installs both.
//
// Run by CTest, the program starts the X server and the window manager, then runs itself again
// on that display (CIFAN_DESKTOP set), where the checks run with Qt's X11 platform.
#include "app/programwindows.h"
#include "shell/helpviewer.h"
#include "shell/shell.h"
#include "testapp.h"
#include "ui/qtinteraction.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <functional>

using shell::Screen;

namespace {

// A window's frame as the window manager has drawn it.
QRect frameOf(const QWidget *w)
{
    return w->geometry().marginsAdded(w->windowHandle()->frameMargins());
}

bool framed(const QWidget *w)
{
    return w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed() &&
           w->windowHandle()->frameMargins().top() > 0;
}

QString describe(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The share of a window's pixels that the screen shows where the window stands: 1 when nothing
// covers it.
double shareOnTop(QWidget *w)
{
    const QRect area = w->geometry();
    const QImage onScreen = w->screen()
                                ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                                .toImage()
                                .convertToFormat(QImage::Format_RGB32);
    const QImage own = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (onScreen.size() != own.size())
        return 0;
    qint64 same = 0;
    for (int y = 0; y < own.height(); ++y) {
        for (int x = 0; x < own.width(); ++x)
            same += onScreen.pixel(x, y) == own.pixel(x, y);
    }
    return double(same) / (qint64(own.width()) * own.height());
}

// The modal window on show, once it is on the screen; nullptr if none came.
QWidget *shownModal()
{
    QWidget *w = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] {
            w = QApplication::activeModalWidget();
            return w && w->windowHandle() && w->windowHandle()->isExposed();
        },
        5000);
    return shown ? w : nullptr;
}

} // namespace

// The checks, on the display with the window manager.
class DesktopChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modalWindowsStayInFrontOfTheirOwner_data()
    {
        QTest::addColumn<QString>("modal");
        for (const char *m : {"about window", "kana comparison window", "message box", "input box",
                              "colour dialog", "box asked for while the about window is open", "range dialog",
                              "range dialog of a readied practice window"})
            QTest::newRow(m) << QString::fromLatin1(m);
    }
    void modalWindowsStayInFrontOfTheirOwner()
    {
        QFETCH(QString, modal);
        TestApp app;
        ui::QtInteraction interaction;
        shell::Shell shell(app.dir(), interaction, [](int) {});
        shell.setWindowFactory(app::buildProgramWindow);
        shell.switchTo(Screen::Study);
        QWidget *owner = shell.currentWindow();
        QVERIFY(owner);
        QTRY_VERIFY(framed(owner));

        // While the modal window is open: let the window manager place it, click on the working
        // window as the user does (the window manager raises the window clicked), then look at the
        // screen. It must stand above the window it belongs to (standing).
        QWidget *standing = owner;
        QString problem = QStringLiteral("the modal window never opened");
        auto check = [&] {
            QWidget *w = shownModal();
            if (!w)
                return;
            problem.clear();
            QTest::qWait(300);
            owner->raise();
            owner->activateWindow();
            QTest::qWait(500);
            const double share = shareOnTop(w);
            if (share < 0.95)
                problem += QStringLiteral("only %1% of it is in front; ").arg(int(share * 100));
            if (w->windowHandle()->transientParent() != standing->windowHandle())
                problem += QStringLiteral("not transient for the window it belongs to; ");
            const QPoint off = frameOf(w).center() - frameOf(standing).center();
            if (off.manhattanLength() > 4)
                problem += QStringLiteral("not over the middle of the window it belongs to (%1 over %2); ")
                               .arg(describe(frameOf(w)), describe(frameOf(standing)));
            if (auto *dialog = qobject_cast<QDialog *>(w))
                dialog->reject();
            else
                w->close();
        };
        auto askBox = [&] {
            interaction.message(
                owner, ui::Message{ui::Icon::Warning, ui::Buttons::YesNo, {}, QStringLiteral("继续?")});
        };
        if (modal == u"box asked for while the about window is open") {
            // As the rest reminder does: the box is asked for by the working window under the about window.
            QTimer::singleShot(0, [&] {
                QWidget *about = shownModal();
                if (!about)
                    return;
                standing = about;
                QTimer::singleShot(0, check);
                askBox();
                about->close();
            });
            shell.showAbout(owner);
        } else if (modal.startsWith(u"range dialog")) {
            // The practice window opens it as it appears.
            if (modal.endsWith(u"readied practice window"))
                shell.prepare(Screen::Practice);
            QTimer::singleShot(0, [&] {
                owner = standing = shell.currentWindow();
                check();
            });
            shell.switchTo(Screen::Practice);
        } else {
            QTimer::singleShot(0, check);
            if (modal == u"about window")
                shell.showAbout(owner);
            else if (modal == u"kana comparison window")
                shell.showCompare(owner);
            else if (modal == u"message box")
                askBox();
            else if (modal == u"input box")
                interaction.input(owner, QStringLiteral("请输入上句"), QStringLiteral("设置警句"), {});
            else
                interaction.color(owner, Qt::blue);
        }
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
    void windowsOpenCentredOnTheirScreen()
    {
        TestApp app;
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        auto check = [&](QWidget *w, const QString &name) {
            QVERIFY2(w, qPrintable(name));
            QTRY_VERIFY2(framed(w), qPrintable(name));
            const auto centred = [&] {
                const QRect frame = frameOf(w);
                return area.contains(frame) && (frame.center() - area.center()).manhattanLength() <= 4;
            };
            QTRY_VERIFY2_WITH_TIMEOUT(centred(),
                                      qPrintable(name + QStringLiteral(" stands at ") + describe(frameOf(w)) +
                                                 QStringLiteral(" on ") + describe(area)),
                                      3000);
        };
        QVERIFY(app.shell().start());
        check(app.shell().currentWindow(), QStringLiteral("start window"));
        for (Screen s : {Screen::Study, Screen::Query, Screen::Practice, Screen::Start, Screen::Study})
            check(openWindow(app, s), QStringLiteral("window %1").arg(int(s)));
        app.shell().openHelp(app.shell().currentWindow(), QStringLiteral(CIFAN_PROGRAM_DIR "/帮助.chm"));
        QTRY_VERIFY_WITH_TIMEOUT(!app.shell().isOpeningHelp(), 5000);
        check(app.shell().helpViewer(), QStringLiteral("help viewer"));
    }
};

// CTest's side: an X server and a window manager of their own, and the checks run on them.
static int runOnOwnDesktop(const QStringList &arguments)
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
    if (xvfb.isEmpty() || openbox.isEmpty()) {
        qInfo("SKIP: Xvfb or openbox is not installed (scripts/setup-deps.sh installs both): the windows "
              "were not checked under a window manager");
        return 0;
    }
    // The server picks a free display and names it on its output; openbox runs its start-up
    // command once it manages the screen.
    QProcess server, windowManager, checks;
    server.start(xvfb, QStringLiteral("-displayfd 1 -screen 0 1280x800x24 -nolisten tcp").split(u' '));
    QTemporaryDir dir;
    const QString ready = dir.filePath(QStringLiteral("ready"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (server.waitForReadyRead(10000)) {
        env.insert(QStringLiteral("DISPLAY"), u':' + QString::fromLatin1(server.readLine()).trimmed());
        windowManager.setProcessEnvironment(env);
        windowManager.start(openbox, {QStringLiteral("--sm-disable"), QStringLiteral("--startup"),
                                      QStringLiteral("touch ") + ready});
    }
    int result = 1;
    if (QTest::qWaitFor([&] { return QFile::exists(ready); }, 10000)) {
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("CIFAN_DESKTOP"), QStringLiteral("1"));
        checks.setProcessEnvironment(env);
        checks.setProcessChannelMode(QProcess::ForwardedChannels);
        checks.start(QCoreApplication::applicationFilePath(), arguments.mid(1));
        if (checks.waitForFinished(110000) && checks.exitStatus() == QProcess::NormalExit)
            result = checks.exitCode();
    } else {
        qCritical("Xvfb or openbox did not start");
    }
    for (QProcess *p : {&checks, &windowManager, &server}) {
        p->terminate();
        if (!p->waitForFinished(3000))
            p->kill();
    }
    return result;
}

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("CIFAN_DESKTOP")) {
        QCoreApplication app(argc, argv);
        return runOnOwnDesktop(app.arguments());
    }
    QApplication app(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    DesktopChecks checks;
    return QTest::qExec(&checks, argc, argv);
}

#include "tst_desktop.moc"
