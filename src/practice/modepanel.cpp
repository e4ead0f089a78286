#include "practice/modepanel.h"

#include <QPushButton>

namespace practice {

void ModePanel::showView(const PracticeView &view)
{
    for (const auto &[control, button] : m_buttons)
        button->setEnabled(view.isEnabled(control));
}

QPushButton *ModePanel::button(Control control) const
{
    for (const auto &[c, button] : m_buttons)
        if (c == control)
            return button;
    return nullptr;
}

QPushButton *ModePanel::addButton(Control control, const char *name, const QString &caption, int x, int width)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, 24, width, 38);
    connect(b, &QPushButton::clicked, this, [this, control] { Q_EMIT pressed(control); });
    m_buttons.emplace_back(control, b);
    return b;
}

} // namespace practice
