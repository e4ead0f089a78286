#include "study/wordlistview.h"

#include "lexicon/lexicon.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/textcanvas.h"

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace study {
namespace {

const QColor kDetailColor(0, 128, 128);

} // namespace

WordListView::WordListView(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("framelist"));
    setFrameShape(QFrame::NoFrame);

    m_caption = new QLabel(QStringLiteral("单\n词\n列\n表"), this);
    m_caption->setObjectName(QStringLiteral("Label8"));
    m_caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_caption->setGeometry(8, 112, 25, 113);
    m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The index list comes first so that it lies under the visible list; it is never shown.
    m_indexList = new QListWidget(this);
    m_indexList->setObjectName(QStringLiteral("Listno"));
    m_indexList->setGeometry(40, 16, 153, 372);
    m_indexList->setVisible(false);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List"));
    m_list->setGeometry(40, 3, 161, 388);
    m_list->setFont(ui::designFont({QStringLiteral("System")}, 12, true));
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            List_Click();
    });
    connect(m_list, &QListWidget::itemClicked, this, [this] { List_Click(); });

    m_detailArea = new ui::TextCanvas(this);
    m_detailArea->setObjectName(QStringLiteral("showwords2"));
    m_detailArea->setGeometry(288, 72, 383, 245);
    m_detailArea->setFont(canvasFont());
    m_detailArea->setTextColor(kDetailColor);
    connect(m_detailArea, &ui::TextCanvas::clicked, this, &WordListView::clicked);
    connect(m_detailArea, &ui::TextCanvas::mousePressed, this, [this](Qt::MouseButton b, const QPoint &pos) {
        if (b == Qt::RightButton)
            Q_EMIT rightPressed(pos);
    });

    m_byChinese = makeOrderOption("model1", QStringLiteral("按汉语(&A)"),
                                  QStringLiteral("以汉语意思为第一项显示"), 304);
    m_byKana = makeOrderOption("model2", QStringLiteral("按假名(&S)"),
                               QStringLiteral("以假名形式为第一项显示"), 424);
    m_byKanji = makeOrderOption("model3", QStringLiteral("按当汉(&D)"),
                                QStringLiteral("以当用汉字为第一项显示"), 536);
    m_byChinese->setChecked(true);

    m_saveOrderButton = new QPushButton(QStringLiteral("保存设置"), this);
    m_saveOrderButton->setObjectName(QStringLiteral("Command1"));
    m_saveOrderButton->setToolTip(QStringLiteral("保存自己习惯的单词排列方式，以后都将按此方式显示。"));
    m_saveOrderButton->setGeometry(636, 3, 66, 24);
    m_saveOrderButton->setFocusPolicy(Qt::NoFocus);
}

QRadioButton *WordListView::makeOrderOption(const char *name, const QString &caption, const QString &tip,
                                            int left)
{
    auto *option = new QRadioButton(caption, this);
    option->setObjectName(QString::fromLatin1(name));
    option->setToolTip(tip);
    option->setGeometry(left, 2, 100, 25);
    connect(option, &QRadioButton::toggled, this, [this](bool checked) {
        if (!checked)
            return;
        // The new order names the entries from the next list start on; nothing is redrawn now.
        Q_EMIT orderChosen();
        m_list->setFocus();
    });
    return option;
}

ListOrder WordListView::order() const
{
    if (m_byKanji->isChecked())
        return ListOrder::Kanji;
    if (m_byKana->isChecked())
        return ListOrder::Kana;
    return ListOrder::Chinese;
}

void WordListView::setOrder(ListOrder order)
{
    switch (order) {
    case ListOrder::Chinese:
        m_byChinese->setChecked(true);
        break;
    case ListOrder::Kana:
        m_byKana->setChecked(true);
        break;
    case ListOrder::Kanji:
        m_byKanji->setChecked(true);
        break;
    }
}

void WordListView::showHints()
{
    m_detailArea->clear();
    ui::writeRows(*m_detailArea, listHints());
}

void WordListView::clearAll()
{
    m_detailArea->clear();
    m_list->clear();
    m_indexList->clear();
    m_words.clear();
}

void WordListView::fill(ciku::WordRange range)
{
    m_detailArea->clear();
    m_list->clear();
    m_indexList->clear();
    m_words.clear();
    const ListOrder by = order();
    const ciku::Lexicon &table = ciku::lexicon();
    // The two lists are filled together, so position p of both belongs to the same word.
    for (int i = range.first; i <= range.last; ++i) {
        const ciku::WordEntry *word = table.entry(i);
        if (!word)
            continue;
        m_list->addItem(listEntryText(*word, by));
        m_indexList->addItem(QString::number(i));
        m_words.append(i);
    }
    m_list->setFocus();
    if (m_list->count() > 0) {
        m_list->setCurrentRow(0); // draws the first detail through List_Click
    }
}

void WordListView::List_Click()
{
    m_detailArea->clear();
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_words.size())
        return;
    m_selectedRow = row;
    drawDetail(m_words[row]);
}

void WordListView::drawDetail(int word)
{
    if (m_kanaFormat) {
        m_byChinese->setText(QStringLiteral("按平假(&A)"));
        m_byKana->setText(QStringLiteral("按片假(&S)"));
        m_byKanji->setVisible(false);
    } else {
        m_byChinese->setText(QStringLiteral("按汉语(&A)"));
        m_byKana->setText(QStringLiteral("按假名(&S)"));
        m_byKanji->setVisible(true);
    }
    const ciku::WordEntry *entry = ciku::lexicon().entry(word);
    if (!entry)
        return;
    for (const ui::TextRow &row : wordDetail(*entry, order(), m_kanaFormat)) {
        ui::writeRow(*m_detailArea, row);
        // The kana line of the normal format carries the contour; the kana drill shows no accent.
        if (!m_kanaFormat)
            m_detailArea->markPitch(ui::kDetailValueColumn, entry->kana, entry->accent);
    }
}

void WordListView::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    if (event->button() == Qt::RightButton)
        Q_EMIT rightPressed(event->globalPosition().toPoint());
    event->accept();
}

void WordListView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    m_pressed = false;
    event->accept();
}

} // namespace study
