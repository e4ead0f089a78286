#pragma once

#include "ui/processmemory.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

namespace ui {

// The range of a line of /proc/self/maps when it maps a font file (TrueType, OpenType or a
// collection) or one of fontconfig's cache files read-only; nothing for any other line.
std::optional<AddressRange> fontDataMapping(const QString &mapsLine);

// Gives back the resident pages of every font file and font cache the process has mapped. They
// are read-only copies of files: FreeType reads them again from the system's page cache when a
// glyph not drawn before needs them, and Qt keeps every glyph it has drawn. Returns the bytes
// of address space released (resident or not).
qint64 releaseFontPages();

// The same, cheaply enough to do in the middle of painting: the process's mappings are read
// again only when a face was made or dropped since the last reading (the program sees FreeType's
// FT_New_Face and FT_Done_Face) or a range found then no longer maps its file; otherwise the
// ranges found then are released, each checked first to map the same file still, and the pages
// read both before the last such release and since it stay until the next one.
qint64 releaseKnownFontPages();

// The parts of a mapped range to give back: all of it but the pages present both now and at the
// last release (one flag a page in each; when either is not known, all of it).
std::vector<AddressRange> pagesToRelease(AddressRange range, const std::vector<bool> &presentNow,
                                         const std::vector<bool> &presentBefore, std::size_t pageSize);

// Tells releaseKnownFontPages that a font file was mapped at that range (FreeType's FT_New_Face
// does), so that it need not read all the mappings again to find it.
void noteFontFileMapped(AddressRange range, const QByteArray &path);

// How many times the releases have read the process's mappings so far.
quint64 fontMappingReadings();

// Tells releaseKnownFontPages that font files were mapped or unmapped other than through
// FreeType's faces, so that it reads the mappings again.
void noteFontFilesChanged();

// Releases the font pages a while after the last paint, so that the glyphs a window needed for
// its first paint do not stay resident for the rest of the session. A CJK face is mapped whole;
// every glyph read from it makes the kernel map its neighbourhood (64 KiB) as well.
//
// A long paint (a window full of text drawn for the first time) can bring in megabytes of a face
// before it ends. With a fault budget set, the pages are also given back before a widget paints
// once the painting thread has taken more page faults than the budget since the last release,
// so a first paint holds a few neighbourhoods of the face at a time rather than all it touched.
class FontPageReleaser : public QObject
{
    Q_OBJECT

public:
    // whenQuiet runs after each release (the program gives back its start-up heap there).
    explicit FontPageReleaser(int quietMs, std::function<void()> whenQuiet = {}, QObject *parent = nullptr);

    // Page faults of the painting thread, counted from its first paint, after which the font pages
    // go before the next widget paints; 0 (the default) releases them only when painting is quiet.
    // Paints that took over half the budget also have the pages go at the first idle moment after
    // them, so that the paint answering the learner's next input rarely starts with a release.
    void setPaintFaultBudget(long faults) { m_faultBudget = faults; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Gives the font pages back and counts the painting thread's faults from here.
    void releaseAndRecount();

    QTimer m_quiet;
    QTimer m_idle; // the first idle moment after paints that took over half the budget
    long m_faultBudget = 0;
    long m_faultsAtRelease = -1; // none counted before the first paint
};

} // namespace ui
