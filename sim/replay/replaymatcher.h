// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "replay/replayscript.h"

#include <QMutex>
#include <QStringList>

namespace xrsim {

// Answers the application's frames as the recorded recorder did. Each
// command takes the replies recorded for the same command at the same point
// of the recording: the next recorded exchange that sent the same bytes
// (looking a little way ahead, so that a poll more or less on either side
// does not lose the thread), else the next one with the same command bytes
// and other data. A command the recording does not hold at this point is
// answered as it was last answered before, if ever. Every departure from
// the recording is written down: commands skipped, data that differ,
// commands answered out of place or not at all, the end of the recording.
class ReplayMatcher
{
public:
    // How far ahead a command is looked for.
    static constexpr int kLookAhead = 256;
    // Departures kept for Departures(); all of them are logged.
    static constexpr int kMaxDepartures = 10'000;

    explicit ReplayMatcher(ReplayScript script);

    // The replies to a frame (for a datagram, the bytes after its header;
    // `datagram` is the whole of it, empty on a serial line).
    QList<ReplayReply> Answer(const QByteArray &frame, const QByteArray &datagram);

    // The departures so far, oldest first; may be called from any thread.
    QStringList Departures() const;

private:
    int FindAhead(const QByteArray &frame, const QByteArray &datagram, bool exact) const;
    int FindBefore(const QByteArray &frame, const QByteArray &datagram) const;
    void Depart(const QString &text);

    ReplayScript script;
    int cursor = 0; // the next recorded exchange
    bool endTold = false;
    mutable QMutex mutex;
    QStringList departures;
};

} // namespace xrsim
