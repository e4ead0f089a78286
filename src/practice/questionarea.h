#pragma once

#include "lexicon/pitchaccent.h"
#include "practice/practiceview.h"

#include <QFont>
#include <QMap>
#include <QObject>
#include <QPixmap>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QWidget;

namespace ui {
class ActiveLabel;
class PitchLabelOverlay;
class TextCanvas;
} // namespace ui

namespace practice {

// The word on screen, placed on the practice window's surface: the question and answer labels
// with the part of speech, kanji form and accent above them, the hint and remark lines, the
// input box, the picture box and the Japanese-to-Chinese answer panel `showwords2`. It shows
// what the practice view says and reads nothing back.
class QuestionArea : public QObject
{
    Q_OBJECT

public:
    // programPath turns a path in the program folder (the pictures) into a full one.
    QuestionArea(QWidget *surface, std::function<QString(const QString &)> programPath);

    // The labels and their colours, and which of the boxes the direction and pace use.
    void showView(const PracticeView &view, Direction direction, Pace pace);

    QLineEdit *input() const { return m_input; }
    ui::ActiveLabel *picture() const { return m_picture; }
    ui::TextCanvas *answerPanel() const { return m_answerPanel; }
    // The pitch contour over the kana of the answer label, once the answer can be read, and over
    // the kana of the answer panel.
    void setPitchContoursShown(bool shown);
    ui::PitchLabelOverlay *answerContour() const { return m_answerContour; }

    // Readies what the first questions and answers draw, before the learner asks for them: the
    // word list, the pictures decoded, and the kana drawn once in the faces of the answer and
    // the input box, so that their glyphs are cached.
    void warmUp();

private:
    void showPicture(Picture picture);
    // The picture's file decoded, once; a null pixmap when the file is missing.
    QPixmap pictureFor(Picture picture);
    // Printed anew only when its content changed.
    void showAnswerPanel(const PracticeView &view);

    std::function<QString(const QString &)> m_programPath;
    Picture m_shownPicture = Picture::None;
    QMap<Picture, QPixmap> m_decoded;
    PanelText m_printedText = PanelText::Nothing;
    int m_printedWord = 0;
    bool m_contoursShown = false;
    std::optional<ciku::PitchPattern> m_answerPattern; // of the answer on screen, when readable

    QFont m_wordFont;                 // the question's and answer's size, shrunk for a text too long for it
    QLabel *m_questionLabel{nullptr}; // china
    QLabel *m_answerLabel{nullptr};   // japan
    QLabel *m_partOfSpeechLabel{nullptr};   // cixing
    QLabel *m_kanjiLabel{nullptr};          // lbldanghan
    QLabel *m_accentLabel{nullptr};         // tone
    QLabel *m_reasonLabel{nullptr};         // why
    QLabel *m_hintLabel{nullptr};           // tishi
    QLabel *m_remarkLabel{nullptr};         // note
    QLineEdit *m_input{nullptr};            // txtinput
    ui::ActiveLabel *m_picture{nullptr};    // pic
    ui::TextCanvas *m_answerPanel{nullptr}; // showwords2
    ui::PitchLabelOverlay *m_answerContour{nullptr};
};

} // namespace practice
