#include "scriptedinteraction.h"

ui::Answer ScriptedInteraction::message(QWidget *parent, const ui::Message &message)
{
    messages.append(Asked{message, parent ? parent->objectName() : QString()});
    if (onMessage)
        onMessage(message);
    if (message.buttons == ui::Buttons::Ok)
        return ui::Answer::Ok;
    if (answers.empty())
        return ui::Answer::No;
    const ui::Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedInteraction::input(QWidget *, const QString &prompt, const QString &title,
                                                  const QString &initial)
{
    inputRequests.append(InputAsked{prompt, title, initial});
    if (inputs.empty())
        return std::nullopt;
    const bool given = inputs.front().has_value();
    const QString text = given ? *inputs.front() : QString();
    inputs.pop_front();
    if (!given)
        return std::nullopt;
    return text;
}

std::optional<QColor> ScriptedInteraction::color(QWidget *, const QColor &initial)
{
    ++colorRequests;
    colorInitials.append(initial);
    if (colors.empty())
        return std::nullopt;
    const bool given = colors.front().has_value();
    const QColor c = given ? *colors.front() : QColor();
    colors.pop_front();
    if (!given)
        return std::nullopt;
    return c;
}

std::optional<QString> ScriptedInteraction::saveFileName(QWidget *, const QString &title, const QString &,
                                                         const QString &)
{
    saveTitles.append(title);
    if (saveNames.empty())
        return std::nullopt;
    const std::optional<QString> name = saveNames.front();
    saveNames.pop_front();
    return name;
}

void ScriptedInteraction::beep()
{
    ++beeps;
}

void ScriptedInteraction::showModal(QWidget *window)
{
    modalWindows.append(window->objectName());
    if (modalScripts.empty())
        return;
    auto script = modalScripts.front();
    modalScripts.pop_front();
    window->show();
    script(window);
}

QStringList ScriptedInteraction::messageTexts() const
{
    QStringList out;
    for (const Asked &a : messages)
        out << a.message.text;
    return out;
}
