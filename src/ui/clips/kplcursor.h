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

    qsizetype Position() const { return position; }
    qsizetype Remaining() const { return bytes.size() - position; }

    // A fixed-width hex field of `width` characters (at most 8), every one a
    // hex digit of either case. A field that is not is left unread.
    bool ReadHex(int width, quint32 &value);

    // One line end of any common form: a CR or LF, and a second CR or LF
    // right after it. Anything else stays where it is.
    void SkipNewline();

    // A NUL-terminated text of at most `max` bytes: reads up to and including
    // the NUL. Without a NUL within `max` + 1 bytes it fails and reads
    // nothing.
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
