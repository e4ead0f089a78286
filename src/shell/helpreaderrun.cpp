#include "shell/helpreaderrun.h"

#include "shell/chmfile.h"
#include "shell/helpprotocol.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef CLOSE_RANGE_CLOEXEC
#define CLOSE_RANGE_CLOEXEC (1U << 2)
#endif

namespace shell {
namespace {

namespace proto = helpprotocol;

// The most a sound reply can hold: every object at its limits, plus the framing.
constexpr qsizetype kMaxReplyBytes =
    qsizetype(proto::kMaxTotalBytes) + qsizetype(proto::kMaxObjects) * (8 + proto::kMaxPathBytes) + 64;

// Runs in the reader's process between fork and exec: every descriptor above standard error is
// closed by the exec (Qt's own start-report pipe is close-on-exec already and keeps working
// until then). Only async-signal-safe calls here.
void closeInheritedDescriptors()
{
#ifdef SYS_close_range
    if (::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
#endif
    struct rlimit limit {
    };
    rlim_t highest = 4096;
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        highest = limit.rlim_cur < 65536 ? limit.rlim_cur : 65536;
    for (int fd = 3; rlim_t(fd) < highest; ++fd)
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

} // namespace

HelpReaderRun::HelpReaderRun(QObject *parent) : QObject(parent)
{
    m_deadline.setSingleShot(true);
    m_deadline.setTimerType(Qt::PreciseTimer);
    connect(&m_deadline, &QTimer::timeout, this, [this] { end(Outcome::Failed); });
}

HelpReaderRun::~HelpReaderRun()
{
    stopReader();
}

void HelpReaderRun::stopReader()
{
    if (!m_process)
        return;
    // A QProcess deleted while its process runs waits for it; this one is killed and left to be
    // reaped when it has ended, so nothing here waits.
    QProcess *process = m_process;
    m_process = nullptr;
    process->disconnect(this);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
        return;
    }
    process->setParent(nullptr);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->kill();
}

bool HelpReaderRun::readerUsable()
{
    const QFileInfo reader(ChmFile::readerProgram());
    return reader.isFile() && reader.isExecutable();
}

void HelpReaderRun::start(const QString &fileName)
{
    m_running = true;
    m_pieces.clear();
    m_replySize = 0;
    // A failed QProcess start costs a descriptor (Qt 6.4), so a reader that cannot run is not
    // tried at all.
    if (!readerUsable()) {
        QTimer::singleShot(0, this, [this] { end(Outcome::ReaderMissing); });
        return;
    }
    m_process = new QProcess(this);
    m_process->setProgram(ChmFile::readerProgram());
    m_process->setArguments({fileName});
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    m_process->setChildProcessModifier(closeInheritedDescriptors);
    connect(m_process, &QProcess::readyReadStandardOutput, this, &HelpReaderRun::takeOutput);
    connect(m_process, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        takeOutput();
        end(status == QProcess::NormalExit && exitCode == proto::kExitOk && m_replySize <= kMaxReplyBytes
                ? Outcome::Read
                : Outcome::Failed);
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            end(Outcome::Failed);
    });
    m_deadline.start(proto::kTimeLimitMs);
    m_process->start();
}

void HelpReaderRun::takeOutput()
{
    if (!m_running || !m_process)
        return;
    // Kept in pieces: growing one array of tens of megabytes copies it again and again, which
    // would hold up the program; the pieces are joined once, for a reply within the limit.
    m_pieces.append(m_process->readAllStandardOutput());
    m_replySize += m_pieces.last().size();
    if (m_replySize > kMaxReplyBytes)
        end(Outcome::Failed); // more than a sound reply holds: the reader floods
}

void HelpReaderRun::end(Outcome outcome)
{
    if (!m_running)
        return;
    m_running = false;
    m_deadline.stop();
    stopReader();
    QByteArray reply;
    if (outcome == Outcome::Read) {
        reply.reserve(m_replySize);
        for (const QByteArray &piece : std::as_const(m_pieces))
            reply += piece;
    }
    m_pieces.clear();
    m_replySize = 0;
    Q_EMIT finished(outcome, reply);
}

HelpReaderRun::Outcome readHelpFileWaiting(const QString &fileName, QByteArray &reply)
{
    using Outcome = HelpReaderRun::Outcome;
    HelpReaderRun run;
    QEventLoop loop;
    Outcome outcome = Outcome::Failed;
    QObject::connect(&run, &HelpReaderRun::finished, &loop, [&](Outcome o, const QByteArray &r) {
        outcome = o;
        reply = r;
        loop.quit();
    });
    run.start(fileName);
    loop.exec();
    return outcome;
}

} // namespace shell
