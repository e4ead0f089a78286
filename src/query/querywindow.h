#pragma once

#include "shell/workwindow.h"

namespace ui {
class ActiveLabel;
class ShapeFrame;
} // namespace ui

namespace query {

// The query window: looks words up by meaning, kana or kanji form.
class QueryWindow : public shell::WorkWindow
{
    Q_OBJECT

public:
    explicit QueryWindow(shell::Shell &shell, QWidget *parent = nullptr);

    void Form_Load() override;

protected:
    void Form_MouseMove() override;

private:
    void createNavigation();
    void Label3_MouseMove();
    void Label3_Click();

    ui::ShapeFrame *m_shape1{nullptr};
    ui::ActiveLabel *m_label3{nullptr};
};

} // namespace query
