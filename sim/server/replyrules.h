// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scenario.h"

#include <QByteArray>

#include <optional>

namespace xrsim {

// How a faulty recorder of the scenario answers, before any command is
// carried out: fixed replies to frames that start with given bytes, and the
// frame at which it falls silent, once, for a while or for good.
class ReplyRules
{
public:
    explicit ReplyRules(const Scenario &scenario);

    // True when the recorder answers nothing to this frame: it fell silent
    // at this frame or an earlier one, and its silence has not run out.
    bool Silences(const QByteArray &frame, qint64 nowMs);
    // The fixed reply (checksum added) to this frame, if a rule gives one;
    // an empty reply means no reply at all.
    std::optional<QByteArray> FixedReply(const QByteArray &frame) const;

private:
    QList<Scenario::Answer> answers;
    QByteArray silentFrom;
    qint64 silentMs = 0;
    std::optional<qint64> silentSinceMs;
};

} // namespace xrsim
