// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/truthlog.h"

#include "server/faultinjector.h"

#include <QMutexLocker>

#include <algorithm>

namespace xrsim {

void TruthLog::SetEnabled(bool on)
{
    QMutexLocker lock(&mutex);
    enabled = on;
}

bool TruthLog::Enabled() const
{
    QMutexLocker lock(&mutex);
    return enabled;
}

quint32 TruthLog::Answered(const QByteArray &frame, const QByteArray &reply, qint64 receivedNs)
{
    QMutexLocker lock(&mutex);
    ++requests;
    if (!enabled || reply.isEmpty())
        return 0;
    TruthEntry entry;
    entry.number = ++replies;
    entry.request = requests;
    entry.frame = frame;
    entry.reply = reply;
    entry.receivedNs = receivedNs;
    entries.append(entry);
    return entry.number;
}

// Entries not yet taken are found from the end: the reply going out is
// nearly always the last one recorded.
void TruthLog::Sent(quint32 number, const ReplyPlan &plan)
{
    QMutexLocker lock(&mutex);
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (it->number != number)
            continue;
        it->planned = true;
        it->sent = !plan.drop;
        it->intact = !plan.drop && !plan.corruptChecksum && plan.extraCount == 0 &&
                     plan.lostByte < 0 && plan.wrongByte < 0;
        return;
    }
}

QList<TruthEntry> TruthLog::Take()
{
    QMutexLocker lock(&mutex);
    const auto undecided = std::find_if(entries.begin(), entries.end(),
                                        [](const TruthEntry &entry) { return !entry.planned; });
    const qsizetype count = undecided - entries.begin();
    QList<TruthEntry> taken = entries.first(count);
    entries.remove(0, count);
    return taken;
}

void TruthLog::Clear()
{
    QMutexLocker lock(&mutex);
    requests = 0;
    replies = 0;
    entries.clear();
}

} // namespace xrsim
