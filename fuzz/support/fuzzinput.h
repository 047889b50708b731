// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <algorithm>
#include <cstddef>
#include <cstdint>

// Reads a fuzz input from its front: single bytes for the choices a target
// makes, runs of bytes for what it feeds the reader. Past the end every read
// gives zeros or nothing, so that any input, even an empty one, is a whole
// case.
class FuzzInput
{
public:
    FuzzInput(const uint8_t *data, size_t size) : data(data), size(size) {}

    bool AtEnd() const { return pos >= size; }
    size_t Left() const { return size - pos; }

    quint8 Byte() { return AtEnd() ? 0 : data[pos++]; }

    quint16 Word()
    {
        const quint16 high = Byte();
        return static_cast<quint16>(high << 8 | Byte());
    }

    // Up to `count` bytes: fewer when the input ends first.
    QByteArray Bytes(size_t count)
    {
        const size_t taken = std::min(count, Left());
        const QByteArray bytes(reinterpret_cast<const char *>(data + pos), int(taken));
        pos += taken;
        return bytes;
    }

    QByteArray Rest() { return Bytes(Left()); }

private:
    const uint8_t *data;
    size_t size;
    size_t pos = 0;
};
