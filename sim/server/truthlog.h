// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>

namespace xrsim {

struct ReplyPlan;

// What the recorder answered to which frame, kept for a soak test that holds
// every value a client showed against it. Off unless enabled: a recorder that
// runs for hours would otherwise keep every exchange.
struct TruthEntry
{
    quint32 number = 0;    // this reply's number, from 1
    quint32 request = 0;   // the number of the frame it answers, from 1 in arrival order
    QByteArray frame;      // that frame
    QByteArray reply;      // the answer as the recorder meant it
    qint64 receivedNs = 0; // when the frame was wholly in (LineNowNs, serialline.h)
    bool sent = false;     // it went out, possibly late or twice
    bool intact = false;   // it went out as meant: checksum, count and bytes unspoilt
    bool planned = false;  // what becomes of it on its way out is decided
};

class TruthLog
{
public:
    void SetEnabled(bool on);
    bool Enabled() const;

    // Counts a frame received and, if the recorder answers it, records the
    // answer. Returns the reply's number, 0 when none or when disabled.
    quint32 Answered(const QByteArray &frame, const QByteArray &reply, qint64 receivedNs);
    // What became of reply `number` on its way out.
    void Sent(quint32 number, const ReplyPlan &plan);

    // The entries recorded since the last call, in reply order. A reply
    // whose way out is not yet decided stays for the next call, so that its
    // fate is not lost.
    QList<TruthEntry> Take();
    void Clear();

private:
    mutable QMutex mutex;
    bool enabled = false;
    quint32 requests = 0;
    quint32 replies = 0;
    QList<TruthEntry> entries;
};

} // namespace xrsim
