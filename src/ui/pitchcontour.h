#pragma once

#include "lexicon/pitchaccent.h"
#include "ui/settingssave.h"

#include <QFont>
#include <QLineF>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

class QPainter;
class QColor;

// The pitch contour drawn over a word's kana: a line above the high morae, a short downward
// stroke where the pitch falls after the accent mora, and a small open circle for the particle
// at the level it takes. The geometry is computed here from the font, so it scales with it and
// can be read without a window; painting only draws what was computed.
namespace ui {

struct PitchContour {
    QList<QRectF> morae;        // the horizontal extent of each mora (top = high level)
    QList<bool> moraHigh;       // as the pattern says, one entry a mora
    QList<QLineF> highLines;    // one line over each run of high morae
    std::optional<QLineF> fall; // the downward stroke after the accent mora
    QPointF particleCentre;     // centre of the particle's circle
    qreal particleRadius = 0;
    bool particleHigh = false;
    qreal highY = 0; // the level of the lines over the high morae
    qreal lowY = 0;  // the level a fall ends at, and of a low particle
    qreal penWidth = 1;

    // Everything the contour covers, the pen's width included.
    QRectF bounds() const;
};

// The contour for kana written in font with its baseline starting at origin. bounds is the room
// it must stay in: when the high level would stand above its top, the whole contour moves down
// into it; a particle circle past its right edge is pulled back inside.
PitchContour pitchContour(const QString &kana, const ciku::PitchPattern &pattern, const QFont &font,
                          QPointF origin, const QRectF &bounds = QRectF());

void paintPitchContour(QPainter &painter, const PitchContour &contour, const QColor &color);

// The settings file of the contour: 1 shows it, anything else (or no file) hides it.
inline const QString kPitchContourFile = QStringLiteral("sous/yindiao.dll");
bool readPitchContourShown(const QString &path);
SaveResult writePitchContourShown(const QString &path, bool shown);

} // namespace ui
