#include "record/progresscanvas.h"

#include <QPainter>

#include <algorithm>

namespace record {

namespace {

constexpr int kMargin = 20;
constexpr int kBarsTop = 74;
constexpr int kRowHeight = 17;
constexpr int kRowsPerColumn = 25;
constexpr int kColumnWidth = 480;
constexpr int kLabelWidth = 56;
constexpr int kBarWidth = 230;
constexpr int kCell = 13;

QString barLabel(const GroupBar &bar)
{
    bool number = false;
    bar.label.toInt(&number);
    return number ? QStringLiteral("第") + bar.label + QStringLiteral("课") : bar.label;
}

QFont sized(QFont font, int pixels, bool bold = false)
{
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

ProgressCanvas::ProgressCanvas(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tubiao"));
    setMinimumSize(kDesignWidth / 2, kDesignHeight / 2);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProgressCanvas::setSummary(const ProgressSummary &summary)
{
    m_summary = summary;
    update();
}

QColor ProgressCanvas::standingColor(WordStanding standing)
{
    switch (standing) {
    case WordStanding::Never:
        return QColor(224, 224, 224);
    case WordStanding::Learning:
        return QColor(255, 192, 64);
    case WordStanding::Known:
        return QColor(64, 160, 72);
    case WordStanding::Due:
        return QColor(224, 64, 48);
    }
    return Qt::gray;
}

QColor ProgressCanvas::shadeFor(int count, int busiest)
{
    if (count <= 0 || busiest <= 0)
        return QColor(235, 237, 240);
    const int level = std::clamp((count * 4 + busiest - 1) / busiest, 1, 4);
    static const QColor shades[] = {QColor(190, 229, 180), QColor(123, 201, 111), QColor(35, 154, 59),
                                    QColor(25, 97, 39)};
    return shades[level - 1];
}

void ProgressCanvas::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    // The design area, scaled to fit and centred.
    const double scale = std::min(double(width()) / kDesignWidth, double(height()) / kDesignHeight);
    p.translate((width() - kDesignWidth * scale) / 2, (height() - kDesignHeight * scale) / 2);
    p.scale(scale, scale);
    drawHeader(p);
    drawBars(p);
    const int bottom = kBarsTop + kRowsPerColumn * kRowHeight + 20;
    drawCalendar(p, QPoint(kMargin, bottom));
    drawToday(p, QPoint(kMargin + 560, bottom));
}

void ProgressCanvas::drawHeader(QPainter &p) const
{
    p.setPen(Qt::black);
    p.setFont(sized(font(), 20, true));
    p.drawText(QRect(kMargin, 8, 400, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("各课单词掌握情况"));
    p.setFont(sized(font(), 13));
    p.drawText(QRect(kDesignWidth - kMargin - 400, 8, 400, 30), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("共记录 %1 次答题").arg(m_summary.totalAnswers));
    // Legend.
    const std::pair<WordStanding, QString> parts[] = {
        {WordStanding::Never, QStringLiteral("未练习")},
        {WordStanding::Learning, QStringLiteral("学习中")},
        {WordStanding::Known, QStringLiteral("已掌握（稳定度≥21天）")},
        {WordStanding::Due, QStringLiteral("现在到期")}};
    int x = kMargin;
    for (const auto &[standing, text] : parts) {
        p.fillRect(QRect(x, 48, 14, 14), standingColor(standing));
        p.drawText(QRect(x + 20, 42, 220, 26), Qt::AlignLeft | Qt::AlignVCenter, text);
        x += 20 + p.fontMetrics().horizontalAdvance(text) + 24;
    }
}

void ProgressCanvas::drawBars(QPainter &p) const
{
    p.setFont(sized(font(), 12));
    for (int i = 0; i < m_summary.bars.size(); ++i) {
        const int column = i / kRowsPerColumn;
        const int row = i % kRowsPerColumn;
        drawBar(p, m_summary.bars[i],
                QRect(kMargin + column * (kColumnWidth + 20), kBarsTop + row * kRowHeight, kColumnWidth,
                      kRowHeight));
    }
}

void ProgressCanvas::drawBar(QPainter &p, const GroupBar &bar, const QRect &row) const
{
    p.setPen(Qt::black);
    p.drawText(QRect(row.left(), row.top(), kLabelWidth, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
               barLabel(bar));
    const QRect area(row.left() + kLabelWidth, row.top() + 3, kBarWidth, row.height() - 5);
    const int total = std::max(bar.total(), 1);
    const std::pair<WordStanding, int> parts[] = {{WordStanding::Known, bar.known},
                                                  {WordStanding::Learning, bar.learning},
                                                  {WordStanding::Due, bar.due},
                                                  {WordStanding::Never, bar.never}};
    int x = area.left();
    int done = 0;
    for (const auto &[standing, count] : parts) {
        done += count;
        const int right = area.left() + area.width() * done / total;
        if (right > x)
            p.fillRect(QRect(x, area.top(), right - x, area.height()), standingColor(standing));
        x = right;
    }
    p.setPen(QColor(160, 160, 160));
    p.drawRect(area.adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    p.drawText(QRect(area.right() + 8, row.top(), kColumnWidth - kLabelWidth - kBarWidth - 8, row.height()),
               Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("未练%1 学习%2 掌握%3 到期%4")
                   .arg(bar.never)
                   .arg(bar.learning)
                   .arg(bar.known)
                   .arg(bar.due));
}

void ProgressCanvas::drawCalendar(QPainter &p, const QPoint &origin) const
{
    p.setPen(Qt::black);
    p.setFont(sized(font(), 14, true));
    p.drawText(QRect(origin.x(), origin.y(), 500, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("最近26周每天的答题数"));
    p.setFont(sized(font(), 11));
    const int left = origin.x() + 22;
    const int top = origin.y() + 40;
    const QString weekdays[] = {QStringLiteral("一"), QStringLiteral("三"), QStringLiteral("五"),
                                QStringLiteral("日")};
    const int weekdayRows[] = {0, 2, 4, 6};
    for (int i = 0; i < 4; ++i)
        p.drawText(QRect(origin.x(), top + weekdayRows[i] * kCell, 18, kCell), Qt::AlignCenter, weekdays[i]);
    int lastMonth = -1;
    for (int i = 0; i < m_summary.calendarCounts.size(); ++i) {
        const int week = i / 7;
        const int day = i % 7;
        const QDate date = m_summary.calendarStart.addDays(i);
        if (day == 0 && date.month() != lastMonth) {
            lastMonth = date.month();
            p.setPen(Qt::black);
            p.drawText(QRect(left + week * kCell, top - 16, 40, 14), Qt::AlignLeft | Qt::AlignVCenter,
                       QStringLiteral("%1月").arg(date.month()));
        }
        const int count = m_summary.calendarCounts[i];
        if (count < 0)
            continue;
        p.fillRect(QRect(left + week * kCell, top + day * kCell, kCell - 2, kCell - 2),
                   shadeFor(count, m_summary.busiestDay));
    }
    // Shade legend.
    const int legendTop = top + 7 * kCell + 6;
    p.setPen(Qt::black);
    p.drawText(QRect(left, legendTop, 30, kCell), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("少"));
    for (int level = 0; level <= 4; ++level)
        p.fillRect(QRect(left + 24 + level * kCell, legendTop + 1, kCell - 2, kCell - 2),
                   shadeFor(level == 0 ? 0 : level, 4));
    p.drawText(QRect(left + 24 + 5 * kCell + 4, legendTop, 30, kCell), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("多"));
    p.drawText(QRect(left + 24 + 5 * kCell + 30, legendTop, 260, kCell), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("（最多的一天 %1 次）").arg(m_summary.busiestDay));
}

void ProgressCanvas::drawToday(QPainter &p, const QPoint &origin) const
{
    const TodayFigures &t = m_summary.today;
    p.setPen(Qt::black);
    p.setFont(sized(font(), 14, true));
    p.drawText(QRect(origin.x(), origin.y(), 400, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("今天"));
    p.setFont(sized(font(), 13));
    const auto percent = t.rightPercent();
    const QStringList lines{
        QStringLiteral("已答题：%1 次").arg(t.answered),
        QStringLiteral("答对：") + (percent ? QStringLiteral("%1%").arg(*percent) : QStringLiteral("—")),
        QStringLiteral("现在到期：%1 个单词").arg(t.dueNow),
        QStringLiteral("明天到期：%1 个单词").arg(t.dueTomorrow),
        QStringLiteral("期望记忆率：%1").arg(m_summary.desiredRetention, 0, 'f', 2),
    };
    for (int i = 0; i < lines.size(); ++i)
        p.drawText(QRect(origin.x(), origin.y() + 28 + i * 22, 400, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   lines[i]);
}

} // namespace record
