#pragma once

// The state of one practice run in the practice window, kept apart from its widgets. The
// window reads it; nothing reads state back from a label.
namespace practice {

class PracticeSession
{
public:
    // A question has been drawn ("出题") since the window was loaded.
    void markDrawn() { m_drawn = true; }
    // An answer has been checked ("验证") since the window was loaded.
    void markChecked() { m_checked = true; }

    bool drawn() const { return m_drawn; }
    bool checked() const { return m_checked; }
    // Practice has begun once a question has been drawn and an answer checked; only then does
    // leaving the window ask whether to keep it.
    bool begun() const { return m_drawn && m_checked; }

private:
    bool m_drawn = false;
    bool m_checked = false;
};

} // namespace practice
