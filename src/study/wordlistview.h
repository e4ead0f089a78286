#pragma once

#include "lexicon/lessontable.h"
#include "study/studylayout.h"

#include <QFrame>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ui {
class TextCanvas;
}

namespace study {

// The list view of the study window (the group framelist): every word of the range as one entry
// of List, the word index of each entry at the same position of the hidden Listno, and the full
// record of the selected word in the detail canvas showwords2.
class WordListView : public QFrame
{
    Q_OBJECT

public:
    explicit WordListView(QWidget *parent = nullptr);

    QListWidget *list() const { return m_list; }
    QListWidget *listNumbers() const { return m_indexList; }
    ui::TextCanvas *detail() const { return m_detailArea; }
    QPushButton *saveOrderButton() const { return m_saveOrderButton; }

    ListOrder order() const;
    void setOrder(ListOrder order);
    // The accepted lesson number is 0: entries and details of the katakana drill.
    void setKanaFormat(bool kanaFormat) { m_kanaFormat = kanaFormat; }
    bool kanaFormat() const { return m_kanaFormat; }
    // Position of the selected entry (the holder geti).
    int selectedRow() const { return m_selectedRow; }

    // The hint lines written on every switch to the list view.
    void showHints();
    // A rejected list start: nothing listed and nothing detailed.
    void clearAll();
    // Lists the range in index order, selects the first entry and shows its detail.
    void fill(ciku::WordRange range);
    // List_Click: the detail of the selected entry.
    void List_Click();

Q_SIGNALS:
    // model1_Click, model2_Click, model3_Click.
    void orderChosen();
    // A left click on the group or the detail canvas.
    void clicked();
    void rightPressed(const QPoint &globalPos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QRadioButton *makeOrderOption(const char *name, const QString &caption, const QString &tip, int left);
    void drawDetail(int word);

    QLabel *m_caption; // Label8
    QListWidget *m_list;
    QListWidget *m_indexList; // Listno: shows the word index of each entry; nothing reads it back
    ui::TextCanvas *m_detailArea;
    QRadioButton *m_byChinese;      // model1
    QRadioButton *m_byKana;         // model2
    QRadioButton *m_byKanji;        // model3
    QPushButton *m_saveOrderButton; // Command1
    QList<int> m_words;             // the word index of each entry of the list
    bool m_kanaFormat = false;
    int m_selectedRow = 0;
    bool m_pressed = false;
};

} // namespace study
