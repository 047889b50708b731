// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace xrsim {

// One 9-pin frame: CMD1 carries the command group in its high nibble and the
// number of data bytes (0 to 15) in its low nibble, CMD2 the command code,
// then the data and a checksum, the low 8 bits of the sum of all bytes
// before it. A frame is therefore 3 to 18 bytes long.
class Frame
{
public:
    static constexpr int kMaxData = 15;

    enum class Decoded { Ok, Incomplete, BadChecksum };

    Frame() = default;
    Frame(quint8 group, quint8 code, const QByteArray &data = {});

    quint8 Group() const { return group; }
    quint8 Code() const { return code; }
    const QByteArray &Data() const { return data; }
    int Count() const { return int(data.size()); }
    // Data byte n, or 0 past the end: short frames read as zero-padded.
    quint8 Byte(int n) const;

    QByteArray Encode() const;

    // Length of the whole frame that a first byte announces.
    static int LengthFor(quint8 cmd1) { return (cmd1 & 0x0F) + 3; }
    static quint8 Checksum(const QByteArray &bytes, int count);
    // Reads the frame at the start of bytes; trailing bytes are left alone.
    static Decoded Decode(const QByteArray &bytes, Frame *out);

private:
    quint8 group = 0;
    quint8 code = 0;
    QByteArray data;
};

} // namespace xrsim
