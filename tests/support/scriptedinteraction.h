#pragma once

#include "ui/interaction.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <deque>
#include <functional>

// The modal layer for tests: records every request and answers from queues, never blocks.
class ScriptedInteraction final : public ui::Interaction
{
public:
    struct Asked {
        ui::Message message;
        QString parentName; // objectName of the parent window, empty for none
    };
    struct InputAsked {
        QString prompt;
        QString title;
        QString initial;
    };

    // Answers for message boxes with Yes/No; OK boxes need none. An empty queue answers No.
    std::deque<ui::Answer> answers;
    // Answers for input boxes; nullopt means Cancel. An empty queue cancels.
    std::deque<std::optional<QString>> inputs;
    std::deque<std::optional<QColor>> colors;
    // Answers for save dialogs; nullopt means Cancel. An empty queue cancels.
    std::deque<std::optional<QString>> saveNames;
    QStringList saveTitles; // the title of each save dialog asked
    // Run with each modal window while it is "shown"; an empty queue just records it.
    std::deque<std::function<void(QWidget *)>> modalScripts;
    // Run when a message box is asked, after recording it (e.g. to check state at that moment).
    std::function<void(const ui::Message &)> onMessage;

    QList<Asked> messages;
    QList<InputAsked> inputRequests;
    int colorRequests = 0;
    QList<QColor> colorInitials; // the colour each colour dialog started from
    int beeps = 0;
    QStringList modalWindows; // objectNames of windows shown modally

    ui::Answer message(QWidget *parent, const ui::Message &message) override;
    std::optional<QString> input(QWidget *parent, const QString &prompt, const QString &title,
                                 const QString &initial) override;
    std::optional<QColor> color(QWidget *parent, const QColor &initial) override;
    void beep() override;
    std::optional<QString> saveFileName(QWidget *parent, const QString &title, const QString &suggested,
                                        const QString &filter) override;
    void showModal(QWidget *window) override;

    QStringList messageTexts() const;
};
