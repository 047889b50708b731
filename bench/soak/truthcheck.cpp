// SPDX-License-Identifier: GPL-3.0-or-later
#include "truthcheck.h"

#include "devices/devicelists.h"
#include "ui/panel/mainwindow.h"

#include <QStringList>

namespace {

// Replies are looked up for a while after they were sent: a late or repeated
// one may be read several exchanges later.
constexpr quint32 kRepliesKept = 4096;
constexpr int kExamplesKept = 10;

bool IsSense(const QByteArray &frame, quint8 code)
{
    return (quint8(frame.at(0)) >> 4) == 0x6 && quint8(frame.at(1)) == code;
}

// A sense return (group 7): the answer that carries what was asked for, not
// a refusal.
bool IsSenseReturn(const QByteArray &reply)
{
    return reply.size() >= 3 && (quint8(reply.at(0)) >> 4) == 0x7;
}

constexpr quint8 kTimeSense = 0x0C;
constexpr quint8 kStatusSense = 0x20;

quint8 Data(const QByteArray &reply, int n)
{
    return n + 2 < reply.size() ? quint8(reply.at(n + 2)) : 0;
}

// The time as the upper display line shows it: the tens digits without the
// flag bits that share their bytes, then the units, frames last.
QString TimeDigits(const QByteArray &reply)
{
    const auto pair = [](quint8 byte, int tensMask) {
        return QStringLiteral("%1%2").arg((byte >> 4) & tensMask).arg(byte & 0x0F);
    };
    return QStringLiteral("%1:%2:%3 %4")
        .arg(pair(Data(reply, 3), 7), pair(Data(reply, 2), 7), pair(Data(reply, 1), 7),
             pair(Data(reply, 0), 3));
}

QString ShownTimeDigits(const QString &line)
{
    return line.mid(2, 8) + QLatin1Char(' ') + line.mid(11, 2);
}

bool StatusBit(const QByteArray &reply, int byte, int bit)
{
    return (Data(reply, byte) >> bit) & 1;
}

// The transport words the panel may show for a status, in the order the
// panel's rule takes them (record, play, forward, rewind, the shuttle family,
// stop); empty when the status names no word.
QStringList TransportWords(const QByteArray &reply)
{
    if (StatusBit(reply, 1, 1))
        return {QStringLiteral("RECORD")};
    if (StatusBit(reply, 1, 0))
        return {QStringLiteral("PLAY")};
    if (StatusBit(reply, 1, 2))
        return {QStringLiteral("FORWARD")};
    if (StatusBit(reply, 1, 3))
        return {QStringLiteral("REWIND")};
    if (StatusBit(reply, 2, 5))
        return {QStringLiteral("JOG"), QStringLiteral("VAR"), QStringLiteral("SHUTTLE")};
    if (StatusBit(reply, 1, 5) || StatusBit(reply, 2, 1))
        return {QStringLiteral("STOP")};
    return {};
}

// A panel mode holds both display lines, a time being typed the upper one,
// and a status saying that the recorder's own display changed makes the tick
// read that display onto the upper line.
bool PanelShowsTheTick(const MainWindow &window)
{
    return CurrentDevice && !window.PanelModeActive();
}

bool UpperLineShowsTheTime(const MainWindow &window, const xrsim::TruthEntry *status)
{
    return PanelShowsTheTick(window) && !window.KeypadEntryActive() &&
           !(status && (StatusBit(status->reply, 0, 5) || StatusBit(status->reply, 0, 6)));
}

} // namespace

// The display is held against the last time and status senses of the
// tick, when the window took their replies: it shows nothing of a sense that
// failed or was refused.
void TruthCheck::AfterTick(const QList<xrsim::TruthEntry> &truth,
                           const QList<AttributionLink::Exchange> &taken, const MainWindow &window)
{
    Remember(truth);
    const AttributionLink::Exchange *time = nullptr;
    const AttributionLink::Exchange *status = nullptr;
    for (const AttributionLink::Exchange &exchange : taken) {
        ++exchanges;
        if (exchange.accepted)
            CheckAttribution(exchange);
        if (IsSense(exchange.sent, kTimeSense))
            time = &exchange;
        else if (IsSense(exchange.sent, kStatusSense))
            status = &exchange;
    }
    const xrsim::TruthEntry *timeReply = ShownReply(time);
    const xrsim::TruthEntry *statusReply = ShownReply(status);
    if (timeReply && UpperLineShowsTheTime(window, statusReply))
        CheckTime(*timeReply, window);
    if (statusReply && PanelShowsTheTick(window))
        CheckTransportWord(*statusReply, window);
    Forget();
}

// The recorder's answer to the exchange's frame, when the window took a
// sense return for it and so shows what it carries.
const xrsim::TruthEntry *TruthCheck::ShownReply(const AttributionLink::Exchange *exchange) const
{
    if (!exchange || !exchange->accepted || !IsSenseReturn(exchange->taken))
        return nullptr;
    const auto number = numberOfRequest.constFind(exchange->number);
    if (number == numberOfRequest.constEnd())
        return nullptr;
    const auto reply = byNumber.constFind(*number);
    return reply == byNumber.constEnd() || !IsSenseReturn(reply->reply) ? nullptr : &*reply;
}

void TruthCheck::Remember(const QList<xrsim::TruthEntry> &truth)
{
    for (const xrsim::TruthEntry &entry : truth) {
        byNumber.insert(entry.number, entry);
        numberOfRequest.insert(entry.request, entry.number);
        newest = qMax(newest, entry.number);
    }
}

// Only after the exchanges of the tick were checked: a tick held by long
// work (a reload of every segment number) brings thousands of replies at
// once, and the first of them must still be found.
void TruthCheck::Forget()
{
    for (; oldest + kRepliesKept < newest; ++oldest) {
        const auto old = byNumber.constFind(oldest);
        if (old == byNumber.constEnd())
            continue;
        numberOfRequest.remove(old->request);
        byNumber.erase(old);
    }
}

void TruthCheck::CheckAttribution(const AttributionLink::Exchange &exchange)
{
    const auto reply = byNumber.constFind(exchange.tag);
    if (reply == byNumber.constEnd() || reply->request != exchange.number) {
        Note(misattributed, QStringLiteral("frame %1 (%2) took reply %3 (%4), which answered frame "
                                           "%5")
                                .arg(exchange.number)
                                .arg(QString::fromLatin1(exchange.sent.toHex(' ')))
                                .arg(exchange.tag)
                                .arg(QString::fromLatin1(exchange.taken.toHex(' ')))
                                .arg(reply == byNumber.constEnd() ? 0 : reply->request));
        return;
    }
    if (exchange.taken != reply->reply)
        Note(wrongValues, QStringLiteral("frame %1 took %2 where the recorder sent %3")
                              .arg(exchange.number)
                              .arg(QString::fromLatin1(exchange.taken.toHex(' ')),
                                   QString::fromLatin1(reply->reply.toHex(' '))));
}

void TruthCheck::CheckTime(const xrsim::TruthEntry &reply, const MainWindow &window)
{
    const QString shown = ShownTimeDigits(window.TimeLine());
    const QString sent = TimeDigits(reply.reply);
    if (shown != sent)
        Note(wrongValues, QStringLiteral("the display shows %1 where the recorder said %2 to frame "
                                         "%3")
                              .arg(shown, sent)
                              .arg(reply.request));
}

void TruthCheck::CheckTransportWord(const xrsim::TruthEntry &reply, const MainWindow &window)
{
    const QStringList words = TransportWords(reply.reply);
    if (words.isEmpty())
        return;
    const QString line = window.MenuLine();
    for (const QString &word : words) {
        if (line.endsWith(word))
            return;
    }
    Note(wrongValues, QStringLiteral("the lower line reads \"%1\" where the recorder's status %2 "
                                     "(frame %3) says %4")
                          .arg(line, QString::fromLatin1(reply.reply.toHex(' ')))
                          .arg(reply.request)
                          .arg(words.join(QLatin1Char('/'))));
}

void TruthCheck::Note(int &counter, const QString &what)
{
    ++counter;
    if (examples.size() < kExamplesKept)
        examples.append(what);
}
