// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/ethernetlink.h"

#include <QByteArray>
#include <QList>

// The program's Ethernet link, watched: it numbers every frame the program
// sends (from 1, as the recorder numbers the frames it receives) and notes,
// for each exchange, the frame the command engine read last, with the reply
// number the simulated recorder put in that datagram's header (its truth
// log's tag). Whether the engine took that frame follows from its bytes as
// the engine's own rules decide: all the bytes its first byte announces,
// the reply rule of the command sent and a right checksum.
class AttributionLink : public EthernetLink
{
public:
    struct Exchange
    {
        quint32 number = 0; // the frame's number among those sent
        QByteArray sent;    // the frame
        QByteArray taken;   // the bytes of the last frame read, possibly short
        quint32 tag = 0;    // the reply number of the datagram they came in
        bool accepted = false;
    };

    qint16 Send(quint32 &length, const quint8 *data, quint16 type) override;
    qint16 Read(quint32 &length, quint8 *destination, qint16 rec) override;
    void DropPacket(qint16 rec) override;

    // The exchanges finished since the last call; the one under way stays
    // unless `finishCurrent` (no reply will come for it any more: the GUI
    // thread is back in the event loop).
    QList<Exchange> TakeExchanges(bool finishCurrent);
    quint32 FramesSent() const { return framesSent; }

private:
    void Finish();

    quint32 framesSent = 0;
    bool underWay = false;
    Exchange current;
    QList<Exchange> finished;
};
