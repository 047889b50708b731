// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace xrsim {

// The recorder's serial line: 38400 baud, 8 data bits, odd parity, 1 stop
// bit. With the start bit every byte takes 11 bit times on the wire, so a
// 13-byte status reply takes 3.7 ms. The recorder starts to answer a frame
// this long after its last byte is in (its turnaround), as a real 9-pin
// device answers within a few milliseconds.
struct SerialLine
{
    static constexpr int kBaud = 38400;
    static constexpr int kBitsPerByte = 11;
    static constexpr qint64 kByteNs = qint64(1000000000) * kBitsPerByte / kBaud;
    static constexpr qint64 kTurnaroundNs = 1000000;

    // The time `bytes` bytes take on the wire.
    static constexpr qint64 WireNs(qint64 bytes) { return bytes * kByteNs; }
};

// Nanoseconds of the monotonic clock: the time base of the line and of the
// times in the truth log (std::chrono::steady_clock reads the same clock).
qint64 LineNowNs();

} // namespace xrsim
