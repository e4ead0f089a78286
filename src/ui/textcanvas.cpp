#include "ui/textcanvas.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

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
    item.x = m_x;
    item.column = m_pendingColumn;
    item.continues = !m_placed;
    item.text = text;
    item.color = m_textColor;
    item.font = font();
    m_items.append(item);
    m_x += textWidth(text);
    m_placed = false;
    update();
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

void TextCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int h = lineHeight();
    for (const Item &item : m_items) {
        const int top = item.line * h;
        if (top > height())
            continue;
        painter.setFont(item.font);
        painter.setPen(item.color);
        painter.drawText(QPointF(item.x, top + QFontMetricsF(item.font).ascent()), item.text);
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

void writeRows(TextCanvas &canvas, const QList<TextRow> &rows)
{
    for (const TextRow &row : rows)
        writeRow(canvas, row);
}

} // namespace ui
