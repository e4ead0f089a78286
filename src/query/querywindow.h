#pragma once

#include "query/lookup.h"
#include "shell/workwindow.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ui {
class HoverLabel;
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
    // Also loads the glyphs of the operating notes Form_Load writes, for a first paint that only
    // draws glyphs already made.
    void prepare() override;

protected:
    void Form_MouseMove() override;
    void Form_Click() override;
    void pitchContoursChanged(bool shown) override;
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
    void clearListHits();
    void appendListHit(const Hit &hit);
    void printNothingTyped(ui::TextCanvas *canvas);

    QLineEdit *m_meaningInput{nullptr};   // hanyu
    QLineEdit *m_kanaInput{nullptr};      // riyu
    QLineEdit *m_kanjiInput{nullptr};     // dang
    QPushButton *m_lookupButton{nullptr}; // chaxun
    QPushButton *m_fuzzyButton{nullptr};  // mohu
    QPushButton *m_defaultButton{nullptr};
    QRadioButton *m_printOption{nullptr};   // way1
    QRadioButton *m_listOption{nullptr};    // way2
    QPushButton *m_saveModeButton{nullptr}; // Command1
    ui::ShapeFrame *m_exitShape{nullptr};   // Shape1
    ui::HoverLabel *m_exitLabel{nullptr};   // Label3
    QLabel *m_sourceMirror{nullptr};        // info
    QLabel *m_headings[5]{};                // l1 .. l5
    ui::TextCanvas *m_printArea{nullptr};   // showwords
    QListWidget *m_hitList{nullptr};        // List
    QListWidget *m_slotMirror{nullptr};     // Listno
    // The hits the list display shows, entry for entry.
    QList<Hit> m_listHits;
    QLabel *m_statusLine{nullptr};         // Label7
    ui::TextCanvas *m_detailArea{nullptr}; // showwords2

    QAction *m_printPopupItem{nullptr}; // popprint
    QAction *m_listPopupItem{nullptr};  // poplist

    // Joins the lines of the paging question; set by every print lookup.
    QString m_lineBreak;
};

} // namespace query
