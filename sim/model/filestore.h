// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

namespace xrsim {

// A recording on the recorder's disks. Its extent counts frames (pictures,
// not fields); a file that was created but never recorded into is empty.
struct MediaFile
{
    QByteArray name;
    qint64 first = 0;
    qint64 last = -1;
    int standard = 0;
    int megabitsPerSecond = 50;
    int gop = 1;
    int audioTracks = 8;

    bool Empty() const { return last < first; }
    qint64 Frames() const { return Empty() ? 0 : last - first + 1; }
    void Include(qint64 frame);
};

// The recorder's files in the order they were made, with the cursor that
// the file list commands walk.
class FileStore
{
public:
    static constexpr int kMaxFiles = 2048;
    static constexpr int kNameSize = 8;

    // Names travel as exactly eight bytes, zero padded.
    static QByteArray Padded(const QByteArray &name);
    static QByteArray Unpadded(const QByteArray &wireName);

    MediaFile *Find(const QByteArray &name);
    // False for an empty or taken name, or when the directory is full.
    bool Add(const MediaFile &file);
    bool Rename(const QByteArray &from, const QByteArray &to);
    bool Remove(const QByteArray &name);
    qint64 TotalFrames() const;

    const MediaFile *First();
    const MediaFile *Next();
    const MediaFile *Previous();
    bool CursorOnLast() const { return cursor == files.size() - 1; }

private:
    const MediaFile *AtCursor() const;

    QList<MediaFile> files;
    qsizetype cursor = -1;
};

} // namespace xrsim
