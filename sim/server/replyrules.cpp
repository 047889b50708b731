#include "server/replyrules.h"

#include "wire/frame.h"

namespace xrsim {

ReplyRules::ReplyRules(const Scenario &scenario)
    : m_answers(scenario.answers), m_silentFrom(scenario.silentFrom), m_silentMs(scenario.silentMs)
{}

bool ReplyRules::silences(const QByteArray &frame, qint64 nowMs)
{
    // The recorder falls silent once; when its silence has run out, the
    // frame that finds it awake again is answered, and so is every later one.
    if (!m_silentSinceMs && !m_silentFrom.isEmpty() && frame.startsWith(m_silentFrom)) {
        m_silentSinceMs = nowMs;
        m_silentFrom.clear();
    }
    if (!m_silentSinceMs)
        return false;
    if (m_silentMs > 0 && nowMs - *m_silentSinceMs >= m_silentMs) {
        m_silentSinceMs.reset();
        return false;
    }
    return true;
}

std::optional<QByteArray> ReplyRules::fixedReply(const QByteArray &frame) const
{
    for (const Scenario::Answer &answer : m_answers) {
        if (!frame.startsWith(answer.frame))
            continue;
        if (answer.reply.isEmpty())
            return QByteArray();
        return answer.reply + char(Frame::checksum(answer.reply, int(answer.reply.size())));
    }
    return std::nullopt;
}

} // namespace xrsim
