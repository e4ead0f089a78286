#pragma once

#include "practice/modepanel.h"

namespace practice {

// The Japanese-to-Chinese practice's button panel `Framerihan` ("添加错题"): a word is drawn,
// its meaning recalled, then revealed on the answer panel `showwords2` and, if it was not known,
// added to the wrong-word list; the list's words can be drilled.
class RecallPanel : public ModePanel
{
    Q_OBJECT

public:
    explicit RecallPanel(QWidget *parent = nullptr);
};

} // namespace practice
