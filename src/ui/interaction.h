#pragma once

#include "ui/message.h"

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

namespace ui {

// Every modal interaction of the program goes through this seam. The program uses the Qt one;
// tests use a scripted one that records what was asked and answers from a queue, so no test
// ever waits on a modal loop.
class Interaction
{
public:
    virtual ~Interaction() = default;

    // Shows a message box over parent; returns the button the user chose.
    virtual Answer message(QWidget *parent, const Message &message) = 0;
    // Asks for a line of text; nullopt when the user cancels.
    virtual std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                         const QString &initial) = 0;
    // Asks for a colour; nullopt when the user cancels.
    virtual std::optional<QColor> color(QWidget *parent, const QColor &initial) = 0;
    virtual void beep() = 0;
    // Asks where to save a file (a save dialog starting at suggested, offering filter); nullopt
    // when the user cancels. A layer without dialogs cancels.
    virtual std::optional<QString> saveFileName(QWidget *parent, const QString &title,
                                                const QString &suggested, const QString &filter)
    {
        (void)parent, (void)title, (void)suggested, (void)filter;
        return std::nullopt;
    }
    // Shows window modally over its parent and returns when it has been closed. The window is
    // deleted by the caller (or by its own close) afterwards.
    virtual void showModal(QWidget *window) = 0;
    // Readies a dialog, still hidden, to be shown with showModal later: framed as showModal
    // frames it, its native window made. The default does nothing.
    virtual void prepareModal(QWidget *window) { (void)window; }
};

} // namespace ui
