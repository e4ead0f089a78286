#pragma once

// Helpers for driving the practice window as a user would and reading what it shows.

#include "lexicon/lexicon.h"
#include "practice/practicewindow.h"
#include "testapp.h"
#include "ui/colors.h"

#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>

namespace practicetest {

// Confirms the range dialog with Enter, after selecting option (when given) with a click.
inline std::function<void(QWidget *)> confirmRange(const char *option = nullptr)
{
    return [option](QWidget *dialog) {
        if (option)
            QTest::mouseClick(findIn<QRadioButton>(dialog, option), Qt::LeftButton);
        QTest::keyClick(dialog, Qt::Key_Return);
    };
}

inline practice::PracticeWindow *openPractice(TestApp &app,
                                              std::function<void(QWidget *)> dialogScript = confirmRange())
{
    if (dialogScript)
        app.ui().modalScripts.push_back(std::move(dialogScript));
    app.shell().switchTo(shell::Screen::Practice);
    TestApp::settle();
    return qobject_cast<practice::PracticeWindow *>(app.shell().workWindow(shell::Screen::Practice));
}

inline QString text(QWidget *window, const char *name)
{
    return findIn<QLabel>(window, name)->text();
}

inline void click(QWidget *window, const char *name)
{
    auto *button = findIn<QAbstractButton>(window, name);
    QVERIFY2(button && button->isVisible() && button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Types an answer into the input box and presses Enter there. Kana come from the input method,
// as they do for the user, as one committed text; plain letters are typed key by key.
inline void answer(QWidget *window, const QString &typed)
{
    auto *input = findIn<QLineEdit>(window, "txtinput");
    input->clear();
    for (const QChar c : typed) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(input, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(input, &commit);
        }
    }
    QCOMPARE(input->text(), typed);
    QTest::keyClick(input, Qt::Key_Return);
}

// Enter where the focus is: on a button it presses that button, elsewhere the default one.
inline void pressEnter(QWidget *window)
{
    QWidget *focus = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(focus, Qt::Key_Return);
}

// The answer can be read: it is not drawn in its own background colour.
inline bool readable(QWidget *window, const char *name)
{
    auto *label = findIn<QLabel>(window, name);
    return label->isVisibleTo(window) && ui::textColor(label) != ui::fillColor(label);
}

inline QStringList items(QWidget *window, const char *name)
{
    QStringList out;
    auto *list = findIn<QListWidget>(window, name);
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

inline QString meaningOf(int index)
{
    ciku::fillLexicon();
    return ciku::lexicon().text(index, 1);
}

inline QString kanaOf(int index)
{
    ciku::fillLexicon();
    return ciku::lexicon().text(index, 2);
}

inline bool shown(QWidget *window, const char *name)
{
    return findIn<QWidget>(window, name)->isVisibleTo(window);
}

inline bool enabled(QWidget *window, const char *name)
{
    return findIn<QWidget>(window, name)->isEnabled();
}

inline QString focusName(QWidget *window)
{
    return window->focusWidget() ? window->focusWidget()->objectName() : QString();
}

// Selects an option button with a click.
inline void choose(QWidget *window, const char *name)
{
    QTest::mouseClick(findIn<QRadioButton>(window, name), Qt::LeftButton);
}

// "出题", then count wrong answers in a row, Enter drawing the next word between them.
inline void answerWrong(QWidget *window, int count)
{
    click(window, "begin");
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            pressEnter(window);
        answer(window, QStringLiteral("x"));
    }
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace practicetest
