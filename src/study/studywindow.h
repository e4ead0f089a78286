#pragma once

#include "shell/workwindow.h"
#include "study/lessonpager.h"

#include <QColor>

class QAbstractButton;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ui {
class ActiveLabel;
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

    // The paging holders getmin3, getmax, getmin2 and getmin.
    const LessonPager &pager() const { return m_pager; }
    // The button that Enter presses.
    QAbstractButton *defaultButton() const { return m_default; }
    ui::TextCanvas *canvas() const { return m_showword; }
    WordListView *listView() const { return m_framelist; }
    MottoBanner *banner() const { return m_banner; }

protected:
    void Form_MouseMove() override;
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
    void writeWordLine(int index);
    // Runs the start command of the view on show, after a colour change.
    void redraw();
    void applyCanvasFace(const QString &face);
    // Places the header labels and the column rules over the canvas columns.
    void alignHeader();
    void tellNotSaved(const QString &text);
    QString settingsPath(const QString &relative) const;

    QLabel *m_label6{nullptr};
    QLineEdit *m_keshi{nullptr};
    QPushButton *m_start{nullptr};
    QPushButton *m_startlist{nullptr};
    QToolButton *m_goon{nullptr};
    QToolButton *m_goback{nullptr};
    QFrame *m_frame1{nullptr};
    QRadioButton *m_opa{nullptr};
    QRadioButton *m_opb{nullptr};
    QPushButton *m_cmdmoren{nullptr};
    ui::ActiveLabel *m_lblexit{nullptr};
    QFrame *m_line3{nullptr};
    HeaderRow *m_framelabel{nullptr};
    ui::TextCanvas *m_showword{nullptr};
    QFrame *m_line1{nullptr};
    QFrame *m_line2{nullptr};
    MottoBanner *m_banner{nullptr};
    WordListView *m_framelist{nullptr};
    QPushButton *m_savecolor{nullptr};

    QAction *m_poplist{nullptr};
    QAction *m_popprint{nullptr};
    QAction *m_setcolor{nullptr};
    QAction *m_setfont{nullptr};
    QAction *m_popdiylogo{nullptr};
    QAction *m_defaultcolor{nullptr};

    LessonPager m_pager;
    bool m_kanaFormat = false; // the accepted lesson number is 0
    QAbstractButton *m_default{nullptr};
};

} // namespace study
