// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/replaymatcher.h"

#include "server/simlog.h"
#include "wire/packetheader.h"

namespace xrsim {

namespace {

constexpr int kBlockRequestCodeAt = 4; // the third header word

bool IsBlockRequest(const QByteArray &datagram)
{
    PacketHeader header;
    return PacketHeader::Decode(datagram, &header) && header.type == PacketHeader::kBlockType;
}

// Whether a recorded command is the one received: the same bytes, or with
// `exact` false the same command with other data. A block request is
// matched by its header (its request code), a frame by its bytes.
bool Same(const ReplayExchange &recorded, const QByteArray &frame, const QByteArray &datagram,
          bool exact)
{
    if (IsBlockRequest(datagram) || IsBlockRequest(recorded.datagram)) {
        return IsBlockRequest(datagram) && IsBlockRequest(recorded.datagram) &&
               datagram.mid(kBlockRequestCodeAt, 2) ==
                   recorded.datagram.mid(kBlockRequestCodeAt, 2);
    }
    if (exact)
        return recorded.frame == frame;
    return recorded.frame.size() >= 2 && frame.size() >= 2 &&
           recorded.frame.left(2) == frame.left(2);
}

QString Bytes(const QByteArray &frame, const QByteArray &datagram)
{
    return QString::fromLatin1((frame.isEmpty() ? datagram : frame).toHex(' ').toUpper());
}

} // namespace

// The lines the reading skipped are the first departures.
ReplayMatcher::ReplayMatcher(ReplayScript recording) : script(std::move(recording))
{
    for (const QString &problem : script.Problems())
        Depart(problem);
}

QList<ReplayReply> ReplayMatcher::Answer(const QByteArray &frame, const QByteArray &datagram)
{
    const QList<ReplayExchange> &exchanges = script.Exchanges();
    int found = FindAhead(frame, datagram, true);
    if (found < 0) {
        found = FindAhead(frame, datagram, false);
        if (found >= 0)
            Depart(QStringLiteral("line %1: recorded %2, received %3")
                       .arg(exchanges[found].line)
                       .arg(Bytes(exchanges[found].frame, exchanges[found].datagram),
                            Bytes(frame, datagram)));
    }
    if (found >= 0) {
        if (found > cursor)
            Depart(QStringLiteral("line %1: %2 recorded commands skipped up to line %3")
                       .arg(exchanges[cursor].line)
                       .arg(found - cursor)
                       .arg(exchanges[found].line));
        cursor = found + 1;
        return exchanges[found].replies;
    }
    if (cursor >= exchanges.size() && !endTold) {
        endTold = true;
        Depart(QStringLiteral("the recording ends at line %1; later commands are answered as "
                              "they were last answered")
                   .arg(exchanges.last().line));
    }
    const int before = FindBefore(frame, datagram);
    if (before < 0) {
        Depart(QStringLiteral("received %1, which the recording never holds: no answer")
                   .arg(Bytes(frame, datagram)));
        return {};
    }
    if (cursor < exchanges.size())
        Depart(QStringLiteral("line %1: received %2 out of place, answered as at line %3")
                   .arg(exchanges[cursor].line)
                   .arg(Bytes(frame, datagram))
                   .arg(exchanges[before].line));
    return exchanges[before].replies;
}

QStringList ReplayMatcher::Departures() const
{
    const QMutexLocker lock(&mutex);
    return departures;
}

int ReplayMatcher::FindAhead(const QByteArray &frame, const QByteArray &datagram, bool exact) const
{
    const QList<ReplayExchange> &exchanges = script.Exchanges();
    const int end = std::min<int>(int(exchanges.size()), cursor + kLookAhead);
    for (int i = cursor; i < end; ++i) {
        if (Same(exchanges[i], frame, datagram, exact))
            return i;
    }
    return -1;
}

// The last time the command was answered: the same bytes if ever, else the
// same command.
int ReplayMatcher::FindBefore(const QByteArray &frame, const QByteArray &datagram) const
{
    const QList<ReplayExchange> &exchanges = script.Exchanges();
    const int last = std::min<int>(cursor, int(exchanges.size())) - 1;
    for (bool exact : {true, false}) {
        for (int i = last; i >= 0; --i) {
            if (Same(exchanges[i], frame, datagram, exact))
                return i;
        }
    }
    return -1;
}

void ReplayMatcher::Depart(const QString &text)
{
    qCWarning(lcSim).noquote() << "replay:" << text;
    const QMutexLocker lock(&mutex);
    if (departures.size() < kMaxDepartures)
        departures << text;
}

} // namespace xrsim
