// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated recorder's reader of session recordings, which an engineer
// brings to replay what a recorder did on air: the input is the recording's
// text, the recorder the one with the most frames.
//
// Properties: a recording is read or refused with a reason that names a
// line, never half-read with a crash; what is read is exchanges of that one
// recorder in the order of the file, each opened by a frame the program
// sent, within the sizes a frame or a datagram can have, and each reply
// after its command, never before it in time.

#include "fuzzcheck.h"

#include "replay/replayscript.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace {

// A serial line's bytes as one line holds them: nine-pin frames of up to 18
// bytes, a few at most. A datagram: up to an Ethernet payload, its frame the
// part after the header.
constexpr int kMaxSerialBytes = 4 * 18;
constexpr int kMaxDatagramBytes = 1462;

void CheckBytes(const QByteArray &frame, const QByteArray &datagram)
{
    if (datagram.isEmpty()) {
        FUZZ_CHECK(!frame.isEmpty() && frame.size() <= kMaxSerialBytes);
        return;
    }
    FUZZ_CHECK(datagram.size() <= kMaxDatagramBytes);
    FUZZ_CHECK(datagram.endsWith(frame));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), int(size));
    xrsim::ReplayScript script;
    QString error;
    if (!script.Parse(text, QString(), &error)) {
        FUZZ_CHECK(!error.isEmpty());
        FUZZ_CHECK(script.Exchanges().isEmpty());
        return 0;
    }
    FUZZ_CHECK(!script.Recorder().isEmpty());
    int lastLine = 0;
    for (const xrsim::ReplayExchange &exchange : script.Exchanges()) {
        FUZZ_CHECK(exchange.line > lastLine);
        lastLine = exchange.line;
        CheckBytes(exchange.frame, exchange.datagram);
        for (const xrsim::ReplayReply &reply : exchange.replies) {
            FUZZ_CHECK(reply.line > lastLine);
            lastLine = reply.line;
            FUZZ_CHECK(reply.delayUs >= 0);
            CheckBytes(reply.frame, reply.datagram);
        }
    }
    return 0;
}
