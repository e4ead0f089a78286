#pragma once

#include "ui/smallwindow.h"

namespace ui {
class ActiveLabel;
class TextCanvas;
} // namespace ui

namespace shell {

// The kana comparison window `eg`: the small kana of contracted sounds and of the geminate mark
// drawn under their full-size forms. Borderless; "点此移动位置" gives it a title bar to drag
// it by; a double-click closes it. Built anew each time it is opened.
class CompareWindow : public ui::SmallWindow
{
    Q_OBJECT

public:
    static constexpr int kKatakanaColumn = 32;

    explicit CompareWindow(QWidget *parent = nullptr);

    ui::TextCanvas *canvas() const { return m_canvas; }
    // Whether the window has its frame and title bar (after "点此移动位置").
    bool isFramed() const;

private:
    void drawComparison();
    void yidiong_Click();

    ui::TextCanvas *m_canvas{nullptr};
    ui::ActiveLabel *m_moveLabel{nullptr};
};

} // namespace shell
