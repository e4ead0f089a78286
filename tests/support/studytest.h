#pragma once

// Helpers for driving the study window as a user would and reading what it shows.

#include "lexicon/lexicon.h"
#include "study/studywindow.h"
#include "testapp.h"
#include "ui/textcanvas.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace studytest {

inline study::StudyWindow *openStudy(TestApp &app)
{
    return qobject_cast<study::StudyWindow *>(openWindow(app, shell::Screen::Study));
}

// Closes the study window and opens it again, as the user does by going to the start window
// and back; the new window reads the settings files afresh.
inline study::StudyWindow *reopenStudy(TestApp &app)
{
    app.shell().switchTo(shell::Screen::Start);
    TestApp::settle();
    return openStudy(app);
}

// Replaces the lesson box's text by typing, as the user does with the number selected.
inline void typeLesson(QWidget *window, const QString &text)
{
    auto *keshi = findIn<QLineEdit>(window, "keshi");
    keshi->setFocus();
    QTest::keyClick(keshi, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(keshi, Qt::Key_Backspace);
    else
        QTest::keyClicks(keshi, text);
}

inline void click(QWidget *window, const char *name)
{
    QWidget *w = findIn<QWidget>(window, name);
    QVERIFY2(w, name);
    QVERIFY2(w->isVisible(), name);
    QTest::mouseClick(w, Qt::LeftButton);
}

inline void key(QWidget *window, Qt::Key k)
{
    QTest::keyClick(findIn<QLineEdit>(window, "keshi"), k);
}

inline ui::TextCanvas *showword(QWidget *window)
{
    return findIn<ui::TextCanvas>(window, "showword");
}

// The lines of a canvas that hold something.
inline QList<ui::TextRow> filledLines(const ui::TextCanvas *canvas)
{
    QList<ui::TextRow> out;
    for (const auto &line : canvas->lines()) {
        if (!line.isEmpty())
            out << line;
    }
    return out;
}

inline QString fieldAt(const ui::TextRow &line, int column)
{
    for (const auto &f : line) {
        if (f.column == column)
            return f.text;
    }
    return QStringLiteral("<none>");
}

// The Chinese meanings (column 63) of the words on a print-view screen, top to bottom. A word
// starts at column 2; a line without that column carries on the word above: its fields pushed
// down by a long first field, or the rest of a meaning too wide for its column.
inline QStringList shownMeanings(QWidget *window)
{
    const QString none = QStringLiteral("<none>");
    QStringList out;
    for (const auto &line : filledLines(showword(window))) {
        const QString meaning = fieldAt(line, 63);
        if (fieldAt(line, 2) != none || out.isEmpty())
            out << meaning;
        else if (meaning != none)
            out.last() = out.last() == none ? meaning : out.last() + meaning;
    }
    return out;
}

inline QStringList meanings(int first, int last)
{
    ciku::fillLexicon();
    QStringList out;
    for (int i = first; i <= last; ++i)
        out << ciku::lexicon().text(i, 1);
    return out;
}

inline QList<int> columnsOf(const ui::TextRow &line)
{
    QList<int> out;
    for (const auto &f : line)
        out << f.column;
    return out;
}

} // namespace studytest
