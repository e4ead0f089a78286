#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QLineEdit;

namespace ui {

// Rōmaji typing for the kana boxes, in the manner of an input method's direct mode: while it is
// on, each key typed into a box turns the finished syllables before the cursor into kana and
// leaves an unfinished tail Latin; a text pasted or dropped in converts whole; Enter, and the box
// losing the focus to another control, first finish the tail (a final n becomes ん), so what is
// judged or looked up is the kana in the box. Off, the boxes behave as plain text boxes.
class RomajiTyping : public QObject
{
    Q_OBJECT

public:
    explicit RomajiTyping(QObject *parent = nullptr);

    void attach(QLineEdit *box);
    void setOn(bool on);
    bool isOn() const { return m_on; }
    // Turns a waiting tail of box into kana (a lone n into ん); nothing when off.
    void finish(QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void box_Edited(QLineEdit *box, const QString &text);

    bool m_on = false;
    bool m_converting = false;
    // Each box's text before the latest edit, to tell a typed key from a paste.
    QHash<QLineEdit *, QString> m_before;
};

} // namespace ui
