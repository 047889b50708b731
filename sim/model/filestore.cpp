// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/filestore.h"

namespace xrsim {

void MediaFile::Include(qint64 frame)
{
    if (Empty()) {
        first = last = frame;
        return;
    }
    first = qMin(first, frame);
    last = qMax(last, frame);
}

QByteArray FileStore::Padded(const QByteArray &name)
{
    QByteArray bytes = name.left(kNameSize);
    bytes.append(QByteArray(kNameSize - bytes.size(), '\0'));
    return bytes;
}

QByteArray FileStore::Unpadded(const QByteArray &wireName)
{
    QByteArray name = wireName.left(kNameSize);
    const qsizetype end = name.indexOf('\0');
    return end < 0 ? name : name.left(end);
}

MediaFile *FileStore::Find(const QByteArray &name)
{
    for (MediaFile &file : files) {
        if (file.name == name)
            return &file;
    }
    return nullptr;
}

bool FileStore::Add(const MediaFile &file)
{
    if (file.name.isEmpty() || files.size() >= kMaxFiles || Find(file.name))
        return false;
    files.append(file);
    return true;
}

bool FileStore::Rename(const QByteArray &from, const QByteArray &to)
{
    MediaFile *file = Find(from);
    if (!file || to.isEmpty() || Find(to))
        return false;
    file->name = to;
    return true;
}

bool FileStore::Remove(const QByteArray &name)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (files.at(i).name != name)
            continue;
        files.removeAt(i);
        if (cursor >= i)
            --cursor;
        return true;
    }
    return false;
}

qint64 FileStore::TotalFrames() const
{
    qint64 total = 0;
    for (const MediaFile &file : files)
        total += file.Frames();
    return total;
}

const MediaFile *FileStore::First()
{
    cursor = 0;
    return AtCursor();
}

const MediaFile *FileStore::Next()
{
    cursor = qMin(cursor + 1, files.size());
    return AtCursor();
}

const MediaFile *FileStore::Previous()
{
    cursor = qMax<qsizetype>(cursor - 1, -1);
    return AtCursor();
}

const MediaFile *FileStore::AtCursor() const
{
    return cursor >= 0 && cursor < files.size() ? &files.at(cursor) : nullptr;
}

} // namespace xrsim
