#include "shell/comparewindow.h"

#include "ui/activelabel.h"
#include "ui/fonts.h"
#include "ui/textcanvas.h"

#include <QEvent>
#include <QFontMetrics>

#include <cmath>

namespace shell {
namespace {

const QColor kFill(244, 249, 198);
const QColor kText(83, 133, 208);
constexpr int kMargin = 10;
constexpr QSize kDesignSize(450, 245);

QFont comparisonFont()
{
    // Latin text in the face standing in for Century Gothic; kana from the Japanese CJK face,
    // whose kana all share one full width, so each small kana stands exactly under its
    // full-size form.
    QFont f = ui::designFont({QStringLiteral("Century Gothic")}, 12, true, ui::Fallback::Sans,
                             ui::TextLanguage::Japanese);
    // Kerning would pull a full-size kana towards its neighbour (し and や) but not the small
    // one, and the columns would drift apart by a fraction of a pixel at a time.
    f.setKerning(false);
    return f;
}

} // namespace

CompareWindow::CompareWindow(QWidget *parent) : SmallWindow(parent, kFill)
{
    setObjectName(QStringLiteral("eg"));

    m_canvas = new ui::TextCanvas(this);
    m_canvas->setObjectName(QStringLiteral("comparison"));
    m_canvas->setFont(comparisonFont());
    m_canvas->setBackgroundColor(kFill);
    m_canvas->setTextColor(kText);
    // The text covers most of the window; a double-click on it is a double-click on the window.
    closeOnDoubleClick(m_canvas);

    m_moveLabel = new ui::ActiveLabel(QStringLiteral("点此移动位置"), this);
    m_moveLabel->setObjectName(QStringLiteral("yidiong"));
    m_moveLabel->setToolTip(QStringLiteral("点击此处后可以移动窗体"));
    m_moveLabel->setCursor(Qt::PointingHandCursor);
    QPalette lp = m_moveLabel->palette();
    lp.setColor(QPalette::WindowText, QColor(150, 110, 40));
    m_moveLabel->setPalette(lp);
    connect(m_moveLabel, &ui::ActiveLabel::clicked, this, &CompareWindow::yidiong_Click);

    drawComparison();

    // The design size, grown when the fonts at hand draw the text wider or taller.
    const QFontMetricsF metrics(m_canvas->font());
    qreal widest = 0;
    for (const ui::TextRow &line : m_canvas->lines()) {
        for (const ui::PlacedText &field : line)
            widest =
                std::max(widest, m_canvas->columnX(field.column) + metrics.horizontalAdvance(field.text));
    }
    const int canvasWidth = static_cast<int>(std::ceil(widest)) + 4;
    const int canvasHeight = m_canvas->lineCount() * m_canvas->lineHeight() + 4;
    const QSize size(std::max(kDesignSize.width(), canvasWidth + 2 * kMargin),
                     std::max(kDesignSize.height(), canvasHeight + 2 * kMargin));
    setFixedSize(size);
    m_canvas->setGeometry(kMargin, kMargin, size.width() - 2 * kMargin, size.height() - 2 * kMargin);
    m_moveLabel->adjustSize();
    m_moveLabel->move(size.width() - m_moveLabel->width() - kMargin, kMargin);
    m_moveLabel->raise();
}

void CompareWindow::drawComparison()
{
    ui::TextCanvas &c = *m_canvas;
    c.clear();
    c.writeLine(QStringLiteral("拗音、促音与普通形式字形比较"));
    c.writeLine();
    c.writeLine(QStringLiteral("拗音:"));
    c.write(QStringLiteral("普通  "));
    c.write(QStringLiteral("しやう   しゆう   しよう"));
    c.writeAt(kKatakanaColumn, QStringLiteral("シヤウ    シユウ     シヨウ"));
    c.newLine();
    c.write(QStringLiteral("拗音  "));
    c.write(QStringLiteral("しゃう   しゅう   しょう"));
    c.writeAt(kKatakanaColumn, QStringLiteral("シャウ    シュウ     ショウ"));
    c.newLine();
    c.writeLine();
    c.writeLine(QStringLiteral("促音:"));
    c.write(QStringLiteral("普通  "));
    c.write(QStringLiteral("ツ"));
    c.nextZone();
    c.write(QStringLiteral("ポツト"));
    c.newLine();
    c.write(QStringLiteral("促音  "));
    c.write(QStringLiteral("ッ"));
    c.nextZone();
    c.write(QStringLiteral("ポット"));
    c.newLine();
    c.writeLine();
    c.writeLine(QStringLiteral("       由于电脑显示的限制，拗音，促音片假名不是很明显。"));
    c.writeLine(QStringLiteral("                        请大家在练习的时候注意区分！"));
    c.writeLine(QStringLiteral("                                        双击退出！"));
}

bool CompareWindow::isFramed() const
{
    return !(windowFlags() & Qt::FramelessWindowHint);
}

void CompareWindow::yidiong_Click()
{
    if (isFramed())
        return;
    // A fixed single-line frame with a title bar to drag the window by; the position stays.
    const QPoint at = pos();
    const bool shown = isVisible();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("拖动标题栏移动位置"));
    move(at);
    if (shown)
        show();
}

} // namespace shell
