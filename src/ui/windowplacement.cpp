#include "ui/windowplacement.h"

#include "ui/offscreen.h"
#include "ui/placement.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <functional>

namespace ui {
namespace {

using Rule = std::function<QPoint(const QSize &frame)>;

// Moves a window's client area to topLeft in screen coordinates. QWidget::move() takes the
// frame's corner and reckons the client's from the frame it believes the window has; that belief
// is taken back out, so the client lands where it is asked to whatever Qt knows of the frame.
void moveClientTo(QWidget *window, QPoint topLeft)
{
    window->move(topLeft - (window->geometry().topLeft() - window->pos()));
}

QPoint cornerOf(const QMargins &m)
{
    return {m.left(), m.top()};
}

// Where the client area of a window of size size goes when its frame has the margins frame.
QPoint clientPlace(const Rule &rule, const QSize &size, const QMargins &frame)
{
    return rule(size.grownBy(frame)) + cornerOf(frame);
}

// Places a window by its rule when it is about to be shown, with the frame the window manager is
// expected to give it, and once more when the window is first exposed, framed and at its final
// size by then (a menu bar may still grow it when it is shown), if that changes the place; then
// it goes.
class Placer : public QObject
{
public:
    Placer(QWidget *window, Rule rule, QMargins expected)
        : QObject(window), m_window(window), m_rule(std::move(rule))
    {
        setObjectName(QStringLiteral("windowPlacer"));
        createNativeWindow(window); // from here on a move places the client area, whatever the frame
        m_placed = clientPlace(m_rule, window->size(), expected);
        moveClientTo(window, m_placed);
        window->windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        QWindow *handle = m_window ? m_window->windowHandle() : nullptr;
        if (watched == handle && event->type() == QEvent::Expose && handle->isExposed()) {
            const QPoint wanted = clientPlace(m_rule, m_window->size(), handle->frameMargins());
            if (wanted != m_placed)
                moveClientTo(m_window, wanted);
            handle->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    Rule m_rule;
    QPoint m_placed;
};

QMargins knownFrame(const QWidget *w)
{
    return w && w->isVisible() && w->windowHandle() ? w->windowHandle()->frameMargins() : QMargins();
}

QScreen *screenNear(const QWidget *near)
{
    if (near && near->isVisible() && near->screen())
        return near->screen();
    if (QScreen *s = QGuiApplication::screenAt(QCursor::pos()))
        return s;
    return QGuiApplication::primaryScreen();
}

void place(QWidget *window, const QWidget *like, Rule rule)
{
    delete window->findChild<Placer *>(QStringLiteral("windowPlacer"), Qt::FindDirectChildrenOnly);
    // A window on show already has its frame; a new one is expected to get one like its neighbour's.
    new Placer(window, std::move(rule), window->isVisible() ? knownFrame(window) : knownFrame(like));
}

} // namespace

void centreOnScreen(QWidget *window, const QWidget *near)
{
    QScreen *screen = screenNear(near);
    if (!window || !screen)
        return;
    const QRect area = screen->availableGeometry();
    place(window, near, [area](const QSize &frame) { return centredIn(frame, area); });
}

void centreOverOwner(QWidget *window, const QWidget *owner)
{
    if (!window)
        return;
    if (!owner || !owner->isVisible()) {
        centreOnScreen(window, nullptr);
        return;
    }
    QScreen *screen = screenNear(owner);
    const QRect area = screen ? screen->availableGeometry() : QRect();
    QPointer<const QWidget> guard(owner);
    place(window, owner, [area, guard](const QSize &frame) {
        return guard ? centredOver(frame, guard->frameGeometry(), area) : centredIn(frame, area);
    });
}

void frameWithoutMaximise(QWidget *window)
{
    window->setWindowFlags((window->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                            Qt::WindowCloseButtonHint) &
                           ~(Qt::WindowMaximizeButtonHint | Qt::WindowFullscreenButtonHint));
}

} // namespace ui
