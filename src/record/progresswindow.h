#pragma once

#include "record/progress.h"

#include <QWidget>

class QDoubleSpinBox;
class QPushButton;

namespace ui {
class Interaction;
}

namespace record {

class LearningRecord;
class ProgressCanvas;

// The progress window "词帆-学习记录": the picture of the record, the desired-retention setting
// and the CSV export. Its figures are the ProgressSummary it publishes; the window only draws it.
class ProgressWindow : public QWidget
{
    Q_OBJECT

public:
    ProgressWindow(LearningRecord &record, ui::Interaction &interaction, QWidget *parent = nullptr);

    const ProgressSummary &summary() const;
    ProgressCanvas *canvas() const { return m_canvas; }

    // Reads the record again and redraws.
    void refresh();

    // Handlers of the controls.
    void retention_Change(double value);
    void daochu_Click();

private:
    LearningRecord &m_record;
    ui::Interaction &m_interaction;
    ProgressCanvas *m_canvas{nullptr};
    QDoubleSpinBox *m_retention{nullptr};
    QPushButton *m_export{nullptr};
    QPushButton *m_close{nullptr};
};

} // namespace record
