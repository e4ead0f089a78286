#include "ui/fontpages.h"

#include <QEvent>
#include <QFile>
#include <QRegularExpression>

#include <sys/mman.h>

namespace ui {

std::optional<AddressRange> fontDataMapping(const QString &mapsLine)
{
    // start-end perms offset device inode path
    static const QRegularExpression line(
        QStringLiteral(R"(^([0-9a-f]+)-([0-9a-f]+)\s+r-[-x][ps]\s+\S+\s+\S+\s+\d+\s+(/\S.*?)\s*$)"));
    static const QRegularExpression fontData(
        QStringLiteral(R"((\.(ttc|otc|ttf|otf)|/fontconfig/[^/]+\.cache-\d+)$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = line.match(mapsLine);
    if (!m.hasMatch() || !fontData.match(m.captured(3)).hasMatch())
        return std::nullopt;
    bool okStart = false, okEnd = false;
    const AddressRange range{m.captured(1).toULongLong(&okStart, 16), m.captured(2).toULongLong(&okEnd, 16)};
    if (!okStart || !okEnd || range.end <= range.start)
        return std::nullopt;
    return range;
}

qint64 releaseFontPages()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    qint64 released = 0;
    for (const QByteArray &raw : maps.readAll().split('\n')) {
        if (const std::optional<AddressRange> r = fontDataMapping(QString::fromUtf8(raw))) {
            // Private read-only file pages: dropping them only means reading them again.
            if (madvise(reinterpret_cast<void *>(r->start), r->end - r->start, MADV_DONTNEED) == 0)
                released += qint64(r->end - r->start);
        }
    }
    return released;
}

FontPageReleaser::FontPageReleaser(int quietMs, QObject *parent) : QObject(parent)
{
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(quietMs);
    connect(&m_quiet, &QTimer::timeout, this, [] { releaseFontPages(); });
}

bool FontPageReleaser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint)
        m_quiet.start();
    return QObject::eventFilter(watched, event);
}

} // namespace ui
