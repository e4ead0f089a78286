#include "study/headerrow.h"

#include "study/studylayout.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/textcanvas.h"

#include <QLabel>

namespace study {
namespace {

QLabel *header(QWidget *row, const char *name, const QString &caption, const QFont &font, const QColor &color)
{
    auto *label = new QLabel(caption, row);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui::setTextColor(label, color);
    return label;
}

} // namespace

HeaderRow::HeaderRow(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Framelabel"));
    // The named faces where the system has them, else the closest CJK face: a round sans for
    // 幼圆, a serif for the brush and script faces.
    using ui::designFont;
    using ui::Fallback;
    m_japaneseHeader =
        header(this, "Label1", QStringLiteral("日语"),
               designFont({QStringLiteral("幼圆"), QStringLiteral("YouYuan")}, 12, true, Fallback::Sans),
               QColor(0, 192, 0));
    m_readingHeader = header(
        this, "Label2", QStringLiteral("发音"),
        designFont({QStringLiteral("方正舒体"), QStringLiteral("FZShuTi")}, 14.25, false, Fallback::Serif),
        QColor(128, 64, 64));
    m_accentHeader =
        header(this, "Label3", QStringLiteral("音调"),
               designFont({QStringLiteral("隶书"), QStringLiteral("LiSu")}, 14.25, false, Fallback::Serif),
               QColor(128, 0, 128));
    m_posHeader = header(
        this, "Label5", QStringLiteral("词性"),
        designFont({QStringLiteral("楷体_GB2312"), QStringLiteral("KaiTi")}, 12, false, Fallback::Serif),
        QColor(0, 0, 192));
    m_meaningHeader = header(
        this, "Label4", QStringLiteral("汉语意思"),
        designFont({QStringLiteral("华文行楷"), QStringLiteral("STXingkai")}, 12, false, Fallback::Serif),
        QColor(128, 128, 0));
}

void HeaderRow::setKanaFormat(bool kanaFormat)
{
    m_japaneseHeader->setText(kanaFormat ? QStringLiteral("平假名") : QStringLiteral("日语"));
    m_readingHeader->setText(kanaFormat ? QStringLiteral("片假名") : QStringLiteral("发音"));
}

void HeaderRow::alignTo(const ui::TextCanvas &canvas)
{
    const QList<QPair<QLabel *, int>> columns = {{m_japaneseHeader, kColumnJapanese},
                                                 {m_readingHeader, kColumnReading},
                                                 {m_accentHeader, kColumnAccent},
                                                 {m_posHeader, kColumnPartOfSpeech},
                                                 {m_meaningHeader, kColumnChinese}};
    for (const auto &[label, column] : columns) {
        label->adjustSize();
        const int x = canvas.x() + qRound(canvas.columnX(column)) - this->x();
        label->setGeometry(x, 0, label->width(), height());
    }
}

} // namespace study
