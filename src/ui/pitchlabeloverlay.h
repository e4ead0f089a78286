#pragma once

#include "lexicon/pitchaccent.h"
#include "ui/pitchcontour.h"

#include <QWidget>

#include <optional>

class QLabel;

namespace ui {

// Draws the pitch contour over the text of a label: a see-through child that covers the label,
// takes no mouse input and paints only the contour, placed where the label draws its text
// (centred, in the label's font and text colour) and kept inside the label's contents.
class PitchLabelOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit PitchLabelOverlay(QLabel *label);

    // The pattern for the label's present text; nullopt draws nothing.
    void setPattern(const std::optional<ciku::PitchPattern> &pattern);
    // The contour as drawn now; nullopt when nothing is drawn.
    std::optional<PitchContour> contour() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_label;
    std::optional<ciku::PitchPattern> m_pattern;
};

} // namespace ui
