// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QMutex>

#include <optional>

namespace xrsim {

// A datagram sent to the client from another address just before a reply.
struct StrayFrame
{
    QHostAddress from;
    QByteArray frame;
};

// What happens to the next reply, as decided by the faults in force.
struct ReplyPlan
{
    bool drop = false;
    int delayMs = 0;
    bool corruptChecksum = false;
    int extraCount = 0;
    // Sends the reply a second time this long after the first; -1: once.
    int duplicateAfterMs = -1;
    std::optional<StrayFrame> stray;

    // The reply frame as it goes out under this plan.
    QByteArray Shape(const QByteArray &frame) const;
};

// Faults that tests ask for. Set from any thread; the simulator's thread
// takes one plan per reply it sends.
class FaultInjector
{
public:
    void DropReplies(int count);
    void SetReplyDelay(int ms);
    void CorruptNextChecksum();
    void OverstateNextCount(int extra);
    void StrayBeforeNextReply(const StrayFrame &stray);
    void LateNextReply(int ms);
    void DuplicateNextReply(int gapMs);
    // Answers group/code with raw bytes, sent as they are, for the next
    // times commands, for ever when times is negative; 0 takes it back.
    void ForceReply(quint8 group, quint8 code, const QByteArray &raw, int times);
    void Clear();

    std::optional<QByteArray> TakeForcedReply(quint8 group, quint8 code);
    ReplyPlan TakeReplyPlan();

private:
    struct Forced
    {
        QByteArray raw;
        int remaining;
    };

    QMutex mutex;
    int dropCount = 0;
    int delayMs = 0;
    int lateMs = 0;
    int duplicateMs = -1;
    bool corrupt = false;
    int extraCount = 0;
    std::optional<StrayFrame> stray;
    QHash<int, Forced> forced;
};

} // namespace xrsim
