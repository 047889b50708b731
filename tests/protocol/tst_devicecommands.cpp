// SPDX-License-Identifier: GPL-3.0-or-later
#include "recorderfixture.h"

#include "protocol/commandsend.h"
#include "protocol/diskcommands.h"
#include "protocol/filecommands.h"
#include "protocol/fileinfocommands.h"
#include "protocol/playlistcommands.h"
#include "protocol/segmentcommands.h"
#include "protocol/setupcommands.h"

#include "link/linkstatus.h"

#include <QtTest>

#include <functional>
#include <vector>

namespace {

QByteArray Bytes(std::initializer_list<quint8> bytes)
{
    QByteArray out;
    for (const quint8 byte : bytes)
        out.append(static_cast<char>(byte));
    return out;
}

// The frame with its command byte replaced, when it is a sense return.
QByteArray WithCommand(const QByteArray &frame, quint8 command)
{
    if ((static_cast<quint8>(frame.at(0)) >> 4) != 7)
        return frame;
    return WireFrame(frame.left(1) + static_cast<char>(command) + frame.mid(2, frame.size() - 3));
}

struct FrameCase
{
    const char *name;
    std::function<void()> send;
    QList<QByteArray> frames;
};

std::vector<FrameCase> DeviceCases()
{
    static const quint8 page[14] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    const QByteArray zeros6(6, '\0');
    return {
        {"CreateSegment(12)", [] { CreateSegment(12); }, {WireFrame({0x22, 0xAC, 0x00, 0x12})}},
        {"CreateSegment(2045)", [] { CreateSegment(2045); }, {WireFrame({0x22, 0xAC, 0x20, 0x45})}},
        {"SegmentInfoSense(9999)",
         [] {
             SegmentInfo info;
             SegmentInfoSense(9999, info);
         },
         {WireFrame({0x62, 0x9A, 0x99, 0x99})}},
        {"SegmentSourceSense(1)",
         [] {
             QString source;
             SegmentSourceSense(1, source);
         },
         {WireFrame({0x62, 0x9B, 0x00, 0x01})}},
        {"DeleteSegment(345)", [] { DeleteSegment(345); }, {WireFrame({0x42, 0x9B, 0x03, 0x45})}},
        {"PlaySegment(12)",
         [] { PlaySegment(12); },
         {WireFrame({0x25, 0xA7, 0x40, 0x00, 0x01, 0x00, 0x12})}},
        {"CreateFile keeps the case",
         [] { CreateFile(QStringLiteral("take1")); },
         {WireFrame(Bytes({0xA8, 0x02}) + "take1" + QByteArray(3, '\0'))}},
        {"RenameFile cuts at eight",
         [] { RenameFile(QStringLiteral("ABCDEFGHIJ")); },
         {WireFrame(Bytes({0x38, 0x11}) + "ABCDEFGH")}},
        {"LoadClip",
         [] { LoadClip(QStringLiteral("CLIP0001")); },
         {WireFrame(Bytes({0x48, 0x14}) + "CLIP0001")}},
        {"DeleteFile",
         [] { DeleteFile(QStringLiteral("A")); },
         {WireFrame(Bytes({0xA8, 0x10}) + "A" + QByteArray(7, '\0'))}},
        {"FileNameQuery",
         [] {
             bool exists = false;
             FileNameQuery(QStringLiteral("CLIP0004"), exists);
         },
         {WireFrame(Bytes({0xA8, 0x18}) + "CLIP0004")}},
        {"CurrentFileSense",
         [] {
             QString name;
             CurrentFileSense(name);
         },
         {WireFrame({0x61, 0xC1, 0x01})}},
        {"FileListFirst",
         [] {
             FileListEntry entry;
             FileListFirst(entry);
         },
         {WireFrame({0xA0, 0x14})}},
        {"FileListNext",
         [] {
             FileListEntry entry;
             FileListNext(entry);
         },
         {WireFrame({0xA0, 0x15})}},
        {"FileListNextAll", [] { FileListNextAll(); }, {WireFrame({0xA1, 0x15, 0xFF})}},
        {"AvailableTimeSense legacy",
         [] {
             QString text;
             AvailableTimeSense(true, text);
         },
         {WireFrame({0xA0, 0x1C})}},
        {"AvailableTimeSense",
         [] {
             QString text;
             AvailableTimeSense(false, text);
         },
         {WireFrame({0xA0, 0x1D})}},
        {"DiskNameSense",
         [] {
             QString name;
             DiskNameSense(name);
         },
         {WireFrame({0x60, 0xA1})}},
        {"SetDiskName has no terminator",
         [] { SetDiskName(QStringLiteral("DISK")); },
         {WireFrame(Bytes({0x44, 0xA1}) + "DISK")}},
        {"SetDiskName cuts at fifteen",
         [] { SetDiskName(QStringLiteral("0123456789ABCDEFGH")); },
         {WireFrame(Bytes({0x4F, 0xA1}) + "0123456789ABCDE")}},
        {"RecorderPlayerSelect(1)",
         [] { RecorderPlayerSelect(1); },
         {WireFrame({0x31, 0x10, 0x01})}},
        {"VersionSense",
         [] {
             QString text;
             VersionSense(text);
         },
         {WireFrame({0x60, 0xB1})}},
        {"SetupPageRead(8)",
         [] {
             SetupPageReply reply;
             SetupPageRead(8, reply);
         },
         {WireFrame({0x40, 0xC3}), WireFrame({0x61, 0xC0, 0x08})}},
        {"SetupPageWrite(0, 14 bytes)",
         [] { SetupPageWrite(0, page, 14); },
         {WireFrame(Bytes({0x4F, 0xC0, 0x00}) +
                    QByteArray(reinterpret_cast<const char *>(page), 14))}},
        {"SetupPageWrite(1, 6 bytes)",
         [] { SetupPageWrite(1, page, 6); },
         {WireFrame({0x47, 0xC0, 0x01, 1, 2, 3, 4, 5, 6})}},
        {"SetupPageWrite of no bytes",
         [] { SetupPageWrite(3, nullptr, 0); },
         {WireFrame({0x41, 0xC0, 0x03})}},
        {"SetupPageApply(0)", [] { SetupPageApply(0); }, {WireFrame({0x41, 0xC1, 0x00})}},
        {"PlayerModeAvailable reads page 0",
         [] { PlayerModeAvailable(); },
         {WireFrame({0x40, 0xC3}), WireFrame({0x61, 0xC0, 0x00})}},
        {"FileFormatSense of a two-character name",
         [zeros6] {
             FileFormat format;
             FileFormatSense(QStringLiteral("AB"), format);
         },
         {WireFrame(Bytes({0x69, 0xBB, 0x01}) + "AB" + zeros6)}},
        {"FileExtentSense",
         [] {
             quint32 first = 0;
             quint32 last = 0;
             FileExtentSense(QStringLiteral("CLIP0001"), first, last);
         },
         {WireFrame(Bytes({0x69, 0xBB, 0x02}) + "CLIP0001")}},
        {"FileAudioSense",
         [] {
             quint8 tracks = 0;
             FileAudioSense(QStringLiteral("CLIP0001"), tracks);
         },
         {WireFrame(Bytes({0x69, 0xBC, 0x01}) + "CLIP0001")}},
        {"DropFrameSense",
         [] {
             quint8 flag = 0;
             DropFrameSense(flag);
         },
         {WireFrame({0x61, 0xBB, 0x40})}},
        {"StorageSpaceSense",
         [] {
             QString free;
             QString total;
             StorageSpaceSense(free, total);
         },
         {WireFrame({0x61, 0xBD, 0x06})}},
        {"AckEventChange", [] { AckEventChange(); }, {WireFrame({0x40, 0x9E})}},
        {"AckPlaylistChange", [] { AckPlaylistChange(); }, {WireFrame({0x40, 0xA0})}},
        {"CurrentEventSense",
         [] {
             quint16 number = 0;
             CurrentEventSense(number);
         },
         {WireFrame({0x60, 0x98})}},
        {"EventPairPreset(12, 345)",
         [] { EventPairPreset(12, 345); },
         {WireFrame({0x44, 0x97, 0x00, 0x12, 0x03, 0x45})}},
        {"EventPairPreset manual",
         [] { EventPairPreset(7, 0, CommandPath::Manual); },
         {WireFrame({0x44, 0x97, 0x00, 0x07, 0x00, 0x00})}},
        {"PlaylistStart(1234)",
         [] { PlaylistStart(1234); },
         {WireFrame({0x44, 0x96, 0x12, 0x34, 0x00, 0x00})}},
        {"PlaylistStart manual",
         [] { PlaylistStart(5, CommandPath::Manual); },
         {WireFrame({0x44, 0x96, 0x00, 0x05, 0x00, 0x00})}},
        {"DiskCommand(1)", [] { DiskCommand(1); }, {WireFrame({0x31, 0x21, 0x01})}},
        {"DiskScanAll", [] { DiskScanAll(); }, {WireFrame({0x32, 0x22, 0xFF, 0xFF})}},
        {"DiskFormat(2, 5)", [] { DiskFormat(2, 5); }, {WireFrame({0x32, 0x23, 0x02, 0x05})}},
        {"DiskInquiry(1, 15)", [] { DiskInquiry(1, 15); }, {WireFrame({0x32, 0x24, 0x01, 0x0F})}},
        {"DiskApply Fast(a/v)",
         [] { DiskApply(1, 2, 1); },
         {WireFrame({0x33, 0x25, 0x01, 0x02, 0x1F})}},
        {"DiskModeSense(2, 0)",
         [] {
             DiskModeState disk;
             DiskModeSense(2, 0, disk);
         },
         {WireFrame({0x62, 0xC3, 0x02, 0x00})}},
    };
}

} // namespace

class TestDeviceCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void framesOnTheWire_data();
    void framesOnTheWire();
    void typedNamesAreUpperCased();
    void durationAsksTwiceAndStopsAtAFailure();
    void manualPathLeavesFailureCountingAlone();
    void oversizedSetupPageIsNotSent();

    void segmentInfoSense_data();
    void segmentInfoSense();
    void segmentSourceSense();
    void segmentSlotsAreBinary();
    void segmentSlotsStopAtAnAbsentEntry();
    void segmentSlotsSkipUnansweredEntries();

    void fileListWalk_data();
    void fileListWalk();
    void currentFileSense_data();
    void currentFileSense();
    void fileNameQuery_data();
    void fileNameQuery();
    void availableTime_data();
    void availableTime();

    void fileInformation();
    void fileInformationRefused_data();
    void fileInformationRefused();
    void storageSpace_data();
    void storageSpace();
    void duration();

    void setupPageRead_data();
    void setupPageRead();
    void playerModeAvailable_data();
    void playerModeAvailable();

    void textReplies_data();
    void textReplies();
    void currentEventSense_data();
    void currentEventSense();
    void diskModeSense_data();
    void diskModeSense();

private:
    RecorderFixture recorder{"127.0.3.3"};
};

void TestDeviceCommands::initTestCase()
{
    QVERIFY2(recorder.Start(), qPrintable(recorder.Error()));
}

void TestDeviceCommands::init()
{
    recorder.Reset();
}

void TestDeviceCommands::framesOnTheWire_data()
{
    QTest::addColumn<int>("row");
    const auto cases = DeviceCases();
    for (int i = 0; i < int(cases.size()); ++i)
        QTest::newRow(cases[i].name) << i;
}

void TestDeviceCommands::framesOnTheWire()
{
    QFETCH(int, row);
    const FrameCase test = DeviceCases()[row];
    test.send();
    QCOMPARE(recorder.Frames(), test.frames);
}

void TestDeviceCommands::typedNamesAreUpperCased()
{
    CreateFile(TypedFileName(QStringLiteral("take1")));
    QCOMPARE(recorder.Frames(),
             QList<QByteArray>{WireFrame(Bytes({0xA8, 0x02}) + "TAKE1" + QByteArray(3, '\0'))});
}

void TestDeviceCommands::durationAsksTwiceAndStopsAtAFailure()
{
    recorder.Answer(6, 0xD2, SenseReturn(0xD2, Bytes({0x01, 0x00, 0x00, 0x00})));
    QString text;
    DurationSense(text);
    const QList<QByteArray> both{WireFrame({0x61, 0xD2, 0x00}), WireFrame({0x61, 0xD2, 0x01})};
    QCOMPARE(recorder.Frames(), both);

    recorder.ClearFrames();
    recorder.sim.DropReplies(1);
    QCOMPARE(DurationSense(text), kStatusNoReply);
    QCOMPARE(recorder.Frames(), QList<QByteArray>{both.first()});
}

// The export's chain frames leave the engine's failure count alone.
void TestDeviceCommands::manualPathLeavesFailureCountingAlone()
{
    recorder.sim.DropReplies(2);
    PlaylistStart(1, CommandPath::Manual);
    QCOMPARE(recorder.link.errorCount, qint16(0));
    EventPairPreset(1, 0);
    QCOMPARE(recorder.link.errorCount, qint16(1));
}

void TestDeviceCommands::oversizedSetupPageIsNotSent()
{
    const quint8 page[15] = {};
    QCOMPARE(SetupPageWrite(0, page, 15), kStatusLinkError);
    QVERIFY(recorder.Frames().isEmpty());
}

void TestDeviceCommands::segmentInfoSense_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<quint32>("in");
    QTest::addColumn<quint32>("out");
    QTest::addColumn<int>("extra1");
    QTest::addColumn<int>("extra2");
    const QByteArray info =
        Bytes({0x00, 0x01, 0x02, 0x03, 0x80, 0x00, 0x00, 0x01, 0x12, 0x34, 0x00, 0x07});
    QTest::newRow("segment") << SenseReturn(0x9A, info) << true << 0x00010203u << 0x80000001u
                             << 1234 << 7;
    QTest::newRow("NAK") << NakFrame() << false << 5u << 6u << 7 << 8;
    QTest::newRow("acknowledge") << AckFrame() << false << 5u << 6u << 7 << 8;
    QTest::newRow("other group with data")
        << WireFrame(Bytes({0x5C, 0x9A}) + info) << false << 5u << 6u << 7 << 8;
    QTest::newRow("no data") << SenseReturn(0x9A, {}) << false << 5u << 6u << 7 << 8;
    QTest::newRow("positions only")
        << SenseReturn(0x9A, info.left(8)) << false << 5u << 6u << 7 << 8;
}

void TestDeviceCommands::segmentInfoSense()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, ok);
    recorder.Answer(6, 0x9A, reply);
    SegmentInfo info{5, 6, 7, 8};
    QCOMPARE(SegmentInfoSense(3, info), ok);
    QTEST(info.inPoint, "in");
    QTEST(info.outPoint, "out");
    QTEST(int(info.extra1), "extra1");
    QTEST(int(info.extra2), "extra2");
}

void TestDeviceCommands::segmentSourceSense()
{
    QString source = QStringLiteral("before");
    recorder.Answer(6, 0x9B, NakFrame());
    QVERIFY(!SegmentSourceSense(1, source));
    QCOMPARE(source, QStringLiteral("before"));
    recorder.Answer(6, 0x9B, SenseReturn(0x9B, QByteArray("SRC\0\0\0\0\0", 8)));
    QVERIFY(SegmentSourceSense(1, source));
    QCOMPARE(source, QStringLiteral("SRC"));
}

// Slot entries start with big-endian numbers whose first byte is usually
// zero; they must be copied as bytes, not as text.
void TestDeviceCommands::segmentSlotsAreBinary()
{
    recorder.Answer(6, 0xA6,
                    SenseReturn(0xA6, Bytes({0x00, 0x00, 0x10, 0x00, 0x00, 0x12, 0x34, 0x56, 0xAB,
                                             0x00, 0x01, 0xCD})));
    SegmentSlotsBlock block;
    block.count = 99;
    QCOMPARE(SegmentSlotsSense(block), kStatusOk);
    QCOMPARE(block.tag, 0x7A61786Fu);
    QCOMPARE(block.count, 6u);
    QCOMPARE(recorder.Frames().size(), 6);
    QCOMPARE(recorder.Frames().at(5), WireFrame({0x61, 0xA6, 0x05}));
    for (const SegmentSlotEntry &entry : block.entries) {
        QCOMPARE(entry.value1, 0x1000u);
        QCOMPARE(entry.value2, 0x123456u);
        QCOMPARE(entry.byte1, quint8(0xAB));
        QCOMPARE(entry.byte2, quint8(0x00));
        QCOMPARE(entry.present, quint8(0x01));
        QCOMPARE(entry.spare, quint8(0xCD));
    }
}

void TestDeviceCommands::segmentSlotsStopAtAnAbsentEntry()
{
    recorder.Answer(6, 0xA6, SenseReturn(0xA6, QByteArray(12, '\x11').replace(10, 1, "\0", 1)));
    SegmentSlotsBlock block;
    QCOMPARE(SegmentSlotsSense(block), kStatusOk);
    QCOMPARE(block.count, 0u);
    QCOMPARE(recorder.Frames(), QList<QByteArray>{WireFrame({0x61, 0xA6, 0x00})});
}

// A request whose answer is spoilt is skipped; the reading goes on with the
// next entry, and the count follows the last present entry read.
void TestDeviceCommands::segmentSlotsSkipUnansweredEntries()
{
    recorder.Answer(6, 0xA6, SenseReturn(0xA6, QByteArray(12, '\x01')));
    recorder.sim.CorruptNextChecksum();
    SegmentSlotsBlock block;
    QCOMPARE(SegmentSlotsSense(block), kStatusBadChecksum);
    QCOMPARE(block.count, 6u);
    QCOMPARE(recorder.Frames().size(), 6);
    QCOMPARE(block.entries[0].present, quint8(0));
    QCOMPARE(block.entries[1].present, quint8(1));
}

void TestDeviceCommands::fileListWalk_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("next");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("frames");

    const QByteArray clip1 = SenseReturn(0x14, "CLIP0001");
    const QByteArray clip2Last = WireFrame(Bytes({0x78, 0x00}) + "CLIP0002");
    QTest::newRow("no file") << SenseReturn(0x14, Bytes({0x94})) << QByteArray() << kStatusOk
                             << QStringList{} << 1;
    QTest::newRow("no file store")
        << SenseReturn(0x14, Bytes({0x20, '$'})) << QByteArray() << kStatusOk << QStringList{} << 1;
    QTest::newRow("end mark") << clip1 << SenseReturn(0x15, Bytes({0x94, 0x00})) << kStatusOk
                              << QStringList{"CLIP0001"} << 2;
    QTest::newRow("last name") << clip1 << clip2Last << kStatusOk
                               << QStringList{"CLIP0001", "CLIP0002"} << 2;
    QTest::newRow("short names") << SenseReturn(0x14, "AB")
                                 << WireFrame(Bytes({0x73, 0x00}) + "XYZ") << kStatusOk
                                 << QStringList{"AB", "XYZ"} << 2;
    QTest::newRow("refused next") << clip1 << NakFrame() << kStatusNak << QStringList{"CLIP0001"}
                                  << 2;
    QTest::newRow("refused first")
        << NakFrame() << QByteArray() << kStatusNak << QStringList{} << 1;
    QTest::newRow("another group")
        << WireFrame(Bytes({0xB8, 0x14}) + "CLIP0001") << WireFrame(Bytes({0xB1, 0x15, 0x94}))
        << kStatusOk << QStringList{"CLIP0001"} << 2;
    QTest::newRow("list starting over")
        << clip1 << SenseReturn(0x15, "CLIP0001") << kStatusOk << QStringList{"CLIP0001"} << 2;
}

void TestDeviceCommands::fileListWalk()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, next);
    QFETCH(qint16, status);
    QFETCH(QStringList, names);
    QFETCH(int, frames);
    recorder.Answer(0xA, 0x14, first);
    if (!next.isEmpty())
        recorder.Answer(0xA, 0x15, next);
    QStringList read{"stale"};
    QCOMPARE(ReadFileList(read), status);
    QCOMPARE(read, names);
    QCOMPARE(recorder.Frames().size(), frames);
}

void TestDeviceCommands::currentFileSense_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<QString>("name");
    QTest::newRow("loaded") << SenseReturn(0xC1, "CLIP0003") << kStatusOk << "CLIP0003";
    QTest::newRow("short name, zero padded")
        << SenseReturn(0xC1, QByteArray("AB\0\0\0\0\0\0", 8)) << kStatusOk << "AB";
    QTest::newRow("nothing loaded") << AckFrame() << kStatusOk << "";
    QTest::newRow("NAK") << NakFrame() << kStatusNak << "before";
    QTest::newRow("other group") << WireFrame(Bytes({0x28, 0xC1}) + "CLIP0003") << kStatusNoReply
                                 << "before";
}

void TestDeviceCommands::currentFileSense()
{
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    recorder.Answer(6, 0xC1, reply);
    QString name = QStringLiteral("before");
    QCOMPARE(CurrentFileSense(name), status);
    QTEST(name, "name");
}

void TestDeviceCommands::fileNameQuery_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<int>("exists");
    QTest::newRow("free") << SenseReturn(0x18, Bytes({0x00})) << kStatusOk << 0;
    QTest::newRow("used") << SenseReturn(0x18, Bytes({0x01})) << kStatusOk << 1;
    QTest::newRow("another group") << WireFrame(Bytes({0xB1, 0x18, 0x01})) << kStatusOk << 1;
    QTest::newRow("acknowledge") << AckFrame() << kStatusShortReply << -1;
    QTest::newRow("no data") << SenseReturn(0x18, {}) << kStatusShortReply << -1;
}

void TestDeviceCommands::fileNameQuery()
{
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    QFETCH(int, exists);
    recorder.Answer(0xA, 0x18, reply);
    for (const bool before : {false, true}) {
        bool answer = before;
        QCOMPARE(FileNameQuery(QStringLiteral("CLIP0000"), answer), status);
        QCOMPARE(answer, exists < 0 ? before : exists == 1);
    }
}

// Flag bits ride in the high nibbles of seconds (bit 7) and frames (bits 6-7).
void TestDeviceCommands::availableTime_data()
{
    QTest::addColumn<bool>("legacy");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<QString>("text");
    const QByteArray time = Bytes({0x64, 0xD9, 0x30, 0x12, 0xF1});
    QTest::newRow("hundreds of hours")
        << false << SenseReturn(0x1D, time) << kStatusOk << "112:30:59:24";
    QTest::newRow("legacy, four bytes")
        << true << SenseReturn(0x1C, time.left(4)) << kStatusOk << " 12:30:59:24";
    QTest::newRow("new form, four bytes")
        << false << SenseReturn(0x1D, time.left(4)) << kStatusShortReply << "before";
    QTest::newRow("NAK") << false << NakFrame() << kStatusNak << "before";
    QTest::newRow("another group")
        << false << WireFrame(Bytes({0xB5, 0x1D}) + time) << kStatusOk << "112:30:59:24";
}

void TestDeviceCommands::availableTime()
{
    QFETCH(bool, legacy);
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    recorder.Answer(0xA, legacy ? 0x1C : 0x1D, reply);
    QString text = QStringLiteral("before");
    QCOMPARE(AvailableTimeSense(legacy, text), status);
    QTEST(text, "text");
}

void TestDeviceCommands::fileInformation()
{
    recorder.Answer(6, 0xBB, SenseReturn(0xBB, Bytes({0x01, 0x02, 0x32, 0x00, 0x03})));
    FileFormat format;
    QCOMPARE(FileFormatSense(QStringLiteral("CLIP"), format), kStatusOk);
    QCOMPARE(format.videoStandard, quint8(2));
    QCOMPARE(format.compression, quint8(50));
    QCOMPARE(format.gop, quint8(3));

    recorder.Answer(
        6, 0xBB, SenseReturn(0xBB, Bytes({0x02, 0x00, 0x00, 0x01, 0x00, 0x01, 0x02, 0x03, 0x04})));
    quint32 first = 0;
    quint32 last = 0;
    QCOMPARE(FileExtentSense(QStringLiteral("CLIP"), first, last), kStatusOk);
    QCOMPARE(first, 0x100u);
    QCOMPARE(last, 0x01020304u);

    recorder.Answer(6, 0xBC, SenseReturn(0xBC, Bytes({0x01, 0x08})));
    quint8 tracks = 0;
    QCOMPARE(FileAudioSense(QStringLiteral("CLIP"), tracks), kStatusOk);
    QCOMPARE(tracks, quint8(8));

    recorder.Answer(6, 0xBB, SenseReturn(0xBB, Bytes({0x40, 0xFF})));
    quint8 dropFrame = 0;
    QCOMPARE(DropFrameSense(dropFrame), kStatusOk);
    QCOMPARE(dropFrame, quint8(1));
}

// A reply that does not carry what the panel would show leaves every output.
void TestDeviceCommands::fileInformationRefused_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::newRow("NAK") << NakFrame() << kStatusNak;
    QTest::newRow("acknowledge") << AckFrame() << kStatusNoReply;
    QTest::newRow("selector only") << SenseReturn(0xBB, Bytes({0x01})) << kStatusShortReply;
}

void TestDeviceCommands::fileInformationRefused()
{
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    recorder.Answer(6, 0xBB, reply);
    recorder.Answer(6, 0xBC, WithCommand(reply, 0xBC));
    FileFormat format{9, 9, 9};
    quint32 first = 9;
    quint32 last = 9;
    quint8 tracks = 9;
    quint8 dropFrame = 9;
    QCOMPARE(FileFormatSense(QStringLiteral("CLIP"), format), status);
    QCOMPARE(FileExtentSense(QStringLiteral("CLIP"), first, last), status);
    QCOMPARE(FileAudioSense(QStringLiteral("CLIP"), tracks), status);
    QCOMPARE(DropFrameSense(dropFrame), status);
    QCOMPARE(format.videoStandard, quint8(9));
    QCOMPARE(format.gop, quint8(9));
    QCOMPARE(first, 9u);
    QCOMPARE(last, 9u);
    QCOMPARE(tracks, quint8(9));
    QCOMPARE(dropFrame, quint8(9));
}

void TestDeviceCommands::storageSpace_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<QString>("free");
    QTest::addColumn<QString>("total");
    QTest::newRow("space") << SenseReturn(0xBD, Bytes({0x06, 0x00, 0x00, 0x03, 0xE8, 0x00, 0x01,
                                                       0x00, 0x00}))
                           << kStatusOk << "1000"
                           << "65536";
    QTest::newRow("NAK leaves both empty") << NakFrame() << kStatusOk << ""
                                           << "";
    QTest::newRow("free only") << SenseReturn(0xBD, Bytes({0x06, 0x00, 0x00, 0x03, 0xE8}))
                               << kStatusShortReply << ""
                               << "";
}

void TestDeviceCommands::storageSpace()
{
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    recorder.Answer(6, 0xBD, reply);
    QString free = QStringLiteral("x");
    QString total = QStringLiteral("y");
    QCOMPARE(StorageSpaceSense(free, total), status);
    QTEST(free, "free");
    QTEST(total, "total");
}

void TestDeviceCommands::duration()
{
    recorder.Answer(6, 0xD2, SenseReturn(0xD2, Bytes({0x01, 0x59, 0x30, 0x12})));
    QString text;
    QCOMPARE(DurationSense(text), kStatusOk);
    QCOMPARE(text, QStringLiteral("12:30:59"));

    recorder.Answer(6, 0xD2, SenseReturn(0xD2, Bytes({0x01, 0x59, 0x30})));
    QCOMPARE(DurationSense(text), kStatusShortReply);
    QCOMPARE(text, QStringLiteral("12:30:59"));

    // Bytes that are no BCD would read as "165:30:59": the answer is refused.
    for (const quint8 notBcd : {0xFF, 0x0A, 0xA0}) {
        recorder.Answer(6, 0xD2, SenseReturn(0xD2, Bytes({0x01, 0x59, 0x30, notBcd})));
        QCOMPARE(DurationSense(text), kStatusWrongReply);
        QCOMPARE(text, QStringLiteral("12:30:59"));
    }
}

// A page shorter than fourteen bytes comes back with fewer data bytes; the
// reply's checksum must not turn up as a page byte.
// A reply is taken only when it carries the whole page: the first byte and
// as many bytes as the page holds. Every shorter length leaves the caller's
// bytes alone, every longer one is kept as far as the reply goes.
void TestDeviceCommands::setupPageRead_data()
{
    QTest::addColumn<quint8>("page");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<QByteArray>("kept");
    QByteArray full;
    for (int i = 0; i < 15; ++i)
        full.append(static_cast<char>(0xA0 + i));
    const QByteArray untouched(15, '\x55');
    const int sizes[] = {14, 6, 8, 10, 12, 11, 6, 0, 8, 8, 11};
    for (const quint8 page : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10}) {
        for (int count = 0; count <= 15; ++count) {
            const bool whole = count >= 1 + sizes[page];
            QTest::addRow("page %d, %d data bytes", page, count)
                << page << SenseReturn(0xC0, full.left(count))
                << (whole ? kStatusOk : kStatusShortReply)
                << (whole ? full.left(count) + QByteArray(15 - count, '\0') : untouched);
        }
    }
    QTest::newRow("NAK") << quint8(1) << NakFrame() << kStatusNak << untouched;
    QTest::newRow("acknowledge") << quint8(1) << AckFrame() << kStatusNoReply << untouched;
}

void TestDeviceCommands::setupPageRead()
{
    QFETCH(quint8, page);
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    QFETCH(QByteArray, kept);
    recorder.Answer(6, 0xC0, reply);
    SetupPageReply read;
    read.fill(0x55);
    QCOMPARE(SetupPageRead(page, read), status);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(read.data()), int(read.size())), kept);
}

void TestDeviceCommands::playerModeAvailable_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("available");
    QByteArray page(15, '\0');
    page[14] = 0x54;
    QTest::newRow("1R-1P") << SenseReturn(0xC0, page) << true;
    page[14] = 0x50;
    QTest::newRow("1R/P") << SenseReturn(0xC0, page) << false;
    page[14] = 0x54;
    QTest::newRow("page without its mode byte") << SenseReturn(0xC0, page.left(14)) << false;
    QTest::newRow("NAK") << NakFrame() << false;
    QTest::newRow("mode byte in another group") << WireFrame(Bytes({0x3F, 0xC0}) + page) << false;
}

void TestDeviceCommands::playerModeAvailable()
{
    QFETCH(QByteArray, reply);
    recorder.Answer(6, 0xC0, reply);
    QTEST(PlayerModeAvailable(), "available");
}

// Text replies end at the first zero byte or at the last announced byte,
// never with the checksum.
void TestDeviceCommands::textReplies_data()
{
    QTest::addColumn<quint8>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<QString>("text");
    QTest::newRow("version, fifteen characters")
        << quint8(0xB1) << SenseReturn(0xB1, "XR PELLET V1.23") << kStatusOk << "XR PELLET V1.23";
    QTest::newRow("version, no terminator")
        << quint8(0xB1) << SenseReturn(0xB1, "DV3.45") << kStatusOk << "DV3.45";
    QTest::newRow("version, terminated")
        << quint8(0xB1) << SenseReturn(0xB1, QByteArray("V2\0xyz", 6)) << kStatusOk << "V2";
    QTest::newRow("version, NAK") << quint8(0xB1) << NakFrame() << kStatusNak << "before";
    QTest::newRow("version, acknowledge")
        << quint8(0xB1) << AckFrame() << kStatusNoReply << "before";
    QTest::newRow("disk name") << quint8(0xA1) << SenseReturn(0xA1, "MYDISK") << kStatusOk
                               << "MYDISK";
    QTest::newRow("disk name, empty") << quint8(0xA1) << SenseReturn(0xA1, {}) << kStatusOk << "";
    QTest::newRow("disk name, NAK") << quint8(0xA1) << NakFrame() << kStatusNak << "before";
}

void TestDeviceCommands::textReplies()
{
    QFETCH(quint8, command);
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    recorder.Answer(6, command, reply);
    QString text = QStringLiteral("before");
    if (command == 0xB1)
        QCOMPARE(VersionSense(text), status);
    else
        QCOMPARE(DiskNameSense(text), status == kStatusOk);
    QTEST(text, "text");
}

void TestDeviceCommands::currentEventSense_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<int>("number");
    QTest::newRow("BCD number") << SenseReturn(0x98, Bytes({0x20, 0x45})) << kStatusOk << 2045;
    QTest::newRow("one byte") << SenseReturn(0x98, Bytes({0x20})) << kStatusShortReply << 77;
    QTest::newRow("NAK") << NakFrame() << kStatusNak << 77;
    QTest::newRow("other group") << WireFrame({0x12, 0x98, 0x20, 0x45}) << kStatusNoReply << 77;
}

void TestDeviceCommands::currentEventSense()
{
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    recorder.Answer(6, 0x98, reply);
    quint16 number = 77;
    QCOMPARE(CurrentEventSense(number), status);
    QTEST(int(number), "number");
}

void TestDeviceCommands::diskModeSense_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<quint8>("state");
    QTest::addColumn<quint8>("mode");
    QTest::newRow("ready, mode 1")
        << SenseReturn(0xC3, Bytes({0x1D, 0x1F})) << kStatusOk << quint8(0x1D) << quint8(0x1F);
    QTest::newRow("needs formatting, no mode byte")
        << SenseReturn(0xC3, Bytes({0xFF})) << kStatusOk << quint8(0xFF) << quint8(0);
    QTest::newRow("NAK") << NakFrame() << kStatusNak << quint8(0) << quint8(0);
    QTest::newRow("no data") << SenseReturn(0xC3, {}) << kStatusShortReply << quint8(0)
                             << quint8(0);
}

void TestDeviceCommands::diskModeSense()
{
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    recorder.Answer(6, 0xC3, reply);
    DiskModeState disk{0x55, 0x55};
    QCOMPARE(DiskModeSense(1, 0, disk), status);
    QTEST(disk.state, "state");
    QTEST(disk.mode, "mode");
}

QTEST_GUILESS_MAIN(TestDeviceCommands)
#include "tst_devicecommands.moc"
