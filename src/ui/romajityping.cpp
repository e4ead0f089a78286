#include "ui/romajityping.h"

#include "ui/romaji.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace ui {

RomajiTyping::RomajiTyping(QObject *parent) : QObject(parent) {}

void RomajiTyping::attach(QLineEdit *box)
{
    m_before.insert(box, box->text());
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, [this, box](const QString &text) {
        if (!m_converting)
            m_before.insert(box, text);
    });
    connect(box, &QLineEdit::textEdited, this, [this, box](const QString &text) { box_Edited(box, text); });
    connect(box, &QObject::destroyed, this, [this, box] { m_before.remove(box); });
}

void RomajiTyping::setOn(bool on)
{
    m_on = on;
}

void RomajiTyping::box_Edited(QLineEdit *box, const QString &text)
{
    const QString before = m_before.value(box);
    m_before.insert(box, text);
    if (!m_on)
        return;
    // More than one character at once is a paste (or a drop): it converts whole.
    const RomajiTail tail = text.size() > before.size() + 1 ? RomajiTail::Finish : RomajiTail::Keep;
    const TypedText converted = convertBeforeCursor(text, box->cursorPosition(), tail);
    if (converted.text == text)
        return;
    m_converting = true;
    box->setText(converted.text);
    box->setCursorPosition(int(converted.cursor));
    m_converting = false;
    m_before.insert(box, converted.text);
}

void RomajiTyping::finish(QLineEdit *box)
{
    if (!m_on)
        return;
    const QString text = box->text();
    const QString finished = romajiToKana(text, RomajiTail::Finish);
    if (finished == text)
        return;
    const int fromEnd = int(text.size()) - box->cursorPosition();
    box->setText(finished);
    box->setCursorPosition(std::max(0, int(finished.size()) - fromEnd));
}

bool RomajiTyping::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && m_before.contains(box)) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                finish(box);
        } else if (event->type() == QEvent::FocusOut) {
            // A click on a button judges what the box holds; switching windows is no submit.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                finish(box);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
