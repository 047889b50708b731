// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simrecorder.h"
#include "udpprobe.h"

// Frames in tests are written as hex text: "20 01 21".
inline QByteArray hex(const char *text)
{
    return UdpProbe::hex(text);
}

// The plain replies: taken, refused (known but not carried out), unknown.
inline const QByteArray kAck = hex("10 01");
inline const QByteArray kRefused = hex("11 12 08");
inline const QByteArray kUnknown = hex("11 12 01");

// A file name as it travels: eight bytes, zero padded; and as hex text.
inline QByteArray paddedName(const QByteArray &name)
{
    return name.leftJustified(8, '\0');
}

inline QByteArray nameHex(const QByteArray &name)
{
    return paddedName(name).toHex(' ');
}

// The reply to a front-panel key: 7n 95, the flags byte, the text.
inline QByteArray panel(quint8 flags, const QByteArray &text)
{
    return QByteArray(1, char(0x70 + text.size() + 1)) + char(0x95) + char(flags) + text;
}

// A simulated recorder on a loopback address of its own and the bare client
// that talks to it. A test starts the recorder afresh with the scenario it
// needs; the test's cleanup stops it.
class SimFixture
{
public:
    explicit SimFixture(const QHostAddress &address) : probe(address), m_address(address) {}

    bool start(const xrsim::Scenario &scenario = {})
    {
        xrsim::SimConfig config;
        config.address = m_address;
        config.scenario = scenario;
        return recorder.Start(config);
    }

    // The reply to a frame written as hex without its checksum (UdpProbe::ask).
    QByteArray ask(const char *hexWithoutChecksum, int timeoutMs = 500)
    {
        return probe.ask(hexWithoutChecksum, timeoutMs);
    }
    QByteArray ask(const QByteArray &hexWithoutChecksum, int timeoutMs = 500)
    {
        return probe.ask(hexWithoutChecksum.constData(), timeoutMs);
    }

    // Status byte n of a ten-byte status sense; 0xEE when the reply is not
    // a status reply, so that a comparison fails rather than reads past it.
    quint8 statusByte(int n)
    {
        const QByteArray reply = ask("61 20 0A");
        if (reply.size() != 12 || n < 0 || n > 9)
            return 0xEE;
        return quint8(reply.at(2 + n));
    }

    xrsim::SimRecorder recorder;
    UdpProbe probe;

private:
    QHostAddress m_address;
};
