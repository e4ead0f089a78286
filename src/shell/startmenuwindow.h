#pragma once

#include "shell/ordinarywindow.h"
#include "shell/screen.h"

#include <QTimer>
#include <QWidget>

#include <array>

class QFrame;
class QLabel;
class QPushButton;

namespace ui {
class ActiveLabel;
}

namespace shell {

class Shell;

// The start window: a greeting and three pictures that lead to the query, practice and study
// windows. It is only a launcher; all it does is hand the choice to the shell.
class StartMenuWindow : public QWidget, public OrdinaryWindow
{
    Q_OBJECT

public:
    static const QStringList &requiredPictures();

    explicit StartMenuWindow(Shell &shell, QWidget *parent = nullptr);

    // Loads the reminder, checks and shows the pictures, writes the welcome text. False when a
    // picture is missing: the user has been told and the program is ending.
    bool Form_Load();

    QWidget *widget() override { return this; }
    LoadStage loadStage() const override { return LoadStage::BeforeShow; }
    bool load() override { return Form_Load(); }

    // The highlight frames Line2..Line13, four for each picture.
    QList<QFrame *> highlightLines() const;

    // How long the pointer or the keyboard focus rests on a picture or its caption before the
    // window behind it is readied (Shell::prepare): long enough that a pointer passing over a
    // picture readies nothing, short beside the time a learner takes to click. A press of the
    // left button there readies it at once.
    static constexpr int kPrepareAfterMs = 60;

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void picchaxun_MouseMove();
    void piclianxi_MouseMove();
    void picxuexi_MouseMove();
    void lines();
    void showFrame(int picture);
    // The pointer or the focus came to a picture or its caption (0..2), or left them (-1): the
    // window behind that picture is readied once it has rested there a moment.
    void pointedAt(int picture);
    // The left button went down on a picture or its caption: its window is readied now.
    void pressedOn(int picture);
    void exuse_Click();
    void welcome_DblClick();
    void lbljilu_Click();

    Shell &m_shell;
    QFrame *m_pictureFrame{nullptr};
    std::array<ui::ActiveLabel *, 3> m_pictures{}; // picchaxun, piclianxi, picxuexi
    std::array<ui::ActiveLabel *, 3> m_captions{}; // Label1, Label2, Label3
    std::array<QFrame *, 12> m_lines{};            // Line2..Line13
    QFrame *m_rule{nullptr};
    QPushButton *m_helpButton{nullptr};
    QPushButton *m_recordLink{nullptr}; // lbljilu
    ui::ActiveLabel *m_welcomeText{nullptr};
    QTimer m_prepareTimer;
    int m_pointed = -1; // the picture the pointer or focus rests on
};

} // namespace shell
