// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trafficsink.h"

#include "link/wiretap.h"

#include <QDateTime>
#include <QtGlobal>

#include <array>

// The session recording as text, one frame a line (docs/traffic-format.md):
//
//   tavrel-traffic 1
//   # started 2025-03-01T10:15:00.000Z
//   0.000000 > udp:127.0.0.1:32896 0001 0003 0000 0000 0000 | 00 11 11  # DeviceTypeRequest
//   0.001204 < udp:127.0.0.1:32896 0001 0005 0000 0000 0000 | 12 11 00 00 23  # device type ...
//   1.500000 > COM1 61 20 0A 8B  # StatusSense status bytes 0–9
//
// Serial input is cut into frames by the count each CMD1 announces; bytes
// that do not make a whole frame by the time the next frame goes out are
// written as they are, marked incomplete.
class TrafficLines : public TrafficSink
{
public:
    static constexpr int kFormatVersion = 1;

    // `startUs` (MonotonicUs) is time 0 of the recording, `startedUtc` the
    // same moment on the wall clock.
    TrafficLines(quint64 startUs, const QDateTime &startedUtc);

    QByteArray Begin(int part) override;
    QByteArray Record(const WireEvent &event) override;
    QByteArray Finish() override;

private:
    QByteArray RecordDatagram(const WireEvent &event);
    QByteArray RecordSerial(const WireEvent &event);
    QByteArray FlushSerial(quint16 portId, quint64 timeUs);
    QByteArray Line(quint64 timeUs, const char *direction, const QByteArray &link,
                    const QByteArray &bytes, const QString &comment) const;
    QString FrameComment(const WireEvent &event, const quint8 *frame, int length);

    quint64 startUs;
    QDateTime startedUtc;
    // The last frame sent, to read the replies by.
    std::array<quint8, 18> lastSent{};
    int lastSentLength = 0;
    // Serial input not yet a whole frame, per port.
    std::array<QByteArray, 2> serialPending;
};
