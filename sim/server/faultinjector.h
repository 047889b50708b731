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
    QByteArray shape(const QByteArray &frame) const;
};

// Faults that tests ask for. Set from any thread; the simulator's thread
// takes one plan per reply it sends.
class FaultInjector
{
public:
    void dropReplies(int count);
    void setReplyDelay(int ms);
    void corruptNextChecksum();
    void overstateNextCount(int extra);
    void strayBeforeNextReply(const StrayFrame &stray);
    void lateNextReply(int ms);
    void duplicateNextReply(int gapMs);
    // Answers group/code with raw bytes, sent as they are, for the next
    // times commands, for ever when times is negative; 0 takes it back.
    void forceReply(quint8 group, quint8 code, const QByteArray &raw, int times);
    void clear();

    std::optional<QByteArray> takeForcedReply(quint8 group, quint8 code);
    ReplyPlan takeReplyPlan();

private:
    struct Forced
    {
        QByteArray raw;
        int remaining;
    };

    QMutex m_mutex;
    int m_dropCount = 0;
    int m_delayMs = 0;
    int m_lateMs = 0;
    int m_duplicateMs = -1;
    bool m_corrupt = false;
    int m_extraCount = 0;
    std::optional<StrayFrame> m_stray;
    QHash<int, Forced> m_forced;
};

} // namespace xrsim
