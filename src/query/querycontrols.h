#pragma once

#include <QLineEdit>
#include <QPushButton>

#include <functional>

// The small widgets of the query window.
namespace query {

// A tall, narrow button whose caption runs down it one character to a line.
class TallButton : public QPushButton
{
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// An input that reports a click and the focus it receives from the user or the program; the
// focus that merely comes back with the window or after a menu is not a move to this input.
class QueryInput : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    std::function<void()> onGotFocus;
    std::function<void()> onClick;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace query
