#pragma once

class QWidget;

// The designed windows give places and sizes in twips, 15 to a pixel.
namespace ui {

// A length in twips as pixels.
int twips(int length);
// Places a widget at left, top with width and height, all in twips.
void place(QWidget *widget, int left, int top, int width, int height);

} // namespace ui
