#include "practice/questionarea.h"

#include "lexicon/lexicon.h"
#include "practice/answerpanel.h"
#include "ui/activelabel.h"
#include "ui/colors.h"
#include "ui/fonts.h"
#include "ui/pitchlabeloverlay.h"
#include "ui/textcanvas.h"
#include "ui/twips.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace practice {
namespace {

const QColor kWordFill(255, 255, 255);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kPurple(192, 0, 192);
const QColor kGrey(128, 128, 128);

// The answer panel's right edge, in twips: it ends where the answer label does, before the
// wrong-word list.
constexpr int kPanelRight = 8400;

using ui::place;

QLabel *label(QWidget *parent, const char *name, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

// Shrinks a word label's font from its design size until the text fits on one line inside the
// frame, so that a long meaning or greeting is shown whole instead of cut off at both ends.
void fitToWidth(QLabel *label, const QFont &designFont)
{
    constexpr qreal kSmallestPoints = 9;
    const int room = label->contentsRect().width() - 4;
    // A Japanese word in the Japanese face of the collection, a Chinese one in the Chinese face.
    QFont font = ui::inLanguage(designFont, ui::languageOf(label->text()));
    while (font.pointSizeF() > kSmallestPoints && QFontMetrics(font).horizontalAdvance(label->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    if (font != label->font())
        label->setFont(font);
}

QColor lookColor(AnswerLook look, QLabel *label)
{
    switch (look) {
    case AnswerLook::Plain:
        break;
    case AnswerLook::Hidden:
        return ui::fillColor(label);
    case AnswerLook::Learning:
        return kBlue;
    case AnswerLook::Wrong:
        return kRed;
    case AnswerLook::Revealed:
        return kPurple;
    }
    return Qt::black;
}

} // namespace

QuestionArea::QuestionArea(QWidget *s, std::function<QString(const QString &)> programPath)
    : QObject(s), m_programPath(std::move(programPath))
{
    const QFont small = ui::designFont({QStringLiteral("宋体"), QStringLiteral("SimSun")}, 10.5);
    m_wordFont = ui::designFont({QStringLiteral("宋体"), QStringLiteral("SimSun")}, 16, true);

    m_partOfSpeechLabel = label(s, "cixing", QStringLiteral("显示词性"));
    place(m_partOfSpeechLabel, 240, 1980, 2250, 300);
    m_kanjiLabel = label(s, "lbldanghan", QStringLiteral("显示当用汉字"));
    place(m_kanjiLabel, 4440, 1980, 2250, 300);
    m_accentLabel = label(s, "tone", QStringLiteral("显示音调"));
    place(m_accentLabel, 6840, 1980, 1560, 300);
    for (QLabel *l : {m_partOfSpeechLabel, m_kanjiLabel, m_accentLabel})
        l->setFont(small);

    m_questionLabel = label(s, "china", QStringLiteral("这里将显示汉语（题目）"));
    place(m_questionLabel, 240, 2310, 3960, 780);
    m_answerLabel = label(s, "japan", QStringLiteral("这里将显示日语（答案）"));
    place(m_answerLabel, 4440, 2310, 3960, 780);
    for (QLabel *l : {m_questionLabel, m_answerLabel}) {
        l->setFont(m_wordFont);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        ui::setFillColor(l, kWordFill);
        ui::setTextColor(l, Qt::black);
    }
    m_answerContour = new ui::PitchLabelOverlay(m_answerLabel);

    m_picture = new ui::ActiveLabel(QString(), s);
    m_picture->setObjectName(QStringLiteral("pic"));
    place(m_picture, 240, 3210, 2400, 2400);
    m_picture->setAlignment(Qt::AlignCenter);

    m_input = new QLineEdit(QStringLiteral("请在此输入假名"), s);
    m_input->setObjectName(QStringLiteral("txtinput"));
    m_input->setMaxLength(ciku::kWordBoxMaxLength);
    place(m_input, 4440, 3240, 3960, 510);
    // The learner types kana here: the Japanese face.
    m_input->setFont(ui::designFont({QStringLiteral("宋体"), QStringLiteral("SimSun")}, 15, false,
                                    ui::Fallback::Sans, ui::TextLanguage::Japanese));

    // Why a wrong answer is wrong, in grey under the input box; the hint and remark lines below.
    m_reasonLabel = label(s, "why", QString());
    place(m_reasonLabel, 4440, 3765, 3960, 300);
    m_reasonLabel->setFont(small);
    m_reasonLabel->setTextFormat(Qt::RichText);
    ui::setTextColor(m_reasonLabel, kGrey);
    m_hintLabel = label(s, "tishi", QStringLiteral("   此部分显示提示信息"));
    place(m_hintLabel, 4440, 4080, 3960, 300);
    m_hintLabel->setFont(small);
    m_remarkLabel = label(s, "note", QString());
    place(m_remarkLabel, 4440, 4410, 3960, 540);
    m_remarkLabel->setFont(ui::designFont({QStringLiteral("宋体"), QStringLiteral("SimSun")}, 15, true));

    m_answerPanel = new ui::TextCanvas(s);
    m_answerPanel->setObjectName(QStringLiteral("showwords2"));
    place(m_answerPanel, 2200, 3210, 6200, 2790);
    m_answerPanel->hide();
}

void QuestionArea::showView(const PracticeView &v, Direction direction, Pace pace)
{
    m_questionLabel->setText(v.question);
    m_answerLabel->setText(v.answer);
    fitToWidth(m_questionLabel, m_wordFont);
    fitToWidth(m_answerLabel, m_wordFont);
    ui::setTextColor(m_answerLabel, lookColor(v.look, m_answerLabel));
    ui::setTextColor(m_questionLabel, lookColor(v.meaningLook, m_questionLabel));
    // The contour follows the answer only once it can be read (never over a hidden answer).
    m_answerPattern = v.look == AnswerLook::Hidden ? std::nullopt : ciku::pitchPattern(v.answer, v.accent);
    m_answerContour->setPattern(m_contoursShown ? m_answerPattern : std::nullopt);
    m_kanjiLabel->setText(v.kanji);
    m_kanjiLabel->setVisible(v.kanjiShown);
    m_accentLabel->setText(v.accent);
    m_accentLabel->setVisible(v.accentShown);
    m_partOfSpeechLabel->setText(v.partOfSpeech);
    m_hintLabel->setText(v.hintText);
    m_remarkLabel->setText(v.remark);
    m_reasonLabel->setText(v.why);
    showPicture(v.picture);

    // The picture, the input box and the hint serve typed answers only, the answer panel the
    // Japanese-to-Chinese practice.
    const bool normal = pace == Pace::Normal;
    const bool chineseToJapanese = direction == Direction::ChineseToJapanese;
    m_picture->setVisible(normal && chineseToJapanese);
    m_input->setVisible(normal && chineseToJapanese);
    m_hintLabel->setVisible(normal && chineseToJapanese);
    m_reasonLabel->setVisible(normal && chineseToJapanese);
    m_remarkLabel->setVisible(chineseToJapanese);
    m_answerPanel->setVisible(normal && !chineseToJapanese);
    showAnswerPanel(v);
}

void QuestionArea::setPitchContoursShown(bool shown)
{
    m_contoursShown = shown;
    m_answerContour->setPattern(shown ? m_answerPattern : std::nullopt);
    m_answerPanel->setPitchContoursShown(shown);
}

void QuestionArea::showAnswerPanel(const PracticeView &v)
{
    // Printed anew only when its content changed.
    if (v.panelText == m_printedText && v.panelWord == m_printedWord)
        return;
    m_printedText = v.panelText;
    m_printedWord = v.panelWord;
    m_answerPanel->clear();
    // The left edge moves: the help text starts further left than the revealed word.
    const int left = v.panelText == PanelText::Help ? kHelpPanelLeft : kAnswerPanelLeft;
    m_answerPanel->setGeometry(ui::twips(left), m_answerPanel->y(), ui::twips(kPanelRight - left),
                               m_answerPanel->height());
    if (v.panelText == PanelText::Help) {
        for (const QString &line : rihanHelpLines())
            m_answerPanel->writeLine(line);
    } else if (v.panelText == PanelText::Word) {
        ciku::fillLexicon();
        if (const ciku::WordEntry *word = ciku::lexicon().entry(v.panelWord)) {
            const QList<ui::TextRow> rows = answerPanelRows(*word);
            for (qsizetype i = 0; i < rows.size(); ++i) {
                ui::writeRow(*m_answerPanel, rows[i]);
                if (i == 0) // the kana
                    m_answerPanel->markPitch(kAnswerValueColumn, word->kana, word->accent);
            }
        }
    }
}

void QuestionArea::warmUp()
{
    ciku::fillLexicon();
    for (Picture picture : {Picture::Start, Picture::Right, Picture::Wrong})
        pictureFor(picture);
    // Every kana, a line at a time, in the faces a typed answer is shown in.
    QString kana;
    for (char16_t c = 0x3041; c <= 0x3096; ++c)
        kana.append(QChar(c));
    for (char16_t c = 0x30A1; c <= 0x30FA; ++c)
        kana.append(QChar(c));
    kana.append(QChar(0x30FC));
    constexpr int kPerLine = 24;
    const QFont faces[] = {ui::inLanguage(m_wordFont, ui::TextLanguage::Japanese), m_input->font()};
    QPixmap scratch(kPerLine * 32, 48);
    QPainter painter(&scratch);
    for (const QFont &face : faces) {
        painter.setFont(face);
        for (qsizetype at = 0; at < kana.size(); at += kPerLine)
            painter.drawText(0, 32, kana.mid(at, kPerLine));
    }
}

QPixmap QuestionArea::pictureFor(Picture picture)
{
    if (const auto found = m_decoded.constFind(picture); found != m_decoded.constEnd())
        return *found;
    const char *file = nullptr;
    switch (picture) {
    case Picture::None:
        return QPixmap();
    case Picture::Start:
        file = "pic/start.jpg";
        break;
    case Picture::Right:
        file = "pic/right.jpg";
        break;
    case Picture::Wrong:
        file = "pic/wrong.jpg";
        break;
    }
    const QString path = m_programPath(QString::fromLatin1(file));
    const QPixmap decoded = QFile::exists(path) ? QPixmap(path) : QPixmap();
    m_decoded.insert(picture, decoded);
    return decoded;
}

void QuestionArea::showPicture(Picture picture)
{
    if (picture == m_shownPicture)
        return;
    m_shownPicture = picture;
    // A missing picture leaves the box as it is.
    if (const QPixmap shown = pictureFor(picture); !shown.isNull())
        m_picture->setPixmap(shown);
}

} // namespace practice
