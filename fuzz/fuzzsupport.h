#pragma once

// Shared by the fuzz targets: the application object some code needs, and a check that turns a
// broken promise into a crash the fuzzer records.
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace fuzzsupport {

inline void ensureApp()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

inline void check(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

inline QString &scratchPath()
{
    static QString path;
    return path;
}

// A folder for real files, in memory where the system has one (no disk writes per input); it is
// removed when the target ends.
inline QString scratchFolder()
{
    if (scratchPath().isEmpty()) {
        const QString base =
            QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        scratchPath() =
            QDir(base).filePath(QStringLiteral("cifan-fuzz-%1").arg(QCoreApplication::applicationPid()));
        QDir().mkpath(scratchPath() + QStringLiteral("/sous"));
        std::atexit([] { QDir(scratchPath()).removeRecursively(); });
    }
    return scratchPath();
}

inline void putFile(const QString &path, const char *data, std::size_t size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(data, qint64(size));
}

} // namespace fuzzsupport
