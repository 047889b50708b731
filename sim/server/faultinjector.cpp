// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/faultinjector.h"

#include "wire/frame.h"

#include <QMutexLocker>

#include <iterator>

namespace xrsim {

namespace {

int ForcedKey(quint8 group, quint8 code)
{
    return group << 8 | code;
}

// The faults of the random mode: within the wait, past it, twice, spoilt.
constexpr int kRandomDelayMs = 50;
constexpr int kRandomLateMs = 300;
constexpr int kRandomDuplicateGapMs = 20;
constexpr int kRandomGapMs = 10;
const QHostAddress kStrayHost(QStringLiteral("127.0.0.2"));
const QByteArray kStrayFrame("\x10\x01\x11", 3);

// What the random mode chooses from: a datagram cannot lose a byte.
constexpr Fault kDatagramFaults[] = {Fault::Dropped,    Fault::Delayed,     Fault::Late,
                                     Fault::Duplicated, Fault::BadChecksum, Fault::Overstated,
                                     Fault::Stray};
constexpr Fault kSerialFaults[] = {
    Fault::Dropped,    Fault::Delayed, Fault::Late,     Fault::Duplicated, Fault::BadChecksum,
    Fault::Overstated, Fault::Stray,   Fault::LostByte, Fault::WrongByte,  Fault::Pieces};

constexpr const char *kFaultNames[] = {
    "dropped", "delayed", "late",      "duplicated", "bad checksum", "overstated count",
    "stray",   "silent",  "lost byte", "wrong byte", "in pieces",
};
static_assert(std::size(kFaultNames) == size_t(Fault::Count));

int Within(int index, qsizetype size)
{
    return index < size ? index : int(size) - 1;
}

} // namespace

const char *FaultName(Fault fault)
{
    return kFaultNames[size_t(fault)];
}

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
    // A bit error also breaks the byte's parity; the port passes the byte
    // on all the same, one bit wrong.
    if (wrongByte >= 0) {
        const int at = Within(wrongByte, bytes.size());
        bytes[at] = char(bytes.at(at) ^ 0x01);
    }
    if (lostByte >= 0)
        bytes.remove(Within(lostByte, bytes.size()), 1);
    return bytes;
}

void ReplyPlan::Add(const ReplyPlan &other)
{
    delayMs += other.delayMs;
    corruptChecksum = corruptChecksum || other.corruptChecksum;
    extraCount = qMax(extraCount, other.extraCount);
    duplicateAfterMs = qMax(duplicateAfterMs, other.duplicateAfterMs);
    if (other.stray)
        stray = other.stray;
    lostByte = qMax(lostByte, other.lostByte);
    wrongByte = qMax(wrongByte, other.wrongByte);
    gapMs = qMax(gapMs, other.gapMs);
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

void FaultInjector::LoseNextReplyByte(int index)
{
    QMutexLocker lock(&mutex);
    lostByte = qMax(index, 0);
}

void FaultInjector::BreakNextReplyByte(int index)
{
    QMutexLocker lock(&mutex);
    wrongByte = qMax(index, 0);
}

void FaultInjector::SplitNextReply(int gapMs)
{
    QMutexLocker lock(&mutex);
    this->gapMs = qMax(gapMs, 0);
}

void FaultInjector::Vanish(int ms)
{
    QMutexLocker lock(&mutex);
    vanished.setRemainingTime(qMax(ms, 0));
    hasVanished = true;
}

void FaultInjector::SetRandomFaults(double rate, quint32 seed)
{
    QMutexLocker lock(&mutex);
    randomRate = qBound(0.0, rate, 1.0);
    random.seed(seed);
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
    lostByte = -1;
    wrongByte = -1;
    gapMs = 0;
    hasVanished = false;
    randomRate = 0;
    forced.clear();
    counts.fill(0);
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

ReplyPlan FaultInjector::TakeReplyPlan(Line line)
{
    QMutexLocker lock(&mutex);
    ReplyPlan plan;
    if (hasVanished && !vanished.hasExpired()) {
        Count(Fault::Silent);
        plan.drop = true;
        return plan;
    }
    if (dropCount > 0) {
        // The one-shot faults wait for the next reply that is really sent.
        --dropCount;
        plan.drop = true;
        Count(Fault::Dropped);
        return plan;
    }
    plan = TakeAskedPlan(line);
    if (randomRate > 0 && random.generateDouble() < randomRate) {
        const ReplyPlan chosen = RandomPlan(line);
        if (chosen.drop)
            return chosen;
        plan.Add(chosen);
    }
    return plan;
}

// The faults asked for one by one, taken back once used (the delay of
// every reply stays).
ReplyPlan FaultInjector::TakeAskedPlan(Line line)
{
    ReplyPlan plan;
    plan.delayMs = delayMs + lateMs;
    plan.corruptChecksum = corrupt;
    plan.extraCount = extraCount;
    plan.duplicateAfterMs = duplicateMs;
    plan.stray = stray;
    if (line == Line::Serial) {
        plan.lostByte = lostByte;
        plan.wrongByte = wrongByte;
        plan.gapMs = gapMs;
    }
    const std::pair<bool, Fault> taken[] = {
        {lateMs > 0, Fault::Late},
        {delayMs > 0, Fault::Delayed},
        {duplicateMs >= 0, Fault::Duplicated},
        {corrupt, Fault::BadChecksum},
        {extraCount > 0, Fault::Overstated},
        {stray.has_value(), Fault::Stray},
        {plan.lostByte >= 0, Fault::LostByte},
        {plan.wrongByte >= 0, Fault::WrongByte},
        {plan.gapMs > 0, Fault::Pieces},
    };
    for (const auto &[used, fault] : taken) {
        if (used)
            Count(fault);
    }
    lateMs = 0;
    duplicateMs = -1;
    corrupt = false;
    extraCount = 0;
    stray.reset();
    lostByte = -1;
    wrongByte = -1;
    gapMs = 0;
    return plan;
}

// One fault, each of those the line can carry equally likely. Counted here.
ReplyPlan FaultInjector::RandomPlan(Line line)
{
    const Fault fault = line == Line::Serial
                            ? kSerialFaults[random.bounded(int(std::size(kSerialFaults)))]
                            : kDatagramFaults[random.bounded(int(std::size(kDatagramFaults)))];
    ReplyPlan plan;
    switch (fault) {
    case Fault::Dropped:
        plan.drop = true;
        break;
    case Fault::Delayed:
        plan.delayMs = kRandomDelayMs;
        break;
    case Fault::Late:
        plan.delayMs = kRandomLateMs;
        break;
    case Fault::Duplicated:
        plan.duplicateAfterMs = kRandomDuplicateGapMs;
        break;
    case Fault::BadChecksum:
        plan.corruptChecksum = true;
        break;
    case Fault::Overstated:
        plan.extraCount = 1;
        break;
    case Fault::Stray:
        plan.stray = StrayFrame{kStrayHost, kStrayFrame};
        break;
    case Fault::LostByte:
        plan.lostByte = 1 + int(random.bounded(4));
        break;
    case Fault::WrongByte:
        plan.wrongByte = int(random.bounded(4));
        break;
    case Fault::Pieces:
        plan.gapMs = kRandomGapMs;
        break;
    case Fault::Silent:
    case Fault::Count:
        break;
    }
    Count(fault);
    return plan;
}

std::array<int, size_t(Fault::Count)> FaultInjector::Counts() const
{
    QMutexLocker lock(&mutex);
    return counts;
}

} // namespace xrsim
