#pragma once

#include "study/studysettings.h"

#include <QObject>
#include <QPoint>

namespace ui {
class ActiveLabel;
class Interaction;
} // namespace ui

class QFontMetricsF;
class QWidget;

namespace study {

// The font size (points) at which a pair of lines that is widthAtDesignSize pixels wide at the
// design size (27.75 pt) fits the banner: the design size when it fits, else the size scaled
// down in proportion, in quarter-point steps, at least 8 pt.
qreal fittingMottoPoints(int widthAtDesignSize);

// What of a motto line can be seen in a room `room` pixels wide that ends at the line's end, at
// the smallest size: the whole line when it is short enough to fit there, else a tail that is
// wider than the room (its start falls off the left edge, as that of the whole line would),
// begun at a character boundary. A line with too little width for its length (marks, controls)
// gives at most its last kMaxShownMottoUnits UTF-16 units. Only the tail is measured, so the
// cost does not grow with the line's length.
QString visibleMottoTail(const QString &line, const QFontMetricsF &smallest, qreal room);
constexpr qsizetype kMaxShownMottoUnits = 2048;

// The two-line motto at the top right of the print-view canvas: right-aligned labels that grow
// to the left with their text, the second directly under the first. Double-clicking the first
// line asks for new lines; double-clicking the second restores the default lines.
class MottoBanner : public QObject
{
    Q_OBJECT

public:
    // The right edge of both lines, in pixels from the canvas's left edge.
    static constexpr int kRightEdge = 663;

    // The lines are saved to filePath and read from readPath (the same file, or a read-only
    // copy that stands in while the settings folder has none).
    MottoBanner(QWidget *canvas, QWidget *dialogOwner, ui::Interaction &interaction, QString filePath,
                QString readPath);

    ui::ActiveLabel *first() const { return m_firstLine; }
    ui::ActiveLabel *second() const { return m_secondLine; }
    // The lines as set or read, whole; the labels show what of them can be seen.
    settings::Motto lines() const { return m_motto; }

    // The lines at opening: from the file when it holds two non-empty lines, else the defaults.
    void load();
    // Runs load() on a scratch pair of lines and draws them off screen: the faces and glyphs
    // the lines at opening need are then loaded. These lines are left as they are.
    void rehearseLoad() const;
    void setVisible(bool visible);

    // lblpome1_DblClick and the pop-up item "设置警句".
    void lblpome1_DblClick();
    // lblpome2_DblClick.
    void lblpome2_DblClick();

Q_SIGNALS:
    void rightPressed(const QPoint &globalPos);
    // New lines were saved to the file.
    void saved();

private:
    void setCaption(ui::ActiveLabel *label, const QString &text);
    // Sets both captions in one size: the design size, or the largest smaller one at which both
    // lines stand whole between the canvas's left edge and the right edge. A line too long even
    // at the smallest size is shown by the tail that can be seen of it.
    void setLines(const settings::Motto &motto);
    // Puts the second line directly under the first, in the first line's font size.
    void placeSecond();
    void tellNotSaved(const QString &text);

    QWidget *m_owner;
    ui::Interaction &m_interaction;
    QString m_path;
    QString m_readPath;
    settings::Motto m_motto;
    ui::ActiveLabel *m_firstLine;
    ui::ActiveLabel *m_secondLine;
};

} // namespace study
