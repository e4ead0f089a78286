#include "ui/qtinteraction.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QEventLoop>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace ui {
namespace {

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
    QMessageBox box(parent);
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
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
    return Answer::Ok;
}

std::optional<QString> QtInteraction::input(QWidget *parent, const QString &prompt, const QString &title,
                                            const QString &initial)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title.isEmpty() ? kAppTitle : title);
    dialog.setLabelText(oneBreakPerLine(prompt));
    dialog.setTextValue(initial);
    // Worded in Chinese like the message boxes.
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QColor> QtInteraction::color(QWidget *parent, const QColor &initial)
{
    const QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

void QtInteraction::beep()
{
    QApplication::beep();
}

void QtInteraction::showModal(QWidget *window)
{
    if (auto *dialog = qobject_cast<QDialog *>(window)) {
        dialog->exec();
        return;
    }
    // A plain widget: modal over the window that opened it (over everything when it has no
    // owner), and wait until it is hidden or destroyed. The help viewer is not blocked, so help
    // opened from the modal window can be read while it stays open.
    QPointer<QWidget> guard(window);
    window->setWindowModality(window->parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
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
