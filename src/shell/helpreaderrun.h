#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QProcess;

namespace shell {

// One run of the help reader (cifan-helpreader) on a help file, without blocking: the reader's
// reply is collected as it comes, and finished() reports the outcome once the reader has ended,
// broken a limit or run out of time (helpprotocol::kTimeLimitMs). The reader is started only
// when its program is there and may be run, and it inherits no descriptor but its standard
// input, output and error.
class HelpReaderRun : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        Read,          // a complete reply from a reader that ended normally
        ReaderMissing, // no reader program, or one that may not be run
        Failed,        // the reader failed, crashed, ran out of time or said too much
    };
    Q_ENUM(Outcome)

    explicit HelpReaderRun(QObject *parent = nullptr);
    ~HelpReaderRun() override;

    // Whether the reader program (ChmFile::readerProgram()) is a file this user may run.
    static bool readerUsable();
    // Starts reading fileName; finished() follows, never before control is back in the event
    // loop.
    void start(const QString &fileName);
    bool isRunning() const { return m_running; }

Q_SIGNALS:
    void finished(shell::HelpReaderRun::Outcome outcome, const QByteArray &reply);

private:
    void takeOutput();
    void end(Outcome outcome);
    void stopReader();

    QProcess *m_process{nullptr};
    QTimer m_deadline;
    QList<QByteArray> m_pieces;
    qsizetype m_replySize = 0;
    bool m_running = false;
};

// Runs the reader and waits for it in a local event loop: for tools and tests, not for windows.
HelpReaderRun::Outcome readHelpFileWaiting(const QString &fileName, QByteArray &reply);

} // namespace shell
