#pragma once

#include "practice/practicerules.h"

#include <QWidget>

class QListWidget;

namespace ui {
class ActiveLabel;
}

namespace practice {

class PracticeSession;

// The wrong-word list at the practice window's right edge: the heading "错题栏" (yellow while a
// drill runs) over the two pairs of lists, each a text list with its word indexes kept in step in
// a list that is not shown. Only the text list of the selected direction is on show; both keep
// their entries. The lists only show the session's wrong-word lists; nothing is read back from
// them.
class WrongListPane : public QWidget
{
    Q_OBJECT

public:
    explicit WrongListPane(QWidget *parent = nullptr);

    void showSession(const PracticeSession &session);

    ui::ActiveLabel *heading() const { return m_heading; }
    QListWidget *textList(Direction direction) const;
    QListWidget *indexList(Direction direction) const;

private:
    ui::ActiveLabel *m_heading{nullptr};     // wrong
    QListWidget *m_chineseTexts{nullptr};    // List
    QListWidget *m_chineseIndexes{nullptr};  // Listno
    QListWidget *m_japaneseTexts{nullptr};   // list2
    QListWidget *m_japaneseIndexes{nullptr}; // listno2
};

} // namespace practice
