#include "ui/processmemory.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

// glibc's own allocator keeps its heap at the program break; a sanitizer's allocator does not.
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define CIFAN_GLIBC_HEAP 1
#endif

#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23 // Linux 5.14
#endif

namespace ui {
namespace {

// The next blank-separated field of a maps line, and what follows it.
QByteArrayView nextField(QByteArrayView &rest)
{
    qsizetype i = 0;
    while (i < rest.size() && rest[i] == ' ')
        ++i;
    qsizetype j = i;
    while (j < rest.size() && rest[j] != ' ')
        ++j;
    const QByteArrayView field = rest.sliced(i, j - i);
    rest = rest.sliced(j);
    return field;
}

std::optional<quintptr> hexNumber(QByteArrayView digits)
{
    if (digits.isEmpty() || digits.size() > qsizetype(2 * sizeof(quintptr)))
        return std::nullopt;
    quintptr value = 0;
    for (const char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        if (d < 0)
            return std::nullopt;
        value = value * 16 + quintptr(d);
    }
    return value;
}

bool populate(quintptr start, quintptr end)
{
    const auto page = quintptr(sysconf(_SC_PAGESIZE));
    start &= ~(page - 1);
    return end > start && madvise(reinterpret_cast<void *>(start), end - start, MADV_POPULATE_WRITE) == 0;
}

} // namespace

std::optional<Mapping> parseMapping(QByteArrayView line)
{
    QByteArrayView rest = line;
    const QByteArrayView range = nextField(rest);
    const qsizetype dash = range.indexOf('-');
    if (dash < 0)
        return std::nullopt;
    const std::optional<quintptr> start = hexNumber(range.first(dash));
    const std::optional<quintptr> end = hexNumber(range.sliced(dash + 1));
    const QByteArrayView perms = nextField(rest);
    nextField(rest); // offset
    nextField(rest); // device
    const QByteArrayView inode = nextField(rest);
    if (!start || !end || *end <= *start || perms.size() != 4 || inode.isEmpty())
        return std::nullopt;
    // What is mapped is the rest of the line: a path may hold blanks.
    while (!rest.isEmpty() && rest.front() == ' ')
        rest = rest.sliced(1);
    while (!rest.isEmpty() && (rest.back() == '\n' || rest.back() == ' '))
        rest.chop(1);
    return Mapping{{*start, *end}, perms, rest};
}

bool forEachMapping(const std::function<void(const Mapping &)> &visit)
{
    // Read with plain system calls: this runs at start-up and after paints, where a QFile and a
    // line split of a few hundred lines would cost more than the work it serves.
    const int fd = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    QByteArray text;
    char chunk[16384];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(chunk, n);
    }
    ::close(fd);
    const QByteArrayView all(text);
    qsizetype from = 0;
    while (from < all.size()) {
        qsizetype to = all.indexOf('\n', from);
        if (to < 0)
            to = all.size();
        if (const std::optional<Mapping> m = parseMapping(all.sliced(from, to - from)))
            visit(*m);
        from = to + 1;
    }
    return true;
}

bool isSharedPixelBuffer(const Mapping &mapping)
{
    return mapping.perms == "rw-s" &&
           (mapping.path.startsWith("/memfd:") || mapping.path.startsWith("/SYSV"));
}

qint64 prefaultSharedPixelBuffers()
{
    qint64 bytes = 0;
    forEachMapping([&bytes](const Mapping &m) {
        if (isSharedPixelBuffer(m) && populate(m.range.start, m.range.end))
            bytes += qint64(m.range.end - m.range.start);
    });
    return bytes;
}

std::size_t reserveStartHeap(std::size_t bytes)
{
#if defined(CIFAN_GLIBC_HEAP)
    if (bytes == 0 || bytes > (std::size_t(1) << 30))
        return 0;
    mallopt(M_TOP_PAD, int(bytes));
    // Blocks under the size glibc maps separately (128 KiB) use up what is free at the top of
    // the heap until it grows, by `bytes` more than the block that made it grow.
    const auto before = quintptr(sbrk(0));
    std::vector<void *> blocks;
    while (quintptr(sbrk(0)) == before && blocks.size() < 256) {
        void *block = std::malloc(96 * 1024);
        if (!block)
            break;
        blocks.push_back(block);
    }
    const auto low = blocks.empty() ? quintptr(0) : quintptr(*std::min_element(blocks.begin(), blocks.end()));
    for (void *block : blocks)
        std::free(block);
    const auto top = quintptr(sbrk(0));
    if (blocks.empty() || top == before || top <= low)
        return 0;
    return populate(low, top) ? std::size_t(top - low) : 0;
#else
    Q_UNUSED(bytes);
    return 0;
#endif
}

void releaseStartHeap()
{
#if defined(CIFAN_GLIBC_HEAP)
    mallopt(M_TOP_PAD, 128 * 1024); // glibc's own default
    malloc_trim(0);
#endif
}

bool sessionBusUnreachable(const QString &busAddress, const QString &runtimeDir, bool runtimeBusExists,
                           bool dbusLaunchFound)
{
    if (!busAddress.trimmed().isEmpty())
        return false; // a bus is named: connecting to it is the caller's business
    if (!runtimeDir.isEmpty() && runtimeBusExists)
        return false; // the per-user bus of a systemd session
    return !dbusLaunchFound;
}

void skipUnreachableSessionBus()
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!address.trimmed().isEmpty())
        return;
    const bool runtimeBus = !runtimeDir.isEmpty() && QFileInfo::exists(runtimeDir + QStringLiteral("/bus"));
    const bool launcher = !QStandardPaths::findExecutable(QStringLiteral("dbus-launch")).isEmpty();
    if (sessionBusUnreachable(address, runtimeDir, runtimeBus, launcher))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace ui
