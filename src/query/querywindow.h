#pragma once

#include "query/lookup.h"
#include "shell/workwindow.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ui {
class ActiveLabel;
class ShapeFrame;
class TextCanvas;
} // namespace ui

namespace query {

// The query window: looks words up by meaning, kana or kanji form, exactly first and by
// containment when nothing matches exactly, and shows the hits printed under column headings
// or as a list with the details of the selected word.
class QueryWindow : public shell::WorkWindow
{
    Q_OBJECT

public:
    // Hits printed to a screen before the print display asks whether to go on.
    static constexpr int kPageSize = 15;

    explicit QueryWindow(shell::Shell &shell, QWidget *parent = nullptr);

    void Form_Load() override;

protected:
    void Form_MouseMove() override;
    void Form_Click() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createNavigation();

    // Display modes and their saved setting.
    void way1_Click();
    void way2_Click();
    void Command1_Click();
    bool printDisplay() const;

    // Lookups.
    void chaxun_Click();
    void mohu_Click();
    void printLookup();
    void listLookup();
    // Fuzzy print search: prints below what is there, asking after each full screen whether to
    // go on. counter counts the hits printed since the last question. True when the user
    // stopped the search.
    bool mohuchaxun(int &counter);
    void listmohu();
    void List_Click(int row);
    void showDetails(int row);

    // Input events.
    void input_Change();
    void input_GotFocus(QLineEdit *input);
    void zhijieshuru();
    void pressDefault();
    void setDefaultButton(QPushButton *button);

    void Label3_MouseMove();
    void Label3_Click();

    QueryTexts currentTexts() const;
    void uncoverHeadings();
    void setHeadings(Source source);
    void printHit(const Hit &hit);
    void appendListHit(const Hit &hit);
    void printNothingTyped(ui::TextCanvas *canvas);

    QLineEdit *m_hanyu{nullptr};
    QLineEdit *m_riyu{nullptr};
    QLineEdit *m_dang{nullptr};
    QPushButton *m_chaxun{nullptr};
    QPushButton *m_mohu{nullptr};
    QPushButton *m_defaultButton{nullptr};
    QRadioButton *m_way1{nullptr};
    QRadioButton *m_way2{nullptr};
    QPushButton *m_command1{nullptr};
    ui::ShapeFrame *m_shape1{nullptr};
    ui::ActiveLabel *m_label3{nullptr};
    QLabel *m_info{nullptr};
    QLabel *m_headings[5]{};
    ui::TextCanvas *m_showwords{nullptr};
    QListWidget *m_list{nullptr};
    QListWidget *m_listno{nullptr};
    QLabel *m_label7{nullptr};
    ui::TextCanvas *m_showwords2{nullptr};

    QAction *m_popprint{nullptr};
    QAction *m_poplist{nullptr};

    // Hits of the latest fuzzy print search.
    int m_fuzzyHits = 0;
    // Joins the lines of the paging question; set by every print lookup.
    QString m_lineBreak;
};

} // namespace query
