// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <initializer_list>

// A 9-pin frame as it travels: the given bytes followed by their checksum.
inline QByteArray WireFrame(std::initializer_list<quint8> bytes)
{
    QByteArray frame;
    quint8 sum = 0;
    for (const quint8 byte : bytes) {
        frame.append(static_cast<char>(byte));
        sum += byte;
    }
    frame.append(static_cast<char>(sum));
    return frame;
}

inline QByteArray WireFrame(const QByteArray &bytes)
{
    QByteArray frame = bytes;
    quint8 sum = 0;
    for (const char byte : bytes)
        sum += static_cast<quint8>(byte);
    frame.append(static_cast<char>(sum));
    return frame;
}

// A sense return (group 7) of the command with these data bytes.
inline QByteArray SenseReturn(quint8 command, const QByteArray &data)
{
    QByteArray frame;
    frame.append(static_cast<char>(0x70 | data.size()));
    frame.append(static_cast<char>(command));
    return WireFrame(frame + data);
}
