#include "ui/fontpages.h"

#include <QEvent>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <mutex>
#include <vector>

#include <dlfcn.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

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

std::atomic<quint64> g_fontFileChanges{0};

// A font file or font cache found mapped by the last reading of the process's mappings.
struct FontData {
    AddressRange range;
    QByteArray path;
    std::vector<bool> presentAtLastRelease; // one flag a page; empty when not looked at
};

struct KnownFontData {
    std::mutex lock;
    bool known = false;
    quint64 changesSeen = 0;
    std::vector<FontData> mappings; // in address order, as the kernel lists them
};

KnownFontData &knownFontData()
{
    static KnownFontData data;
    return data;
}

// Whether the range still maps that file: /proc/self/map_files names each file mapping by its
// exact range, so anonymous memory or another file put in its place since does not match.
bool stillMaps(const FontData &data)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/map_files/%llx-%llx",
                  static_cast<unsigned long long>(data.range.start),
                  static_cast<unsigned long long>(data.range.end));
    char target[PATH_MAX];
    const ssize_t n = readlink(link, target, sizeof target);
    return n == data.path.size() && std::memcmp(target, data.path.constData(), std::size_t(n)) == 0;
}

// Which pages of a range are in the process's page tables now (/proc/self/pagemap, bit 63 of
// each page's entry); empty when that cannot be read.
std::vector<bool> presentPages(int pagemap, AddressRange range, std::size_t pageSize)
{
    if (pagemap < 0)
        return {};
    const std::size_t pages = (range.end - range.start) / pageSize;
    std::vector<bool> present(pages);
    quint64 entries[512]; // read a piece at a time: a large buffer would itself fault page by page
    for (std::size_t from = 0; from < pages;) {
        const std::size_t n = std::min(pages - from, std::size(entries));
        const auto bytes = static_cast<ssize_t>(n * sizeof(quint64));
        if (pread(pagemap, entries, std::size_t(bytes),
                  static_cast<off_t>((range.start / pageSize + from) * sizeof(quint64))) != bytes)
            return {};
        for (std::size_t i = 0; i < n; ++i)
            present[from + i] = (entries[i] >> 63) & 1;
        from += n;
    }
    return present;
}

// Private read-only file pages: dropping them only means reading them again. Pages read before
// the last release and again since stay once: the tables every glyph reads (the character map,
// the metrics, the outlines' index) would be read back straight away. The rest goes,
// neighbouring ranges (fontconfig maps its caches one after another) in one call, as each call
// costs the other processors' address translations a flush.
qint64 release(std::vector<FontData> &mappings)
{
    const auto pageSize = std::size_t(sysconf(_SC_PAGESIZE));
    const int pagemap = ::open("/proc/self/pagemap", O_RDONLY | O_CLOEXEC);
    std::vector<AddressRange> ranges;
    for (FontData &data : mappings) {
        std::vector<bool> present = presentPages(pagemap, data.range, pageSize);
        for (const AddressRange &r :
             pagesToRelease(data.range, present, data.presentAtLastRelease, pageSize)) {
            if (!ranges.empty() && ranges.back().end == r.start)
                ranges.back().end = r.end;
            else
                ranges.push_back(r);
        }
        // A page kept now is not counted as read before the next release, which gives it back
        // unless it is read again after that: what stays is never more than one interval read.
        if (present.size() == data.presentAtLastRelease.size()) {
            for (std::size_t i = 0; i < present.size(); ++i)
                present[i] = present[i] && !data.presentAtLastRelease[i];
        }
        data.presentAtLastRelease = std::move(present);
    }
    if (pagemap >= 0)
        ::close(pagemap);
    qint64 released = 0;
    for (const AddressRange &r : ranges) {
        if (madvise(reinterpret_cast<void *>(r.start), r.end - r.start, MADV_DONTNEED) == 0)
            released += qint64(r.end - r.start);
    }
    return released;
}

std::atomic<quint64> g_mappingReadings{0};

// Reads the process's mappings again and releases the font data they list now.
qint64 rereadAndRelease(KnownFontData &data)
{
    g_mappingReadings.fetch_add(1, std::memory_order_relaxed);
    const quint64 changes = g_fontFileChanges.load(std::memory_order_acquire);
    data.mappings.clear();
    data.known = forEachMapping([&data](const Mapping &m) {
        if (isFontData(m))
            data.mappings.push_back({m.range, m.path.toByteArray(), {}});
    });
    data.changesSeen = changes;
    return release(data.mappings);
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
    KnownFontData &data = knownFontData();
    const std::lock_guard<std::mutex> lock(data.lock);
    return rereadAndRelease(data);
}

qint64 releaseKnownFontPages()
{
    KnownFontData &data = knownFontData();
    const std::lock_guard<std::mutex> lock(data.lock);
    if (data.known && data.changesSeen == g_fontFileChanges.load(std::memory_order_acquire) &&
        std::all_of(data.mappings.cbegin(), data.mappings.cend(), stillMaps))
        return release(data.mappings);
    // A face came or went, or a range no longer maps its file (or cannot be checked).
    return rereadAndRelease(data);
}

std::vector<AddressRange> pagesToRelease(AddressRange range, const std::vector<bool> &presentNow,
                                         const std::vector<bool> &presentBefore, std::size_t pageSize)
{
    const std::size_t pages = (range.end - range.start) / pageSize;
    const auto inUse = [&](std::size_t i) {
        return presentNow.size() == pages && presentBefore.size() == pages && presentNow[i] &&
               presentBefore[i];
    };
    std::vector<AddressRange> ranges;
    std::size_t from = 0;
    for (std::size_t i = 0; i <= pages; ++i) {
        if (i < pages && !inUse(i))
            continue;
        if (i > from)
            ranges.push_back({range.start + from * pageSize, range.start + i * pageSize});
        from = i + 1;
    }
    return ranges;
}

void noteFontFileMapped(AddressRange range, const QByteArray &path)
{
    KnownFontData &data = knownFontData();
    const std::lock_guard<std::mutex> lock(data.lock);
    if (!data.known || data.changesSeen != g_fontFileChanges.load(std::memory_order_acquire)) {
        g_fontFileChanges.fetch_add(1, std::memory_order_release); // read them all next time anyway
        return;
    }
    const auto at = std::find_if(data.mappings.begin(), data.mappings.end(),
                                 [&range](const FontData &d) { return d.range.start > range.start; });
    data.mappings.insert(at, FontData{range, path, {}});
}

quint64 fontMappingReadings()
{
    return g_mappingReadings.load(std::memory_order_relaxed);
}

void noteFontFilesChanged()
{
    g_fontFileChanges.fetch_add(1, std::memory_order_release);
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
    releaseKnownFontPages();
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

// FreeType's face constructor and destructor as Qt calls them. A face maps its file when it is
// made, and FreeType's stream says where; it unmaps the file when the face goes, which makes
// releaseKnownFontPages read the mappings again. As with FT_Load_Glyph, the program's definitions
// come first in the dynamic linker's search and pass each call on to FreeType's.
extern "C" FT_Error FT_New_Face(FT_Library library, const char *path, FT_Long index, FT_Face *face)
{
    using New = FT_Error (*)(FT_Library, const char *, FT_Long, FT_Face *);
    static const auto freetypeNew = reinterpret_cast<New>(dlsym(RTLD_NEXT, "FT_New_Face"));
    if (!freetypeNew)
        return FT_Err_Invalid_Argument; // no FreeType to pass the call to
    const FT_Error error = freetypeNew(library, path, index, face);
    // A file FreeType could map is a stream whose bytes begin on a page of the mapping.
    const FT_Stream stream = error == 0 && face && *face ? (*face)->stream : nullptr;
    const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
    if (path && stream && stream->base && stream->size > 0 && quintptr(stream->base) % page == 0) {
        const quintptr start = quintptr(stream->base);
        ui::noteFontFileMapped({start, start + (stream->size + page - 1) / page * page}, QByteArray(path));
    } else {
        ui::noteFontFilesChanged();
    }
    return error;
}

extern "C" FT_Error FT_Done_Face(FT_Face face)
{
    using Done = FT_Error (*)(FT_Face);
    static const auto freetypeDone = reinterpret_cast<Done>(dlsym(RTLD_NEXT, "FT_Done_Face"));
    if (!freetypeDone)
        return FT_Err_Invalid_Argument;
    const FT_Error error = freetypeDone(face);
    ui::noteFontFilesChanged();
    return error;
}
