// SPDX-License-Identifier: GPL-3.0-or-later
#include "kplcursor.h"
#include "kplforms.h"

#include <algorithm>

// The text form: fixed-width hex fields and NUL-terminated names, each with
// its line end.

namespace {

constexpr int kHex8 = 8;
constexpr int kHex4 = 4;
constexpr int kHex2 = 2;

// A hex field and the line end after it.
bool ReadField(KplCursor &cursor, int width, quint32 &value)
{
    if (!cursor.ReadHex(width, value))
        return false;
    cursor.SkipNewline();
    return true;
}

template <typename T>
bool ReadNarrowField(KplCursor &cursor, int width, T &value)
{
    quint32 wide = 0;
    if (!ReadField(cursor, width, wide))
        return false;
    value = static_cast<T>(wide);
    return true;
}

bool ReadName(KplCursor &cursor, int max, QByteArray &name)
{
    const bool terminated = cursor.ReadString(max, name);
    cursor.SkipNewline();
    return terminated;
}

// In, out, the two further numbers, the number, the name; then the blank
// line that closes the entry.
bool ReadSegmentEntry(KplCursor &cursor, SegmentRecord &record)
{
    QByteArray name;
    const bool read =
        ReadField(cursor, kHex8, record.inPoint) && ReadField(cursor, kHex8, record.outPoint) &&
        ReadNarrowField(cursor, kHex4, record.extra1) &&
        ReadNarrowField(cursor, kHex4, record.extra2) &&
        ReadNarrowField(cursor, kHex4, record.number) && ReadName(cursor, kSegmentNameMax, name);
    if (!read)
        return false;
    SetRecordName(record, name);
    cursor.SkipNewline();
    return true;
}

bool ReadDiskEntry(KplCursor &cursor, SegmentSlotEntry &entry)
{
    const bool read = ReadField(cursor, kHex8, entry.value1) &&
                      ReadField(cursor, kHex8, entry.value2) &&
                      ReadNarrowField(cursor, kHex2, entry.byte1) &&
                      ReadNarrowField(cursor, kHex2, entry.byte2) &&
                      ReadNarrowField(cursor, kHex2, entry.present);
    cursor.SkipNewline();
    return read;
}

bool ReadTag(KplCursor &cursor, quint32 expected)
{
    quint32 tag = 0;
    return ReadField(cursor, kHex8, tag) && tag == expected;
}

// The segment chunk; false when it ends the reading (a count of 0, or a
// damaged entry).
bool ReadSegments(KplCursor &cursor, KplDocument &document)
{
    quint32 count = 0;
    ReadField(cursor, kHex4, count); // RecognizeKpl has seen it
    cursor.SkipNewline();
    if (count == 0)
        return false;
    for (quint32 i = 0; i < count; ++i) {
        SegmentRecord record;
        if (!ReadSegmentEntry(cursor, record))
            return false;
        document.segments.push_back(record);
    }
    cursor.SkipNewline();
    return true;
}

bool ReadPlaylist(KplCursor &cursor, KplDocument &document)
{
    quint32 count = 0;
    if (!ReadTag(cursor, kTextPlayTag) || !ReadField(cursor, kHex4, count))
        return false;
    for (quint32 i = 0; i < count; ++i) {
        QByteArray name;
        if (!ReadName(cursor, kSegmentNameMax, name))
            return false;
        document.playlist.append(name);
    }
    return true;
}

// Reading the disk chunk's count empties the table; the entries read whole
// are kept.
bool ReadDisk(KplCursor &cursor, KplDocument &document)
{
    quint32 count = 0;
    if (!ReadTag(cursor, kTextDiskTag) || !ReadField(cursor, kHex4, count))
        return false;
    DiskTable &disk = document.disk.emplace();
    QByteArray name;
    const bool named = ReadName(cursor, kDiskNameMax, name);
    SetDiskName(disk, name);
    if (!named)
        return false;
    for (quint32 i = 0; i < count; ++i) {
        SegmentSlotEntry entry;
        if (!ReadDiskEntry(cursor, entry))
            return false;
        AddDiskEntry(disk, entry);
    }
    return true;
}

void WriteHex(QByteArray &out, quint32 value, int width)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (int shift = (width - 1) * 4; shift >= 0; shift -= 4)
        out += kDigits[(value >> shift) & 0x0F];
    out += '\n';
}

void WriteName(QByteArray &out, const QByteArray &name, int max)
{
    out += FieldText(name.constData(), static_cast<int>(name.size()), max);
    out += '\0';
    out += '\n';
}

void WriteSegments(QByteArray &out, const std::vector<SegmentRecord> &segments)
{
    WriteHex(out, kTextClipTag, kHex8);
    WriteHex(out, static_cast<quint32>(segments.size()), kHex4);
    out += '\n';
    for (const SegmentRecord &record : segments) {
        WriteHex(out, record.inPoint, kHex8);
        WriteHex(out, record.outPoint, kHex8);
        WriteHex(out, record.extra1, kHex4);
        WriteHex(out, record.extra2, kHex4);
        WriteHex(out, record.number, kHex4);
        WriteName(out, RecordName(record), kSegmentNameMax);
        out += '\n';
    }
    out += '\n';
}

void WritePlaylist(QByteArray &out, const QList<QByteArray> &playlist)
{
    WriteHex(out, kTextPlayTag, kHex8);
    WriteHex(out, static_cast<quint32>(playlist.size()), kHex4);
    for (const QByteArray &name : playlist)
        WriteName(out, name, kSegmentNameMax);
}

void WriteDisk(QByteArray &out, const DiskTable &disk)
{
    const int count = std::clamp(disk.count, 0, kSegmentSlotCount);
    WriteHex(out, kTextDiskTag, kHex8);
    WriteHex(out, static_cast<quint32>(count), kHex4);
    WriteName(out, DiskName(disk), kDiskNameMax);
    for (int i = 0; i < count; ++i) {
        const SegmentSlotEntry &entry = disk.entries[static_cast<std::size_t>(i)];
        WriteHex(out, entry.value1, kHex8);
        WriteHex(out, entry.value2, kHex8);
        WriteHex(out, entry.byte1, kHex2);
        WriteHex(out, entry.byte2, kHex2);
        WriteHex(out, entry.present, kHex2);
        out += '\n';
    }
}

} // namespace

KplReading ReadKplText(const QByteArray &bytes)
{
    KplReading reading;
    reading.form = KplForm::Text;
    KplCursor cursor(bytes);
    quint32 tag = 0;
    ReadField(cursor, kHex8, tag); // RecognizeKpl has seen it
    reading.reachedEnd = ReadSegments(cursor, reading.document) &&
                         ReadPlaylist(cursor, reading.document) &&
                         ReadDisk(cursor, reading.document);
    return reading;
}

QByteArray KplText(const KplDocument &document)
{
    QByteArray out;
    WriteSegments(out, document.segments);
    WritePlaylist(out, document.playlist);
    WriteDisk(out, document.disk.value_or(DiskTable{}));
    return out;
}
