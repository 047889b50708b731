// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace xrsim {

// A session recording of the application read back for a replay: the text
// lines of docs/traffic-format.md, version 1. This reader is the simulator's
// own and trusts nothing: a line that is not a frame is skipped and named,
// a header of another version stops the reading.
//
// The recording is cut into exchanges with one recorder: a frame the
// program sent, and what that recorder sent back before the next one
// (replies, late replies and repeats alike, each with its delay).
struct ReplayReply
{
    int line = 0;
    qint64 delayUs = 0;  // after the command went out
    QByteArray frame;    // the 9-pin bytes (a datagram's payload)
    QByteArray datagram; // on UDP, the whole datagram as it came; else empty
};

struct ReplayExchange
{
    int line = 0;
    QByteArray frame; // as for a reply
    QByteArray datagram;
    QList<ReplayReply> replies;
};

class ReplayScript
{
public:
    // Reads the recording. False, with the reason in `error` (which names
    // the line), when nothing can be replayed from it. `recorder` picks the
    // recorder by its link as written ("udp:127.0.0.1:32896", "COM1"; the
    // address alone will do); empty picks the one with the most frames.
    bool Load(const QString &path, const QString &recorder, QString *error);
    bool Parse(const QByteArray &text, const QString &recorder, QString *error);

    const QList<ReplayExchange> &Exchanges() const { return exchanges; }
    // The recorder replayed, as the recording names it.
    QString Recorder() const { return recorder; }
    // The lines skipped, each with its number and why.
    const QStringList &Problems() const { return problems; }

private:
    QList<ReplayExchange> exchanges;
    QString recorder;
    QStringList problems;
};

} // namespace xrsim
