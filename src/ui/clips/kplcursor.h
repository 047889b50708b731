// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

// A reading position in a playlist file held in memory. Every read checks
// what is left first: a read that does not fit fails and leaves nothing
// half-done but what it says below.
class KplCursor
{
public:
    explicit KplCursor(const QByteArray &bytes) : bytes(bytes) {}

    qsizetype Remaining() const { return bytes.size() - position; }

    // A fixed-width hex field: consumes `width` characters (at most 8), whose
    // leading hex digits give the value; a field that starts with no digit
    // reads as 0.
    bool ReadHex(int width, quint32 &value);

    // One line end of any common form: a CR or LF, and a second CR or LF
    // right after it. Anything else stays where it is.
    void SkipNewline();

    // A NUL-terminated text of at most `max` bytes: reads up to and including
    // the NUL, or `max` + 1 bytes when none comes (or to the end of the
    // bytes). Without the NUL it fails, and `text` holds the first `max`
    // bytes read.
    bool ReadString(int max, QByteArray &text);

    // `count` raw bytes; none are consumed when fewer are left.
    bool ReadBytes(int count, const char *&data);

    bool ReadU32BE(quint32 &value);
    bool ReadU32LE(quint32 &value);

private:
    const QByteArray &bytes;
    qsizetype position = 0;
};

// A fixed-size text field of raw bytes (a binary record's name): up to the
// first NUL and at most `max` bytes.
QByteArray FieldText(const char *field, int size, int max);
