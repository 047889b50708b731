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

// What went wrong at a field, before the reader says in which entry.
struct Problem
{
    qsizetype offset = 0;
    QString text;
};

// A hex field and the line end after it.
bool ReadField(KplCursor &cursor, int width, const char *field, quint32 &value, Problem &problem)
{
    problem.offset = cursor.Position();
    if (cursor.Remaining() < width) {
        problem.text = QStringLiteral("the file ends");
        return false;
    }
    if (!cursor.ReadHex(width, value)) {
        problem.text =
            QStringLiteral("the %1 is not %2 hex digits").arg(QLatin1String(field)).arg(width);
        return false;
    }
    cursor.SkipNewline();
    return true;
}

template <typename T>
bool ReadNarrowField(KplCursor &cursor, int width, const char *field, T &value, Problem &problem)
{
    quint32 wide = 0;
    if (!ReadField(cursor, width, field, wide, problem))
        return false;
    value = static_cast<T>(wide);
    return true;
}

bool ReadName(KplCursor &cursor, int max, const char *field, QByteArray &name, Problem &problem)
{
    problem.offset = cursor.Position();
    if (!cursor.ReadString(max, name)) {
        problem.text = cursor.Remaining() <= max
                           ? QStringLiteral("the file ends")
                           : QStringLiteral("the %1 has no NUL within %2 bytes")
                                 .arg(QLatin1String(field))
                                 .arg(max);
        return false;
    }
    cursor.SkipNewline();
    return true;
}

// In, out, the two further numbers, the number, the name; then the blank
// line that closes the entry.
bool ReadSegmentEntry(KplCursor &cursor, SegmentRecord &record, Problem &problem)
{
    QByteArray name;
    const bool read =
        ReadField(cursor, kHex8, "in point", record.inPoint, problem) &&
        ReadField(cursor, kHex8, "out point", record.outPoint, problem) &&
        ReadNarrowField(cursor, kHex4, "first further number", record.extra1, problem) &&
        ReadNarrowField(cursor, kHex4, "second further number", record.extra2, problem) &&
        ReadNarrowField(cursor, kHex4, "segment number", record.number, problem) &&
        ReadName(cursor, kSegmentNameMax, "name", name, problem);
    if (!read)
        return false;
    SetRecordName(record, name);
    cursor.SkipNewline();
    return true;
}

bool ReadDiskEntry(KplCursor &cursor, SegmentSlotEntry &entry, Problem &problem)
{
    const bool read = ReadField(cursor, kHex8, "first value", entry.value1, problem) &&
                      ReadField(cursor, kHex8, "second value", entry.value2, problem) &&
                      ReadNarrowField(cursor, kHex2, "first byte", entry.byte1, problem) &&
                      ReadNarrowField(cursor, kHex2, "second byte", entry.byte2, problem) &&
                      ReadNarrowField(cursor, kHex2, "present flag", entry.present, problem);
    cursor.SkipNewline();
    return read;
}

// Reads the text form chunk by chunk and notes where it breaks.
class TextReader
{
public:
    explicit TextReader(const QByteArray &bytes) : cursor(bytes) {}

    KplReading Read()
    {
        reading.form = KplForm::Text;
        quint32 tag = 0;
        ReadField(cursor, kHex8, "tag", tag, problem); // RecognizeKpl has seen it
        reading.reachedEnd = ReadSegments() && ReadPlaylist() && ReadDisk();
        return reading;
    }

private:
    void Enter(KplChunk chunk)
    {
        where = KplBreak{};
        where.chunk = chunk;
    }

    bool Broken()
    {
        where.offset = problem.offset;
        where.problem = problem.text;
        reading.damage = where;
        return false;
    }

    bool ReadCount()
    {
        if (!ReadField(cursor, kHex4, "count", where.count, problem))
            return Broken();
        return true;
    }

    bool ReadTag(quint32 expected, const char *text)
    {
        quint32 tag = 0;
        if (!ReadField(cursor, kHex8, "tag", tag, problem))
            return Broken();
        if (tag != expected) {
            problem.text = QStringLiteral("the tag is not %1").arg(QLatin1String(text));
            return Broken();
        }
        return true;
    }

    // False when the reading ends here: a count of 0, or a break.
    bool ReadSegments()
    {
        Enter(KplChunk::Segments);
        if (!ReadCount())
            return false;
        cursor.SkipNewline();
        if (where.count == 0)
            return false;
        for (where.item = 1; quint32(where.item) <= where.count; ++where.item) {
            SegmentRecord record;
            if (!ReadSegmentEntry(cursor, record, problem))
                return Broken();
            reading.document.segments.push_back(record);
        }
        cursor.SkipNewline();
        where.item = 0;
        return !MoreSegmentsFollow();
    }

    // A count smaller than the entries would drop the segments beyond it
    // without a word.
    bool MoreSegmentsFollow()
    {
        KplCursor probe = cursor;
        SegmentRecord record;
        Problem ignored;
        if (!ReadSegmentEntry(probe, record, ignored))
            return false;
        problem = {cursor.Position(),
                   QStringLiteral("more segments follow than its count of %1").arg(where.count)};
        Broken();
        return true;
    }

    bool ReadPlaylist()
    {
        Enter(KplChunk::Playlist);
        if (!ReadTag(kTextPlayTag, "504C4159") || !ReadCount())
            return false;
        for (where.item = 1; quint32(where.item) <= where.count; ++where.item) {
            QByteArray name;
            if (!ReadName(cursor, kSegmentNameMax, "name", name, problem))
                return Broken();
            reading.document.playlist.append(name);
        }
        return true;
    }

    // The disk chunk's head empties the table; the entries read whole are
    // kept.
    bool ReadDisk()
    {
        Enter(KplChunk::Disk);
        if (!ReadTag(kTextDiskTag, "4449534B") || !ReadCount())
            return false;
        QByteArray name;
        if (!ReadName(cursor, kDiskNameMax, "disk name", name, problem))
            return Broken();
        DiskTable &disk = reading.document.disk.emplace();
        SetDiskName(disk, name);
        for (where.item = 1; quint32(where.item) <= where.count; ++where.item) {
            SegmentSlotEntry entry;
            if (!ReadDiskEntry(cursor, entry, problem))
                return Broken();
            AddDiskEntry(disk, entry);
        }
        return true;
    }

    KplCursor cursor;
    KplReading reading;
    KplBreak where;
    Problem problem;
};

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
    return TextReader(bytes).Read();
}

QByteArray KplText(const KplDocument &document)
{
    QByteArray out;
    WriteSegments(out, document.segments);
    WritePlaylist(out, document.playlist);
    WriteDisk(out, document.disk.value_or(DiskTable{}));
    return out;
}
