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

    m_label8 = new QLabel(QStringLiteral("单\n词\n列\n表"), this);
    m_label8->setObjectName(QStringLiteral("Label8"));
    m_label8->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_label8->setGeometry(8, 112, 25, 113);
    m_label8->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The index list comes first so that it lies under the visible list; it is never shown.
    m_listno = new QListWidget(this);
    m_listno->setObjectName(QStringLiteral("Listno"));
    m_listno->setGeometry(40, 16, 153, 372);
    m_listno->setVisible(false);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List"));
    m_list->setGeometry(40, 3, 161, 388);
    m_list->setFont(ui::designFont({QStringLiteral("System")}, 12, true));
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            List_Click();
    });
    connect(m_list, &QListWidget::itemClicked, this, [this] { List_Click(); });

    m_showwords2 = new ui::TextCanvas(this);
    m_showwords2->setObjectName(QStringLiteral("showwords2"));
    m_showwords2->setGeometry(288, 72, 383, 245);
    m_showwords2->setFont(canvasFont());
    m_showwords2->setTextColor(kDetailColor);
    connect(m_showwords2, &ui::TextCanvas::clicked, this, &WordListView::clicked);
    connect(m_showwords2, &ui::TextCanvas::mousePressed, this, [this](Qt::MouseButton b, const QPoint &pos) {
        if (b == Qt::RightButton)
            Q_EMIT rightPressed(pos);
    });

    m_model1 = makeOrderOption("model1", QStringLiteral("按汉语(&A)"),
                               QStringLiteral("以汉语意思为第一项显示"), 304);
    m_model2 = makeOrderOption("model2", QStringLiteral("按假名(&S)"),
                               QStringLiteral("以假名形式为第一项显示"), 424);
    m_model3 = makeOrderOption("model3", QStringLiteral("按当汉(&D)"),
                               QStringLiteral("以当用汉字为第一项显示"), 536);
    m_model1->setChecked(true);

    m_command1 = new QPushButton(QStringLiteral("保存设置"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setToolTip(QStringLiteral("保存自己习惯的单词排列方式，以后都将按此方式显示。"));
    m_command1->setGeometry(636, 3, 66, 24);
    m_command1->setFocusPolicy(Qt::NoFocus);
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
    if (m_model3->isChecked())
        return ListOrder::Kanji;
    if (m_model2->isChecked())
        return ListOrder::Kana;
    return ListOrder::Chinese;
}

void WordListView::setOrder(ListOrder order)
{
    switch (order) {
    case ListOrder::Chinese:
        m_model1->setChecked(true);
        break;
    case ListOrder::Kana:
        m_model2->setChecked(true);
        break;
    case ListOrder::Kanji:
        m_model3->setChecked(true);
        break;
    }
}

void WordListView::showHints()
{
    m_showwords2->clear();
    writeRows(*m_showwords2, listHints());
}

void WordListView::clearAll()
{
    m_showwords2->clear();
    m_list->clear();
    m_listno->clear();
}

void WordListView::fill(ciku::WordRange range)
{
    m_showwords2->clear();
    m_list->clear();
    m_listno->clear();
    const ListOrder by = order();
    const ciku::Lexicon &table = ciku::lexicon();
    // The two lists are filled together, so position p of both belongs to the same word.
    for (int i = range.first; i <= range.last; ++i) {
        const ciku::WordEntry *word = table.entry(i);
        if (!word)
            continue;
        m_list->addItem(listEntryText(*word, by));
        m_listno->addItem(QString::number(i));
    }
    m_list->setFocus();
    if (m_list->count() > 0) {
        m_list->setCurrentRow(0); // draws the first detail through List_Click
    }
}

void WordListView::List_Click()
{
    m_showwords2->clear();
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_listno->count())
        return;
    m_geti = row;
    drawDetail(m_listno->item(row)->text().toInt());
}

void WordListView::drawDetail(int word)
{
    if (m_kanaFormat) {
        m_model1->setText(QStringLiteral("按平假(&A)"));
        m_model2->setText(QStringLiteral("按片假(&S)"));
        m_model3->setVisible(false);
    } else {
        m_model1->setText(QStringLiteral("按汉语(&A)"));
        m_model2->setText(QStringLiteral("按假名(&S)"));
        m_model3->setVisible(true);
    }
    const ciku::WordEntry *entry = ciku::lexicon().entry(word);
    if (!entry)
        return;
    writeRows(*m_showwords2, wordDetail(*entry, order(), m_kanaFormat));
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
