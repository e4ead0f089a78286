#include "study/mottobanner.h"

#include "ui/activelabel.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/interaction.h"
#include "ui/offscreen.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

namespace study {
namespace {

constexpr qreal kMottoPoints = 27.75;
constexpr qreal kMinMottoPoints = 8;
constexpr qreal kMottoPointStep = 0.25;

ui::ActiveLabel *makeLine(QWidget *canvas, const char *name)
{
    auto *label = new ui::ActiveLabel(QString(), canvas);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(QStringLiteral("双击此处即可自行设置警句"));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A brush-script face where the system has one, else the closest CJK serif.
    label->setFont(ui::designFont({QStringLiteral("华文行楷"), QStringLiteral("STXingkai")}, kMottoPoints,
                                  false, ui::Fallback::Serif));
    ui::setTextColor(label, QColor(0, 128, 0));
    return label;
}

} // namespace

qreal fittingMottoPoints(int widthAtDesignSize)
{
    if (widthAtDesignSize <= MottoBanner::kRightEdge)
        return kMottoPoints;
    const qreal exact = kMottoPoints * MottoBanner::kRightEdge / widthAtDesignSize;
    // Down to the size steps a font menu offers, never below the smallest readable size.
    return std::max(kMinMottoPoints, std::floor(exact / kMottoPointStep) * kMottoPointStep);
}

QString visibleMottoTail(const QString &line, const QFontMetricsF &smallest, qreal room)
{
    // Tails of doubling length are measured until one is wider than the room; all of them
    // together cost about twice the last one.
    for (qsizetype take = 128;; take *= 2) {
        take = std::min(take, kMaxShownMottoUnits);
        if (take >= line.size())
            return line;
        if (take < kMaxShownMottoUnits && smallest.horizontalAdvance(line.right(take)) <= room)
            continue;
        // The tail begins at a character boundary, so that no half of a surrogate pair and no
        // mark without its letter stands at its start; a few units before it tell whether its
        // first unit begins a character.
        constexpr qsizetype kContext = 8;
        const qsizetype before = std::min(kContext, line.size() - take);
        const QString piece = line.right(take + before);
        QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, piece);
        boundaries.setPosition(before);
        if (!boundaries.isAtBoundary())
            boundaries.toNextBoundary();
        const qsizetype start = boundaries.position();
        return start > 0 && start < piece.size() ? piece.mid(start) : line.right(take);
    }
}

MottoBanner::MottoBanner(QWidget *canvas, QWidget *dialogOwner, ui::Interaction &interaction,
                         QString filePath, QString readPath)
    : QObject(canvas), m_owner(dialogOwner), m_interaction(interaction), m_path(std::move(filePath)),
      m_readPath(std::move(readPath)), m_firstLine(makeLine(canvas, "lblpome1")),
      m_secondLine(makeLine(canvas, "lblpome2"))
{
    m_firstLine->move(kRightEdge, 0);
    m_secondLine->move(kRightEdge, 0);
    connect(m_firstLine, &ui::ActiveLabel::doubleClicked, this, &MottoBanner::lblpome1_DblClick);
    connect(m_secondLine, &ui::ActiveLabel::doubleClicked, this, &MottoBanner::lblpome2_DblClick);
    connect(m_firstLine, &ui::ActiveLabel::rightPressed, this, &MottoBanner::rightPressed);
    connect(m_secondLine, &ui::ActiveLabel::rightPressed, this, &MottoBanner::rightPressed);
}

void MottoBanner::setCaption(ui::ActiveLabel *label, const QString &text)
{
    // The label keeps its right edge and grows or shrinks to the left with its text.
    const int right = label->x() + label->width();
    label->setText(text);
    label->adjustSize();
    label->move(right - label->width(), label->y());
}

void MottoBanner::setLines(const settings::Motto &motto)
{
    // A line wider than the canvas would lose its start past the left edge; the pair is made
    // smaller instead, both lines alike. Text width grows in step with the font size, so the
    // size that fits follows from the width at the design size; laying out a long line is slow,
    // so it is laid out at most three times (design size, computed size, one step smaller),
    // and of a line that cannot stand whole even at the smallest size only the tail that can
    // be seen is laid out.
    m_motto = motto;
    QFont smallest = m_firstLine->font();
    smallest.setPointSizeF(kMinMottoPoints);
    const QFontMetricsF metrics(smallest);
    const QString first = visibleMottoTail(motto.first, metrics, kRightEdge);
    const QString second = visibleMottoTail(motto.second, metrics, kRightEdge);
    const auto layOut = [&](qreal size) {
        for (ui::ActiveLabel *label : {m_firstLine, m_secondLine}) {
            QFont f = label->font();
            f.setPointSizeF(size);
            label->setFont(f);
        }
        setCaption(m_firstLine, first);
        setCaption(m_secondLine, second);
        return std::max(m_firstLine->width(), m_secondLine->width());
    };
    // A line that is cut could not stand whole at any size; as much of it as can be seen is shown.
    if (first.size() != motto.first.size() || second.size() != motto.second.size()) {
        layOut(kMinMottoPoints);
        return;
    }
    const int designWidth = layOut(kMottoPoints);
    if (designWidth <= kRightEdge)
        return;
    const qreal size = fittingMottoPoints(designWidth);
    if (layOut(size) > kRightEdge && size > kMinMottoPoints)
        layOut(size - kMottoPointStep);
}

void MottoBanner::placeSecond()
{
    QFont f = m_secondLine->font();
    f.setPointSizeF(m_firstLine->font().pointSizeF());
    m_secondLine->setFont(f);
    m_secondLine->adjustSize();
    const int right = kRightEdge;
    m_secondLine->move(right - m_secondLine->width(), m_firstLine->y() + m_firstLine->height());
}

void MottoBanner::load()
{
    m_firstLine->move(kRightEdge - m_firstLine->width(), 0);
    setLines(settings::readMotto(m_readPath));
    placeSecond();
}

void MottoBanner::rehearseLoad() const
{
    QWidget canvas;
    canvas.resize(m_firstLine->parentWidget()->size());
    canvas.setPalette(m_firstLine->parentWidget()->palette());
    MottoBanner twin(&canvas, m_owner, m_interaction, m_path, m_readPath);
    twin.load();
    ui::drawOffscreen(&canvas);
}

void MottoBanner::setVisible(bool visible)
{
    m_firstLine->setVisible(visible);
    m_secondLine->setVisible(visible);
}

void MottoBanner::lblpome1_DblClick()
{
    const QString title = ui::kAppTitle;
    // Only a complete pair replaces the lines. A cancelled or empty answer leaves both the lines
    // on show and the saved pair as they were, rather than storing half a motto that would bring
    // back the default lines at the next opening.
    const auto first = m_interaction.input(m_owner, QStringLiteral("请输入上句"), title, QString());
    if (!first || first->isEmpty())
        return;
    const auto second = m_interaction.input(m_owner, QStringLiteral("请输入下句"), title, QString());
    if (!second || second->isEmpty())
        return;
    const settings::Motto motto{settings::storedMottoLine(*first), settings::storedMottoLine(*second)};
    setLines(motto);
    placeSecond();
    if (const ui::SaveResult written = settings::writeMotto(m_path, motto); !written)
        tellNotSaved(QStringLiteral("警句没有保存：无法写入文件 sous/pome.dll（%1）。\n"
                                    "新警句只在本次显示，下次打开时不会保留。")
                         .arg(written.cause()));
    else
        Q_EMIT saved();
}

void MottoBanner::lblpome2_DblClick()
{
    setLines(settings::defaultMotto());
    // The first line may have grown back from a smaller size; the second stays under it.
    placeSecond();
    if (!settings::removeSettingsFile(m_path))
        tellNotSaved(QStringLiteral("无法删除文件 sous/pome.dll，默认警句只在本次显示，"
                                    "下次打开时仍显示保存的警句。"));
}

void MottoBanner::tellNotSaved(const QString &text)
{
    m_interaction.message(m_owner, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(), text});
}

} // namespace study
