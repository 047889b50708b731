// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "kplformat.h"

// What the two forms of the playlist file share, for their readers and the
// writer.

// Text form: the chunk tags, written as the hex of their four letters.
constexpr quint32 kTextClipTag = 0x636C6970; // "clip"
constexpr quint32 kTextPlayTag = 0x504C4159; // "PLAY"
constexpr quint32 kTextDiskTag = 0x4449534B; // "DISK"

// Binary form: "CLIP" read most significant first opens the file; the
// playlist and disk chunks carry their letters reversed.
constexpr quint32 kBinaryClipTag = 0x434C4950;
inline constexpr char kBinaryPlayTag[] = "YALP";
inline constexpr char kBinaryDiskTag[] = "KSID";

// Counts in the text form are four hex digits.
constexpr int kKplMaxCount = 0xFFFF;

// Both forms read a file known to start as the form says (RecognizeKpl).
KplReading ReadKplText(const QByteArray &bytes);
KplReading ReadKplBinary(const QByteArray &bytes);

// A record's name: the bytes before its NUL, at most 32.
QByteArray RecordName(const SegmentRecord &record);
// Stores at most 32 bytes of `name` (up to a NUL) and zeros after them.
void SetRecordName(SegmentRecord &record, const QByteArray &name);

QByteArray DiskName(const DiskTable &disk);
// Stores at most 15 bytes of `name` (up to a NUL) and zeros after them.
void SetDiskName(DiskTable &disk, const QByteArray &name);

// Keeps an entry read from a file: the first six fill the table, later ones
// are passed over.
void AddDiskEntry(DiskTable &disk, const SegmentSlotEntry &entry);
