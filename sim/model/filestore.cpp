#include "model/filestore.h"

namespace xrsim {

void MediaFile::include(qint64 frame)
{
    if (empty()) {
        first = last = frame;
        return;
    }
    first = qMin(first, frame);
    last = qMax(last, frame);
}

QByteArray FileStore::padded(const QByteArray &name)
{
    QByteArray bytes = name.left(NameSize);
    bytes.append(QByteArray(NameSize - bytes.size(), '\0'));
    return bytes;
}

QByteArray FileStore::unpadded(const QByteArray &wireName)
{
    QByteArray name = wireName.left(NameSize);
    const qsizetype end = name.indexOf('\0');
    return end < 0 ? name : name.left(end);
}

MediaFile *FileStore::find(const QByteArray &name)
{
    for (MediaFile &file : m_files) {
        if (file.name == name)
            return &file;
    }
    return nullptr;
}

bool FileStore::add(const MediaFile &file)
{
    if (file.name.isEmpty() || m_files.size() >= MaxFiles || find(file.name))
        return false;
    m_files.append(file);
    return true;
}

bool FileStore::rename(const QByteArray &from, const QByteArray &to)
{
    MediaFile *file = find(from);
    if (!file || to.isEmpty() || find(to))
        return false;
    file->name = to;
    return true;
}

bool FileStore::remove(const QByteArray &name)
{
    for (qsizetype i = 0; i < m_files.size(); ++i) {
        if (m_files.at(i).name != name)
            continue;
        m_files.removeAt(i);
        if (m_cursor >= i)
            --m_cursor;
        return true;
    }
    return false;
}

qint64 FileStore::totalFrames() const
{
    qint64 total = 0;
    for (const MediaFile &file : m_files)
        total += file.frames();
    return total;
}

const MediaFile *FileStore::first()
{
    m_cursor = 0;
    return atCursor();
}

const MediaFile *FileStore::next()
{
    m_cursor = qMin(m_cursor + 1, m_files.size());
    return atCursor();
}

const MediaFile *FileStore::previous()
{
    m_cursor = qMax<qsizetype>(m_cursor - 1, -1);
    return atCursor();
}

const MediaFile *FileStore::atCursor() const
{
    return m_cursor >= 0 && m_cursor < m_files.size() ? &m_files.at(m_cursor) : nullptr;
}

} // namespace xrsim
