#pragma once

#include "record/memory.h"
#include "record/progress.h"
#include "record/recordstore.h"

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace ui {
class Interaction;
}

// The program's learning record as the windows use it: opened on first use from the settings
// folder, answers written as they are judged, and every trouble with the file told once in a
// message while practice goes on as before.
namespace record {

class LearningRecord
{
public:
    using Clock = std::function<qint64()>; // UTC milliseconds now

    LearningRecord(const QString &settingsDir, ui::Interaction &interaction);
    ~LearningRecord();

    // Records one judged answer (its time is set here). Troubles are told once, over parent.
    void recordAnswer(QWidget *parent, Answer answer);

    // Opens the store when that has not been tried yet, telling troubles over parent. True when
    // answers can be read and written.
    bool ensureOpen(QWidget *parent);
    RecordStore &store() { return *m_store; }
    // Opens the store ahead of its first use (creating the file takes a while) and tells
    // nothing: a trouble is told at the first use, as if the store had been opened then.
    void openAhead() { m_store->open(); }

    double desiredRetention() const;
    // Saves a new desired retention; false when the file could not be written.
    bool setDesiredRetention(double value);

    // The figures of the progress window.
    ProgressSummary summary(QWidget *parent);
    // The words a review asks now, most overdue first; when there are none, nothingDue holds
    // the message to show.
    QList<int> dueWords(QWidget *parent, QString *nothingDue);

    QString settingsDir() const { return m_settingsDir; }
    qint64 now() const { return m_clock(); }
    // Test seam: the clock answers are stamped with and due dates are measured from.
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The messages told for each trouble.
    static QString busyText();
    static QString damagedText(const QString &movedTo);
    static QString unwritableText();
    static QString newerText();

private:
    void tellOnce(QWidget *parent, const QString &text);

    QString m_settingsDir;
    ui::Interaction &m_interaction;
    std::unique_ptr<RecordStore> m_store;
    Clock m_clock;
    bool m_opened = false;
    bool m_told = false;
};

} // namespace record
