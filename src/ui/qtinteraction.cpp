#include "ui/qtinteraction.h"

#include "ui/offscreen.h"
#include "ui/windowplacement.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

namespace ui {
namespace {

// Whether modal is a modal window opened over owner, directly or over one of its own modal windows.
bool isOpenedOver(const QWidget *modal, const QWidget *owner)
{
    for (const QWidget *w = modal->parentWidget(); w; w = w->parentWidget()) {
        if (w->window() == owner)
            return true;
    }
    return false;
}

// The window a box or modal window belongs to, so the window manager keeps it above that window
// (transient for it) and it opens over its middle: the window of parent, or the active window
// when parent is none or not on show; and when that window is blocked by a modal window of its
// own (a box asked for by a working window while its about window is open), that modal window,
// so that the box stands above both.
QWidget *ownerFor(QWidget *parent)
{
    QWidget *owner = parent ? parent->window() : nullptr;
    if (!owner || !owner->isVisible())
        owner = QApplication::activeWindow();
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != owner && modal->isVisible() &&
        (!owner || modal->windowModality() == Qt::ApplicationModal || isOpenedOver(modal, owner)))
        owner = modal;
    return owner && owner->isVisible() ? owner : nullptr;
}

// The frame of a modal window: a dialog with a title and a close button but no minimise or
// maximise button. Minimised, a modal window would take the window it blocks along (the window
// manager minimises a transient window's owner with it) and leave nothing to click; its layout
// is fixed, so maximising only adds empty space. A frameless window stays frameless.
void frameAsModal(QWidget *window)
{
    Qt::WindowFlags flags = (window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog;
    if (!(flags & (Qt::CustomizeWindowHint | Qt::FramelessWindowHint)))
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint;
    flags &= ~(Qt::WindowMinMaxButtonsHint | Qt::WindowFullscreenButtonHint);
    if (flags != window->windowFlags())
        window->setWindowFlags(flags);
}

// Shows a dialog modally over the middle of its owner, wholly on the screen.
int execOver(QDialog &dialog, QWidget *owner)
{
    frameAsModal(&dialog);
    dialog.adjustSize();
    centreOverOwner(&dialog, owner);
    return dialog.exec();
}

// A line break written as LF CR or CR LF is one break; Qt would show the CR as a second one.
QString oneBreakPerLine(QString text)
{
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

Answer QtInteraction::message(QWidget *parent, const Message &m)
{
    QWidget *owner = ownerFor(parent);
    QMessageBox box(owner);
    box.setWindowTitle(m.shownTitle());
    box.setText(oneBreakPerLine(m.text));
    switch (m.icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    // The answers are worded in Chinese, as the questions refer to them ("请点击“是”").
    if (m.buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
        box.button(QMessageBox::No)->setText(QStringLiteral("否"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return execOver(box, owner) == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    execOver(box, owner);
    return Answer::Ok;
}

std::optional<QString> QtInteraction::input(QWidget *parent, const QString &prompt, const QString &title,
                                            const QString &initial)
{
    QWidget *owner = ownerFor(parent);
    QInputDialog dialog(owner);
    dialog.setWindowTitle(title.isEmpty() ? kAppTitle : title);
    dialog.setLabelText(oneBreakPerLine(prompt));
    dialog.setTextValue(initial);
    if (execOver(dialog, owner) != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QColor> QtInteraction::color(QWidget *parent, const QColor &initial)
{
    QWidget *owner = ownerFor(parent);
    QColorDialog dialog(initial, owner);
    if (execOver(dialog, owner) != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return dialog.selectedColor();
}

std::optional<QString> QtInteraction::saveFileName(QWidget *parent, const QString &title,
                                                   const QString &suggested, const QString &filter)
{
    QWidget *owner = ownerFor(parent);
    QFileDialog dialog(owner, title, suggested, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (execOver(dialog, owner) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void QtInteraction::beep()
{
    QApplication::beep();
}

void QtInteraction::prepareModal(QWidget *window)
{
    if (!qobject_cast<QDialog *>(window))
        return; // a plain widget's modality and owner are set when it is shown
    frameAsModal(window);
    readyNativeWindow(window);
}

void QtInteraction::showModal(QWidget *window)
{
    if (auto *dialog = qobject_cast<QDialog *>(window)) {
        frameAsModal(dialog);
        dialog->exec();
        return;
    }
    // A plain widget: modal over the window that opened it (over everything when it has no
    // owner), and wait until it is hidden or destroyed. The help viewer is not blocked, so help
    // opened from the modal window can be read while it stays open.
    QPointer<QWidget> guard(window);
    QWidget *owner = ownerFor(window->parentWidget());
    // A dialog to the window manager, transient for its owner: kept above the window it blocks
    // (a click on that window cannot bury it) and opened over its middle.
    frameAsModal(window);
    window->setWindowModality(window->parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    if (owner && owner != window->parentWidget()) {
        window->winId();
        window->windowHandle()->setTransientParent(owner->windowHandle());
    }
    centreOverOwner(window, owner);
    window->show();
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    class HideWatcher : public QObject
    {
    public:
        HideWatcher(QEventLoop *l, QWidget *w) : m_loop(l), m_window(w) {}
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Close) {
                m_loop->quit();
            } else if (e->type() == QEvent::Hide) {
                // A window that changes its frame is hidden and shown again at once; it is
                // closed only when it is still hidden once the events have been handled.
                QTimer::singleShot(0, m_loop, [loop = m_loop, window = m_window] {
                    if (!window || !window->isVisible())
                        loop->quit();
                });
            }
            return false;
        }

    private:
        QEventLoop *m_loop;
        QPointer<QWidget> m_window;
    } watcher(&loop, window);
    window->installEventFilter(&watcher);
    loop.exec();
    if (guard)
        guard->removeEventFilter(&watcher);
}

} // namespace ui
