#pragma once

class QWidget;

// Readying a window before it is shown, so that showing it only maps it and copies what it
// drew: none of this changes what the window shows or when it appears.
namespace ui {

// Draws widget and its children once into a scratch picture that is thrown away: their style,
// layout and the glyphs of their text are ready before they are first shown.
void drawOffscreen(QWidget *widget);

// Creates the native window of a top-level widget (winId()) without making the children of the
// window it belongs to native as well.
void createNativeWindow(QWidget *window);

// Creates the native window of a top-level widget, the accessible interfaces of it and its
// children, and the buffer its drawing goes to, with the buffer's pages brought in
// (prefaultSharedPixelBuffers): the first paint of a new window otherwise spends much of its
// time having the system hand it those pages one at a time. The window's flags must be final
// (changing them afterwards makes a new native window).
void readyNativeWindow(QWidget *window);

} // namespace ui
