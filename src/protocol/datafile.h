// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QIODevice>
#include <QString>
#include <QtGlobal>

// A local file chosen in an Open or Save dialog: playlists, movie files, still
// images, firmware images. Besides plain byte I/O it reads and writes the typed
// fields of the playlist file: fixed-width upper-case hex text, big-endian
// words, NUL-terminated strings and line ends.
//
// Every operation returns kStatusOk or kStatusLinkError (-36). The error means:
// the file could not be opened or closed, the stream is not open for the
// direction asked, a typed reader found fewer characters than its field holds,
// a write came up short, or ReadString met a text longer than its maximum.
// Text fields are fixed width without separators; a malformed field is not an
// error, its value simply stops at the first character that is not a digit.
class DataFile
{
public:
    // Seek origins; any other mode also counts from the start.
    static constexpr int kSeekFromStart = 1;
    static constexpr int kSeekFromCurrent = 2;
    // Longest path (and base name) the object keeps. A longer path is not kept
    // at all, so such a file cannot be opened.
    static constexpr int kMaxPathLength = 255;

    // `kind` is the four-character code by which the file dialogs chose their
    // title and filter. The file is not opened.
    DataFile(quint32 kind, const QString &path);
    virtual ~DataFile();

    // The operations below keep this order.
    virtual qint16 Open(QIODevice::OpenMode mode);
    virtual qint16 Read(qint64 &length, char *buffer);
    virtual qint16 GetSize(qint64 &size);
    virtual qint16 NoOperation();
    virtual qint16 Seek(int mode, qint64 offset);
    virtual qint16 Write(qint64 &length, const char *buffer);
    virtual qint16 Flush();
    virtual qint16 Close();
    virtual qint16 WriteNewline();
    virtual qint16 SkipNewline();
    virtual qint16 ReadDecimal6(qint32 &value);
    virtual qint16 WriteHex8(quint32 value);
    virtual qint16 ReadHex8(quint32 &value);
    virtual qint16 WriteU32BE(quint32 value);
    virtual qint16 ReadU32BE(quint32 &value);
    virtual qint16 WriteHex4(quint16 value);
    virtual qint16 ReadHex4(quint16 &value);
    virtual qint16 WriteHex2(quint8 value);
    virtual qint16 ReadHex2(quint8 &value);
    virtual qint16 WriteString(const char *text);
    virtual qint16 ReadString(int max, char *buffer);

    quint32 Kind() const { return kind; }
    QString Path() const { return path; }
    QString Name() const { return name; }
    bool IsOpen() const { return file.isOpen(); }

private:
    Q_DISABLE_COPY_MOVE(DataFile)

    qint16 ReadField(char *field, int width);
    qint16 ReadHex(quint32 &value, int width);
    qint16 WriteAll(const char *bytes, qint64 count);
    qint16 WriteHex(quint32 value, int width);

    quint32 kind;
    QString path;
    QString name;
    QFile file;
};
