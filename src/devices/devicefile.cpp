#include "devicefile.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr int kAddressParts = 4;
constexpr int kMaxPartDigits = 3;
constexpr int kMaxPartValue = 255;

// A line as the reader collects it: the bytes up to one past the longest
// allowed line, and whether more were dropped.
struct LineBuffer
{
    QByteArray bytes;
    bool overlong = false;

    void Add(char c)
    {
        if (bytes.size() <= kMaxDeviceLineLength)
            bytes.append(c);
        else
            overlong = true;
    }

    // Ends the line and keeps it when it is usable. The carriage return of a
    // CR LF ending is not part of the line; nor is one right before the end
    // of the file, which is what is left of a CR LF cut short.
    void Finish(QStringList &lines)
    {
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (!overlong && bytes.size() >= kMinDeviceLineLength &&
            bytes.size() <= kMaxDeviceLineLength)
            lines.append(QString::fromLatin1(bytes));
        bytes.clear();
        overlong = false;
    }
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

} // namespace

QStringList ReadDeviceLines(QIODevice &in)
{
    QStringList lines;
    LineBuffer line;
    char c;
    while (in.getChar(&c)) {
        if (c == '\n')
            line.Finish(lines);
        else
            line.Add(c);
    }
    line.Finish(lines); // the last line may lack its line feed
    return lines;
}

QStringList ReadDeviceFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadDeviceLines(file);
}

bool WriteDeviceFile(const QString &path, const QList<quint32> &addresses)
{
    QByteArray contents;
    for (const quint32 address : addresses)
        contents += FormatIPv4(address).toLatin1() + "\r\n";

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A write cut short by a full disk can pass for a whole one until the
    // data is flushed; only a file of the full length may replace the old.
    const bool whole =
        file.write(contents) == contents.size() && file.flush() && file.size() == contents.size();
    if (!whole) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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
