#include "server/faultinjector.h"

#include "wire/frame.h"

#include <QMutexLocker>

namespace xrsim {

namespace {
int forcedKey(quint8 group, quint8 code)
{
    return group << 8 | code;
}
} // namespace

QByteArray ReplyPlan::shape(const QByteArray &frame) const
{
    QByteArray bytes = frame;
    if (bytes.size() < 3)
        return bytes;
    const int last = int(bytes.size()) - 1;
    if (extraCount > 0) {
        // Only the count lies: the checksum still matches the bytes sent.
        const int count = qMin((bytes.at(0) & 0x0F) + extraCount, Frame::MaxData);
        bytes[0] = char((bytes.at(0) & 0xF0) | count);
        bytes[last] = char(Frame::checksum(bytes, last));
    }
    if (corruptChecksum)
        bytes[last] = char(~bytes.at(last));
    return bytes;
}

void FaultInjector::dropReplies(int count)
{
    QMutexLocker lock(&m_mutex);
    m_dropCount = qMax(count, 0);
}

void FaultInjector::setReplyDelay(int ms)
{
    QMutexLocker lock(&m_mutex);
    m_delayMs = qMax(ms, 0);
}

void FaultInjector::corruptNextChecksum()
{
    QMutexLocker lock(&m_mutex);
    m_corrupt = true;
}

void FaultInjector::overstateNextCount(int extra)
{
    QMutexLocker lock(&m_mutex);
    m_extraCount = qMax(extra, 0);
}

void FaultInjector::strayBeforeNextReply(const StrayFrame &stray)
{
    QMutexLocker lock(&m_mutex);
    m_stray = stray;
}

void FaultInjector::lateNextReply(int ms)
{
    QMutexLocker lock(&m_mutex);
    m_lateMs = qMax(ms, 0);
}

void FaultInjector::duplicateNextReply(int gapMs)
{
    QMutexLocker lock(&m_mutex);
    m_duplicateMs = qMax(gapMs, 0);
}

void FaultInjector::forceReply(quint8 group, quint8 code, const QByteArray &raw, int times)
{
    QMutexLocker lock(&m_mutex);
    if (times == 0)
        m_forced.remove(forcedKey(group, code));
    else
        m_forced.insert(forcedKey(group, code), {raw, times});
}

void FaultInjector::clear()
{
    QMutexLocker lock(&m_mutex);
    m_dropCount = 0;
    m_delayMs = 0;
    m_lateMs = 0;
    m_duplicateMs = -1;
    m_corrupt = false;
    m_extraCount = 0;
    m_stray.reset();
    m_forced.clear();
}

std::optional<QByteArray> FaultInjector::takeForcedReply(quint8 group, quint8 code)
{
    QMutexLocker lock(&m_mutex);
    const auto it = m_forced.find(forcedKey(group, code));
    if (it == m_forced.end())
        return std::nullopt;
    const QByteArray raw = it->raw;
    if (it->remaining > 0 && --it->remaining == 0)
        m_forced.erase(it);
    return raw;
}

ReplyPlan FaultInjector::takeReplyPlan()
{
    QMutexLocker lock(&m_mutex);
    ReplyPlan plan;
    if (m_dropCount > 0) {
        // The one-shot faults wait for the next reply that is really sent.
        --m_dropCount;
        plan.drop = true;
        return plan;
    }
    plan.delayMs = m_delayMs + m_lateMs;
    plan.corruptChecksum = m_corrupt;
    plan.extraCount = m_extraCount;
    plan.duplicateAfterMs = m_duplicateMs;
    plan.stray = m_stray;
    m_lateMs = 0;
    m_duplicateMs = -1;
    m_corrupt = false;
    m_extraCount = 0;
    m_stray.reset();
    return plan;
}

} // namespace xrsim
