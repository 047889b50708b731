// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>
#include <QHostAddress>
#include <QMutex>
#include <QRandomGenerator>

#include <array>
#include <optional>

namespace xrsim {

// A datagram sent to the client from another address just before a reply.
struct StrayFrame
{
    QHostAddress from;
    QByteArray frame;
};

// The faults a reply can suffer, as counted by the injector.
enum class Fault : quint8 {
    Dropped,     // no reply at all
    Delayed,     // held back, but within the client's wait
    Late,        // sent after the client gave up
    Duplicated,  // sent twice
    BadChecksum, // its checksum byte inverted
    Overstated,  // CMD1 announces more data bytes than are sent
    Stray,       // a frame from another address (on the line: garbage) before it
    Silent,      // the recorder had vanished
    LostByte,    // serial line: one byte lost
    WrongByte,   // serial line: one byte broken (its parity), taken as another
    Pieces,      // serial line: the reply in two pieces with a gap between
    Count
};

// The name of a fault, for reports.
const char *FaultName(Fault fault);

// Which kind of front end takes a plan: the serial faults need a line.
enum class Line { Datagram, Serial };

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
    // Serial line: the byte lost and the byte broken (-1: none; beyond the
    // reply: its last byte), and the pause after the reply's first half (0:
    // none).
    int lostByte = -1;
    int wrongByte = -1;
    int gapMs = 0;

    // The reply frame as it goes out under this plan (on the line, without
    // its gap).
    QByteArray Shape(const QByteArray &frame) const;
    // Adds the faults of another plan (not a dropped reply).
    void Add(const ReplyPlan &other);
};

// Faults that tests ask for, one at a time or at random. Set from any thread;
// the simulator's thread takes one plan per reply it sends.
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
    // Serial line faults for the next reply: byte `index` lost, or broken
    // into a wrong byte; or the reply sent in two pieces `gapMs` apart.
    void LoseNextReplyByte(int index);
    void BreakNextReplyByte(int index);
    void SplitNextReply(int gapMs);
    // The recorder vanishes: no reply for `ms` milliseconds from now.
    void Vanish(int ms);
    // Each reply suffers one fault, chosen at random among those its line
    // can carry, with probability `rate` (0 stops it).
    void SetRandomFaults(double rate, quint32 seed);
    // Answers group/code with raw bytes, sent as they are, for the next
    // times commands, for ever when times is negative; 0 takes it back.
    void ForceReply(quint8 group, quint8 code, const QByteArray &raw, int times);
    void Clear();

    std::optional<QByteArray> TakeForcedReply(quint8 group, quint8 code);
    ReplyPlan TakeReplyPlan(Line line);
    // How many replies suffered each fault since the last Clear.
    std::array<int, size_t(Fault::Count)> Counts() const;

private:
    struct Forced
    {
        QByteArray raw;
        int remaining;
    };

    ReplyPlan TakeAskedPlan(Line line);
    ReplyPlan RandomPlan(Line line);
    void Count(Fault fault) { ++counts[size_t(fault)]; }

    mutable QMutex mutex;
    int dropCount = 0;
    int delayMs = 0;
    int lateMs = 0;
    int duplicateMs = -1;
    bool corrupt = false;
    int extraCount = 0;
    std::optional<StrayFrame> stray;
    int lostByte = -1;
    int wrongByte = -1;
    int gapMs = 0;
    QDeadlineTimer vanished{QDeadlineTimer::Forever};
    bool hasVanished = false;
    double randomRate = 0;
    QRandomGenerator random;
    QHash<int, Forced> forced;
    std::array<int, size_t(Fault::Count)> counts{};
};

} // namespace xrsim
