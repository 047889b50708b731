#include "simrecorder.h"

#include "model/simclock.h"
#include "server/faultinjector.h"
#include "server/framelog.h"
#include "server/simserver.h"

#include <QThread>

namespace xrsim {

SimRecorder::SimRecorder()
    : m_clock(std::make_unique<SimClock>()), m_log(std::make_unique<FrameLog>()),
      m_faults(std::make_unique<FaultInjector>())
{}

SimRecorder::~SimRecorder()
{
    stop();
}

bool SimRecorder::start(const SimConfig &config)
{
    stop();
    m_error.clear();
    m_thread = std::make_unique<QThread>();
    m_thread->setObjectName(QStringLiteral("xrsim"));
    m_log->clear();
    m_faults->clear();
    m_faults->setReplyDelay(config.scenario.replyDelayMs);
    m_server = new SimServer(config, *m_clock, *m_log, *m_faults);
    m_server->moveToThread(m_thread.get());
    m_thread->start();
    bool opened = false;
    QMetaObject::invokeMethod(
        m_server,
        [this, &opened] {
            opened = m_server->open(&m_error);
            m_ptyPath = m_server->ptyPath();
        },
        Qt::BlockingQueuedConnection);
    if (!opened)
        stop();
    return opened;
}

void SimRecorder::stop()
{
    if (!m_thread)
        return;
    SimServer *server = m_server;
    QMetaObject::invokeMethod(
        server, [server] { delete server; }, Qt::BlockingQueuedConnection);
    m_server = nullptr;
    m_thread->quit();
    m_thread->wait();
    m_thread.reset();
    m_ptyPath.clear();
}

bool SimRecorder::isRunning() const
{
    return m_server != nullptr;
}

QString SimRecorder::errorString() const
{
    return m_error;
}

QString SimRecorder::ptyPath() const
{
    return m_ptyPath;
}

void SimRecorder::dropReplies(int count)
{
    m_faults->dropReplies(count);
}

void SimRecorder::setReplyDelay(int ms)
{
    m_faults->setReplyDelay(ms);
}

void SimRecorder::corruptNextChecksum()
{
    m_faults->corruptNextChecksum();
}

void SimRecorder::overstateNextCount(int extra)
{
    m_faults->overstateNextCount(extra);
}

void SimRecorder::strayBeforeNextReply(const QHostAddress &from, const QByteArray &frame)
{
    m_faults->strayBeforeNextReply({from, frame});
}

void SimRecorder::lateNextReply(int ms)
{
    m_faults->lateNextReply(ms);
}

void SimRecorder::duplicateNextReply(int gapMs)
{
    m_faults->duplicateNextReply(gapMs);
}

void SimRecorder::forceReply(quint8 group, quint8 code, const QByteArray &raw, int times)
{
    m_faults->forceReply(group, code, raw, times);
}

void SimRecorder::clearFaults()
{
    m_faults->clear();
}

void SimRecorder::advanceClock(qint64 ms)
{
    m_clock->skip(ms);
}

QList<QByteArray> SimRecorder::receivedFrames() const
{
    return m_log->frames();
}

void SimRecorder::clearReceivedFrames()
{
    m_log->clear();
}

bool SimRecorder::waitForFrames(int count, int timeoutMs) const
{
    return m_log->waitForCount(count, timeoutMs);
}

} // namespace xrsim
