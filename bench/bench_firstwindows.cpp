// Times every action a learner waits for, from the input to the end of the paint it causes, on
// the real windows and the platform the program uses (xcb: run it under Xvfb):
//   - the first query and study window after launch (a click on the start window's picture);
//   - the click on the practice picture to the painted practice window and range dialog;
//   - OK in the range dialog to the painted practice window;
//   - "出题" (Enter) to the first question;
//   - a right and a wrong answer typed into the answer box and judged with Enter, the first
//     answer of the run (cold) and the later ones apart; Enter after a wrong answer.
// Each run is a fresh process, so every "first" figure is cold. The parent prints the median
// and the 95th percentile of each action.
//
// Usage: DISPLAY=:NN bench_firstwindows [runs] [--hover ms] [--gap ms] [--press ms]
//   runs   processes of each kind (default 15)
//   hover  the pointer rests on the picture this long before the click (default 0: the click
//          comes with no hover before it, as from a touch screen or a pointer already there)
//   gap    the learner's pause between two actions (default 400 ms)
//   press  the button is held down this long in the click on a picture (default 0: press and
//          release at once); the clock still starts at the press, and each such action is also
//          given from the release ("... from release": the time from the press less the hold)
#include "app/programwindows.h"
#include "practice/practicewindow.h"
#include "shell/shell.h"
#include "ui/fontpages.h"
#include "ui/fonts.h"
#include "ui/qtinteraction.h"
#include "ui/windowbuffers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMap>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {

enum class Run { Query, Practice, Study, PracticeWrongFirst, Count };
constexpr const char *kRunNames[] = {"query", "practice", "study", "practice-wrong-first"};
// The start window's pictures in the order they stand.
constexpr const char *kPictures[] = {"picchaxun", "piclianxi", "picxuexi"};

// One timed action at a time: the clock runs from arm() (just before the input is sent) to the
// end of the first paint of each window named (a zero timer after the paint, once the flush is
// done). A name ending in "!" waits for the window to be exposed instead: a window uncovered by
// a dialog that closes is flushed from what it had painted, often with no paint at all. Then
// done() is called from the event loop.
class PaintClock : public QObject
{
public:
    void arm(QStringList windows, std::function<void(double ms)> done)
    {
        m_waiting = std::move(windows);
        m_done = std::move(done);
        m_stopping = false;
        m_clock.start();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_waiting.isEmpty() || m_stopping)
            return false;
        QString name;
        if (event->type() == QEvent::Paint) {
            // A window readied while hidden draws off screen, which is no paint on the screen.
            if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->window()->isVisible())
                name = widget->window()->objectName();
        } else if (event->type() == QEvent::Expose) {
            // The flush of an exposed window happens inside the handling of this event.
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->windowHandle() == watched)
                    name = top->objectName() + QLatin1Char('!');
        }
        if (name.isEmpty() || !m_waiting.removeOne(name) || !m_waiting.isEmpty())
            return false;
        m_stopping = true;
        QTimer::singleShot(0, this, [this] {
            const double ms = double(m_clock.nsecsElapsed()) / 1e6;
            m_waiting.clear();
            std::exchange(m_done, nullptr)(ms);
        });
        return false;
    }

private:
    QStringList m_waiting;
    std::function<void(double)> m_done;
    QElapsedTimer m_clock;
    bool m_stopping = false;
};

QWidget *findWidget(const QString &name)
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (top->objectName() == name && top->isVisible())
            return top;
        if (auto *child = top->findChild<QWidget *>(name); child && child->isVisible())
            return child;
    }
    return nullptr;
}

// Drives one process: the start window, then the actions of its kind, each after the learner's
// pause; prints "action<TAB>ms" lines.
class Driver
{
public:
    Driver(shell::Shell &shell, PaintClock &clock, int hoverMs, int gapMs, int pressMs)
        : m_shell(shell), m_clock(clock), m_hoverMs(hoverMs), m_gapMs(gapMs), m_pressMs(pressMs)
    {
    }

    void start(Run run)
    {
        if (run == Run::Query || run == Run::Study) {
            const bool query = run == Run::Query;
            clickPicture(query ? 0 : 2, {query ? QStringLiteral("chaxun") : QStringLiteral("xuexi")},
                         query ? "query window (first)" : "study window (first)", [] { finish(0); });
            return;
        }
        const bool rightFirst = run == Run::Practice;
        clickPicture(1, {QStringLiteral("japanese"), QStringLiteral("fanwei")}, "range dialog after click",
                     [this, rightFirst] { later([this, rightFirst] { pressOk(rightFirst); }); });
    }

private:
    static void finish(int code)
    {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
        QCoreApplication::exit(code);
    }

    void later(std::function<void()> step) { QTimer::singleShot(m_gapMs, std::move(step)); }

    // The figure on stdout for the parent; on stderr the action's span on the monotonic clock,
    // to match it with a profile taken with `perf record -k CLOCK_MONOTONIC`.
    void report(const char *action, double ms)
    {
        std::printf("%s\t%.2f\n", action, ms);
        std::fflush(stdout);
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const double end = double(now.tv_sec) + double(now.tv_nsec) / 1e9;
        std::fprintf(stderr, "span\t%s\t%.6f\t%.6f\n", action, end - ms / 1e3, end);
    }

    // Optionally rests the pointer on the picture first, then clicks it.
    void clickPicture(int picture, QStringList windows, const char *action, std::function<void()> next)
    {
        QWidget *target = findWidget(QString::fromLatin1(kPictures[picture]));
        if (!target)
            return finish(1);
        auto click = [this, target, windows, action, next] {
            m_clock.arm(windows, [this, action, next](double ms) {
                report(action, ms);
                if (m_pressMs > 0)
                    report((std::string(action) + " from release").c_str(), ms - m_pressMs);
                next();
            });
            // Blocks while the practice window's modal range dialog is open; the later steps run
            // inside that dialog's event loop.
            if (m_pressMs <= 0)
                return QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
            // The release comes when the hold is over, or as soon after as the program reads it.
            QElapsedTimer held;
            held.start();
            QTest::mousePress(target, Qt::LeftButton, {}, target->rect().center());
            const auto left = std::max<qint64>(0, m_pressMs - held.elapsed());
            QTimer::singleShot(int(left), target, [target] {
                QTest::mouseRelease(target, Qt::LeftButton, {}, target->rect().center());
            });
        };
        if (m_hoverMs <= 0)
            return click();
        // The pointer comes to rest on the picture: its move as mouse tracking delivers it.
        QTest::mouseMove(target, target->rect().center());
        QMouseEvent move(QEvent::MouseMove, QPointF(target->rect().center()),
                         QPointF(target->mapToGlobal(target->rect().center())), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QTimer::singleShot(m_hoverMs, click);
    }

    void pressOk(bool rightFirst)
    {
        QWidget *ok = findWidget(QStringLiteral("chooseenter"));
        if (!ok)
            return finish(1);
        m_clock.arm({QStringLiteral("japanese!")}, [this, rightFirst](double ms) {
            report("OK -> practice window", ms);
            later([this, rightFirst] { draw(rightFirst); });
        });
        QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
    }

    practice::PracticeWindow *practiceWindow() const
    {
        return qobject_cast<practice::PracticeWindow *>(m_shell.workWindow(shell::Screen::Practice));
    }

    // Enter as the learner presses it: to the widget with the focus, else to the window.
    void pressEnter()
    {
        QWidget *to = QApplication::focusWidget() ? QApplication::focusWidget() : practiceWindow();
        QTest::keyClick(to, Qt::Key_Return);
    }

    void draw(bool rightFirst)
    {
        m_clock.arm({QStringLiteral("japanese")}, [this, rightFirst](double ms) {
            report("first question (Enter)", ms);
            later([this, rightFirst] { answer(rightFirst, 0); });
        });
        pressEnter();
    }

    // Answers six words, right and wrong by turns; after a wrong one Enter goes on to the next.
    void answer(bool right, int count)
    {
        if (count == 6)
            return finish(0);
        practice::PracticeWindow *window = practiceWindow();
        auto *input = window ? window->findChild<QLineEdit *>(QStringLiteral("txtinput")) : nullptr;
        if (!input)
            return finish(1);
        const QString expected = window->session().view().answer;
        const QString typed = right ? expected : expected + QStringLiteral("あ");
        input->setFocus();
        // Kana come from the input method as committed text, as Mozc's do.
        QInputMethodEvent commit;
        commit.setCommitString(typed);
        QApplication::sendEvent(input, &commit);
        const char *action = count < 1
                                 ? (right ? "right answer (first of run)" : "wrong answer (first of run)")
                                 : (right ? "right answer (later)" : "wrong answer (later)");
        m_clock.arm({QStringLiteral("japanese")}, [this, right, count, action, window](double ms) {
            // A right answer shows the right picture; anything else means the typing went wrong.
            const bool judgedRight = window->session().view().picture == practice::Picture::Right;
            if (judgedRight != right)
                return finish(2);
            report(action, ms);
            if (right)
                return later([this, count] { answer(false, count + 1); });
            later([this, count] { nextAfterWrong(count + 1); });
        });
        QTest::keyClick(input, Qt::Key_Return);
    }

    void nextAfterWrong(int count)
    {
        m_clock.arm({QStringLiteral("japanese")}, [this, count](double ms) {
            report("next word after a wrong answer", ms);
            later([this, count] { answer(true, count); });
        });
        pressEnter();
    }

    shell::Shell &m_shell;
    PaintClock &m_clock;
    int m_hoverMs;
    int m_gapMs;
    int m_pressMs;
};

int runOnce(int &argc, char *argv[], Run run, int hoverMs, int gapMs, int pressMs)
{
    QApplication application(argc, argv);
    // Set up as the program sets itself up (main.cpp).
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(ui::designFont({}, QApplication::font().pointSizeF()));
    ui::FontPageReleaser fontPages(300);
    fontPages.setPaintFaultBudget(64); // as the program does
    application.installEventFilter(&fontPages);
    ui::WindowBufferPreparer windowBuffers;
    application.installEventFilter(&windowBuffers);
    ui::QtInteraction interaction;
    QTemporaryDir settings; // a learner's first run: no settings, no learning record yet
    shell::Shell shell(QStringLiteral(CIFAN_PROGRAM_DIR), interaction,
                       [](int code) { QCoreApplication::exit(code); });
    shell.setSettingsDir(settings.path());
    shell.setWindowFactory(app::buildProgramWindow);
    if (!shell.start())
        return 1;
    PaintClock clock;
    application.installEventFilter(&clock);
    Driver driver(shell, clock, hoverMs, gapMs, pressMs);
    // The start window appears and paints first, as the learner sees it before clicking.
    QTimer::singleShot(300, [&] { driver.start(run); });
    QTimer::singleShot(60000, [] { QCoreApplication::exit(3); });
    return QApplication::exec();
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    const double rank = p * double(v.size() - 1);
    const auto lo = std::size_t(rank);
    const std::size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (rank - double(lo));
}

QByteArray loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readLine(15).trimmed() : QByteArray("?");
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 15;
    int hoverMs = 0;
    int gapMs = 400;
    int pressMs = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--once") == 0 && i + 3 < argc) {
            int one = 1;
            return runOnce(one, argv, Run(std::atoi(argv[i + 1]) % int(Run::Count)), std::atoi(argv[i + 2]),
                           std::atoi(argv[i + 3]), i + 4 < argc ? std::atoi(argv[i + 4]) : 0);
        }
        if (std::strcmp(argv[i], "--hover") == 0 && i + 1 < argc)
            hoverMs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--press") == 0 && i + 1 < argc)
            pressMs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--gap") == 0 && i + 1 < argc)
            gapMs = std::atoi(argv[++i]);
        else
            runs = std::max(1, std::atoi(argv[i]));
    }

    QCoreApplication application(argc, argv);
    const QByteArray loadBefore = loadAverage();
    QMap<QString, std::vector<double>> times;
    QStringList order; // actions in the order they were first seen
    int failed = 0;
    for (int r = 0; r < runs; ++r) {
        for (int k = 0; k < int(Run::Count); ++k) {
            const int which = (r + k) % int(Run::Count); // rotated order
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {"--once", QString::number(which), QString::number(hoverMs), QString::number(gapMs),
                         QString::number(pressMs)});
            if (!child.waitForFinished(90000) || child.exitCode() != 0) {
                std::fprintf(stderr, "run %s failed (exit %d)\n", kRunNames[which], child.exitCode());
                ++failed;
                continue;
            }
            for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
                const QList<QByteArray> fields = line.split('\t');
                if (fields.size() != 2)
                    continue;
                const QString action = QString::fromUtf8(fields[0]);
                if (!times.contains(action))
                    order.append(action);
                times[action].push_back(fields[1].toDouble());
            }
        }
    }
    std::printf(
        "every action, input to end of paint (%d runs of each kind, hover %d ms, gap %d ms, press %d ms, "
        "%d failed)\n"
        "load average before %s, after %s\n",
        runs, hoverMs, gapMs, pressMs, failed, loadBefore.constData(), loadAverage().constData());
    for (const QString &action : std::as_const(order)) {
        const std::vector<double> &t = times[action];
        std::printf("  %-34s median %6.1f ms   p95 %6.1f ms   max %6.1f ms   (n=%zu)\n", qPrintable(action),
                    percentile(t, 0.5), percentile(t, 0.95), *std::max_element(t.begin(), t.end()), t.size());
    }
    return failed == 0 ? 0 : 1;
}
