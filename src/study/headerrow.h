#pragma once

#include <QFrame>

class QLabel;

namespace ui {
class TextCanvas;
}

namespace study {

// The row of column headers over the print view (the group Framelabel): "日语", "发音", "音调",
// "词性" and "汉语意思", each in its own face and colour, each standing exactly over its column
// of the canvas.
class HeaderRow : public QFrame
{
    Q_OBJECT

public:
    explicit HeaderRow(QWidget *parent = nullptr);

    // The first two headers name the hiragana and katakana columns of the katakana drill.
    void setKanaFormat(bool kanaFormat);
    // Puts each header at the left edge of its column on canvas (a sibling of this row).
    void alignTo(const ui::TextCanvas &canvas);

private:
    QLabel *m_japaneseHeader;
    QLabel *m_readingHeader;
    QLabel *m_accentHeader;
    QLabel *m_posHeader;
    QLabel *m_meaningHeader;
};

} // namespace study
