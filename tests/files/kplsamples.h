// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/clips/kplformat.h"

#include <QByteArray>
#include <QtEndian>

#include <algorithm>

// Playlist documents and files built field by field, for the tests of the
// playlist file.

inline SegmentRecord Segment(quint16 number, quint32 in, quint32 out, const QByteArray &name,
                             quint16 extra1 = 0, quint16 extra2 = 0)
{
    SegmentRecord record;
    record.inPoint = in;
    record.outPoint = out;
    record.extra1 = extra1;
    record.extra2 = extra2;
    record.number = number;
    std::copy(name.begin(), name.end(), record.name.begin());
    return record;
}

inline QByteArray NameOf(const SegmentRecord &record)
{
    return QByteArray(record.name.data());
}

inline SegmentSlotEntry DiskEntry(quint32 megabytes, quint8 bus, quint8 id)
{
    SegmentSlotEntry entry;
    entry.value1 = megabytes;
    entry.value2 = 0x01020304;
    entry.byte1 = bus;
    entry.byte2 = id;
    entry.present = 1;
    return entry;
}

// The smallest saved playlist: one segment Seg-1 from 0x64 to 0xC8, no
// playlist, no disks, no disk name.
inline KplDocument OneSegmentDocument()
{
    KplDocument document;
    document.segments.push_back(Segment(1, 0x64, 0xC8, "Seg-1"));
    document.disk.emplace();
    return document;
}

// A document with something in every field: names with bytes above 0x7F,
// a playlist naming a segment twice, two disks.
inline KplDocument RichDocument()
{
    KplDocument document;
    document.segments.push_back(Segment(1, 0, 250, "Seg-1", 12, 9999));
    document.segments.push_back(Segment(2, 0x00989680, 0xFFFFFFFF, "Intro \xE9t\xE9"));
    document.segments.push_back(Segment(7, 1000, 500, QByteArray(32, 'L')));
    document.playlist = {"Seg-1", "Intro \xE9t\xE9", "Seg-1"};
    DiskTable &disk = document.disk.emplace();
    const QByteArray name = "XR DISK 15chars";
    std::copy(name.begin(), name.end(), disk.name.begin());
    disk.entries[0] = DiskEntry(73000, 1, 0);
    disk.entries[1] = DiskEntry(146000, 1, 5);
    disk.count = 2;
    return document;
}

// The binary form, block by block; a length of -1 is the block's own size.
class BinaryKpl
{
public:
    BinaryKpl &Segments(const std::vector<SegmentRecord> &records, qint64 length = -1)
    {
        QByteArray block;
        for (const SegmentRecord &record : records) {
            Word32(block, record.inPoint);
            Word32(block, record.outPoint);
            Word16(block, record.extra1);
            Word16(block, record.extra2);
            Word16(block, record.number);
            block.append(record.name.data(), static_cast<int>(record.name.size()));
        }
        return Block("CLIP", block, length);
    }

    BinaryKpl &Playlist(const QList<QByteArray> &names, qint64 length = -1)
    {
        QByteArray block;
        for (const QByteArray &name : names)
            block += name.leftJustified(32, '\0', true);
        return Block("YALP", block, length);
    }

    BinaryKpl &Disk(const QByteArray &name, const std::vector<SegmentSlotEntry> &entries,
                    qint64 length = -1)
    {
        QByteArray block = name.leftJustified(16, '\0', true);
        for (const SegmentSlotEntry &entry : entries) {
            Word32(block, entry.value1);
            Word32(block, entry.value2);
            block += char(entry.byte1);
            block += char(entry.byte2);
            block += char(entry.present);
            block += char(entry.spare);
        }
        return Block("KSID", block, length);
    }

    BinaryKpl &Raw(const QByteArray &raw)
    {
        bytes += raw;
        return *this;
    }

    QByteArray bytes;

private:
    BinaryKpl &Block(const char *tag, const QByteArray &block, qint64 length)
    {
        bytes += tag;
        Word32(bytes, length < 0 ? quint32(block.size()) : quint32(length));
        bytes += block;
        return *this;
    }

    static void Word32(QByteArray &out, quint32 value)
    {
        char word[4];
        qToLittleEndian(value, word);
        out.append(word, 4);
    }

    static void Word16(QByteArray &out, quint16 value)
    {
        char word[2];
        qToLittleEndian(value, word);
        out.append(word, 2);
    }
};
