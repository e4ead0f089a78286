#pragma once

#include "lexicon/pitchaccent.h"
#include "ui/pitchcontour.h"
#include "ui/placedtext.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace ui {

// A picture area that is written line by line, like a printed page. A field placed at column n
// starts n - 1 average character widths of the canvas font from the left edge; when the line
// already reaches past that point the field starts at column n of the next line. What is written
// stays until clear(); nothing scrolls (lines below the bottom edge are kept but not visible).
class TextCanvas : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kZoneWidth = 14; // columns of a print zone

    explicit TextCanvas(QWidget *parent = nullptr);

    void clear();
    // Moves the write position to column n, on the next line if this line reaches past it.
    void tab(int column);
    // Moves the write position to the start of the next print zone.
    void nextZone();
    // Writes text at the write position and moves past it.
    void write(const QString &text);
    // Writes text like write(), but when it is wider than width pixels in the canvas font it is
    // drawn in a smaller size of that font that fits, on the line's baseline.
    void writeWithin(const QString &text, qreal width);
    void writeAt(int column, const QString &text);
    // Ends the line; on an empty line this moves one line down.
    void newLine();
    // Moves the lines written from now on down by pixels, a space finer than a line.
    void addSpace(int pixels);
    void writeLine(const QString &text = QString());

    void setTextColor(const QColor &color);
    QColor textColor() const { return m_textColor; }
    void setBackgroundColor(const QColor &color);

    // What the canvas holds, one row a line from the top (empty lines included). Each text is
    // everything written at its placement until the next one.
    QList<TextRow> lines() const;
    // The lines as plain text, each field padded to its column with blanks; handy for reading.
    QStringList textLines() const;
    int lineCount() const;
    // Left edge of column n in pixels for the current font.
    qreal columnX(int column) const;
    int lineHeight() const;
    // The height the written lines take, spaces added with addSpace included.
    int contentHeight() const { return lineCount() * lineHeight() + m_space; }
    // The font a text written with writeWithin(text, width) is drawn in.
    QFont fittedFont(const QString &text, qreal width) const;

    // Gives the latest field placed at column, when it holds exactly kana, the pitch contour of
    // that kana and accent digit; nothing happens when the two give no pattern.
    void markPitch(int column, QStringView kana, QStringView accent);
    // Contours are drawn only while shown; what is written is the same either way.
    void setPitchContoursShown(bool shown);
    bool pitchContoursShown() const { return m_pitchShown; }
    // The contours as drawn now (none while they are not shown), top line first.
    QList<PitchContour> pitchContours() const;

Q_SIGNALS:
    void clicked();
    void mousePressed(Qt::MouseButton button, const QPoint &globalPos);
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    struct Item {
        int line = 0;
        int space = 0; // pixels added above this line by addSpace
        qreal x = 0;
        int column = 1;
        bool continues = false; // written straight after the previous item, no placement between
        QString text;
        QColor color;
        QFont font;
        qreal ascent = 0; // from the top of the line to the baseline
        std::optional<ciku::PitchPattern> pitch;
    };

    qreal averageWidth() const;
    qreal textWidth(const QString &text) const;
    // How far the lines are drawn below the top edge: 0 unless a shown contour needs the room.
    qreal pitchInset() const;

    QList<Item> m_items;
    int m_line = 0;
    int m_space = 0;
    qreal m_x = 0;
    int m_pendingColumn = 1;
    bool m_placed = true; // the next write starts a new field
    QColor m_textColor = Qt::black;
    bool m_pressed = false;
    bool m_pitchShown = false;
};

// Writes a row and ends its line. An empty text only moves the write position to its column.
void writeRow(TextCanvas &canvas, const TextRow &row);
// Writes a row on one line: each field but the last is kept within the room up to the next
// field's column (a narrower size of the font when it is wider), so the next field never has to
// move to a line of its own. The last field runs on freely.
void writeRowInColumns(TextCanvas &canvas, const TextRow &row);
// Writes rows, each ended by a line break.
void writeRows(TextCanvas &canvas, const QList<TextRow> &rows);

// Runs writes on a scratch canvas with the size, font and colours of `like` (font when given)
// and draws it once off screen, then throws it away. The faces, glyph advances and glyph images
// those writes need are loaded then, so the same writes on `like` and its first paint find them
// ready. `like` itself is left as it is.
void rehearseWriting(const TextCanvas &like, const std::function<void(TextCanvas &)> &writes,
                     const std::optional<QFont> &font = std::nullopt);

} // namespace ui
