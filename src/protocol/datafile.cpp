// SPDX-License-Identifier: GPL-3.0-or-later
#include "datafile.h"

#include "bcd.h"
#include "link/linkstatus.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr char kLineFeed = 0x0A;
constexpr char kCarriageReturn = 0x0D;

constexpr int kHex8Width = 8;
constexpr int kHex4Width = 4;
constexpr int kHex2Width = 2;
constexpr int kDecimal6Width = 6;
constexpr int kWordSize = 4;

bool IsLineEnd(char c)
{
    return c == kLineFeed || c == kCarriageReturn;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value of the hex digits at the start of a field; like a scanf conversion
// it stops at the first character that is not a digit.
quint32 LeadingHexValue(const char *field, int width)
{
    quint32 value = 0;
    for (int i = 0; i < width && IsHexDigit(field[i]); ++i) {
        value = value * 16 + static_cast<quint32>(HexDigitValue(field[i]));
    }
    return value;
}

// The signed decimal number at the start of a field, as "%ld" would read it.
qint32 LeadingDecimalValue(const char *field, int width)
{
    int i = 0;
    const bool negative = field[0] == '-';
    if (negative || field[0] == '+') {
        i = 1;
    }
    qint32 value = 0;
    for (; i < width && IsDecimalDigit(field[i]); ++i) {
        value = value * 10 + (field[i] - '0');
    }
    return negative ? -value : value;
}

QString BaseName(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace

DataFile::DataFile(quint32 kind, const QString &path) : kind(kind)
{
    if (path.size() <= kMaxPathLength) {
        this->path = path;
        name = BaseName(path);
        file.setFileName(path);
    }
}

DataFile::~DataFile()
{
    DataFile::Close();
}

qint16 DataFile::Open(QIODevice::OpenMode mode)
{
    if (file.isOpen()) {
        return kStatusOk;
    }
    if (path.isEmpty() || !file.open(mode)) {
        return kStatusLinkError;
    }
    return kStatusOk;
}

qint16 DataFile::Read(qint64 &length, char *buffer)
{
    if (!file.isReadable()) {
        length = 0;
        return kStatusLinkError;
    }
    const qint64 count = file.read(buffer, length);
    length = std::max<qint64>(count, 0);
    return count < 0 ? kStatusLinkError : kStatusOk;
}

qint16 DataFile::GetSize(qint64 &size)
{
    if (!file.isOpen()) {
        return kStatusLinkError;
    }
    size = file.size();
    return kStatusOk;
}

qint16 DataFile::NoOperation()
{
    return kStatusOk;
}

qint16 DataFile::Seek(int mode, qint64 offset)
{
    if (!file.isOpen()) {
        return kStatusLinkError;
    }
    const qint64 origin = mode == kSeekFromCurrent ? file.pos() : 0;
    const qint64 target = origin + offset;
    if (target < 0 || !file.seek(target)) {
        return kStatusLinkError;
    }
    return kStatusOk;
}

qint16 DataFile::Write(qint64 &length, const char *buffer)
{
    if (!file.isWritable()) {
        length = 0;
        return kStatusLinkError;
    }
    const qint64 requested = length;
    length = std::max<qint64>(file.write(buffer, requested), 0);
    return length == requested ? kStatusOk : kStatusLinkError;
}

qint16 DataFile::Flush()
{
    return file.isOpen() && file.flush() ? kStatusOk : kStatusLinkError;
}

qint16 DataFile::Close()
{
    if (!file.isOpen()) {
        return kStatusOk;
    }
    // QFile::close() reports a failed flush or close only through error().
    file.close();
    return file.error() == QFileDevice::NoError ? kStatusOk : kStatusLinkError;
}

qint16 DataFile::WriteNewline()
{
    return WriteAll(&kLineFeed, 1);
}

// Playlist files may have been through editors or transfers that changed the
// line ends, so one line end of any common form (LF, CR LF, LF CR, and also
// LF LF) is taken whole. A character that is not a line end is left in place.
qint16 DataFile::SkipNewline()
{
    if (!file.isReadable()) {
        return kStatusLinkError;
    }
    for (int i = 0; i < 2; ++i) {
        char c = 0;
        if (!file.getChar(&c)) {
            break;
        }
        if (!IsLineEnd(c)) {
            file.ungetChar(c);
            break;
        }
    }
    return kStatusOk;
}

qint16 DataFile::ReadDecimal6(qint32 &value)
{
    char field[kDecimal6Width];
    const qint16 status = ReadField(field, kDecimal6Width);
    if (status == kStatusOk) {
        value = LeadingDecimalValue(field, kDecimal6Width);
    }
    return status;
}

qint16 DataFile::WriteHex8(quint32 value)
{
    return WriteHex(value, kHex8Width);
}

qint16 DataFile::ReadHex8(quint32 &value)
{
    quint32 read = 0;
    const qint16 status = ReadHex(read, kHex8Width);
    if (status == kStatusOk)
        value = static_cast<quint32>(read);
    return status;
}

qint16 DataFile::WriteU32BE(quint32 value)
{
    char bytes[kWordSize];
    qToBigEndian(value, bytes);
    return WriteAll(bytes, kWordSize);
}

qint16 DataFile::ReadU32BE(quint32 &value)
{
    char bytes[kWordSize];
    const qint16 status = ReadField(bytes, kWordSize);
    if (status == kStatusOk) {
        value = qFromBigEndian<quint32>(bytes);
    }
    return status;
}

qint16 DataFile::WriteHex4(quint16 value)
{
    return WriteHex(value, kHex4Width);
}

qint16 DataFile::ReadHex4(quint16 &value)
{
    quint32 read = 0;
    const qint16 status = ReadHex(read, kHex4Width);
    if (status == kStatusOk)
        value = static_cast<quint16>(read);
    return status;
}

qint16 DataFile::WriteHex2(quint8 value)
{
    return WriteHex(value, kHex2Width);
}

qint16 DataFile::ReadHex2(quint8 &value)
{
    quint32 read = 0;
    const qint16 status = ReadHex(read, kHex2Width);
    if (status == kStatusOk)
        value = static_cast<quint8>(read);
    return status;
}

qint16 DataFile::WriteString(const char *text)
{
    const char *characters = text ? text : "";
    return WriteAll(characters, static_cast<qint64>(qstrlen(characters)) + 1);
}

// Reads up to max + 1 bytes, stopping after the terminating NUL. Without a NUL
// in that span the text is too long (or the file ended); the buffer then keeps
// at most `max` characters and is still terminated.
qint16 DataFile::ReadString(int max, char *buffer)
{
    if (max < 0) {
        return kStatusLinkError;
    }
    int count = 0;
    char c = 0;
    while (count <= max && file.isReadable() && file.getChar(&c)) {
        buffer[count++] = c;
        if (c == '\0') {
            return kStatusOk;
        }
    }
    buffer[std::min(count, max)] = '\0';
    return kStatusLinkError;
}

qint16 DataFile::ReadField(char *field, int width)
{
    if (!file.isReadable()) {
        return kStatusLinkError;
    }
    return file.read(field, width) == width ? kStatusOk : kStatusLinkError;
}

// A fixed-width hex field: always consumes `width` characters, whose leading
// hex digits give the value.
qint16 DataFile::ReadHex(quint32 &value, int width)
{
    char field[kHex8Width];
    const qint16 status = ReadField(field, width);
    if (status == kStatusOk)
        value = LeadingHexValue(field, width);
    return status;
}

qint16 DataFile::WriteAll(const char *bytes, qint64 count)
{
    if (!file.isWritable()) {
        return kStatusLinkError;
    }
    return file.write(bytes, count) == count ? kStatusOk : kStatusLinkError;
}

qint16 DataFile::WriteHex(quint32 value, int width)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char field[kHex8Width];
    for (int i = width - 1; i >= 0; --i) {
        field[i] = kDigits[value & 0x0F];
        value >>= 4;
    }
    return WriteAll(field, width);
}
