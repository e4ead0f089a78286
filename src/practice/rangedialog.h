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

// The option last confirmed in the range dialog, for the whole run of the program: a practice
// window opened anew after the last one was closed shows its dialog with that option selected.
// Closing the dialog through its close box forgets it, so the next opening starts at unit 1.
class RangeChoice : public QObject
{
    Q_OBJECT

public:
    // The one kept as a child of owner (the shell, which lives as long as the program runs).
    static RangeChoice &of(QObject &owner);

    QString option; // "u1", "l26", "whole" …; empty: none confirmed yet
};

// The range dialog: one choice among the units, lessons, volumes and drills. It only collects:
// OK hides it, and the practice window takes the chosen range from it. It keeps its selection
// while it lives; the window drops it when it is closed through its close box.
class RangeDialog : public QDialog
{
    Q_OBJECT

public:
    // Opens with the option named selected, or with unit 1 when there is no such option.
    RangeDialog(ui::Interaction &interaction, QWidget *owner, const QString &selected = QString());

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
