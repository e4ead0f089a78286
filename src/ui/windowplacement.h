#pragma once

class QWidget;

namespace ui {

// Places a top-level window that is about to be shown in the middle of the screen it opens on,
// wholly on that screen: the screen of near when near is on show (the window the user was
// working in), else the screen under the mouse. The frame is taken to be near's until the window
// manager has framed the window; the window is placed once more then, with its own.
void centreOnScreen(QWidget *window, const QWidget *near);

// Places a window that is about to be shown over the middle of owner, wholly on owner's screen;
// without an owner on show, in the middle of the screen.
void centreOverOwner(QWidget *window, const QWidget *owner);

// Gives a top-level window whose controls stand at fixed places a title bar without a maximise
// button; its size is then fixed with setFixedSize. Maximised, it would only grow an empty field.
void frameWithoutMaximise(QWidget *window);

} // namespace ui
