// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

// Files on the recorder: named recordings of up to eight characters. A name
// travels as exactly eight bytes, zero-padded, and comes back the same way.
constexpr int kFileNameLength = 8;
using FileNameBytes = std::array<quint8, kFileNameLength>;

// The first eight characters of `name` (Latin-1), zero bytes after a shorter one.
FileNameBytes PadFileName(const QString &name);

// A name typed by the operator is sent upper-cased.
QString TypedFileName(const QString &name);

// These four answer with a plain acknowledge that callers do not check; the
// file list refresh that follows shows the result.
qint16 CreateFile(const QString &name);
qint16 RenameFile(const QString &name); // renames the loaded file
qint16 LoadClip(const QString &name);   // loads a file on the player side
qint16 DeleteFile(const QString &name);

// The answers of the file commands (FileNameQuery, the file list, the free
// time) come in no fixed group: their data is taken from any answer but a NAK
// that carries enough bytes.

// Whether a file of that name exists. `exists` is set only from an answer
// that carries the answer byte.
qint16 FileNameQuery(const QString &name, bool &exists);

// The name of the loaded file. An empty name means the recorder has none
// loaded: it then answers with a plain acknowledge, whose checksum 0x11 lands
// in data byte 0. `name` is untouched when the exchange fails or is refused.
qint16 CurrentFileSense(QString &name);

// Data byte 0 of a file list answer when the recorder has no (further) file,
// and data byte 1 of the first answer when it has no file store at all
// (older firmware answers "$$$$$$$$"). The marks are looked for where the
// recorder puts them, whatever data count its answer announces.
constexpr quint8 kNoFileMark = 0x94;
constexpr quint8 kNoStoreMark = '$';

// One answer of the file list walk.
struct FileListEntry
{
    QString name;         // the file name the answer carries
    bool hasName = false; // false: the answer carries none (end of list, failure)
    bool last = true;     // true: no FileListNext should follow
};

// The first answer. Data byte 0 = 0x94 or data byte 1 = "$" means there is
// no file; the reply stays in ReplyFrame for callers that tell them apart.
qint16 FileListFirst(FileListEntry &entry);

// A following answer: data byte 0 = 0x94 ends the list without a name; a
// reply whose command byte is 0 carries the last name.
qint16 FileListNext(FileListEntry &entry);

// The front-panel file browser's step through every file; the caller reads
// the reply from ReplyFrame.
qint16 FileListNextAll();

// A recorder holds at most 2048 files; a list that goes on far beyond that
// comes from a recorder that never sends its end mark.
constexpr int kFileListLimit = 10000;

// Walks the whole list into `names`, in the recorder's order. Returns 0, or
// the status of the exchange that broke the walk (the names read so far stay).
// A recorder's file names are unique, so a name that comes round again means
// the list has started over: the walk ends there, and in any case after
// `limit` names.
qint16 ReadFileList(QStringList &names, int limit = kFileListLimit);

// The free recording time of the storage, as twelve characters
// "HHH:MM:SS:FF" (hundreds of hours first; older firmware answers without
// them and the place shows a blank). `text` is untouched unless the whole
// answer arrived.
qint16 AvailableTimeSense(bool legacy, QString &text);

// The twelve characters of the free time from the answer's first five bytes
// (four with `legacy`): each nibble one digit, with the flag bits of the
// seconds and frames bytes masked off.
QString AvailableTimeText(const quint8 *bytes, bool legacy);

// The disk name kept by recorders of the older firmware (at most 15
// characters). True, with `name` set, when the recorder answered with it.
bool DiskNameSense(QString &name);

// Sends the characters of `name` (at most 15, no terminator). True when the
// recorder accepted it.
bool SetDiskName(const QString &name);
