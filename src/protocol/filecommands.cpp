// SPDX-License-Identifier: GPL-3.0-or-later
#include "filecommands.h"

#include "commandcodes.h"
#include "commandengine.h"
#include "commandsend.h"

#include "link/linkstatus.h"

#include <QSet>

#include <algorithm>

namespace {

// A current file answer with this first data byte means no file is loaded.
constexpr quint8 kNoFileLoaded = 0x11;

// The panel's browser asks for every file with this selector.
constexpr quint8 kListEveryFile = 0xFF;

// Free time: frames, seconds, minutes, hours as BCD with flag bits in the
// high nibbles of frames and seconds, then (new form) the hundreds of hours.
constexpr int kAvailableTimeBytes = 5;
constexpr int kAvailableTimeBytesLegacy = 4;

// The disk name is at most 15 characters: one frame's data.
constexpr int kDiskNameLength = 15;

qint16 SendWithName(CommandCode code, const QString &name)
{
    return SendCommand(code, PadFileName(name));
}

QChar Digit(int value)
{
    return QChar('0' + value);
}

// The file commands' answers come in no fixed group: whatever the recorder
// answers but a NAK (which SendCommand has already turned into a status)
// carries their data, as long as it announces enough bytes.
qint16 CheckFileReply(int needed)
{
    return ReplyDataCount() < needed ? kStatusShortReply : kStatusOk;
}

// Reads a file list answer that is neither an end mark nor a failure.
qint16 TakeListedName(FileListEntry &entry)
{
    const qint16 check = CheckFileReply(1);
    if (check != kStatusOk)
        return check;
    entry.name = ReplyText(0, kFileNameLength);
    entry.hasName = true;
    return kStatusOk;
}

} // namespace

FileNameBytes PadFileName(const QString &name)
{
    FileNameBytes bytes{};
    const QByteArray latin = name.left(kFileNameLength).toLatin1();
    std::copy(latin.begin(), latin.end(), bytes.begin());
    return bytes;
}

QString TypedFileName(const QString &name)
{
    return name.toUpper();
}

qint16 CreateFile(const QString &name)
{
    return SendWithName(Cmd::CreateFile, name);
}

qint16 RenameFile(const QString &name)
{
    return SendWithName(Cmd::RenameFile, name);
}

qint16 LoadClip(const QString &name)
{
    return SendWithName(Cmd::LoadClip, name);
}

qint16 DeleteFile(const QString &name)
{
    return SendWithName(Cmd::DeleteFile, name);
}

qint16 FileNameQuery(const QString &name, bool &exists)
{
    const qint16 status = SendWithName(Cmd::FileNameQuery, name);
    if (status != kStatusOk)
        return status;
    const qint16 check = CheckFileReply(1);
    if (check == kStatusOk)
        exists = ReplyData(0) != 0;
    return check;
}

qint16 CurrentFileSense(QString &name)
{
    const std::array<quint8, 1> loadedFile{0x01};
    const qint16 status = SendCommand(Cmd::CurrentFileSense, loadedFile);
    if (status != kStatusOk)
        return status;
    if (ReplyData(0) == kNoFileLoaded) {
        name.clear();
        return kStatusOk;
    }
    const qint16 check = CheckSenseReply(1);
    if (check == kStatusOk)
        name = ReplyText(0, kFileNameLength);
    return check;
}

qint16 FileListFirst(FileListEntry &entry)
{
    entry = FileListEntry{};
    const qint16 status = SendCommand(Cmd::FileListFirst);
    if (status != kStatusOk)
        return status;
    if (ReplyData(0) == kNoFileMark || ReplyData(1) == kNoStoreMark)
        return kStatusOk;
    const qint16 taken = TakeListedName(entry);
    entry.last = taken != kStatusOk;
    return taken;
}

qint16 FileListNext(FileListEntry &entry)
{
    entry = FileListEntry{};
    const qint16 status = SendCommand(Cmd::FileListNext);
    if (status != kStatusOk)
        return status;
    if (ReplyData(0) == kNoFileMark)
        return kStatusOk;
    const qint16 taken = TakeListedName(entry);
    entry.last = taken != kStatusOk || ReplyCommand() == kLastFileNameCode;
    return taken;
}

qint16 FileListNextAll()
{
    return SendCommand(Cmd::FileListNext, std::array<quint8, 1>{kListEveryFile});
}

qint16 ReadFileList(QStringList &names, int limit)
{
    names.clear();
    QSet<QString> seen;
    FileListEntry entry;
    qint16 status = FileListFirst(entry);
    while (true) {
        if (entry.hasName) {
            if (seen.contains(entry.name))
                return status;
            seen.insert(entry.name);
            names.append(entry.name);
        }
        if (status != kStatusOk || entry.last || names.size() >= limit)
            return status;
        status = FileListNext(entry);
    }
}

qint16 AvailableTimeSense(bool legacy, QString &text)
{
    const qint16 status =
        SendCommand(legacy ? Cmd::AvailableTimeSenseLegacy : Cmd::AvailableTimeSense);
    if (status != kStatusOk)
        return status;
    const qint16 check = CheckFileReply(legacy ? kAvailableTimeBytesLegacy : kAvailableTimeBytes);
    if (check == kStatusOk) {
        std::array<quint8, kAvailableTimeBytes> bytes{};
        for (int i = 0; i < ReplyDataCount() && i < kAvailableTimeBytes; ++i)
            bytes[i] = ReplyData(i);
        text = AvailableTimeText(bytes.data(), legacy);
    }
    return check;
}

QString AvailableTimeText(const quint8 *bytes, bool legacy)
{
    QString text;
    text += legacy ? QChar(' ') : Digit(bytes[4] & 0x0F);
    text += Digit(bytes[3] >> 4);
    text += Digit(bytes[3] & 0x0F);
    text += ':';
    text += Digit(bytes[2] >> 4);
    text += Digit(bytes[2] & 0x0F);
    text += ':';
    text += Digit((bytes[1] >> 4) & 0x07);
    text += Digit(bytes[1] & 0x0F);
    text += ':';
    text += Digit((bytes[0] >> 4) & 0x03);
    text += Digit(bytes[0] & 0x0F);
    return text;
}

bool DiskNameSense(QString &name)
{
    if (SendCommand(Cmd::DiskNameSense) != kStatusOk || CheckSenseReply(0) != kStatusOk)
        return false;
    name = ReplyText(0, kDiskNameLength);
    return true;
}

bool SetDiskName(const QString &name)
{
    const QByteArray latin = name.left(kDiskNameLength).toLatin1();
    return SendCommand(Cmd::SetDiskName, reinterpret_cast<const quint8 *>(latin.constData()),
                       latin.size()) == kStatusOk;
}
