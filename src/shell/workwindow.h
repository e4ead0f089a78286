#pragma once

#include "shell/ordinarywindow.h"
#include "shell/screen.h"

#include <QMainWindow>

class QMenu;

namespace ui {
class RomajiTyping;
}

namespace shell {

class Shell;

// What the study, practice and query windows share: the shell they navigate through, the
// builders for their menu bar, hidden function-key carriers and pop-up menu, and the window
// surface whose mouse events feed the hover and pop-up behaviour.
class WorkWindow : public QMainWindow, public OrdinaryWindow
{
    Q_OBJECT

public:
    WorkWindow(Shell &shell, Screen screen, QWidget *parent = nullptr);

    Screen screen() const { return m_screen; }
    // Runs once after the window has been shown for the first time.
    virtual void Form_Load() {}

    QWidget *widget() final { return this; }
    LoadStage loadStage() const final { return LoadStage::AfterShow; }
    // Sizes and lays the window out as its first showing would, creates its native window and
    // draws it once off screen, which loads the glyphs and pictures it shows.
    void prepare() override;
    bool load() final
    {
        Form_Load();
        return true;
    }
    QMenu *popout() const { return m_popout; }
    // The window's own surface (the central widget).
    QWidget *surface() const { return m_surface; }
    // Runs the review the shell has waiting (Shell::takePendingReview); only the practice window
    // has one.
    virtual void startPendingReview() {}

protected:
    // Sizes the window so that its surface (below the menu bar) has the design size; applied
    // again when the window is first shown, once the menu bar holds all its entries.
    void resizeClient(int width, int height);
    void showEvent(QShowEvent *event) override;
    // A command directly on the menu bar.
    QAction *addBarCommand(const char *name, const QString &caption);
    // A top-level menu with a one-blank caption that is never shown; it carries key entries.
    QMenu *addCarrierMenu(const char *name);
    // An entry of a carrier menu that holds a key; the window itself owns the shortcut, so the
    // key works although the menu is hidden.
    QAction *addKeyCarrier(QMenu *carrier, const char *name, const QString &caption, const QKeySequence &key);
    QAction *addPopupItem(const char *name, const QString &caption);
    // How a command that leaves the window was given; the practice window words its
    // keep-state question by it.
    enum class LeaveBy { StartPage, Key, MenuEntry };
    // Commands that leave this window for another one: on the menu bar, as a key carried by a
    // hidden menu, or in the pop-up menu. All of them go through leaveFor().
    QAction *addLeaveCommand(const char *name, const QString &caption, Screen target, LeaveBy by);
    QAction *addLeaveKey(QMenu *carrier, const char *name, const QString &caption, const QKeySequence &key,
                         Screen target);
    QAction *addLeavePopupItem(const char *name, const QString &caption, Screen target, LeaveBy by);
    // Leaves for target; the default switches at once.
    virtual void leaveFor(Screen target, LeaveBy by);

    // The commands every working window has in the same form.
    QAction *addHelpCommand();                  // shuoming, key F1
    QAction *addAboutCommand(const char *name); // "关于"
    QAction *addCompareCommand();               // compare "字形比较(F5)"
    QAction *addCompareKey(QMenu *carrier);     // kuaijiecompare, key F5
    QAction *addComparePopupItem();             // popbijiao "字形比较"
    QAction *addExitPopupItem();                // popexit "退出"
    // The menu "记录(&R)" at the end of the menu bar: "学习记录(F6)" (key F6) opens the progress
    // window, "复习到期单词(F7)" (key F7) reviews the words due.
    QMenu *addRecordMenu();
    // popyindiao "显示音调线": a checkable entry, checked as sous/yindiao.dll says; each change
    // is saved at once and handed to pitchContoursChanged().
    QAction *addPitchContourPopupItem();
    bool pitchContoursShown() const;
    // The learner turned the pitch contours on or off.
    virtual void pitchContoursChanged(bool) {}

    // luomazi "罗马字输入(F8)", key F8, checkable: the rōmaji typing of the window's kana boxes
    // (attached through romajiTyping()), on and off, saved in sous/roma.dll. Added last.
    QAction *addRomajiCommand();
    ui::RomajiTyping *romajiTyping() const { return m_romaji; }
    void luomazi_Click(bool on);

    QAction *addPopupSeparator();
    void openPopout(const QPoint &globalPos);

    // Mouse over the window's empty surface.
    virtual void Form_MouseMove() {}
    // Mouse press on the window's empty surface; the right button opens the pop-up menu.
    virtual void Form_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    virtual void Form_Click() {}

    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    Shell &m_shell;

private:
    // The menu bar's final order, and the window's final size once before it first appears.
    void settleMenuBarAndSize();

    Screen m_screen;
    QSize m_clientSize;
    bool m_sized = false;
    QWidget *m_surface{nullptr};
    QMenu *m_popout{nullptr};
    QAction *m_pitchContourItem{nullptr};
    ui::RomajiTyping *m_romaji{nullptr};
    QAction *m_romajiCommand{nullptr};
};

} // namespace shell
