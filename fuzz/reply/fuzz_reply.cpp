// SPDX-License-Identifier: GPL-3.0-or-later
// The reply path: bytes as they reach the program on a link, through the
// command engine's reception and reply rules and the command that reads the
// reply. A case is a few commands and a script of what arrives meanwhile, at
// which virtual time: UDP datagrams from the recorder or from another host,
// or pieces of a serial stream.
//
// Input: a setup byte (bit 0: serial line; bits 1-2: the failures already
// counted on the link), a byte for the number of commands (1-4), each command
// as three bytes (what is sent, two parameters), then the data bytes of the
// raw frames among them (as many as the first parameter says, modulo 16), then
// the arrival script (support/arrivals.h).
//
// Properties, besides no crash, no read out of bounds and no hang: a frame
// the engine takes as a reply has a right checksum, fits the rule of the
// command sent, and came whole from the recorder after that command was
// sent; an exchange ends within the engine's waits; what the commands make of
// a reply keeps within the sizes they promise.

#include "fuzzapplication.h"
#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "scriptedlinks.h"
#include "virtualtime.h"

#include "link/linkstatus.h"
#include "protocol/audiolevels.h"
#include "protocol/commandcodes.h"
#include "protocol/commandengine.h"
#include "protocol/diskcommands.h"
#include "protocol/filecommands.h"
#include "protocol/fileinfocommands.h"
#include "protocol/playlistcommands.h"
#include "protocol/recorderstate.h"
#include "protocol/segmentcommands.h"
#include "protocol/sensecommands.h"
#include "protocol/setupcommands.h"
#include "protocol/transportcommands.h"

#include <QCoreApplication>

#include <array>
#include <cstdint>
#include <functional>
#include <iterator>

namespace {

constexpr int kMaxCommands = 4;
constexpr quint8 kCommandsOfTheTable = 0x80; // below: a raw frame of the command table

// The longest an exchange may take: the reply's first bytes within the
// link's timeout, the rest of a frame announcing 15 data bytes within 16 ms a
// byte, and the link's extra wait after a shortfall.
constexpr quint64 kLongestExchangeMs = 200 + 15 * 16 + 48;

struct Parameters
{
    quint8 a = 0;
    quint8 b = 0;
};

// The commands of the program that read a reply, each with what it promises
// about what it makes of it.
const std::function<void(Parameters)> kCommands[] = {
    [](Parameters) { DeviceTypeRequest(); },
    [](Parameters) { TimerModeSense(); },
    [](Parameters p) {
        timerMode = p.a & 1;
        CurrentTimeSense();
    },
    [](Parameters) { StatusSense(); },
    [](Parameters) {
        std::array<quint8, 4> levels{};
        AudioLevels peaks{};
        if (AudioLevelSense(levels) == kStatusOk)
            HoldAudioPeaks(peaks, levels);
        for (const quint8 peak : peaks)
            FUZZ_CHECK(peak <= 15);
    },
    [](Parameters p) { FrontPanelKey(p.a); },
    [](Parameters) {
        FileListEntry entry;
        FileListFirst(entry);
        FUZZ_CHECK(entry.name.size() <= kFileNameLength);
        FUZZ_CHECK(entry.hasName || entry.name.isEmpty());
    },
    [](Parameters) {
        FileListEntry entry;
        FileListNext(entry);
        FUZZ_CHECK(entry.name.size() <= kFileNameLength);
    },
    [](Parameters p) {
        QStringList names;
        const int limit = 1 + p.a % 40;
        ReadFileList(names, limit);
        FUZZ_CHECK(names.size() <= limit);
        FUZZ_CHECK(names.removeDuplicates() == 0);
    },
    [](Parameters) {
        bool exists = false;
        FileNameQuery(QStringLiteral("CLIP0001"), exists);
    },
    [](Parameters) {
        QString name;
        CurrentFileSense(name);
        FUZZ_CHECK(name.size() <= kFileNameLength);
    },
    [](Parameters p) {
        QString text = QStringLiteral("unchanged");
        if (AvailableTimeSense(p.a & 1, text) == kStatusOk)
            FUZZ_CHECK(text.size() == 12);
    },
    [](Parameters) {
        QString name;
        DiskNameSense(name);
        FUZZ_CHECK(name.size() <= 15);
    },
    [](Parameters p) {
        SegmentInfo info;
        SegmentInfoSense(p.a * 256u + p.b, info);
    },
    [](Parameters p) {
        QString source;
        SegmentSourceSense(p.a, source);
        FUZZ_CHECK(source.size() <= kFileNameLength);
    },
    [](Parameters) {
        SegmentSlotsBlock block;
        SegmentSlotsSense(block);
        FUZZ_CHECK(block.count <= kSegmentSlotCount);
    },
    [](Parameters) {
        quint16 number = 0;
        CurrentEventSense(number);
    },
    [](Parameters p) {
        SetupPageReply reply{};
        SetupPageRead(p.a % 11, reply);
    },
    [](Parameters) {
        QString text;
        VersionSense(text);
        FUZZ_CHECK(text.size() <= 15);
    },
    [](Parameters) { PlayerModeAvailable(); },
    [](Parameters p) {
        DiskModeState disk;
        DiskModeSense(1 + (p.a & 1), p.b & 15, disk);
    },
    [](Parameters) {
        FileFormat format;
        FileFormatSense(QStringLiteral("CLIP0000"), format);
        quint32 first = 0;
        quint32 last = 0;
        FileExtentSense(QStringLiteral("CLIP0000"), first, last);
    },
    [](Parameters) {
        quint8 tracks = 0;
        FileAudioSense(QStringLiteral("CLIP0000"), tracks);
        quint8 flag = 0;
        DropFrameSense(flag);
    },
    [](Parameters) {
        QString freeText;
        QString totalText;
        StorageSpaceSense(freeText, totalText);
        FUZZ_CHECK(freeText.isEmpty() == totalText.isEmpty());
    },
    [](Parameters) {
        QString text;
        if (DurationSense(text) == kStatusOk)
            FUZZ_CHECK(text.size() == 8);
    },
    [](Parameters) { WaitCueUpComplete(); },
    [](Parameters) { EndEditModes(); },
};

ScriptedRecorders &Recorders()
{
    EnsureApplication<QCoreApplication>();
    static ScriptedRecorders recorders;
    return recorders;
}

// A frame of the command table with data bytes from the input, through the
// engine itself, so that its status can be held against what arrived.
void SendRawFrame(ScriptedWire &wire, quint8 choice, const QByteArray &data)
{
    const CommandCode &code = kCommandTable[choice % std::size(kCommandTable)];
    const int sendsBefore = wire.SendCount();
    const quint64 start = VirtualTime::Now();
    const qint16 status = Send9Pin(code.group, code.command, int(data.size()),
                                   reinterpret_cast<const quint8 *>(data.constData()), true);
    FUZZ_CHECK(VirtualTime::Now() - start <= kLongestExchangeMs);
    if (status != kStatusOk || wire.SendCount() == sendsBefore)
        return;
    const int length = kFrameHeadSize + ReplyDataCount() + 1;
    const QByteArray reply(reinterpret_cast<const char *>(ReplyFrame.data()), length);
    FUZZ_CHECK(FrameChecksum(ReplyFrame.data()) == ReplyData(ReplyDataCount()));
    FUZZ_CHECK(ReplyFits(code, ReplyFrame[0], ReplyFrame[1]));
    FUZZ_CHECK(wire.CameFromRecorder(reply));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ScriptedRecorders &recorders = Recorders();
    FuzzInput in(data, size);
    const quint8 setup = in.Byte();

    struct Step
    {
        quint8 choice;
        Parameters parameters;
    };
    const int commandCount = 1 + in.Byte() % kMaxCommands;
    std::array<Step, kMaxCommands> steps{};
    for (int i = 0; i < commandCount; ++i)
        steps[i] = {in.Byte(), {in.Byte(), in.Byte()}};
    // The raw frames' data bytes come next, then the script.
    std::array<QByteArray, kMaxCommands> rawData;
    for (int i = 0; i < commandCount; ++i) {
        if (steps[i].choice < kCommandsOfTheTable)
            rawData[i] = in.Bytes(steps[i].parameters.a % 16);
    }
    const bool datagrams = !(setup & 1);
    ScriptedWire &wire = recorders.Begin(setup, ReadArrivals(in, datagrams));

    for (int i = 0; i < commandCount; ++i) {
        const Step &step = steps[i];
        if (step.choice < kCommandsOfTheTable)
            SendRawFrame(wire, step.choice, rawData[i]);
        else
            kCommands[(step.choice - kCommandsOfTheTable) % std::size(kCommands)](step.parameters);
    }
    recorders.End();
    return 0;
}
