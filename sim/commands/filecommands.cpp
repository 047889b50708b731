#include "commands/filecommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {

constexpr quint8 ListEndMarker = 0x94;
constexpr quint8 PreviousName = 0xFF;
constexpr quint8 LastNameCode = 0x00;
constexpr quint8 CurrentFileCode = 0xC1;
// Data byte 0 of the current file answer when no file is loaded.
constexpr quint8 NoFileLoaded = 0x11;
constexpr quint8 NameQueryCode = 0x18;
constexpr quint8 AvailableShortCode = 0x1C;
constexpr quint8 FileInfoCode = 0xBB;
constexpr quint8 FormatQuery = 0x01;
constexpr quint8 ExtentQuery = 0x02;
constexpr quint8 DropFrameQuery = 0x40;
constexpr quint8 FileAudioCode = 0xBC;
constexpr quint8 StorageCode = 0xBD;
constexpr quint8 SpaceQuery = 0x06;
constexpr quint8 DurationCode = 0xD2;
constexpr quint8 AllMaterial = 0x00;
constexpr quint8 LoadedMaterial = 0x01;
// What older firmware answers for a file list: it has no file system.
const QByteArray kNoFileSystem = QByteArrayLiteral("$$$$$$$$");

// The name of a command that carries exactly one after at data bytes.
QByteArray fileName(const Frame &frame, int at)
{
    return frame.count() == at + FileStore::NameSize ? nameAt(frame, at) : QByteArray();
}

// The replies to the group 0xA requests come back in the scenario's group:
// the sense return group unless a test asks for another.
Frame fileReply(const RecorderModel &model, quint8 code, const QByteArray &data)
{
    return Frame(quint8(model.scenario().fileReplyGroup), code, data);
}

Frame listReply(const RecorderModel &model, quint8 code, const MediaFile *file)
{
    if (!file)
        return fileReply(model, code, QByteArray(1, char(ListEndMarker)));
    return fileReply(model, code, FileStore::padded(file->name));
}

QByteArray durationBytes(double seconds)
{
    const qint64 whole = qint64(seconds);
    QByteArray bytes;
    bytes.append(char(toBcd(int(whole % 60))));
    bytes.append(char(toBcd(int(whole / 60 % 60))));
    bytes.append(char(toBcd(int(whole / 3600 % 100))));
    return bytes;
}

} // namespace

Frame createFile(RecorderModel &model, const Frame &frame)
{
    const QByteArray name = fileName(frame, 0);
    if (model.legacy() || name.isEmpty() || !model.createFile(name))
        return refuse();
    return reply::ack();
}

Frame renameFile(RecorderModel &model, const Frame &frame)
{
    const QByteArray name = fileName(frame, 0);
    const QByteArray loaded = model.selected().loadedFile;
    if (loaded.isEmpty() || !model.files().rename(loaded, name))
        return refuse();
    for (auto side : {RecorderModel::Side::Recorder, RecorderModel::Side::Player}) {
        if (model.channel(side).loadedFile == loaded)
            model.channel(side).loadedFile = name;
    }
    model.segments().renameSource(loaded, name);
    return reply::ack();
}

Frame loadClip(RecorderModel &model, const Frame &frame)
{
    if (!model.loadFile(model.selected(), fileName(frame, 0)))
        return refuse();
    return reply::ack();
}

Frame deleteFile(RecorderModel &model, const Frame &frame)
{
    const QByteArray name = fileName(frame, 0);
    if (name.isEmpty() || !model.files().remove(name))
        return refuse();
    for (auto side : {RecorderModel::Side::Recorder, RecorderModel::Side::Player}) {
        if (model.channel(side).loadedFile == name)
            model.channel(side).loadedFile.clear();
    }
    return reply::ack();
}

Frame fileNameQuery(RecorderModel &model, const Frame &frame)
{
    const QByteArray name = fileName(frame, 0);
    if (model.legacy() || name.isEmpty())
        return refuse();
    return fileReply(model, NameQueryCode, QByteArray(1, model.files().find(name) ? 1 : 0));
}

Frame fileListFirst(RecorderModel &model, const Frame &frame)
{
    if (model.legacy())
        return fileReply(model, frame.code(), kNoFileSystem);
    return listReply(model, frame.code(), model.files().first());
}

Frame fileListNext(RecorderModel &model, const Frame &frame)
{
    const bool backwards = frame.count() == 1 && frame.byte(0) == PreviousName;
    if (model.legacy() || (frame.count() != 0 && !backwards))
        return refuse();
    FileStore &files = model.files();
    const Scenario::ListEnd listEnd = model.scenario().listEnd;
    const MediaFile *file = backwards ? files.previous() : files.next();
    // A faulty recorder never ends its list: past the last name it starts
    // over with the first.
    if (!file && !backwards && listEnd == Scenario::ListEnd::Never)
        file = files.first();
    // Told to, the recorder ends its list on the last name itself, sent
    // with command byte 0, instead of with an end marker after it.
    const bool endsHere =
        !backwards && file && files.cursorOnLast() && listEnd == Scenario::ListEnd::LastName;
    return listReply(model, endsHere ? LastNameCode : frame.code(), file);
}

Frame currentFileSense(RecorderModel &model, const Frame &)
{
    const QByteArray loaded = model.selected().loadedFile;
    if (loaded.isEmpty())
        return reply::sense(CurrentFileCode, QByteArray(1, char(NoFileLoaded)));
    return reply::sense(CurrentFileCode, FileStore::padded(loaded));
}

Frame availableTimeSense(RecorderModel &model, const Frame &frame)
{
    const bool shortForm = frame.code() == AvailableShortCode;
    if (shortForm != model.legacy())
        return reply::nak(NakCode::UnknownCommand);
    const qint64 units = model.freeFrames() * model.standard().unitsPerFrame();
    const Timecode free = model.timeBase().timecodeOf(units, false);
    QByteArray bytes = Timecode{free.hours % 100, free.minutes, free.seconds, free.frames}.pack(
        false, false, false);
    if (!shortForm)
        bytes.append(char(free.hours / 100 % 10));
    return fileReply(model, frame.code(), bytes);
}

Frame fileInfoSense(RecorderModel &model, const Frame &frame)
{
    const quint8 query = frame.byte(0);
    if (query == DropFrameQuery && frame.count() == 1)
        return reply::sense(FileInfoCode, bytesOf({query, model.timeBase().dropFrame()}));
    const MediaFile *file = model.files().find(fileName(frame, 1));
    if (!file || (query != FormatQuery && query != ExtentQuery))
        return refuse();
    if (query == FormatQuery)
        return reply::sense(
            FileInfoCode, bytesOf({query, file->standard, file->megabitsPerSecond, 0, file->gop}));
    const quint32 last = file->empty() ? 0 : quint32(file->last);
    return reply::sense(FileInfoCode, char(query) +
                                          bigEndian(quint32(file->empty() ? 0 : file->first)) +
                                          bigEndian(last));
}

Frame fileAudioSense(RecorderModel &model, const Frame &frame)
{
    const MediaFile *file = model.files().find(fileName(frame, 1));
    if (!file || frame.byte(0) != FormatQuery)
        return refuse();
    return reply::sense(FileAudioCode, bytesOf({FormatQuery, file->audioTracks}));
}

Frame storageSpaceSense(RecorderModel &model, const Frame &frame)
{
    if (frame.count() != 1 || frame.byte(0) != SpaceQuery)
        return refuse();
    return reply::sense(StorageCode, char(SpaceQuery) + bigEndian(quint32(model.freeMegabytes())) +
                                         bigEndian(quint32(model.totalMegabytes())));
}

Frame durationSense(RecorderModel &model, const Frame &frame)
{
    const quint8 which = frame.byte(0);
    if (frame.count() != 1 || (which != AllMaterial && which != LoadedMaterial))
        return refuse();
    const MediaFile *loaded = model.files().find(model.selected().loadedFile);
    qint64 frames = model.files().totalFrames();
    if (which == LoadedMaterial)
        frames = loaded ? loaded->frames() : 0;
    return reply::sense(DurationCode, char(which) + durationBytes(model.secondsOf(frames)));
}

} // namespace xrsim
