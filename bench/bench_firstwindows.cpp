// Times the first window of each kind after launch, from the switch (what a click on the start
// window's picture runs) to the end of the new window's first paint, on the real windows and the
// platform the program uses (xcb: run it under Xvfb). Each run is a fresh process, so every
// figure is a cold first window; the parent prints the median and the 95th percentile.
//
// Usage: DISPLAY=:NN bench_firstwindows [runs]        (default 15 runs of each window)
#include "app/programwindows.h"
#include "shell/shell.h"
#include "ui/fonts.h"
#include "ui/qtinteraction.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Stops the clock at the end of the first paint of a window other than the start window (the
// zero timer fires once the paint and its flush are done), then closes a modal window that is
// open and ends the program.
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget *startWindow, QElapsedTimer &clock) : m_start(startWindow), m_clock(clock) {}
    double elapsedMs = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget && m_clock.isValid() && !m_stopping &&
            widget->window() != m_start) {
            m_stopping = true;
            QTimer::singleShot(0, this, [this] {
                elapsedMs = double(m_clock.nsecsElapsed()) / 1e6;
                if (QWidget *modal = QApplication::activeModalWidget())
                    modal->close();
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_start;
    QElapsedTimer &m_clock;
    bool m_stopping = false;
};

int runOnce(int &argc, char *argv[], shell::Screen target)
{
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(ui::designFont({}, QApplication::font().pointSizeF()));
    ui::QtInteraction interaction;
    shell::Shell shell(QStringLiteral(CIFAN_PROGRAM_DIR), interaction,
                       [](int code) { QCoreApplication::exit(code); });
    shell.setSettingsDir(QDir::tempPath());
    shell.setWindowFactory(app::buildProgramWindow);
    if (!shell.start())
        return 1;
    QElapsedTimer clock;
    std::unique_ptr<FirstPaint> stop;
    // Let the start window appear and paint first, as the learner sees it before clicking.
    QTimer::singleShot(300, [&] {
        QWidget *startWindow = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                startWindow = w;
        stop = std::make_unique<FirstPaint>(startWindow, clock);
        application.installEventFilter(stop.get());
        clock.start();
        shell.switchTo(target);
    });
    QApplication::exec();
    const double ms = stop ? stop->elapsedMs : -1;
    std::printf("%.2f\n", ms);
    return ms < 0 ? 1 : 0;
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    const double rank = p * double(v.size() - 1);
    const auto lo = std::size_t(rank);
    const std::size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (rank - double(lo));
}

} // namespace

int main(int argc, char *argv[])
{
    const struct {
        const char *name;
        shell::Screen screen;
    } windows[] = {{"study", shell::Screen::Study},
                   {"query", shell::Screen::Query},
                   {"practice (range dialog)", shell::Screen::Practice}};
    if (argc == 3 && std::strcmp(argv[1], "--once") == 0) {
        int one = 1;
        return runOnce(one, argv, windows[std::atoi(argv[2]) % 3].screen);
    }

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QCoreApplication application(argc, argv);
    std::vector<std::vector<double>> times(3);
    for (int r = 0; r < runs; ++r) {
        for (int w = 0; w < 3; ++w) {
            const int which = (r + w) % 3; // rotated order
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {"--once", QString::number(which)});
            if (!child.waitForFinished(60000) || child.exitCode() != 0)
                continue;
            times[std::size_t(which)].push_back(child.readAllStandardOutput().trimmed().toDouble());
        }
    }
    std::printf("first window after launch, switch to end of first paint (%d runs, load %s)\n", runs,
                qPrintable(QString::fromLatin1([] {
                    QFile f(QStringLiteral("/proc/loadavg"));
                    return f.open(QIODevice::ReadOnly) ? f.readLine(15).trimmed() : QByteArray("?");
                }())));
    for (int w = 0; w < 3; ++w) {
        if (times[std::size_t(w)].empty())
            continue;
        std::printf("  %-24s median %6.1f ms   p95 %6.1f ms   (n=%zu)\n", windows[w].name,
                    percentile(times[std::size_t(w)], 0.5), percentile(times[std::size_t(w)], 0.95),
                    times[std::size_t(w)].size());
    }
    return 0;
}
