// SPDX-License-Identifier: GPL-3.0-or-later
#include "kplcursor.h"
#include "kplforms.h"

#include <QtEndian>

#include <cstring>

// The older binary form: tagged blocks whose 32-bit little-endian lengths
// count bytes. The segment and playlist blocks hold whole items: a length
// that is not a whole number of them, or runs past the end of the file,
// breaks the file there. The playlist and disk blocks may be missing at the
// end of the file; the disk block may hold bytes beyond its last whole
// entry, which are passed over.

namespace {

constexpr int kTagSize = 4;
constexpr int kPlaylistNameSize = 32;
constexpr int kDiskNameSize = 16;
constexpr int kDiskEntrySize = 12;

// Offsets in a segment record and a disk entry.
constexpr int kRecordOutPoint = 4;
constexpr int kRecordExtra1 = 8;
constexpr int kRecordExtra2 = 10;
constexpr int kRecordNumber = 12;
constexpr int kRecordName = 14;
constexpr int kRecordNameSize = kSegmentRecordSize - kRecordName;
constexpr int kEntryValue2 = 4;
constexpr int kEntryByte1 = 8;
constexpr int kEntryByte2 = 9;
constexpr int kEntryPresent = 10;

// The disk block's entry count was kept in a byte: only the low 8 bits of
// the quotient count.
constexpr quint32 kDiskCountMask = 0xFF;

SegmentRecord RecordAt(const char *bytes)
{
    SegmentRecord record;
    record.inPoint = qFromLittleEndian<quint32>(bytes);
    record.outPoint = qFromLittleEndian<quint32>(bytes + kRecordOutPoint);
    record.extra1 = qFromLittleEndian<quint16>(bytes + kRecordExtra1);
    record.extra2 = qFromLittleEndian<quint16>(bytes + kRecordExtra2);
    record.number = qFromLittleEndian<quint16>(bytes + kRecordNumber);
    SetRecordName(record, FieldText(bytes + kRecordName, kRecordNameSize, kSegmentNameMax));
    return record;
}

SegmentSlotEntry DiskEntryAt(const char *bytes)
{
    SegmentSlotEntry entry;
    entry.value1 = qFromLittleEndian<quint32>(bytes);
    entry.value2 = qFromLittleEndian<quint32>(bytes + kEntryValue2);
    entry.byte1 = static_cast<quint8>(bytes[kEntryByte1]);
    entry.byte2 = static_cast<quint8>(bytes[kEntryByte2]);
    entry.present = static_cast<quint8>(bytes[kEntryPresent]);
    return entry;
}

// Reads the blocks in their order and notes where the file breaks.
class BinaryReader
{
public:
    explicit BinaryReader(const QByteArray &bytes) : cursor(bytes) {}

    KplReading Read()
    {
        reading.form = KplForm::Binary;
        quint32 tag = 0;
        quint32 length = 0;
        cursor.ReadU32BE(tag); // RecognizeKpl has seen both
        where.offset = cursor.Position();
        cursor.ReadU32LE(length);
        if (!WholeBlock(length, kSegmentRecordSize, "48-byte records"))
            return reading;
        ReadSegments(length);
        reading.reachedEnd = ReadPlaylist() && ReadDisk();
        return reading;
    }

private:
    bool Broken(const QString &problem)
    {
        where.problem = problem;
        reading.damage = where;
        return false;
    }

    // The block's length, read just before: within the file and whole items.
    bool WholeBlock(quint32 length, int itemSize, const char *items)
    {
        if (length > cursor.Remaining())
            return Broken(
                QStringLiteral("its length of %1 bytes runs past the end of the file").arg(length));
        if (itemSize > 0 && length % quint32(itemSize) != 0)
            return Broken(QStringLiteral("its length of %1 bytes is not a whole number of %2")
                              .arg(length)
                              .arg(QLatin1String(items)));
        return true;
    }

    // The tag and the block length after it. False, without a break, at the
    // end of the file: the block is missing.
    bool ReadBlockHead(KplChunk chunk, const char *tag, quint32 &length, bool &present)
    {
        where = KplBreak{};
        where.chunk = chunk;
        where.offset = cursor.Position();
        present = cursor.Remaining() > 0;
        if (!present)
            return false;
        const char *read = nullptr;
        if (!cursor.ReadBytes(kTagSize, read))
            return Broken(QStringLiteral("the file ends"));
        if (std::memcmp(read, tag, kTagSize) != 0)
            return Broken(QStringLiteral("the tag is not %1").arg(QLatin1String(tag, kTagSize)));
        if (!cursor.ReadU32LE(length))
            return Broken(QStringLiteral("the file ends"));
        return true;
    }

    void ReadSegments(quint32 length)
    {
        const char *record = nullptr;
        for (quint32 i = 0; i < length / kSegmentRecordSize; ++i) {
            cursor.ReadBytes(kSegmentRecordSize, record);
            reading.document.segments.push_back(RecordAt(record));
        }
    }

    bool ReadPlaylist()
    {
        quint32 length = 0;
        bool present = false;
        if (!ReadBlockHead(KplChunk::Playlist, kBinaryPlayTag, length, present))
            return !present;
        if (!WholeBlock(length, kPlaylistNameSize, "32-byte names"))
            return false;
        const char *name = nullptr;
        for (quint32 i = 0; i < length / kPlaylistNameSize; ++i) {
            cursor.ReadBytes(kPlaylistNameSize, name);
            reading.document.playlist.append(FieldText(name, kPlaylistNameSize, kSegmentNameMax));
        }
        return true;
    }

    bool ReadDisk()
    {
        quint32 length = 0;
        bool present = false;
        if (!ReadBlockHead(KplChunk::Disk, kBinaryDiskTag, length, present))
            return !present;
        if (!WholeBlock(length, 0, nullptr))
            return false;
        DiskTable &disk = reading.document.disk.emplace();
        const char *bytes = nullptr;
        if (length < kDiskNameSize)
            return true;
        cursor.ReadBytes(kDiskNameSize, bytes);
        SetDiskName(disk, FieldText(bytes, kDiskNameSize, kDiskNameMax));
        const quint32 count = ((length - kDiskNameSize) / kDiskEntrySize) & kDiskCountMask;
        for (quint32 i = 0; i < count; ++i) {
            cursor.ReadBytes(kDiskEntrySize, bytes);
            AddDiskEntry(disk, DiskEntryAt(bytes));
        }
        return true;
    }

    KplCursor cursor;
    KplReading reading;
    KplBreak where;
};

} // namespace

KplReading ReadKplBinary(const QByteArray &bytes)
{
    return BinaryReader(bytes).Read();
}
