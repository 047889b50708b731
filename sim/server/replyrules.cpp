// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/replyrules.h"

#include "wire/frame.h"

namespace xrsim {

ReplyRules::ReplyRules(const Scenario &scenario)
    : answers(scenario.answers), silentFrom(scenario.silentFrom), silentMs(scenario.silentMs)
{}

bool ReplyRules::Silences(const QByteArray &frame, qint64 nowMs)
{
    // The recorder falls silent once; when its silence has run out, the
    // frame that finds it awake again is answered, and so is every later one.
    if (!silentSinceMs && !silentFrom.isEmpty() && frame.startsWith(silentFrom)) {
        silentSinceMs = nowMs;
        silentFrom.clear();
    }
    if (!silentSinceMs)
        return false;
    if (silentMs > 0 && nowMs - *silentSinceMs >= silentMs) {
        silentSinceMs.reset();
        return false;
    }
    return true;
}

std::optional<QByteArray> ReplyRules::FixedReply(const QByteArray &frame) const
{
    for (const Scenario::Answer &answer : answers) {
        if (!frame.startsWith(answer.frame))
            continue;
        if (answer.reply.isEmpty())
            return QByteArray();
        return answer.reply + char(Frame::Checksum(answer.reply, int(answer.reply.size())));
    }
    return std::nullopt;
}

} // namespace xrsim
