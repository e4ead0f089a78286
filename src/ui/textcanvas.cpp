#include "ui/textcanvas.h"

#include "ui/fonts.h"
#include "ui/offscreen.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ui {

TextCanvas::TextCanvas(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAutoFillBackground(true);
    setBackgroundColor(Qt::white);
}

void TextCanvas::clear()
{
    m_items.clear();
    m_line = 0;
    m_space = 0;
    m_x = 0;
    m_pendingColumn = 1;
    m_placed = true;
    update();
}

qreal TextCanvas::averageWidth() const
{
    const qreal w = QFontMetricsF(font()).averageCharWidth();
    return w > 0 ? w : 1;
}

qreal TextCanvas::textWidth(const QString &text) const
{
    return QFontMetricsF(font()).horizontalAdvance(text);
}

qreal TextCanvas::columnX(int column) const
{
    return (std::max(column, 1) - 1) * averageWidth();
}

int TextCanvas::lineHeight() const
{
    return std::max(1, QFontMetrics(font()).height());
}

void TextCanvas::tab(int column)
{
    column = std::max(column, 1);
    const qreal x = columnX(column);
    // Half a pixel of slack so that text ending exactly on the column does not wrap.
    if (m_x > x + 0.5) {
        ++m_line;
    }
    m_x = x;
    m_pendingColumn = column;
    m_placed = true;
}

void TextCanvas::nextZone()
{
    const qreal zone = kZoneWidth * averageWidth();
    const int nextZoneIndex = static_cast<int>(std::floor(m_x / zone + 1e-9)) + 1;
    m_x = nextZoneIndex * zone;
    m_pendingColumn = nextZoneIndex * kZoneWidth + 1;
    m_placed = true;
}

void TextCanvas::write(const QString &text)
{
    Item item;
    item.line = m_line;
    item.space = m_space;
    item.x = m_x;
    item.column = m_pendingColumn;
    item.continues = !m_placed;
    item.text = text;
    item.color = m_textColor;
    // Japanese in Japanese glyph forms, Chinese in Chinese ones: same collection, other face.
    item.font = inLanguage(font(), languageOf(text));
    item.ascent = QFontMetricsF(item.font).ascent();
    m_items.append(item);
    m_x += textWidth(text);
    m_placed = false;
    update();
}

QFont TextCanvas::fittedFont(const QString &text, qreal width) const
{
    QFont f = font();
    const qreal full = QFontMetricsF(f).horizontalAdvance(text);
    if (full <= width + 0.5 || width <= 0)
        return f;
    // Sizes do not scale widths exactly (hinting), so step down from the proportional size.
    const bool byPoints = f.pointSizeF() > 0;
    const qreal size = byPoints ? f.pointSizeF() : f.pixelSize();
    for (qreal scale = width / full; scale > 0.3; scale -= 0.02) {
        if (byPoints)
            f.setPointSizeF(size * scale);
        else
            f.setPixelSize(std::max(1, int(size * scale)));
        if (QFontMetricsF(f).horizontalAdvance(text) <= width + 0.5)
            break;
    }
    return f;
}

void TextCanvas::writeWithin(const QString &text, qreal width)
{
    const QFont fitted = inLanguage(fittedFont(text, width), languageOf(text));
    write(text);
    Item &item = m_items.last();
    if (fitted == item.font)
        return;
    item.font = fitted;
    m_x = item.x + QFontMetricsF(fitted).horizontalAdvance(text);
}

void TextCanvas::writeAt(int column, const QString &text)
{
    tab(column);
    write(text);
}

void TextCanvas::newLine()
{
    ++m_line;
    m_x = 0;
    m_pendingColumn = 1;
    m_placed = true;
}

void TextCanvas::addSpace(int pixels)
{
    m_space += pixels;
}

void TextCanvas::writeLine(const QString &text)
{
    if (!text.isEmpty())
        write(text);
    newLine();
}

void TextCanvas::setTextColor(const QColor &color)
{
    m_textColor = color;
}

void TextCanvas::setBackgroundColor(const QColor &color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

int TextCanvas::lineCount() const
{
    // The line under the write position counts once something stands on it.
    const bool openLine = !m_items.isEmpty() && m_items.last().line == m_line;
    return m_line + (openLine ? 1 : 0);
}

QList<TextRow> TextCanvas::lines() const
{
    QList<TextRow> out(lineCount());
    for (const Item &item : m_items) {
        TextRow &line = out[item.line];
        if (item.continues && !line.isEmpty())
            line.last().text += item.text;
        else
            line.append(PlacedText{item.column, item.text});
    }
    return out;
}

QStringList TextCanvas::textLines() const
{
    QStringList out;
    for (const TextRow &line : lines()) {
        QString s;
        for (const PlacedText &f : line) {
            const int start = f.column - 1;
            if (s.size() < start)
                s += QString(start - s.size(), u' ');
            else if (!s.isEmpty())
                s += u' ';
            s += f.text;
        }
        out << s;
    }
    return out;
}

void TextCanvas::markPitch(int column, QStringView kana, QStringView accent)
{
    const auto pattern = ciku::pitchPattern(kana, accent);
    if (!pattern)
        return;
    for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
        if (it->continues || it->column != column)
            continue;
        if (it->text == kana) {
            it->pitch = pattern;
            if (m_pitchShown)
                update();
        }
        return;
    }
}

void TextCanvas::setPitchContoursShown(bool shown)
{
    if (shown == m_pitchShown)
        return;
    m_pitchShown = shown;
    update();
}

qreal TextCanvas::pitchInset() const
{
    // A contour on the top line has no line above it to stand in: everything moves down just
    // enough to give it room.
    qreal inset = 0;
    if (!m_pitchShown)
        return inset;
    for (const Item &item : m_items) {
        if (item.line == 0 && item.pitch) {
            const PitchContour c =
                pitchContour(item.text, *item.pitch, item.font, QPointF(item.x, item.ascent));
            inset = std::max(inset, std::ceil(-c.bounds().top()));
        }
    }
    return inset;
}

QList<PitchContour> TextCanvas::pitchContours() const
{
    QList<PitchContour> out;
    if (!m_pitchShown)
        return out;
    const int h = lineHeight();
    const qreal inset = pitchInset();
    for (const Item &item : m_items) {
        if (item.pitch)
            out.append(pitchContour(item.text, *item.pitch, item.font,
                                    QPointF(item.x, inset + item.line * h + item.space + item.ascent),
                                    QRectF(rect())));
    }
    return out;
}

void TextCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int h = lineHeight();
    const qreal inset = pitchInset();
    for (const Item &item : m_items) {
        const qreal top = inset + item.line * h + item.space;
        if (top > height())
            continue;
        painter.setFont(item.font);
        painter.setPen(item.color);
        const QPointF origin(item.x, top + item.ascent);
        painter.drawText(origin, item.text);
        if (m_pitchShown && item.pitch)
            paintPitchContour(
                painter, pitchContour(item.text, *item.pitch, item.font, origin, QRectF(rect())), item.color);
    }
}

void TextCanvas::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    Q_EMIT mousePressed(event->button(), event->globalPosition().toPoint());
    event->accept();
}

void TextCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    m_pressed = false;
    event->accept();
}

void TextCanvas::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved();
    event->accept();
}

void writeRow(TextCanvas &canvas, const TextRow &row)
{
    for (const PlacedText &field : row) {
        canvas.tab(field.column);
        if (!field.text.isEmpty())
            canvas.write(field.text);
    }
    canvas.newLine();
}

void writeRowInColumns(TextCanvas &canvas, const TextRow &row)
{
    // Half a column stays free before the next field, so neighbours never touch.
    const qreal gap = canvas.columnX(2) / 2;
    for (qsizetype i = 0; i < row.size(); ++i) {
        const PlacedText &field = row[i];
        canvas.tab(field.column);
        if (field.text.isEmpty())
            continue;
        if (i + 1 < row.size())
            canvas.writeWithin(field.text,
                               canvas.columnX(row[i + 1].column) - canvas.columnX(field.column) - gap);
        else
            canvas.write(field.text);
    }
    canvas.newLine();
}

void writeRows(TextCanvas &canvas, const QList<TextRow> &rows)
{
    for (const TextRow &row : rows)
        writeRow(canvas, row);
}

void rehearseWriting(const TextCanvas &like, const std::function<void(TextCanvas &)> &writes,
                     const std::optional<QFont> &font)
{
    TextCanvas scratch;
    scratch.resize(like.size());
    scratch.setPalette(like.palette());
    scratch.setFont(font.value_or(like.font()));
    scratch.setTextColor(like.textColor());
    scratch.setPitchContoursShown(like.pitchContoursShown());
    writes(scratch);
    drawOffscreen(&scratch);
}

} // namespace ui
