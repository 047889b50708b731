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

    bool empty() const { return last < first; }
    qint64 frames() const { return empty() ? 0 : last - first + 1; }
    void include(qint64 frame);
};

// The recorder's files in the order they were made, with the cursor that
// the file list commands walk.
class FileStore
{
public:
    static constexpr int MaxFiles = 2048;
    static constexpr int NameSize = 8;

    // Names travel as exactly eight bytes, zero padded.
    static QByteArray padded(const QByteArray &name);
    static QByteArray unpadded(const QByteArray &wireName);

    MediaFile *find(const QByteArray &name);
    // False for an empty or taken name, or when the directory is full.
    bool add(const MediaFile &file);
    bool rename(const QByteArray &from, const QByteArray &to);
    bool remove(const QByteArray &name);
    qint64 totalFrames() const;

    const MediaFile *first();
    const MediaFile *next();
    const MediaFile *previous();
    bool cursorOnLast() const { return m_cursor == m_files.size() - 1; }

private:
    const MediaFile *atCursor() const;

    QList<MediaFile> m_files;
    qsizetype m_cursor = -1;
};

} // namespace xrsim
