#include "ui/pitchcontour.h"

#include "ui/settingsfile.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>

namespace ui {

QRectF PitchContour::bounds() const
{
    QRectF r;
    for (const QLineF &l : highLines)
        r |= QRectF(l.p1(), l.p2()).normalized();
    if (fall)
        r |= QRectF(fall->p1(), fall->p2()).normalized();
    const QPointF half(particleRadius, particleRadius);
    r |= QRectF(particleCentre - half, particleCentre + half);
    return r.adjusted(-penWidth / 2, -penWidth / 2, penWidth / 2, penWidth / 2);
}

PitchContour pitchContour(const QString &kana, const ciku::PitchPattern &pattern, const QFont &font,
                          QPointF origin, const QRectF &bounds)
{
    PitchContour c;
    const QStringList morae = ciku::splitMorae(kana);
    if (morae.size() != pattern.moraCount())
        return c;

    const QFontMetricsF fm(font);
    const qreal em = std::max<qreal>(4, fm.height());
    c.penWidth = std::max<qreal>(1, em / 16);
    const qreal gap = std::max<qreal>(1, em / 8);
    const qreal drop = em * 0.35;
    c.particleRadius = std::max<qreal>(1.5, em * 0.12);
    c.moraHigh = pattern.moraHigh;
    c.particleHigh = pattern.particleHigh;

    // The top of the kana (a full-height kana is the reference, so every word of a font takes
    // the same level), then a small gap and half the pen above it.
    const QRectF ink = fm.tightBoundingRect(QStringLiteral("あ")) | fm.tightBoundingRect(kana);
    c.highY = origin.y() + ink.top() - gap - c.penWidth / 2;
    // A high particle's circle reaches above the line by its radius.
    const qreal above = c.penWidth / 2 + (pattern.particleHigh ? c.particleRadius : 0);
    if (bounds.isValid() && c.highY - above < bounds.top())
        c.highY = bounds.top() + above;
    c.lowY = c.highY + drop;

    // Mora edges from the advances of the prefixes, so kerning and fallback fonts are honoured.
    QList<qreal> edges{origin.x()};
    QString prefix;
    for (const QString &mora : morae) {
        prefix += mora;
        edges.append(origin.x() + fm.horizontalAdvance(prefix));
    }
    for (qsizetype i = 0; i < morae.size(); ++i)
        c.morae.append(QRectF(QPointF(edges[i], c.highY), QPointF(edges[i + 1], c.lowY)));

    // A line over each run of high morae, kept a little inside the word's outer edges.
    const qreal inset = em * 0.06;
    for (qsizetype i = 0; i < morae.size();) {
        if (!pattern.moraHigh[i]) {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < morae.size() && pattern.moraHigh[end])
            ++end;
        const qreal left = i == 0 ? edges[0] + inset : edges[i];
        const qreal right = end == morae.size() ? edges[end] - inset : edges[end];
        c.highLines.append(QLineF(left, c.highY, right, c.highY));
        i = end;
    }
    if (pattern.fallAfter > 0) {
        const qreal x = pattern.fallAfter == morae.size() ? edges.last() - inset : edges[pattern.fallAfter];
        c.fall = QLineF(x, c.highY, x, c.lowY);
    }

    qreal cx = edges.last() + gap + c.particleRadius + c.penWidth;
    if (bounds.isValid())
        cx = std::min(cx, bounds.right() - c.particleRadius - c.penWidth);
    c.particleCentre = QPointF(cx, pattern.particleHigh ? c.highY : c.lowY);
    return c;
}

void paintPitchContour(QPainter &painter, const PitchContour &contour, const QColor &color)
{
    if (contour.morae.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(color, contour.penWidth);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const QLineF &line : contour.highLines)
        painter.drawLine(line);
    if (contour.fall)
        painter.drawLine(*contour.fall);
    painter.drawEllipse(contour.particleCentre, contour.particleRadius, contour.particleRadius);
    painter.restore();
}

bool readPitchContourShown(const QString &path)
{
    const auto line = SettingsLine::load(path);
    return line && line->fieldCount() == 1 && line->plainNumber(0) == 1;
}

SaveResult writePitchContourShown(const QString &path, bool shown)
{
    return writeSettingsFile(path, {SettingsValue(static_cast<long long>(shown ? 1 : 0))});
}

} // namespace ui
