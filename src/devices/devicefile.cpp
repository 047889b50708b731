// SPDX-License-Identifier: GPL-3.0-or-later
#include "devicefile.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr int kAddressParts = 4;
constexpr int kMaxPartDigits = 3;
constexpr int kMaxPartValue = 255;
constexpr quint32 kBroadcast = 0xFFFFFFFFu;
constexpr quint32 kMulticastPrefix = 0xE; // 224.0.0.0/4

// Collects the lines of the contents byte by byte. A CR ends a line; an LF
// ends one too unless it completes a CR LF pair.
class LineSplitter
{
public:
    void Add(char c)
    {
        const bool secondHalfOfCrLf = c == '\n' && afterCr;
        afterCr = c == '\r';
        if (secondHalfOfCrLf)
            return;
        if (c == '\r' || c == '\n')
            EndLine();
        else
            line.append(c);
    }

    QStringList Finish()
    {
        if (!line.isEmpty())
            EndLine();
        return lines;
    }

private:
    void EndLine()
    {
        lines.append(QString::fromLatin1(line));
        line.clear();
    }

    QByteArray line;
    bool afterCr = false;
    QStringList lines;
};

int ParsePart(const QString &part)
{
    if (part.isEmpty() || part.size() > kMaxPartDigits)
        return -1;
    int value = 0;
    for (const QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
        value = value * 10 + (c.unicode() - '0');
    }
    return value <= kMaxPartValue ? value : -1;
}

// A recorder line cut after its first word: the word that should be the
// address, and everything after it, which must be blanks or a comment.
struct LineParts
{
    QString address;
    QString tail;

    bool TailIsComment() const
    {
        const QString rest = tail.trimmed();
        return rest.isEmpty() || rest.startsWith(QLatin1Char('#'));
    }
};

LineParts SplitLine(const QString &line)
{
    int start = 0;
    while (start < line.size() && line.at(start).isSpace())
        ++start;
    int end = start;
    while (end < line.size() && !line.at(end).isSpace() && line.at(end) != QLatin1Char('#'))
        ++end;
    return {line.mid(start, end - start), line.mid(end)};
}

QByteArray FileContents(const QStringList &lines)
{
    QByteArray contents;
    for (const QString &line : lines)
        contents += line.toLatin1() + "\r\n";
    return contents;
}

// A write cut short by a full disk can pass for a whole one until the data
// is flushed; only a file of the full length counts.
bool WriteWhole(QFileDevice &file, const QByteArray &contents)
{
    return file.write(contents) == contents.size() && file.flush() &&
           file.size() == contents.size();
}

// Writes the contents over the file's own from its start, then cuts off
// whatever of the old contents is left beyond them.
bool WriteOver(QFile &file, const QByteArray &contents)
{
    return file.seek(0) && file.write(contents) == contents.size() && file.flush() &&
           file.resize(contents.size()) && file.size() == contents.size();
}

// For a folder in which no new file may be made: the file itself is
// overwritten, which keeps its owner and its hard links. Its old contents
// are read first and written back when the new ones do not fit whole.
bool OverwriteFile(const QString &path, const QByteArray &contents, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray old = file.readAll();
    if (WriteOver(file, contents))
        return true;
    *error = file.errorString();
    if (!WriteOver(file, old))
        *error += QStringLiteral("; its old contents could not be put back");
    return false;
}

} // namespace

QStringList ReadDeviceLines(QIODevice &in)
{
    LineSplitter splitter;
    char c;
    while (in.getChar(&c))
        splitter.Add(c);
    return splitter.Finish();
}

QStringList ReadDeviceFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadDeviceLines(file);
}

bool IsDeviceLine(const QString &line)
{
    return line.size() >= kMinDeviceLineLength && line.size() <= kMaxDeviceLineLength;
}

quint32 DeviceLineAddress(const QString &line)
{
    const LineParts parts = SplitLine(line);
    return parts.TailIsComment() ? ParseIPv4(parts.address) : 0;
}

QString DeviceLineToSave(const QString &line)
{
    const quint32 address = DeviceLineAddress(line);
    return address == 0 ? line : FormatIPv4(address) + SplitLine(line).tail;
}

bool WriteDeviceFile(const QString &path, const QStringList &lines, QString *error)
{
    const QByteArray contents = FileContents(lines);
    QString reason;
    QSaveFile file(path);
    bool written = false;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
        written = QFile::exists(path) && OverwriteFile(path, contents, &reason);
    } else if (!WriteWhole(file, contents)) {
        reason = file.errorString();
        file.cancelWriting();
    } else {
        written = file.commit();
        reason = file.errorString();
    }
    if (!written && error)
        *error = reason;
    return written;
}

quint32 ParseIPv4(const QString &text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != kAddressParts)
        return 0;
    quint32 address = 0;
    for (const QString &part : parts) {
        const int value = ParsePart(part);
        if (value < 0)
            return 0;
        address = (address << 8) | static_cast<quint32>(value);
    }
    return address;
}

QString FormatIPv4(quint32 address)
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(address >> 24)
        .arg((address >> 16) & 0xFF)
        .arg((address >> 8) & 0xFF)
        .arg(address & 0xFF);
}

bool IsUnicastIPv4(quint32 address)
{
    return address != 0 && address != kBroadcast && (address >> 28) != kMulticastPrefix;
}
