// SPDX-License-Identifier: GPL-3.0-or-later
#include "kplcursor.h"
#include "kplforms.h"

#include <QtEndian>

#include <cstring>

// The older binary form: tagged blocks whose 32-bit little-endian lengths
// count bytes. Each block holds as many whole items as its length allows;
// bytes left over stay where the next tag is looked for, so a length that is
// not a whole number of items ends the reading there. A length larger than
// the file reads the whole items that are there.

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

// The tag and the block length after it.
bool ReadBlockHead(KplCursor &cursor, const char *tag, quint32 &length)
{
    const char *read = nullptr;
    return cursor.ReadBytes(kTagSize, read) && std::memcmp(read, tag, kTagSize) == 0 &&
           cursor.ReadU32LE(length);
}

void ReadSegments(KplCursor &cursor, quint32 length, KplDocument &document)
{
    const char *record = nullptr;
    for (quint32 i = 0; i < length / kSegmentRecordSize; ++i) {
        if (!cursor.ReadBytes(kSegmentRecordSize, record))
            return;
        document.segments.push_back(RecordAt(record));
    }
}

bool ReadPlaylist(KplCursor &cursor, KplDocument &document)
{
    quint32 length = 0;
    if (!ReadBlockHead(cursor, kBinaryPlayTag, length))
        return false;
    const char *name = nullptr;
    for (quint32 i = 0; i < length / kPlaylistNameSize; ++i) {
        if (!cursor.ReadBytes(kPlaylistNameSize, name))
            return false;
        document.playlist.append(FieldText(name, kPlaylistNameSize, kSegmentNameMax));
    }
    return true;
}

void ReadDisk(KplCursor &cursor, KplDocument &document)
{
    quint32 length = 0;
    if (!ReadBlockHead(cursor, kBinaryDiskTag, length))
        return;
    DiskTable &disk = document.disk.emplace();
    const char *bytes = nullptr;
    if (length < kDiskNameSize || !cursor.ReadBytes(kDiskNameSize, bytes))
        return;
    SetDiskName(disk, FieldText(bytes, kDiskNameSize, kDiskNameMax));
    const quint32 count = ((length - kDiskNameSize) / kDiskEntrySize) & kDiskCountMask;
    for (quint32 i = 0; i < count && cursor.ReadBytes(kDiskEntrySize, bytes); ++i)
        AddDiskEntry(disk, DiskEntryAt(bytes));
}

} // namespace

KplReading ReadKplBinary(const QByteArray &bytes)
{
    KplReading reading;
    reading.form = KplForm::Binary;
    reading.reachedEnd = true;
    KplCursor cursor(bytes);
    quint32 tag = 0;
    quint32 length = 0;
    cursor.ReadU32BE(tag); // RecognizeKpl has seen both
    cursor.ReadU32LE(length);
    ReadSegments(cursor, length, reading.document);
    if (ReadPlaylist(cursor, reading.document))
        ReadDisk(cursor, reading.document);
    return reading;
}
