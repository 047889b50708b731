// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "disktable.h"
#include "segmentrecord.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

// The playlist file (extension KPL): the segment list with each segment's in
// and out points, the playlist, the disk name and the recorder's disk table.
// This module only turns such a file into a document and back; it knows no
// widget and no recorder.
//
// The program writes the text form: every value as fixed-width upper-case
// hex digits, names as their bytes and a NUL, each item followed by a line
// feed, in three chunks tagged "clip", "PLAY" and "DISK" (the tags written as
// the hex of their four letters):
//
//   636C6970 NL  count NL NL  { in NL out NL extra1 NL extra2 NL number NL
//   name NUL NL  NL } NL
//   504C4159 NL  count NL  { name NUL NL }
//   4449534B NL  count NL  disk name NUL NL  { value1 NL value2 NL byte1 NL
//   byte2 NL present NL  NL }
//
// It reads the text form with any common line end (LF, CR LF, LF CR, and an
// LF LF pair taken as one) and the older binary form: "CLIP" and a 32-bit
// little-endian length, that many bytes of 48-byte segment records; "YALP",
// a length and 32-byte NUL-padded names; "KSID", a length, a 16-byte disk
// name and 12-byte disk entries.
//
// A file is taken only when its segment chunk reads whole: the count is
// hex and exactly that many complete entries follow. Anything else is
// refused before anything changes on the recorder, with the byte where the
// file breaks. Damage after the segment chunk (the playlist or the disk
// chunk) still lets the segments be re-created, but the file is not taken
// as the document, so that no later Save writes part of it over the whole.
//
// Opening a playlist (the File menu's Open) goes:
//
//   KplFileReading reading = ReadKplFile(path);      // the whole file, in memory
//   if (reading.status != KplFileStatus::Read)        // nothing changed yet
//       show reading.error and stop;
//   empty the lists, erase the recorder's segments;
//   for (const SegmentRecord &record : reading.document.segments)
//       addSegmentFromRecord(record, true);           // with a progress dialog
//   append reading.document.playlist to the playlist;
//   if (reading.document.disk) take it as the disk table and disk name;
//   if (reading.reachedEnd) read the disk table from the recorder again;
//   if (reading.damage) say what was skipped, keep no document;
//
// and saving one:
//
//   KplDocument document;                             // rows in table order
//   QString error;
//   if (WriteKplFile(path, document, &error) == KplWriteStatus::Failed)
//       show error;                                   // the old file is intact
//
// Every document the writer accepts reads back as the same document: names
// that the text form cannot carry are refused (KplDocumentProblem).

// What a playlist file holds.
struct KplDocument
{
    // In file order; each name is NUL-terminated within its record.
    std::vector<SegmentRecord> segments;
    // The playlist's rows by segment name: at most 32 bytes each, no NUL.
    QList<QByteArray> playlist;
    // The disk chunk, when the file's reading reached it (reading it empties
    // the window's disk table first). At most six entries; a file that lists
    // more keeps the first six. Written as an empty chunk when absent.
    std::optional<DiskTable> disk;
};

enum class KplForm {
    None,   // not a playlist file
    Text,   // the form the program writes
    Binary, // the older form, read only
};

// Which form the bytes are, from their start alone: the text form opens with
// the hex of "clip" followed by a segment count, the binary form with the
// letters "CLIP" followed by a length.
KplForm RecognizeKpl(const QByteArray &bytes);

enum class KplChunk { Segments, Playlist, Disk };

// Where and why a file stops reading as the form it opens as.
struct KplBreak
{
    KplChunk chunk = KplChunk::Segments;
    // The entry (segment, playlist row, disk) that breaks, from 1, out of
    // `count`; 0 when the chunk's own tag, count or length breaks.
    int item = 0;
    quint32 count = 0;
    // The first byte of the field that breaks.
    qsizetype offset = 0;
    // What is wrong there ("the out point is not 8 hex digits").
    QString problem;
};

// "the segment list breaks at byte 212, in segment 3 of 5: the name has no
// NUL within 32 bytes".
QString KplBreakText(const KplBreak &where);

struct KplReading
{
    KplForm form = KplForm::None;
    // Empty when form is None; what was read whole before a break.
    KplDocument document;
    // The reading went through to its end. The recorder's disk table then
    // replaces the one the file held, which describes the disks of the day
    // the file was written. A text file whose segment count is 0 ends there,
    // without a break, and its end is not reached. The binary form's
    // playlist and disk blocks may be missing at the end of the file.
    bool reachedEnd = false;
    // Where the file breaks. In the segment chunk the file must be refused:
    // its segments cannot be told. Later, the segments are whole.
    std::optional<KplBreak> damage;

    bool SegmentsWhole() const
    {
        return form != KplForm::None && !(damage && damage->chunk == KplChunk::Segments);
    }
};

// Reads a whole file's bytes: a pure function of them, which never reads
// beyond them nor writes beyond a table, whatever they hold.
KplReading ReadKpl(const QByteArray &bytes);

enum class KplFileStatus {
    Read,        // reading.form is Text or Binary, the segments whole
    CannotOpen,  // the file could not be opened or read
    NotPlaylist, // neither form (or far larger than any playlist)
    Damaged,     // the segment chunk breaks (reading.damage says where)
};

struct KplFileReading : KplReading
{
    KplFileStatus status = KplFileStatus::CannotOpen;
    // For the operator when status is not Read: names the file.
    QString error;
};

// Reads the file at `path` into memory and then as above; the file is closed
// before this returns.
KplFileReading ReadKplFile(const QString &path);

// Why a name cannot go into the text form as it is, or an empty text when
// it can: "is longer than 32 bytes", "holds a line end", "holds a NUL byte".
// A name ends at its NUL, and the reader takes line ends before a name as
// the end of the line before it.
QString KplNameProblem(const QByteArray &name, int max);

// The first name of the document that the text form cannot carry, which
// and why ("the name of segment 3 holds a line end"); empty when none.
QString KplDocumentProblem(const KplDocument &document);

// The text form of a document, byte for byte as laid out above.
QByteArray KplText(const KplDocument &document);

enum class KplWriteStatus {
    Written,
    Empty,  // no segment: nothing is written, the file is left alone
    Failed, // the file is left as it was; `error` says why
};

// Writes the text form to `path` through a temporary file that replaces the
// old one only once every byte is written, so a full disk or a crash leaves
// the previous playlist in place. A document with a name the text form
// cannot carry is not written at all.
KplWriteStatus WriteKplFile(const QString &path, const KplDocument &document, QString *error);
