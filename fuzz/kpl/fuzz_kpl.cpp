// SPDX-License-Identifier: GPL-3.0-or-later
// Playlist files (.kpl), both forms: the input is the file's bytes.
//
// Properties: whatever the bytes, every name read stays within its field
// (its NUL inside the record, at most 32 bytes a playlist row, 15 a disk
// name), the disk table holds at most six entries, and a break lies within
// the file. A document read whole, written in the text form and read again,
// is the same document, unless the writer refuses one of its names (the
// older binary form can hold names the text form cannot carry).

#include "fuzzcheck.h"

#include "ui/clips/kplformat.h"

#include <QByteArray>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

QByteArray RecordNameBytes(const SegmentRecord &record)
{
    const auto end = std::find(record.name.begin(), record.name.end(), '\0');
    FUZZ_CHECK(end - record.name.begin() <= kSegmentNameMax);
    return QByteArray(record.name.data(), int(end - record.name.begin()));
}

QByteArray DiskNameBytes(const DiskTable &disk)
{
    const auto end = std::find(disk.name.begin(), disk.name.end(), '\0');
    FUZZ_CHECK(end - disk.name.begin() <= kDiskNameMax);
    return QByteArray(disk.name.data(), int(end - disk.name.begin()));
}

void CheckWithinFields(const KplReading &reading, qsizetype fileSize)
{
    for (const SegmentRecord &record : reading.document.segments)
        RecordNameBytes(record);
    for (const QByteArray &row : reading.document.playlist)
        FUZZ_CHECK(row.size() <= kSegmentNameMax && !row.contains('\0'));
    if (reading.document.disk) {
        DiskNameBytes(*reading.document.disk);
        FUZZ_CHECK(reading.document.disk->count >= 0 &&
                   reading.document.disk->count <= kSegmentSlotCount);
    }
    if (reading.damage)
        FUZZ_CHECK(reading.damage->offset >= 0 && reading.damage->offset <= fileSize);
    if (reading.form == KplForm::None)
        FUZZ_CHECK(reading.document.segments.empty() && reading.document.playlist.isEmpty());
}

// Two documents hold the same things: the bytes after a name's NUL and a
// disk entry's spare byte are no part of a document (the text form carries
// neither), and an absent disk chunk is written as an empty one.
bool SameDocument(const KplDocument &a, const KplDocument &b)
{
    if (a.segments.size() != b.segments.size() || a.playlist != b.playlist)
        return false;
    for (size_t i = 0; i < a.segments.size(); ++i) {
        const SegmentRecord &x = a.segments[i];
        const SegmentRecord &y = b.segments[i];
        if (x.inPoint != y.inPoint || x.outPoint != y.outPoint || x.extra1 != y.extra1 ||
            x.extra2 != y.extra2 || x.number != y.number ||
            RecordNameBytes(x) != RecordNameBytes(y))
            return false;
    }
    const DiskTable none;
    const DiskTable &p = a.disk ? *a.disk : none;
    const DiskTable &q = b.disk ? *b.disk : none;
    if (p.count != q.count || DiskNameBytes(p) != DiskNameBytes(q))
        return false;
    for (int i = 0; i < p.count; ++i) {
        const SegmentSlotEntry &x = p.entries[size_t(i)];
        const SegmentSlotEntry &y = q.entries[size_t(i)];
        if (x.value1 != y.value1 || x.value2 != y.value2 || x.byte1 != y.byte1 ||
            x.byte2 != y.byte2 || x.present != y.present)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const KplReading reading = ReadKpl(bytes);
    CheckWithinFields(reading, bytes.size());

    // A file with no segment is never written (Save leaves the file alone),
    // and a text file's zero count ends its reading before the playlist.
    const bool whole = reading.form != KplForm::None && !reading.damage;
    if (!whole || reading.document.segments.empty() ||
        !KplDocumentProblem(reading.document).isEmpty())
        return 0;

    const QByteArray text = KplText(reading.document);
    const KplReading again = ReadKpl(text);
    FUZZ_CHECK(again.form == KplForm::Text && !again.damage && again.reachedEnd);
    FUZZ_CHECK(SameDocument(again.document, reading.document));
    FUZZ_CHECK(KplText(again.document) == text);
    return 0;
}
