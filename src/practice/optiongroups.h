#pragma once

#include "practice/practicerules.h"

#include <QList>
#include <QObject>

#include <array>

class QAction;
class QRadioButton;
class QWidget;

namespace practice {

class PracticeSession;
namespace settings {
struct SavedPractice;
}

// The four option groups along the practice window's top edge (order, direction, display mode,
// pace) with "保存设置", placed on the window's surface, and the pop-up items that select the
// same options. A selection made by a click, by a pop-up item or from the saved settings is
// reported once, when it changes; a double-click on "闪电速练" asks for the drill's speed.
class OptionGroups : public QObject
{
    Q_OBJECT

public:
    explicit OptionGroups(QWidget *surface);

    // The pop-up items of the eight options, in the order shunxu, suiji, hanri, rihan, optxue,
    // optlian, optnormal, optflash.
    void setPopupItems(const QList<QAction *> &items);
    // Selects the saved options as clicks would.
    void select(const settings::SavedPractice &saved);
    // The session's options selected (without reporting them again), each pair's pop-up item
    // offering only the other option, the display modes usable in typed practice only.
    void showSession(const PracticeSession &session);

Q_SIGNALS:
    void orderSelected(practice::Order order);
    void directionSelected(practice::Direction direction);
    void displayModeSelected(practice::DisplayMode mode);
    void paceSelected(practice::Pace pace);
    void speedAsked();
    void saveAsked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QRadioButton *, 8> m_options{};
    QList<QAction *> m_items;
};

} // namespace practice
