// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

struct WireEvent;

// One way of writing a session recording: the text lines or pcapng. A sink
// turns events into the bytes of its file; the recorder writes them and
// begins a new part when a part has grown to its size.
class TrafficSink
{
public:
    virtual ~TrafficSink() = default;
    // The bytes that open part `part` (1 for the first file).
    virtual QByteArray Begin(int part) = 0;
    // The bytes that record the event; none for what the sink does not keep.
    virtual QByteArray Record(const WireEvent &event) = 0;
    // Whatever is still held back when the recording ends.
    virtual QByteArray Finish() = 0;
};
