// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/faultinjector.h"

#include "wire/frame.h"

#include <QMutexLocker>

namespace xrsim {

namespace {
int ForcedKey(quint8 group, quint8 code)
{
    return group << 8 | code;
}
} // namespace

QByteArray ReplyPlan::Shape(const QByteArray &frame) const
{
    QByteArray bytes = frame;
    if (bytes.size() < 3)
        return bytes;
    const int last = int(bytes.size()) - 1;
    if (extraCount > 0) {
        // Only the count lies: the checksum still matches the bytes sent.
        const int count = qMin((bytes.at(0) & 0x0F) + extraCount, Frame::kMaxData);
        bytes[0] = char((bytes.at(0) & 0xF0) | count);
        bytes[last] = char(Frame::Checksum(bytes, last));
    }
    if (corruptChecksum)
        bytes[last] = char(~bytes.at(last));
    return bytes;
}

void FaultInjector::DropReplies(int count)
{
    QMutexLocker lock(&mutex);
    dropCount = qMax(count, 0);
}

void FaultInjector::SetReplyDelay(int ms)
{
    QMutexLocker lock(&mutex);
    delayMs = qMax(ms, 0);
}

void FaultInjector::CorruptNextChecksum()
{
    QMutexLocker lock(&mutex);
    corrupt = true;
}

void FaultInjector::OverstateNextCount(int extra)
{
    QMutexLocker lock(&mutex);
    extraCount = qMax(extra, 0);
}

void FaultInjector::StrayBeforeNextReply(const StrayFrame &stray)
{
    QMutexLocker lock(&mutex);
    this->stray = stray;
}

void FaultInjector::LateNextReply(int ms)
{
    QMutexLocker lock(&mutex);
    lateMs = qMax(ms, 0);
}

void FaultInjector::DuplicateNextReply(int gapMs)
{
    QMutexLocker lock(&mutex);
    duplicateMs = qMax(gapMs, 0);
}

void FaultInjector::ForceReply(quint8 group, quint8 code, const QByteArray &raw, int times)
{
    QMutexLocker lock(&mutex);
    if (times == 0)
        forced.remove(ForcedKey(group, code));
    else
        forced.insert(ForcedKey(group, code), {raw, times});
}

void FaultInjector::Clear()
{
    QMutexLocker lock(&mutex);
    dropCount = 0;
    delayMs = 0;
    lateMs = 0;
    duplicateMs = -1;
    corrupt = false;
    extraCount = 0;
    stray.reset();
    forced.clear();
}

std::optional<QByteArray> FaultInjector::TakeForcedReply(quint8 group, quint8 code)
{
    QMutexLocker lock(&mutex);
    const auto it = forced.find(ForcedKey(group, code));
    if (it == forced.end())
        return std::nullopt;
    const QByteArray raw = it->raw;
    if (it->remaining > 0 && --it->remaining == 0)
        forced.erase(it);
    return raw;
}

ReplyPlan FaultInjector::TakeReplyPlan()
{
    QMutexLocker lock(&mutex);
    ReplyPlan plan;
    if (dropCount > 0) {
        // The one-shot faults wait for the next reply that is really sent.
        --dropCount;
        plan.drop = true;
        return plan;
    }
    plan.delayMs = delayMs + lateMs;
    plan.corruptChecksum = corrupt;
    plan.extraCount = extraCount;
    plan.duplicateAfterMs = duplicateMs;
    plan.stray = stray;
    lateMs = 0;
    duplicateMs = -1;
    corrupt = false;
    extraCount = 0;
    stray.reset();
    return plan;
}

} // namespace xrsim
