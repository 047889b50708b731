// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/filecommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {

constexpr quint8 kListEndMarker = 0x94;
constexpr quint8 kPreviousName = 0xFF;
constexpr quint8 kLastNameCode = 0x00;
constexpr quint8 kCurrentFileCode = 0xC1;
// Data byte 0 of the current file answer when no file is loaded.
constexpr quint8 kNoFileLoaded = 0x11;
constexpr quint8 kNameQueryCode = 0x18;
constexpr quint8 kAvailableShortCode = 0x1C;
constexpr quint8 kFileInfoCode = 0xBB;
constexpr quint8 kFormatQuery = 0x01;
constexpr quint8 kExtentQuery = 0x02;
constexpr quint8 kDropFrameQuery = 0x40;
constexpr quint8 kFileAudioCode = 0xBC;
constexpr quint8 kStorageCode = 0xBD;
constexpr quint8 kSpaceQuery = 0x06;
constexpr quint8 kDurationCode = 0xD2;
constexpr quint8 kAllMaterial = 0x00;
constexpr quint8 kLoadedMaterial = 0x01;
// What a recorder without a file store (older firmware) answers for a file
// list.
const QByteArray kNoFileSystem = QByteArrayLiteral("$$$$$$$$");

// The name of a command that carries exactly one after at data bytes.
QByteArray FileName(const Frame &frame, int at)
{
    return frame.Count() == at + FileStore::kNameSize ? NameAt(frame, at) : QByteArray();
}

// The replies to the group 0xA requests come back in the scenario's group:
// the sense return group unless a test asks for another.
Frame FileReply(const RecorderModel &model, quint8 code, const QByteArray &data)
{
    return Frame(quint8(model.ScenarioInUse().fileReplyGroup), code, data);
}

Frame ListReply(const RecorderModel &model, quint8 code, const MediaFile *file)
{
    if (!file)
        return FileReply(model, code, QByteArray(1, char(kListEndMarker)));
    return FileReply(model, code, FileStore::Padded(file->name));
}

QByteArray DurationBytes(double seconds)
{
    const qint64 whole = qint64(seconds);
    QByteArray bytes;
    bytes.append(char(ToBcd(int(whole % 60))));
    bytes.append(char(ToBcd(int(whole / 60 % 60))));
    bytes.append(char(ToBcd(int(whole / 3600 % 100))));
    return bytes;
}

} // namespace

Frame CreateFile(RecorderModel &model, const Frame &frame)
{
    const QByteArray name = FileName(frame, 0);
    if (!model.HasFileStore() || name.isEmpty() || !model.CreateFile(name))
        return Refuse();
    return reply::Ack();
}

Frame RenameFile(RecorderModel &model, const Frame &frame)
{
    const QByteArray name = FileName(frame, 0);
    const QByteArray loaded = model.Selected().loadedFile;
    if (loaded.isEmpty() || !model.Files().Rename(loaded, name))
        return Refuse();
    for (auto side : {RecorderModel::Side::Recorder, RecorderModel::Side::Player}) {
        if (model.ChannelOf(side).loadedFile == loaded)
            model.ChannelOf(side).loadedFile = name;
    }
    model.Segments().RenameSource(loaded, name);
    return reply::Ack();
}

Frame LoadClip(RecorderModel &model, const Frame &frame)
{
    if (!model.LoadFile(model.Selected(), FileName(frame, 0)))
        return Refuse();
    return reply::Ack();
}

Frame DeleteFile(RecorderModel &model, const Frame &frame)
{
    const QByteArray name = FileName(frame, 0);
    if (name.isEmpty() || !model.Files().Remove(name))
        return Refuse();
    for (auto side : {RecorderModel::Side::Recorder, RecorderModel::Side::Player}) {
        if (model.ChannelOf(side).loadedFile == name)
            model.ChannelOf(side).loadedFile.clear();
    }
    return reply::Ack();
}

Frame FileNameQuery(RecorderModel &model, const Frame &frame)
{
    const QByteArray name = FileName(frame, 0);
    if (!model.HasFileStore() || name.isEmpty())
        return Refuse();
    return FileReply(model, kNameQueryCode, QByteArray(1, model.Files().Find(name) ? 1 : 0));
}

Frame FileListFirst(RecorderModel &model, const Frame &frame)
{
    if (!model.HasFileStore())
        return FileReply(model, frame.Code(), kNoFileSystem);
    return ListReply(model, frame.Code(), model.Files().First());
}

Frame FileListNext(RecorderModel &model, const Frame &frame)
{
    const bool backwards = frame.Count() == 1 && frame.Byte(0) == kPreviousName;
    if (!model.HasFileStore() || (frame.Count() != 0 && !backwards))
        return Refuse();
    FileStore &files = model.Files();
    const Scenario::ListEnd listEnd = model.ScenarioInUse().listEnd;
    const MediaFile *file = backwards ? files.Previous() : files.Next();
    // A faulty recorder never ends its list: past the last name it starts
    // over with the first.
    if (!file && !backwards && listEnd == Scenario::ListEnd::Never)
        file = files.First();
    // Told to, the recorder ends its list on the last name itself, sent
    // with command byte 0, instead of with an end marker after it.
    const bool endsHere =
        !backwards && file && files.CursorOnLast() && listEnd == Scenario::ListEnd::LastName;
    return ListReply(model, endsHere ? kLastNameCode : frame.Code(), file);
}

Frame CurrentFileSense(RecorderModel &model, const Frame &)
{
    const QByteArray loaded = model.Selected().loadedFile;
    if (loaded.isEmpty())
        return reply::Sense(kCurrentFileCode, QByteArray(1, char(kNoFileLoaded)));
    return reply::Sense(kCurrentFileCode, FileStore::Padded(loaded));
}

Frame AvailableTimeSense(RecorderModel &model, const Frame &frame)
{
    const bool shortForm = frame.Code() == kAvailableShortCode;
    if (shortForm != model.Legacy())
        return reply::Nak(NakCode::UnknownCommand);
    const qint64 units = model.FreeFrames() * model.Standard().UnitsPerFrame();
    const Timecode free = model.CurrentTimeBase().TimecodeOf(units, false);
    QByteArray bytes = Timecode{free.hours % 100, free.minutes, free.seconds, free.frames}.Pack(
        false, false, false);
    if (!shortForm)
        bytes.append(char(free.hours / 100 % 10));
    return FileReply(model, frame.Code(), bytes);
}

Frame FileInfoSense(RecorderModel &model, const Frame &frame)
{
    const quint8 query = frame.Byte(0);
    if (query == kDropFrameQuery && frame.Count() == 1)
        return reply::Sense(kFileInfoCode, BytesOf({query, model.CurrentTimeBase().DropFrame()}));
    const MediaFile *file = model.Files().Find(FileName(frame, 1));
    if (!file || (query != kFormatQuery && query != kExtentQuery))
        return Refuse();
    if (query == kFormatQuery)
        return reply::Sense(
            kFileInfoCode, BytesOf({query, file->standard, file->megabitsPerSecond, 0, file->gop}));
    const quint32 last = file->Empty() ? 0 : quint32(file->last);
    return reply::Sense(kFileInfoCode, char(query) +
                                           BigEndian(quint32(file->Empty() ? 0 : file->first)) +
                                           BigEndian(last));
}

Frame FileAudioSense(RecorderModel &model, const Frame &frame)
{
    const MediaFile *file = model.Files().Find(FileName(frame, 1));
    if (!file || frame.Byte(0) != kFormatQuery)
        return Refuse();
    return reply::Sense(kFileAudioCode, BytesOf({kFormatQuery, file->audioTracks}));
}

Frame StorageSpaceSense(RecorderModel &model, const Frame &frame)
{
    if (frame.Count() != 1 || frame.Byte(0) != kSpaceQuery)
        return Refuse();
    return reply::Sense(kStorageCode, char(kSpaceQuery) +
                                          BigEndian(quint32(model.FreeMegabytes())) +
                                          BigEndian(quint32(model.TotalMegabytes())));
}

Frame DurationSense(RecorderModel &model, const Frame &frame)
{
    const quint8 which = frame.Byte(0);
    if (frame.Count() != 1 || (which != kAllMaterial && which != kLoadedMaterial))
        return Refuse();
    const MediaFile *loaded = model.Files().Find(model.Selected().loadedFile);
    qint64 frames = model.Files().TotalFrames();
    if (which == kLoadedMaterial)
        frames = loaded ? loaded->Frames() : 0;
    return reply::Sense(kDurationCode, char(which) + DurationBytes(model.SecondsOf(frames)));
}

} // namespace xrsim
