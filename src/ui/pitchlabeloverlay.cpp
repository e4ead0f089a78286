#include "ui/pitchlabeloverlay.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>

namespace ui {

PitchLabelOverlay::PitchLabelOverlay(QLabel *label) : QWidget(label), m_label(label)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(label->rect());
    label->installEventFilter(this);
    hide();
}

void PitchLabelOverlay::setPattern(const std::optional<ciku::PitchPattern> &pattern)
{
    m_pattern = pattern;
    setVisible(contour().has_value());
    update();
}

std::optional<PitchContour> PitchLabelOverlay::contour() const
{
    if (!m_pattern)
        return std::nullopt;
    const QString text = m_label->text();
    if (static_cast<int>(ciku::splitMorae(text).size()) != m_pattern->moraCount())
        return std::nullopt;
    // Where QLabel puts a one-line text: centred in the contents rectangle on both axes.
    const QFontMetricsF fm(m_label->font());
    const QRectF room = QRectF(m_label->contentsRect());
    const qreal width = fm.horizontalAdvance(text);
    const QPointF origin(room.left() + (room.width() - width) / 2,
                         room.top() + (room.height() - fm.height()) / 2 + fm.ascent());
    return pitchContour(text, *m_pattern, m_label->font(), origin, room);
}

void PitchLabelOverlay::paintEvent(QPaintEvent *)
{
    const auto c = contour();
    if (!c)
        return;
    QPainter painter(this);
    paintPitchContour(painter, *c, m_label->palette().color(m_label->foregroundRole()));
}

bool PitchLabelOverlay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_label && event->type() == QEvent::Resize)
        setGeometry(m_label->rect());
    return QWidget::eventFilter(watched, event);
}

} // namespace ui
