#pragma once

#include "lexicon/lessontable.h"

#include <QDialog>
#include <QHash>

#include <optional>

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace ui {
class Interaction;
}

namespace practice {

// The range dialog: one choice among the units, lessons, volumes and drills. It only collects:
// OK hides it, and the practice window takes the chosen range from it. It keeps its selection
// while it lives; the window drops it when it is closed through its close box, so the next
// opening starts again at unit 1.
class RangeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RangeDialog(ui::Interaction &interaction, QWidget *owner);

    // The selected option's range; nullopt when no option is selected.
    std::optional<ciku::WordRange> chosenRange() const;
    // The selected option's name ("u1", "l26", "whole" …); empty when none is selected.
    QString chosenOption() const;
    // Whether the last showing ended with OK.
    bool confirmed() const { return result() == QDialog::Accepted; }

private:
    void createOptions();
    void chooseenter_Click();
    void ceshi_Click();

    ui::Interaction &m_interaction;
    QButtonGroup *m_options{nullptr};
    QHash<QString, QRadioButton *> m_optionByName;
    QPushButton *m_okButton{nullptr}; // chooseenter
};

} // namespace practice
