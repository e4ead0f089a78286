#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace ui {

class FontPageReleaser;

// Makes the pixel buffer of a top-level window at the window's size now, instead of at its first
// paint, and brings the buffer's pages in at once. False when there was nothing to do (no
// buffer, an empty window, or a buffer already at that size).
bool prepareWindowBuffer(QWidget *window);

// Draws the characters of a window's shown labels and buttons (plain text, each character once
// per face, no spaces) into a scratch image a few at a time, calling between() after each few,
// so that the window's first paint finds their glyphs made. Returns how much text it drew, in
// UTF-16 units.
int drawGlyphsAhead(QWidget *window, const std::function<void()> &between);

// Gives each window its pixel buffer as it is shown, and brings the buffer's pages in at once,
// so that the window's first paint writes to memory that is already there. Installed on the
// application.
//
// With font pages to look after, it also makes the glyphs of the window's labels and buttons
// while the display server is still making the buffer, giving the faces' pages back between a
// few glyphs and the next: a CJK glyph read brings in 64 KiB of its face.
class WindowBufferPreparer : public QObject
{
    Q_OBJECT

public:
    explicit WindowBufferPreparer(FontPageReleaser *fontPages = nullptr, QObject *parent = nullptr)
        : QObject(parent), m_fontPages(fontPages)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FontPageReleaser *m_fontPages;
};

} // namespace ui
