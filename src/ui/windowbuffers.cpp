#include "ui/windowbuffers.h"

#include "ui/fontpages.h"
#include "ui/processmemory.h"

#include <QAbstractButton>
#include <QBackingStore>
#include <QEvent>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QSet>
#include <QTextDocument>
#include <QWidget>

namespace ui {

bool prepareWindowBuffer(QWidget *window)
{
    QBackingStore *store = window->isWindow() ? window->backingStore() : nullptr;
    if (!store || window->size().isEmpty() || store->size() == window->size())
        return false;
    store->resize(window->size());
    prefaultSharedPixelBuffers();
    return true;
}

int drawGlyphsAhead(QWidget *window, const std::function<void()> &between)
{
    constexpr qsizetype kGlyphsAtATime = 8;
    // At the window's resolution, so that the faces drawn are the ones its paint uses.
    QImage scratch(512, 64, QImage::Format_RGB32);
    scratch.setDotsPerMeterX(qRound(window->logicalDpiX() / 0.0254));
    scratch.setDotsPerMeterY(qRound(window->logicalDpiY() / 0.0254));
    QSet<QString> drawn; // a face's key and a character
    int count = 0;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const auto *label = qobject_cast<const QLabel *>(w);
        const auto *button = qobject_cast<const QAbstractButton *>(w);
        const QString text = label ? label->text() : button ? button->text() : QString();
        if (text.isEmpty() || !w->isVisibleTo(window) || (label && Qt::mightBeRichText(text)))
            continue;
        const QFont font = w->font();
        const QString key = font.key();
        QString fresh;
        for (qsizetype i = 0; i < text.size(); ++i) {
            // A character outside the basic plane is two units, kept together.
            const qsizetype units = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString character = text.mid(i, units);
            i += units - 1;
            if (character.at(0).isSpace() || drawn.contains(key + character))
                continue;
            drawn.insert(key + character);
            fresh += character;
        }
        const qreal baseline = QFontMetricsF(font).ascent();
        qsizetype at = 0;
        while (at < fresh.size()) {
            qsizetype n = std::min(kGlyphsAtATime, fresh.size() - at);
            if (fresh.at(at + n - 1).isHighSurrogate() && at + n < fresh.size())
                ++n;
            QPainter painter(&scratch);
            painter.setFont(font);
            painter.drawText(QPointF(0, baseline), fresh.mid(at, n));
            painter.end();
            at += n;
            count += int(n);
            if (between)
                between();
        }
    }
    return count;
}

bool WindowBufferPreparer::eventFilter(QObject *watched, QEvent *event)
{
    // A window is shown with its native window created and its size set; the buffer Qt would make
    // at the first paint is made now at that size, and the first paint finds it the right size.
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto *window = static_cast<QWidget *>(watched);
    if (prepareWindowBuffer(window) && m_fontPages && m_fontPages->paintFaultBudget() > 0) {
        // A few new glyphs bring in about a megabyte of a CJK face's neighbourhoods.
        constexpr long kFaultsBetweenReleases = 16;
        m_fontPages->settle(m_fontPages->paintFaultBudget());
        drawGlyphsAhead(window, [this] { m_fontPages->settle(kFaultsBetweenReleases); });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
