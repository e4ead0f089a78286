// The text canvas: the column rule, overflow to the next line, print zones, clearing, empty lines;
// the pitch contour over a kana field and the geometry it is drawn from; the font table that
// resolves the design's faces to installed ones, the language of a text, the font mappings.
#include "ui/fontpages.h"
#include "ui/fonts.h"
#include "ui/textcanvas.h"
#include "ui/windowbuffers.h"

#include <QBackingStore>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

using ui::TextCanvas;
using Field = ui::PlacedText;
using Line = ui::TextRow;

// How many pages of a range are in memory.
static int residentPages(const void *start, std::size_t bytes)
{
    const auto page = std::size_t(sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> in((bytes + page - 1) / page);
    if (mincore(const_cast<void *>(start), bytes, in.data()) != 0)
        return -1;
    return int(std::count_if(in.begin(), in.end(), [](unsigned char c) { return c & 1; }));
}

// Resident kilobytes of this process's mapping of a file, from /proc/self/smaps; -1 when unmapped.
static int residentKbOf(const QString &path)
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    bool inFile = false;
    for (const QByteArray &line : smaps.readAll().split('\n')) {
        if (!line.isEmpty() && std::isxdigit(static_cast<unsigned char>(line.at(0))))
            inFile = line.endsWith(path.toUtf8());
        else if (inFile && line.startsWith("Rss:"))
            return line.mid(4).trimmed().split(' ').value(0).toInt();
    }
    return -1;
}

// Maps a file of at least `size` bytes (made or lengthened with zeros), at `at` when given;
// nothing when it cannot. The mapping outlives the file's handle.
static char *mapFile(const QString &path, std::size_t size, int prot, int flags = MAP_PRIVATE,
                     void *at = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || (file.size() < qint64(size) && !file.resize(qint64(size))))
        return nullptr;
    void *p = mmap(at, size, prot, flags, file.handle(), 0);
    return p == MAP_FAILED ? nullptr : static_cast<char *>(p);
}

// Reads one byte of every page of the first `bytes`, so each page is faulted in.
static void readPages(const char *p, std::size_t bytes)
{
    volatile char sum = 0;
    for (std::size_t i = 0; i < bytes; i += 4096)
        sum = char(sum + p[i]);
}

class TextCanvasTest : public QObject
{
    Q_OBJECT

    static void setUp(TextCanvas &c)
    {
        QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        f.setPointSize(12);
        c.setFont(f);
        c.resize(800, 600);
    }

private Q_SLOTS:
    // Every face the windows name resolves to an installed family given first, so Qt finds it
    // without searching; the serif faces and the start window's display face drop bold.
    void designFacesResolveToInstalledFaces_data()
    {
        QTest::addColumn<QStringList>("faces");
        QTest::addColumn<int>("fallback");
        QTest::addColumn<bool>("japanese");
        QTest::addColumn<bool>("boldAsked");
        QTest::addColumn<QStringList>("families");
        QTest::addColumn<bool>("bold");
        const int sans = int(ui::Fallback::Sans), serif = int(ui::Fallback::Serif);
        const QStringList sansSc{"Noto Sans CJK SC"}, sansJp{"Noto Sans CJK JP"};
        const QStringList serifSc{"Noto Serif CJK SC"}, serifJp{"Noto Serif CJK JP"};
        QTest::newRow("宋体 bold") << QStringList{"宋体", "SimSun"} << sans << false << true << sansSc
                                   << true;
        QTest::newRow("宋体 asked as serif")
            << QStringList{"宋体"} << serif << false << false << sansSc << false;
        QTest::newRow("SimSun, Japanese")
            << QStringList{"SimSun"} << sans << true << false << sansJp << false;
        QTest::newRow("System bold") << QStringList{"System"} << sans << false << true << sansSc << true;
        QTest::newRow("幼圆 bold") << QStringList{"幼圆", "YouYuan"} << sans << false << true << sansSc
                                   << true;
        QTest::newRow("华文彩云 drops bold")
            << QStringList{"华文彩云"} << sans << false << true << sansSc << false;
        QTest::newRow("华文新魏") << QStringList{"华文新魏"} << serif << false << false << sansSc << false;
        QTest::newRow("方正姚体") << QStringList{"方正姚体"} << sans << false << false << sansSc << false;
        QTest::newRow("方正舒体") << QStringList{"方正舒体", "FZShuTi"} << sans << false << false << serifSc
                                  << false;
        QTest::newRow("隶书") << QStringList{"隶书", "LiSu"} << serif << false << false << serifSc << false;
        QTest::newRow("楷体_GB2312 drops bold")
            << QStringList{"楷体_GB2312", "KaiTi"} << serif << false << true << serifSc << false;
        QTest::newRow("华文行楷, Japanese")
            << QStringList{"华文行楷"} << serif << true << false << serifJp << false;
        QTest::newRow("华文中宋") << QStringList{"华文中宋"} << serif << false << false << serifSc << false;
        QTest::newRow("Century Gothic bold")
            << QStringList{"Century Gothic"} << sans << false << true
            << QStringList{"DejaVu Sans Condensed", "Noto Sans CJK SC"} << true;
        QTest::newRow("Century Gothic, Japanese")
            << QStringList{"century gothic"} << sans << true << true
            << QStringList{"DejaVu Sans Condensed", "Noto Sans CJK JP"} << true;
        QTest::newRow("Nimbus Sans, the print display's face")
            << QStringList{"Nimbus Sans"} << sans << false << true
            << QStringList{"Nimbus Sans", "Noto Sans CJK SC"} << true;
        QTest::newRow("an unknown face before a known one")
            << QStringList{"Tahoma", "隶书"} << sans << false << false << serifSc << false;
        QTest::newRow("unknown face, serif")
            << QStringList{"Tahoma"} << serif << false << true << serifSc << false;
        QTest::newRow("no face, sans") << QStringList{} << sans << false << true << sansSc << true;
    }
    void designFacesResolveToInstalledFaces()
    {
        QFETCH(QStringList, faces);
        QFETCH(int, fallback);
        QFETCH(bool, japanese);
        QFETCH(bool, boldAsked);
        QFETCH(QStringList, families);
        QFETCH(bool, bold);
        const QFont f = ui::designFont(faces, 12, boldAsked, ui::Fallback(fallback),
                                       japanese ? ui::TextLanguage::Japanese : ui::TextLanguage::Chinese);
        QCOMPARE(f.families(), families);
        QCOMPARE(f.bold(), bold);
        // The face drawn is the one named first: nothing fell back to a search.
        QVERIFY2(QFontInfo(f).family().startsWith(families.first()), qPrintable(QFontInfo(f).family()));
    }

    // Only read-only mappings of font files and fontconfig caches are given back.
    void fontDataMappings_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("font");
        QTest::addColumn<quint64>("start");
        QTest::addColumn<quint64>("end");
        QTest::newRow("CJK collection") << "7f2a00000000-7f2a0129a000 r--p 00000000 08:01 1311 "
                                           "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
                                        << true << quint64(0x7f2a00000000) << quint64(0x7f2a0129a000);
        QTest::newRow("TrueType, shared, upper case")
            << "1000-3000 r--s 00000000 08:01 7 /home/u/.fonts/Some Face.TTF" << true << quint64(0x1000)
            << quint64(0x3000);
        QTest::newRow("fontconfig cache")
            << "5000-6000 r--p 00000000 08:01 9 "
               "/var/cache/fontconfig/9b89f8e3dae116d678bbf48e5f21f69b-le64.cache-8"
            << true << quint64(0x5000) << quint64(0x6000);
        QTest::newRow("writable mapping of a font")
            << "1000-3000 rw-p 00000000 08:01 7 /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf" << false
            << quint64(0) << quint64(0);
        QTest::newRow("library") << "1000-3000 r-xp 00000000 08:01 7 /usr/lib/x86_64-linux-gnu/libQt6Gui.so.6"
                                 << false << quint64(0) << quint64(0);
        QTest::newRow("a font's name inside a folder name")
            << "1000-3000 r--p 00000000 08:01 7 /tmp/x.ttf/data" << false << quint64(0) << quint64(0);
        QTest::newRow("anonymous") << "1000-3000 rw-p 00000000 00:00 0" << false << quint64(0) << quint64(0);
        QTest::newRow("empty range") << "3000-3000 r--p 00000000 08:01 7 /a.otf" << false << quint64(0)
                                     << quint64(0);
    }
    void fontDataMappings()
    {
        QFETCH(QString, line);
        QFETCH(bool, font);
        QFETCH(quint64, start);
        QFETCH(quint64, end);
        const std::optional<ui::AddressRange> range = ui::fontDataMapping(line);
        QCOMPARE(range.has_value(), font);
        if (font)
            QCOMPARE(*range, (ui::AddressRange{quintptr(start), quintptr(end)}));
    }

    // Lines of /proc/self/maps as the kernel writes them, and lines that are not such lines.
    void mapsLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<quint64>("start");
        QTest::addColumn<quint64>("end");
        QTest::addColumn<QByteArray>("perms");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("library") << QByteArray("7f52c26c8000-7f52c27b2000 r-xp 00025000 fe:00 1311   "
                                               "   /usr/lib/x86_64-linux-gnu/libQt6Gui.so.6.4.2")
                                 << true << quint64(0x7f52c26c8000) << quint64(0x7f52c27b2000)
                                 << QByteArray("r-xp")
                                 << QByteArray("/usr/lib/x86_64-linux-gnu/libQt6Gui.so.6.4.2");
        QTest::newRow("anonymous") << QByteArray("1000-3000 rw-p 00000000 00:00 0 ") << true
                                   << quint64(0x1000) << quint64(0x3000) << QByteArray("rw-p")
                                   << QByteArray();
        QTest::newRow("a path with blanks")
            << QByteArray("1000-2000 r--s 00000000 08:01 7 /home/u/My Fonts/a b.ttf\n") << true
            << quint64(0x1000) << quint64(0x2000) << QByteArray("r--s")
            << QByteArray("/home/u/My Fonts/a b.ttf");
        QTest::newRow("window buffer") << QByteArray("7f6f950c5000-7f6f951fe000 rw-s 00000000 00:01 2503 "
                                                     "                      /memfd:xorg (deleted)")
                                       << true << quint64(0x7f6f950c5000) << quint64(0x7f6f951fe000)
                                       << QByteArray("rw-s") << QByteArray("/memfd:xorg (deleted)");
        QTest::newRow("heap") << QByteArray("5611d6062000-5611d62e3000 rw-p 00000000 00:00 0 [heap]") << true
                              << quint64(0x5611d6062000) << quint64(0x5611d62e3000) << QByteArray("rw-p")
                              << QByteArray("[heap]");
        QTest::newRow("empty") << QByteArray() << false << quint64(0) << quint64(0) << QByteArray()
                               << QByteArray();
        QTest::newRow("no range") << QByteArray("1000 rw-p 00000000 00:00 0") << false << quint64(0)
                                  << quint64(0) << QByteArray() << QByteArray();
        QTest::newRow("not hexadecimal") << QByteArray("10g0-3000 rw-p 00000000 00:00 0") << false
                                         << quint64(0) << quint64(0) << QByteArray() << QByteArray();
        QTest::newRow("upside down") << QByteArray("3000-1000 rw-p 00000000 00:00 0") << false << quint64(0)
                                     << quint64(0) << QByteArray() << QByteArray();
        QTest::newRow("too long a number")
            << QByteArray("10000000000000000-10000000000000001 rw-p 0 00:00 0") << false << quint64(0)
            << quint64(0) << QByteArray() << QByteArray();
        QTest::newRow("cut short") << QByteArray("1000-3000 rw-p 00000000") << false << quint64(0)
                                   << quint64(0) << QByteArray() << QByteArray();
    }
    void mapsLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, valid);
        const std::optional<ui::Mapping> m = ui::parseMapping(line);
        QCOMPARE(m.has_value(), valid);
        if (!valid)
            return;
        QFETCH(quint64, start);
        QFETCH(quint64, end);
        QFETCH(QByteArray, perms);
        QFETCH(QByteArray, path);
        QCOMPARE(m->range, (ui::AddressRange{quintptr(start), quintptr(end)}));
        QCOMPARE(m->perms.toByteArray(), perms);
        QCOMPARE(m->path.toByteArray(), path);
    }

    void sharedPixelBuffers_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("buffer");
        QTest::newRow("memfd from the X server")
            << QByteArray("1000-2000 rw-s 0 00:01 2503 /memfd:xorg (deleted)") << true;
        QTest::newRow("System V segment")
            << QByteArray("1000-2000 rw-s 0 00:01 32768 /SYSV00000000 (deleted)") << true;
        QTest::newRow("read-only memfd")
            << QByteArray("1000-2000 r--s 0 00:01 2503 /memfd:xorg (deleted)") << false;
        QTest::newRow("private memfd")
            << QByteArray("1000-2000 rw-p 0 00:01 2503 /memfd:wayland (deleted)") << false;
        QTest::newRow("shared file") << QByteArray("1000-2000 rw-s 0 08:01 9 /home/u/data.bin") << false;
        QTest::newRow("anonymous shared") << QByteArray("1000-2000 rw-s 0 00:00 0") << false;
    }
    void sharedPixelBuffers()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, buffer);
        const std::optional<ui::Mapping> m = ui::parseMapping(line);
        QVERIFY(m);
        QCOMPARE(ui::isSharedPixelBuffer(*m), buffer);
    }

    // Pages are brought in whole: every page of a shared buffer, every page of the heap reserve.
    void sharedBuffersAreBroughtIn()
    {
        const auto page = std::size_t(sysconf(_SC_PAGESIZE));
        const int fd = memfd_create("xorg", MFD_CLOEXEC);
        QVERIFY(fd >= 0);
        const std::size_t bytes = 64 * page;
        QCOMPARE(ftruncate(fd, off_t(bytes)), 0);
        void *buffer = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        QVERIFY(buffer != MAP_FAILED);
        QCOMPARE(residentPages(buffer, bytes), 0);
        QVERIFY(ui::prefaultSharedPixelBuffers() >= qint64(bytes));
        QCOMPARE(residentPages(buffer, bytes), 64);
        munmap(buffer, bytes);
        close(fd);
    }
    void theStartHeapIsBroughtIn()
    {
        const auto page = std::size_t(sysconf(_SC_PAGESIZE));
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the sanitizer's allocator keeps no heap at the program break");
#endif
        const std::size_t reserved = ui::reserveStartHeap(std::size_t(1) << 20);
        QVERIFY(reserved >= std::size_t(1) << 20);
        const auto *top = static_cast<const char *>(sbrk(0));
        const std::size_t whole = (std::size_t(1) << 20) / page * page;
        QCOMPARE(residentPages(top - whole, whole), int(whole / page));
        ui::releaseStartHeap();
    }

    // A window has its pixel buffer at its size once it is exposed, before anything paints into
    // it, and not yet while it is being shown: making the buffer has the X server make a pixmap,
    // which the replies a showing waits for would wait for as well.
    void anExposedWindowHasItsBuffer()
    {
        QWidget window;
        window.resize(320, 200);
        std::optional<QSize> atShow, atExposure;
        const auto sizeNow = [&window] {
            return window.backingStore() ? window.backingStore()->size() : QSize();
        };
        struct Watch : QObject {
            std::function<void(QObject *, QEvent *)> seen;
            bool eventFilter(QObject *o, QEvent *e) override
            {
                seen(o, e);
                return false;
            }
        } watch;
        watch.seen = [&](QObject *o, QEvent *e) {
            if (o == &window && e->type() == QEvent::Show && !atShow)
                atShow = sizeNow();
            if (o == window.windowHandle() && e->type() == QEvent::Expose &&
                window.windowHandle()->isExposed() && !atExposure)
                atExposure = sizeNow();
        };
        // Application filters run newest first: the preparer sees each event before the watch.
        qApp->installEventFilter(&watch);
        ui::WindowBufferPreparer preparer;
        qApp->installEventFilter(&preparer);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        qApp->removeEventFilter(&preparer);
        qApp->removeEventFilter(&watch);
        QVERIFY(atShow && atExposure);
        QVERIFY(atShow->isEmpty());
        QCOMPARE(*atExposure, QSize(320, 200));
    }

    void sessionBusIsLookedForOnlyWhereOneCanBe_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("runtimeDir");
        QTest::addColumn<bool>("runtimeBus");
        QTest::addColumn<bool>("launcher");
        QTest::addColumn<bool>("unreachable");
        QTest::newRow("a bus named") << "unix:path=/run/user/1000/bus" << QString() << false << false
                                     << false;
        QTest::newRow("the per-user bus") << QString() << "/run/user/1000" << true << false << false;
        QTest::newRow("dbus-launch can start one") << QString() << QString() << false << true << false;
        QTest::newRow("nothing at all") << QString() << QString() << false << false << true;
        QTest::newRow("a runtime folder without a bus")
            << QString() << "/run/user/1000" << false << false << true;
        QTest::newRow("a blank address") << "  " << QString() << false << false << true;
    }
    void sessionBusIsLookedForOnlyWhereOneCanBe()
    {
        QFETCH(QString, address);
        QFETCH(QString, runtimeDir);
        QFETCH(bool, runtimeBus);
        QFETCH(bool, launcher);
        QFETCH(bool, unreachable);
        QCOMPARE(ui::sessionBusUnreachable(address, runtimeDir, runtimeBus, launcher), unreachable);
    }

    // A mapped font file's pages leave the process's resident set and read back unchanged.
    void fontPagesAreGivenBackAndReadAgain()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("face.ttf")));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes(256 * 1024, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7);
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
        QVERIFY(file.flush());
        const QString path = QFileInfo(file.fileName()).canonicalFilePath();
        const char *data = mapFile(path, std::size_t(bytes.size()), PROT_READ);
        QVERIFY(data);
        auto residentKb = [&path] { return residentKbOf(path); };
        readPages(data, std::size_t(bytes.size()));
        QVERIFY(residentKb() >= 256);
        QVERIFY(ui::releaseFontPages() >= bytes.size());
        QCOMPARE(residentKb(), 0);
        QVERIFY(memcmp(data, bytes.constData(), size_t(bytes.size())) == 0);
        munmap(const_cast<char *>(data), size_t(bytes.size()));
    }

    // The pages of a range that go: all but those present both now and at the last release.
    void pagesToRelease_data()
    {
        QTest::addColumn<QString>("now"); // one character a page: 1 present
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("released"); // page ranges, "from-to" with `to` not included
        const auto row = [](const char *tag, const char *now, const char *before, const char *released) {
            QTest::newRow(tag) << QString::fromLatin1(now) << QString::fromLatin1(before)
                               << QString::fromLatin1(released);
        };
        row("nothing known before", "11111111", "", "0-8");
        row("nothing present now", "00000000", "11111111", "0-8");
        row("all of it in use", "11111111", "11111111", "");
        row("a run in use in the middle", "11111111", "00111100", "0-2 6-8");
        row("in use at both ends", "10000001", "11111111", "1-7");
        row("present before, gone since", "00001111", "11110000", "0-8");
        row("runs in use apart", "11011011", "11011011", "2-3 5-6");
        row("flags for another size", "1111", "11111111", "0-8");
    }
    void pagesToRelease()
    {
        QFETCH(QString, now);
        QFETCH(QString, before);
        QFETCH(QString, released);
        const std::size_t page = 4096;
        const ui::AddressRange range{0x7f0000000000, 0x7f0000000000 + 8 * page};
        const auto flags = [](const QString &s) {
            std::vector<bool> v;
            for (QChar c : s)
                v.push_back(c == QLatin1Char('1'));
            return v;
        };
        QStringList got;
        for (const ui::AddressRange &r : ui::pagesToRelease(range, flags(now), flags(before), page))
            got << QStringLiteral("%1-%2")
                       .arg((r.start - range.start) / page)
                       .arg((r.end - range.start) / page);
        QCOMPARE(got.join(QLatin1Char(' ')), released);
    }

    // The cheap release works from the ranges it found before: it gives back a face that is still
    // there, but for the pages read both before the last release and since, and leaves alone
    // whatever took a range's place behind FreeType's back.
    void rememberedFontRangesAreCheckedFirst_data()
    {
        QTest::addColumn<QString>("inItsPlace");
        QTest::newRow("the face itself") << QString();
        QTest::newRow("anonymous memory, written") << QStringLiteral("anonymous");
        QTest::newRow("another file, mapped writable and written") << QStringLiteral("records.dat");
        QTest::newRow("another face") << QStringLiteral("other.otf");
    }
    void rememberedFontRangesAreCheckedFirst()
    {
        QFETCH(QString, inItsPlace);
        QTemporaryDir dir;
        const std::size_t size = 256 * 1024;
        char *face = mapFile(dir.filePath(QStringLiteral("face.otf")), size, PROT_READ);
        QVERIFY(face);
        const QString facePath = QFileInfo(dir.filePath(QStringLiteral("face.otf"))).canonicalFilePath();
        readPages(face, size / 2);
        const int readBefore = residentKbOf(facePath); // the half, and what the kernel read around it
        QVERIFY(readBefore >= int(size / 2 / 1024) && readBefore < int(size / 1024));
        ui::noteFontFilesChanged();                           // as FreeType's FT_New_Face tells it
        QVERIFY(ui::releaseKnownFontPages() >= qint64(size)); // reads the mappings, remembers the face
        QCOMPARE(residentKbOf(facePath), 0);
        readPages(face, size);
        QVERIFY(residentKbOf(facePath) > 0);

        char *now = face;
        if (inItsPlace == QLatin1String("anonymous")) {
            now = static_cast<char *>(
                mmap(face, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0));
            QCOMPARE(now, face);
        } else if (!inItsPlace.isEmpty()) {
            const bool otherFace = inItsPlace.endsWith(QLatin1String(".otf"));
            now = mapFile(dir.filePath(inItsPlace), size, otherFace ? PROT_READ : PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_FIXED, face);
            QCOMPARE(now, face);
        }
        const bool writable =
            inItsPlace == QLatin1String("anonymous") || inItsPlace.endsWith(QLatin1String(".dat"));
        if (writable)
            std::memset(now, 0x5a, size);
        else if (now != face)
            readPages(now, size);

        ui::releaseKnownFontPages(); // no face came or went as far as it knows
        if (writable) {
            QVERIFY(std::all_of(now, now + size, [](char c) { return c == 0x5a; }));
        } else if (inItsPlace.isEmpty()) {
            // What was read before the last release and since stays; what was read only since goes.
            QCOMPARE(residentKbOf(facePath), readBefore);
            // Kept once: with nothing read since, the next release gives it back.
            ui::releaseKnownFontPages();
            QCOMPARE(residentKbOf(facePath), 0);
        } else {
            QCOMPARE(residentKbOf(QFileInfo(dir.filePath(inItsPlace)).canonicalFilePath()), 0);
        }
        munmap(now, size);
    }

    // A face Qt has FreeType make joins the known ranges from FreeType's own stream: the release
    // after it gives its pages back without reading the process's mappings again.
    void aFaceQtMakesIsReleasedWithoutReadingTheMappings()
    {
        ui::releaseKnownFontPages(); // the mappings known as they are now
        const quint64 readings = ui::fontMappingReadings();
        QFont face(QStringLiteral("DejaVu Serif Condensed"), 31);
        face.setItalic(true); // a face no other case draws with
        QImage page(400, 100, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter painter(&page);
            painter.setFont(face);
            painter.drawText(page.rect(), QStringLiteral("Wavy glyphs"));
        }
        const QString file = QStringLiteral("/DejaVuSerifCondensed-Italic.ttf");
        QVERIFY(residentKbOf(file) > 0);
        ui::releaseKnownFontPages();
        QCOMPARE(residentKbOf(file), 0);
        QCOMPARE(ui::fontMappingReadings(), readings);
    }

    // Font pages go before a widget paints once the painting thread has taken more page faults
    // than the budget since the last release, or at the idle moment after a paint that took over
    // half of it; the first paint only starts the count.
    void fontPagesGoDuringALongPaint_data()
    {
        QTest::addColumn<long>("budget");
        QTest::addColumn<int>("pagesTouched"); // fresh anonymous pages, a fault each
        QTest::addColumn<bool>("released");
        QTest::newRow("no budget") << 0L << 400 << false;
        QTest::newRow("under the budget") << 100000L << 400 << false;
        QTest::newRow("over the budget") << 64L << 400 << true;
        QTest::newRow("over half of it, when idle") << 600L << 400 << true;
    }

    void fontPagesGoDuringALongPaint()
    {
        QFETCH(long, budget);
        QFETCH(int, pagesTouched);
        QFETCH(bool, released);
        QTemporaryDir dir;
        const std::size_t size = 256 * 1024;
        const char *face = mapFile(dir.filePath(QStringLiteral("face.otf")), size, PROT_READ);
        QVERIFY(face);
        ui::noteFontFilesChanged(); // as FreeType's FT_New_Face tells it
        const auto page = std::size_t(sysconf(_SC_PAGESIZE));
        auto *scratch = static_cast<char *>(mmap(nullptr, page * std::size_t(pagesTouched),
                                                 PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        QVERIFY(scratch != MAP_FAILED);

        ui::FontPageReleaser releaser(60000);
        releaser.setPaintFaultBudget(budget);
        QWidget widget;
        widget.installEventFilter(&releaser);
        const auto paint = [&widget] {
            QPaintEvent event(QRect(0, 0, 1, 1));
            QCoreApplication::sendEvent(&widget, &event);
        };
        paint(); // the count starts here
        readPages(face, size);
        const QString path = QFileInfo(dir.filePath(QStringLiteral("face.otf"))).canonicalFilePath();
        QVERIFY(residentKbOf(path) > 0);
        for (int i = 0; i < pagesTouched; ++i)
            scratch[std::size_t(i) * page] = 1;
        paint();
        QCoreApplication::processEvents(); // the idle moment after the paint
        QCOMPARE(residentKbOf(path) == 0, released);
        munmap(scratch, page * std::size_t(pagesTouched));
        munmap(const_cast<char *>(face), size);
    }

    void theLanguageOfATextAndItsFace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("japanese");
        QTest::newRow("hiragana") << QStringLiteral("わたし") << true;
        QTest::newRow("katakana with the long mark") << QStringLiteral("コーヒー") << true;
        QTest::newRow("kanji with kana") << QStringLiteral("会社員(かいしゃいん)") << true;
        QTest::newRow("small katakana extension") << QString(QChar(0x31F0)) << true;
        QTest::newRow("kanji alone reads as Chinese") << QStringLiteral("学生") << false;
        QTest::newRow("Chinese meaning") << QStringLiteral("公司职员") << false;
        QTest::newRow("accent digit") << QStringLiteral("0") << false;
        QTest::newRow("Chinese punctuation") << QStringLiteral("是的，。") << false;
        QTest::newRow("empty") << QString() << false;
    }
    void theLanguageOfATextAndItsFace()
    {
        QFETCH(QString, text);
        QFETCH(bool, japanese);
        const ui::TextLanguage language = ui::languageOf(text);
        QCOMPARE(language == ui::TextLanguage::Japanese, japanese);
        // The Latin face stays first; only the CJK faces behind it change with the language.
        const QFont latin = ui::designFont({QStringLiteral("Century Gothic")}, 12, true);
        const QFont serif = ui::designFont({QStringLiteral("隶书")}, 12);
        const QString cjk = japanese ? QStringLiteral("JP") : QStringLiteral("SC");
        QCOMPARE(ui::inLanguage(latin, language).families(),
                 (QStringList{"DejaVu Sans Condensed", "Noto Sans CJK " + cjk}));
        QCOMPARE(ui::inLanguage(ui::inLanguage(serif, ui::TextLanguage::Japanese), language).families(),
                 QStringList{"Noto Serif CJK " + cjk});
        QCOMPARE(ui::inLanguage(latin, language).bold(), true);
    }

    void fieldsGoToTheirColumns()
    {
        TextCanvas c;
        setUp(c);
        c.writeAt(2, QStringLiteral("私"));
        c.writeAt(26, QStringLiteral("わたし"));
        c.writeAt(47, QStringLiteral("0"));
        c.newLine();
        QCOMPARE(c.lines(), (QList<Line>{Line{Field{2, "私"}, Field{26, "わたし"}, Field{47, "0"}}}));
        const qreal avg = QFontMetricsF(c.font()).averageCharWidth();
        QCOMPARE(c.columnX(1), 0.0);
        QCOMPARE(c.columnX(26), 25 * avg);
    }

    void aFieldPastItsColumnMovesToTheNextLine()
    {
        TextCanvas c;
        setUp(c);
        // Thirty wide characters reach well past column 26.
        c.writeAt(2, QString(30, QChar(0x65E5)));
        c.writeAt(26, QStringLiteral("reading"));
        c.writeAt(47, QStringLiteral("3"));
        c.newLine();
        const QList<Line> lines = c.lines();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], (Line{Field{2, QString(30, QChar(0x65E5))}}));
        QCOMPARE(lines[1], (Line{Field{26, "reading"}, Field{47, "3"}}));
    }

    void aRowInColumnsNarrowsAFieldWiderThanItsRoom()
    {
        TextCanvas c;
        setUp(c);
        const QString wide(30, QChar(0x65E5));
        ui::writeRowInColumns(c, Line{Field{2, wide}, Field{26, "reading"}, Field{47, QString(40, u'x')}});
        QCOMPARE(c.lines(),
                 (QList<Line>{Line{Field{2, wide}, Field{26, "reading"}, Field{47, QString(40, u'x')}}}));
        // Only the field wider than the room up to the next column is drawn smaller, and it ends
        // before that column; the last field keeps the canvas font whatever its width.
        const QFont fitted = c.fittedFont(wide, c.columnX(26) - c.columnX(2));
        QVERIFY(fitted.pointSizeF() < c.font().pointSizeF());
        QVERIFY(QFontMetricsF(fitted).horizontalAdvance(wide) <= c.columnX(26) - c.columnX(2) + 0.5);
        QCOMPARE(c.fittedFont(QStringLiteral("reading"), c.columnX(47) - c.columnX(26)), c.font());
    }

    void textEndingExactlyOnTheColumnStaysOnTheLine()
    {
        TextCanvas c;
        setUp(c);
        c.writeAt(1, QStringLiteral("abcde")); // monospace: ends exactly where column 6 starts
        c.writeAt(6, QStringLiteral("f"));
        QCOMPARE(c.lines(), (QList<Line>{Line{Field{1, "abcde"}, Field{6, "f"}}}));
    }

    void writesWithoutPlacementContinueTheField()
    {
        TextCanvas c;
        setUp(c);
        c.write(QStringLiteral("普通  "));
        c.write(QStringLiteral("しやう"));
        c.writeAt(32, QStringLiteral("シヤウ"));
        c.newLine();
        QCOMPARE(c.lines(), (QList<Line>{Line{Field{1, "普通  しやう"}, Field{32, "シヤウ"}}}));
    }

    void printZonesAreFourteenColumnsWide()
    {
        TextCanvas c;
        setUp(c);
        c.write(QStringLiteral("促音  ッ"));
        c.nextZone();
        c.write(QStringLiteral("ポット"));
        c.newLine();
        c.nextZone();
        c.write(QStringLiteral("x"));
        c.newLine();
        const QList<Line> lines = c.lines();
        QCOMPARE(lines[0].at(1), (Field{15, "ポット"}));
        QCOMPARE(lines[1].at(0), (Field{15, "x"}));
    }

    void emptyLinesAndClear()
    {
        TextCanvas c;
        setUp(c);
        c.writeLine();
        c.writeLine();
        c.writeAt(35, QStringLiteral("操作简介"));
        c.newLine();
        c.writeLine();
        c.writeLine(QStringLiteral("end"));
        QCOMPARE(c.lineCount(), 5);
        const QList<Line> lines = c.lines();
        QVERIFY(lines[0].isEmpty() && lines[1].isEmpty() && lines[3].isEmpty());
        QCOMPARE(lines[2], (Line{Field{35, "操作简介"}}));
        QCOMPARE(c.textLines().at(4), QStringLiteral("end"));
        QCOMPARE(c.textLines().at(2), QString(34, u' ') + QStringLiteral("操作简介"));

        c.clear();
        QCOMPARE(c.lineCount(), 0);
        QVERIFY(c.lines().isEmpty());
        c.writeAt(5, QStringLiteral("again"));
        QCOMPARE(c.lines(), (QList<Line>{Line{Field{5, "again"}}}));
    }

    // The contour's geometry for a few words: which morae carry the line, where the fall stands
    // (on the edge after the accent mora), the particle's level, and its scale with the font.
    void pitchContourGeometry_data()
    {
        QTest::addColumn<QString>("kana");
        QTest::addColumn<QString>("accent");
        QTest::addColumn<QList<bool>>("high");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("particleHigh");
        QTest::newRow("flat") << "わたし"
                              << "0" << QList<bool>{false, true, true} << 1 << true;
        QTest::newRow("head") << "ジュース"
                              << "1" << QList<bool>{true, false, false} << 1 << false;
        QTest::newRow("middle") << "かいしゃいん"
                                << "3" << QList<bool>{false, true, true, false, false} << 1 << false;
        QTest::newRow("tail") << "いもうと"
                              << "4" << QList<bool>{false, true, true, true} << 1 << false;
    }

    void pitchContourGeometry()
    {
        QFETCH(QString, kana);
        QFETCH(QString, accent);
        QFETCH(QList<bool>, high);
        QFETCH(int, lines);
        QFETCH(bool, particleHigh);
        QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        font.setPixelSize(20);
        const auto pattern = ciku::pitchPattern(kana, accent);
        QVERIFY(pattern);
        const QPointF origin(10, 40);
        const ui::PitchContour c = ui::pitchContour(kana, *pattern, font, origin);
        QCOMPARE(c.moraHigh, high);
        QCOMPARE(c.highLines.size(), lines);
        QCOMPARE(c.particleHigh, particleHigh);
        QCOMPARE(c.particleCentre.y(), particleHigh ? c.highY : c.lowY);
        QVERIFY(c.lowY > c.highY);
        // The high line lies above the kana's ink and spans exactly the high morae.
        const QFontMetricsF fm(font);
        QVERIFY(c.highY < origin.y() + fm.tightBoundingRect(kana).top());
        const int first = static_cast<int>(high.indexOf(true));
        const int last = static_cast<int>(high.lastIndexOf(true));
        const QLineF line = c.highLines.first();
        QVERIFY(line.x1() >= c.morae[first].left() && line.x1() < c.morae[first].center().x());
        QVERIFY(line.x2() <= c.morae[last].right() && line.x2() > c.morae[last].center().x());
        // The fall stands at the right edge of the accent mora, whose edge is the advance of the
        // morae up to it; the flat word has none.
        if (pattern->fallAfter == 0) {
            QVERIFY(!c.fall);
        } else {
            QVERIFY(c.fall);
            const QStringList morae = ciku::splitMorae(kana);
            const qreal edge =
                origin.x() + fm.horizontalAdvance(morae.mid(0, pattern->fallAfter).join(QString()));
            QVERIFY(qAbs(c.fall->x1() - edge) <= font.pixelSize() * 0.1);
            QCOMPARE(c.fall->y1(), c.highY);
            QCOMPARE(c.fall->y2(), c.lowY);
        }
        // The particle follows the word.
        QVERIFY(c.particleCentre.x() - c.particleRadius > c.morae.last().right());

        // Twice the font, twice the contour (within a pixel of rounding in the metrics).
        font.setPixelSize(40);
        const ui::PitchContour big = ui::pitchContour(kana, *pattern, font, origin);
        QVERIFY(qAbs((big.lowY - big.highY) - 2 * (c.lowY - c.highY)) <= 1.5);
        QVERIFY(big.particleRadius > c.particleRadius * 1.7);

        // Room too small above: the contour moves down into it; too narrow: the particle comes in.
        font.setPixelSize(20);
        const QRectF room(0, c.highY + 3, c.morae.last().right() + 2, 80);
        const ui::PitchContour kept = ui::pitchContour(kana, *pattern, font, origin, room);
        QVERIFY(kept.highY > c.highY);
        QVERIFY(kept.bounds().top() >= room.top() - 1e-6);
        QVERIFY(kept.bounds().right() <= room.right() + 1e-6);
        QCOMPARE(kept.moraHigh, high);
    }

    // The canvas draws a contour only over the field it was given, and only while shown.
    void canvasContourFollowsItsField()
    {
        TextCanvas c;
        setUp(c);
        c.newLine();
        ui::writeRow(c, Line{Field{1, "日语"}, Field{15, "わたし"}});
        c.markPitch(15, u"わたし", u"0");
        ui::writeRow(c, Line{Field{1, "音调"}, Field{15, "0"}});
        c.markPitch(15, u"わたし", u"0"); // the latest field at 15 is "0": nothing marked
        ui::writeRow(c, Line{Field{1, "日语"}, Field{15, "だいがく"}});
        c.markPitch(15, u"だいがく", u"5"); // no pattern
        QVERIFY(c.pitchContours().isEmpty());
        const QList<Line> written = c.lines();
        c.setPitchContoursShown(true);
        const QList<ui::PitchContour> shown = c.pitchContours();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().moraHigh, (QList<bool>{false, true, true}));
        QCOMPARE(shown.first().morae.first().left(), c.columnX(15));
        // Drawn over the second line, below the first.
        QVERIFY(shown.first().highY > c.lineHeight() * 0.5);
        QVERIFY(shown.first().highY < c.lineHeight() * 2);
        QCOMPARE(c.lines(), written);
        c.setPitchContoursShown(false);
        QVERIFY(c.pitchContours().isEmpty());

        // On the top line the contour still stands wholly inside the canvas, above the kana.
        TextCanvas top;
        setUp(top);
        ui::writeRow(top, Line{Field{2, "がくせい"}, Field{20, "学生"}});
        top.markPitch(2, u"がくせい", u"0");
        top.setPitchContoursShown(true);
        const ui::PitchContour first = top.pitchContours().value(0);
        QCOMPARE(first.moraHigh, (QList<bool>{false, true, true, true}));
        QVERIFY(first.bounds().top() >= 0);
    }

    void linesBelowTheBottomAreKeptNotScrolled()
    {
        TextCanvas c;
        setUp(c);
        c.resize(300, c.lineHeight() * 3);
        for (int i = 0; i < 10; ++i)
            c.writeLine(QString::number(i));
        QCOMPARE(c.lineCount(), 10);
        QCOMPARE(c.textLines().first(), QStringLiteral("0"));
    }

    // A rehearsal writes on a canvas of its own in the font and colours of the one it stands for
    // (or the font given), lays the text out as that one will, and leaves that one as it was.
    void aRehearsalLaysOutAsTheRealCanvasAndLeavesItAlone_data()
    {
        QTest::addColumn<bool>("ownFont");
        QTest::newRow("its font") << false;
        QTest::newRow("a font given") << true;
    }
    void aRehearsalLaysOutAsTheRealCanvasAndLeavesItAlone()
    {
        QFETCH(bool, ownFont);
        TextCanvas like, real;
        setUp(like);
        setUp(real);
        like.setTextColor(Qt::darkBlue);
        like.writeLine(QStringLiteral("已经写的"));
        const QList<Line> before = like.lines();
        QFont given = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
        given.setPointSize(20);
        const auto writes = [](TextCanvas &c) {
            for (int i = 0; i < 3; ++i)
                ui::writeRowInColumns(
                    c, {Field{1, QStringLiteral("がっこう")}, Field{12, QStringLiteral("学校 school")}});
        };
        QList<Line> rehearsed;
        ui::rehearseWriting(
            like,
            [&](TextCanvas &scratch) {
                QVERIFY(&scratch != &like && scratch.size() == like.size());
                QCOMPARE(scratch.font(), ownFont ? given : like.font());
                QCOMPARE(scratch.textColor(), like.textColor());
                writes(scratch);
                rehearsed = scratch.lines();
            },
            ownFont ? std::optional<QFont>(given) : std::nullopt);
        QCOMPARE(like.lines(), before);
        if (ownFont)
            real.setFont(given);
        writes(real);
        QCOMPARE(real.lines(), rehearsed);
    }
};

QTEST_MAIN(TextCanvasTest)
#include "tst_textcanvas.moc"
