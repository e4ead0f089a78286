#pragma once

#include "shell/workwindow.h"
#include "study/lessonpager.h"
#include "ui/placedtext.h"

#include <QColor>

class QAbstractButton;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ui {
class HoverLabel;
class TextCanvas;
} // namespace ui

namespace study {

class HeaderRow;
class MottoBanner;
class WordListView;

// The study window: a lesson's words eleven to a screen laid out like the textbook's word
// list (the print view), or as a list with a detail panel (the list view), with the motto
// banner and the display settings kept below sous/.
class StudyWindow : public shell::WorkWindow
{
    Q_OBJECT

public:
    static inline const QColor kDefaultTextColor{0, 0, 128};

    explicit StudyWindow(shell::Shell &shell, QWidget *parent = nullptr);

    void Form_Load() override;
    // Also loads what Form_Load will write and show (the introduction in the canvas face the
    // settings name, the motto), so that the first paint only draws glyphs already made.
    void prepare() override;

    // The paging state (the holders getmin3, getmax, getmin2 and getmin).
    const LessonPager &pager() const { return m_pager; }
    // The button that Enter presses.
    QAbstractButton *defaultButton() const { return m_defaultButton; }
    ui::TextCanvas *canvas() const { return m_printArea; }
    WordListView *listView() const { return m_listView; }
    MottoBanner *banner() const { return m_banner; }

protected:
    void Form_MouseMove() override;
    void pitchContoursChanged(bool shown) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Tops of the canvas: over the header row at opening, under it once a lesson is started.
    static constexpr int kCanvasTop = 40;
    static constexpr int kCanvasLessonTop = 65;

    void createControls();
    void createNavigation();

    void keshi_Change(const QString &text);
    void keshi_KeyUp(int key);
    void start_Click();
    void goon_Click();
    void goback_Click();
    void startlist_Click();
    void Opa_Click();
    void Opb_Click();
    void model_Click();
    void cmdmoren_Click();
    void Command1_Click();
    void setcolor_Click();
    void savecolor_Click();
    void defaultcolor_Click();
    void lblexit_MouseMove();
    void lblexit_Click();

    void focusLessonBox();
    void setDefaultButton(QAbstractButton *button);
    void setAccepted(double lessonNumber);
    void drawScreen(const ScreenWords &screen);
    // Writes the words of a screen, each followed by a blank line (the last one only when
    // blankAfterLast) or, when its meaning runs on to a line of its own, by a smaller space.
    void writeScreen(const QList<int> &indexes, bool blankAfterLast);
    // The print-view rows of the word at index: its line and any lines its meaning runs on to.
    QList<ui::TextRow> wordRows(int index) const;
    // Runs the start command of the view on show, after a colour change.
    void redraw();
    void applyCanvasFace(const QString &face);
    // Places the header labels and the column rules over the canvas columns.
    void alignHeader();
    void tellNotSaved(const QString &text);
    QString settingsPath(const QString &relative) const;

    QLabel *m_lessonCaption{nullptr};        // Label6
    QLineEdit *m_lessonInput{nullptr};       // keshi
    QPushButton *m_startButton{nullptr};     // start
    QPushButton *m_startListButton{nullptr}; // startlist
    QToolButton *m_nextButton{nullptr};      // goon
    QToolButton *m_previousButton{nullptr};  // goback
    QFrame *m_viewOptions{nullptr};          // Frame1
    QRadioButton *m_printOption{nullptr};    // Opa
    QRadioButton *m_listOption{nullptr};     // Opb
    QPushButton *m_saveViewButton{nullptr};  // cmdmoren
    ui::HoverLabel *m_exitLabel{nullptr};    // lblexit
    QFrame *m_headerRule{nullptr};           // Line3
    HeaderRow *m_headerRow{nullptr};         // Framelabel
    ui::TextCanvas *m_printArea{nullptr};    // showword
    QFrame *m_readingRule{nullptr};          // Line1
    QFrame *m_meaningRule{nullptr};          // Line2
    MottoBanner *m_banner{nullptr};
    WordListView *m_listView{nullptr};       // framelist
    QPushButton *m_saveColorButton{nullptr}; // savecolor

    QAction *m_listPopupItem{nullptr};    // poplist
    QAction *m_printPopupItem{nullptr};   // popprint
    QAction *m_setColorItem{nullptr};     // setcolor
    QAction *m_setFontItem{nullptr};      // setfont
    QAction *m_mottoItem{nullptr};        // popdiylogo
    QAction *m_defaultColorItem{nullptr}; // defaultcolor

    LessonPager m_pager;
    bool m_kanaFormat = false; // the accepted lesson number is 0
    QAbstractButton *m_defaultButton{nullptr};
};

} // namespace study
