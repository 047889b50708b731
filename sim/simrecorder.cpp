// SPDX-License-Identifier: GPL-3.0-or-later
#include "simrecorder.h"

#include "model/simclock.h"
#include "server/framelog.h"
#include "server/simserver.h"

#include <QThread>

namespace xrsim {

SimRecorder::SimRecorder()
    : clock(std::make_unique<SimClock>()), log(std::make_unique<FrameLog>()),
      faults(std::make_unique<FaultInjector>()), truth(std::make_unique<TruthLog>())
{}

SimRecorder::~SimRecorder()
{
    Stop();
}

bool SimRecorder::Start(const SimConfig &config)
{
    Stop();
    error.clear();
    thread = std::make_unique<QThread>();
    thread->setObjectName(QStringLiteral("xrsim"));
    log->Clear();
    faults->Clear();
    truth->SetEnabled(false);
    truth->Clear();
    faults->SetReplyDelay(config.scenario.replyDelayMs);
    server = new SimServer(config, *clock, *log, *faults, *truth);
    server->moveToThread(thread.get());
    thread->start();
    bool opened = false;
    QMetaObject::invokeMethod(
        server,
        [this, &opened] {
            opened = server->Open(&error);
            ptyPath = server->PtyPath();
        },
        Qt::BlockingQueuedConnection);
    if (!opened)
        Stop();
    return opened;
}

void SimRecorder::Stop()
{
    if (!thread)
        return;
    SimServer *closing = server;
    QMetaObject::invokeMethod(
        closing, [closing] { delete closing; }, Qt::BlockingQueuedConnection);
    server = nullptr;
    thread->quit();
    thread->wait();
    thread.reset();
    ptyPath.clear();
}

bool SimRecorder::IsRunning() const
{
    return server != nullptr;
}

QString SimRecorder::ErrorString() const
{
    return error;
}

QString SimRecorder::PtyPath() const
{
    return ptyPath;
}

void SimRecorder::DropReplies(int count)
{
    faults->DropReplies(count);
}

void SimRecorder::SetReplyDelay(int ms)
{
    faults->SetReplyDelay(ms);
}

void SimRecorder::CorruptNextChecksum()
{
    faults->CorruptNextChecksum();
}

void SimRecorder::OverstateNextCount(int extra)
{
    faults->OverstateNextCount(extra);
}

void SimRecorder::StrayBeforeNextReply(const QHostAddress &from, const QByteArray &frame)
{
    faults->StrayBeforeNextReply({from, frame});
}

void SimRecorder::LateNextReply(int ms)
{
    faults->LateNextReply(ms);
}

void SimRecorder::DuplicateNextReply(int gapMs)
{
    faults->DuplicateNextReply(gapMs);
}

void SimRecorder::ForceReply(quint8 group, quint8 code, const QByteArray &raw, int times)
{
    faults->ForceReply(group, code, raw, times);
}

void SimRecorder::LoseNextReplyByte(int index)
{
    faults->LoseNextReplyByte(index);
}

void SimRecorder::BreakNextReplyByte(int index)
{
    faults->BreakNextReplyByte(index);
}

void SimRecorder::SplitNextReply(int gapMs)
{
    faults->SplitNextReply(gapMs);
}

void SimRecorder::Vanish(int ms)
{
    faults->Vanish(ms);
}

void SimRecorder::SetRandomFaults(double rate, quint32 seed)
{
    faults->SetRandomFaults(rate, seed);
}

std::array<int, size_t(Fault::Count)> SimRecorder::FaultCounts() const
{
    return faults->Counts();
}

void SimRecorder::ClearFaults()
{
    faults->Clear();
}

void SimRecorder::RecordTruth(bool on)
{
    truth->SetEnabled(on);
}

QList<TruthEntry> SimRecorder::TakeTruth()
{
    return truth->Take();
}

void SimRecorder::AdvanceClock(qint64 ms)
{
    clock->Skip(ms);
}

QList<QByteArray> SimRecorder::ReceivedFrames() const
{
    return log->Frames();
}

void SimRecorder::ClearReceivedFrames()
{
    log->Clear();
}

bool SimRecorder::WaitForFrames(int count, int timeoutMs) const
{
    return log->WaitForCount(count, timeoutMs);
}

QStringList SimRecorder::ReplayDepartures() const
{
    return server ? server->ReplayDepartures() : QStringList();
}

} // namespace xrsim
