#pragma once

#include "ui/interaction.h"

namespace ui {

// The real modal layer: Qt's message box, input dialog, colour dialog and event loops.
class QtInteraction final : public Interaction
{
public:
    Answer message(QWidget *parent, const Message &message) override;
    std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                 const QString &initial) override;
    std::optional<QColor> color(QWidget *parent, const QColor &initial) override;
    void beep() override;
    std::optional<QString> saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                                        const QString &filter) override;
    void showModal(QWidget *window) override;
    void prepareModal(QWidget *window) override;
};

} // namespace ui
