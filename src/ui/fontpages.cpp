#include "ui/fontpages.h"

#include <QEvent>

#include <sys/mman.h>
#include <sys/resource.h>

namespace ui {

namespace {

bool isFontData(const Mapping &m)
{
    if (!m.perms.startsWith("r-") || !m.path.startsWith("/")) // read-only file mappings
        return false;
    const QByteArrayView name = m.path.sliced(m.path.lastIndexOf('/') + 1);
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0) {
        const QByteArray suffix = name.sliced(dot + 1).toByteArray().toLower();
        if (suffix == "ttc" || suffix == "otc" || suffix == "ttf" || suffix == "otf")
            return true;
    }
    // fontconfig's caches: <dir>/fontconfig/<hash>-<arch>.cache-<version>
    const QByteArrayView folder = m.path.first(m.path.lastIndexOf('/'));
    const qsizetype cache = name.lastIndexOf(".cache-");
    if (!folder.endsWith("/fontconfig") || cache < 0 || cache + 7 == name.size())
        return false;
    for (const char c : name.sliced(cache + 7))
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Minor page faults (pages mapped in without reading a disk) of the calling thread so far.
long minorFaultsOfThisThread()
{
    rusage usage{};
    return getrusage(RUSAGE_THREAD, &usage) == 0 ? usage.ru_minflt : 0;
}

} // namespace

std::optional<AddressRange> fontDataMapping(const QString &mapsLine)
{
    const QByteArray line = mapsLine.toUtf8();
    const std::optional<Mapping> m = parseMapping(line);
    if (!m || !isFontData(*m))
        return std::nullopt;
    return m->range;
}

qint64 releaseFontPages()
{
    qint64 released = 0;
    forEachMapping([&released](const Mapping &m) {
        // Private read-only file pages: dropping them only means reading them again.
        if (isFontData(m) &&
            madvise(reinterpret_cast<void *>(m.range.start), m.range.end - m.range.start, MADV_DONTNEED) == 0)
            released += qint64(m.range.end - m.range.start);
    });
    return released;
}

FontPageReleaser::FontPageReleaser(int quietMs, std::function<void()> whenQuiet, QObject *parent)
    : QObject(parent)
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(quietMs);
    connect(&m_quiet, &QTimer::timeout, this, [whenQuiet = std::move(whenQuiet)] {
        releaseFontPages();
        if (whenQuiet)
            whenQuiet();
    });
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &FontPageReleaser::releaseAndRecount);
}

void FontPageReleaser::releaseAndRecount()
{
    releaseFontPages();
    m_faultsAtRelease = minorFaultsOfThisThread();
}

bool FontPageReleaser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        m_quiet.start();
        if (m_faultBudget > 0) {
            // Most faults while painting are font pages (code pages and the heap are in by then,
            // the window's buffer was brought in whole), so the count stands in for how much of
            // the faces the paint has brought in; reading the exact figure costs more than a paint.
            const long faults = minorFaultsOfThisThread();
            if (m_faultsAtRelease < 0) {
                m_faultsAtRelease = faults;
            } else if (faults - m_faultsAtRelease > m_faultBudget) {
                releaseAndRecount();
            } else if (faults - m_faultsAtRelease > m_faultBudget / 2) {
                m_idle.start();
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
