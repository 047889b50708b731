// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/devicelink.h"
#include "link/linkstatus.h"

#include <QByteArray>
#include <QList>

#include <algorithm>

// A scripted link for engine tests: it records every frame sent and, for
// each send, appends the next scripted reply bytes to its input. Release
// drops pending input, as a serial port's drain does.
class FakeLink : public DeviceLink
{
public:
    explicit FakeLink(quint16 portId = 0) : DeviceLink(portId) { timeoutMs = 20; }

    qint16 Poll(quint32 &count, qint16) override
    {
        ++polls;
        if (failPoll)
            return 1;
        count = static_cast<quint32>(input.size());
        return kStatusOk;
    }
    qint16 Read(quint32 &length, quint8 *destination, qint16) override
    {
        length = std::min<quint32>(length, static_cast<quint32>(input.size()));
        if (destination)
            std::copy_n(input.constData(), length, destination);
        input.remove(0, static_cast<int>(length));
        return kStatusOk;
    }
    qint16 Release(qint16) override
    {
        ++releases;
        input.clear();
        return kStatusOk;
    }
    qint16 Send(quint32 &length, const quint8 *data, quint16) override
    {
        sent.append(QByteArray(reinterpret_cast<const char *>(data), static_cast<int>(length)));
        if (!replies.isEmpty())
            input.append(replies.takeFirst());
        return sendStatus;
    }

    QList<QByteArray> sent;
    QList<QByteArray> replies; // one per send; an empty entry means no reply
    QByteArray input;
    qint16 sendStatus = kStatusOk;
    bool failPoll = false;
    int polls = 0;
    int releases = 0;
};

inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}
