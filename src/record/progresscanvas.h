#pragma once

#include "record/progress.h"

#include <QWidget>

// The picture of the progress window, drawn with QPainter from a ProgressSummary: a bar per
// lesson and drill split into never practised / learning / known / due with the counts, the
// answers per day of the last 26 weeks as shaded squares, and today's figures. It draws on a
// fixed design area scaled to the widget, so it stays whole in a small window and sharp at any
// scale factor.
namespace record {

class ProgressCanvas : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDesignWidth = 1000;
    static constexpr int kDesignHeight = 690;

    explicit ProgressCanvas(QWidget *parent = nullptr);

    void setSummary(const ProgressSummary &summary);
    const ProgressSummary &summary() const { return m_summary; }

    QSize sizeHint() const override { return QSize(kDesignWidth, kDesignHeight); }

    // The colours of the four parts of a bar and of the calendar's shades (0 = no answer).
    static QColor standingColor(WordStanding standing);
    static QColor shadeFor(int count, int busiest);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawHeader(QPainter &p) const;
    void drawBars(QPainter &p) const;
    void drawBar(QPainter &p, const GroupBar &bar, const QRect &row) const;
    void drawCalendar(QPainter &p, const QPoint &origin) const;
    void drawToday(QPainter &p, const QPoint &origin) const;

    ProgressSummary m_summary;
};

} // namespace record
