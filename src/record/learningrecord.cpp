#include "record/learningrecord.h"

#include "record/retention.h"
#include "ui/interaction.h"

#include <QDateTime>
#include <QDir>

namespace record {

LearningRecord::LearningRecord(const QString &settingsDir, ui::Interaction &interaction)
    : m_settingsDir(settingsDir), m_interaction(interaction),
      m_store(std::make_unique<RecordStore>(QDir(settingsDir).filePath(RecordStore::kFileName))),
      m_clock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
}

LearningRecord::~LearningRecord() = default;

QString LearningRecord::busyText()
{
    return QStringLiteral("另一个正在运行的词帆正在使用学习记录，这个词帆的答题不会被记录。练习照常进行。");
}

QString LearningRecord::damagedText(const QString &movedTo)
{
    return QStringLiteral("学习记录文件已损坏，已改名保存为：\n") + QDir::toNativeSeparators(movedTo) +
           QStringLiteral("\n新的学习记录已经建立。");
}

QString LearningRecord::unwritableText()
{
    return QStringLiteral("学习记录无法写入（磁盘已满或文件夹只读），答题不会被记录。练习照常进行。");
}

QString LearningRecord::newerText()
{
    return QStringLiteral("学习记录来自更新版本的词帆，本程序不会改动它，答题不会被记录。");
}

void LearningRecord::tellOnce(QWidget *parent, const QString &text)
{
    if (m_told)
        return;
    m_told = true;
    m_interaction.message(parent, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(), text});
}

bool LearningRecord::ensureOpen(QWidget *parent)
{
    if (!m_opened) {
        m_opened = true;
        const RecordStore::State state = m_store->open();
        if (!m_store->movedAside().isEmpty())
            m_interaction.message(parent, ui::Message{ui::Icon::Warning, ui::Buttons::Ok, QString(),
                                                      damagedText(m_store->movedAside())});
        switch (state) {
        case RecordStore::State::Busy:
            tellOnce(parent, busyText());
            break;
        case RecordStore::State::Newer:
            tellOnce(parent, newerText());
            break;
        case RecordStore::State::Unwritable:
            tellOnce(parent, unwritableText());
            break;
        case RecordStore::State::Open:
        case RecordStore::State::Closed:
            break;
        }
    }
    return m_store->state() == RecordStore::State::Open;
}

void LearningRecord::recordAnswer(QWidget *parent, Answer answer)
{
    if (!ensureOpen(parent))
        return;
    answer.atMs = m_clock();
    if (!m_store->append(answer) && m_store->state() == RecordStore::State::Unwritable)
        tellOnce(parent, unwritableText());
}

double LearningRecord::desiredRetention() const
{
    return readRetention(QDir(m_settingsDir).filePath(kRetentionFile.section(u'/', 1)));
}

bool LearningRecord::setDesiredRetention(double value)
{
    return writeRetention(QDir(m_settingsDir).filePath(kRetentionFile.section(u'/', 1)), value);
}

ProgressSummary LearningRecord::summary(QWidget *parent)
{
    ensureOpen(parent);
    const qint64 now = m_clock();
    const QDate today = QDateTime::fromMSecsSinceEpoch(now).toLocalTime().date();
    const QDate from = today.addDays(-7 * kCalendarWeeks);
    return summarize(m_store->memories(), m_store->dayCounts(from),
                     m_store->answeredSince(today.startOfDay().toMSecsSinceEpoch()), m_store->answerCount(),
                     now, today, desiredRetention());
}

QList<int> LearningRecord::dueWords(QWidget *parent, QString *nothingDue)
{
    ensureOpen(parent);
    const MemoryBook book = m_store->memories();
    const double retention = desiredRetention();
    const qint64 now = m_clock();
    QList<int> due = dueForReview(book, now, retention);
    if (due.isEmpty() && nothingDue)
        *nothingDue = nothingDueText(nextDueMs(book, now, retention));
    return due;
}

} // namespace record
