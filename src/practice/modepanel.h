#pragma once

#include "practice/practiceview.h"

#include <QGroupBox>

#include <utility>
#include <vector>

class QPushButton;

namespace practice {

// A button panel of one practice mode. It shows what the practice view says (which of its
// buttons are usable) and reports its buttons as Controls; it decides nothing and knows no
// window. The three panels lie in the same place; the window shows the one of the mode.
class ModePanel : public QGroupBox
{
    Q_OBJECT

public:
    using QGroupBox::QGroupBox;

    // Applies the view to the panel's buttons; a panel with more to show adds to it.
    virtual void showView(const PracticeView &view);
    // The panel's button for control, or nullptr when it is not on this panel.
    QPushButton *button(Control control) const;

Q_SIGNALS:
    void pressed(practice::Control control);

protected:
    // A button of the panel at x, 24 with the panel's button height, named by its design name.
    QPushButton *addButton(Control control, const char *name, const QString &caption, int x, int width);

private:
    std::vector<std::pair<Control, QPushButton *>> m_buttons;
};

} // namespace practice
