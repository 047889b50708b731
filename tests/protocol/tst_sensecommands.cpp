// SPDX-License-Identifier: GPL-3.0-or-later
#include "recorderfixture.h"

#include "protocol/audiolevels.h"
#include "protocol/commandsend.h"
#include "protocol/playlistcommands.h"
#include "protocol/recorderstate.h"
#include "protocol/sensecommands.h"

#include "link/linkstatus.h"

#include <QtTest>

#include <functional>

namespace {

enum class Sense { TimerMode, CurrentTime, Status };

// Fills the store with a recognisable pattern, so that a test can tell
// whether a sense overwrote it.
void FillStore()
{
    timerMode = 0xEE;
    currentTime.fill(0xEE);
    statusBytes.fill(0xEE);
}

QByteArray StoreBytes(Sense sense)
{
    switch (sense) {
    case Sense::TimerMode:
        return QByteArray(1, static_cast<char>(timerMode));
    case Sense::CurrentTime:
        return QByteArray(reinterpret_cast<const char *>(currentTime.data()), currentTime.size());
    case Sense::Status:
        return QByteArray(reinterpret_cast<const char *>(statusBytes.data()), statusBytes.size());
    }
    return {};
}

qint16 RunSense(Sense sense)
{
    switch (sense) {
    case Sense::TimerMode:
        return TimerModeSense();
    case Sense::CurrentTime:
        return CurrentTimeSense();
    case Sense::Status:
        return StatusSense();
    }
    return -1;
}

QByteArray Bytes(std::initializer_list<quint8> bytes)
{
    QByteArray out;
    for (const quint8 byte : bytes)
        out.append(static_cast<char>(byte));
    return out;
}

QByteArray Pattern(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(static_cast<char>(0x10 + i));
    return out;
}

QByteArray Unchanged(int count)
{
    return QByteArray(count, static_cast<char>(0xEE));
}

} // namespace

Q_DECLARE_METATYPE(Sense)

class TestSenseCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void storingSenses_data();
    void storingSenses();

    void deviceTypeRequest_data();
    void deviceTypeRequest();

    void audioLevelSense_data();
    void audioLevelSense();
    void peakHoldRisesAndFalls();
    void peakHoldNeverGoesBelowZero();

    void statusBitsReadFromTheStore();

    void pollingSensesKeepTheirOwnAnswers_data();
    void pollingSensesKeepTheirOwnAnswers();

    void noRecorderLeavesTheStore();

private:
    RecorderFixture recorder{"127.0.3.2"};
};

void TestSenseCommands::initTestCase()
{
    QVERIFY2(recorder.Start(), qPrintable(recorder.Error()));
}

void TestSenseCommands::init()
{
    recorder.Reset();
    FillStore();
    timerMode = 0;
}

// Each storing sense against the answers a recorder may give: the data, a
// refusal, a sense return too short for the store. A frame that cannot be the
// answer to a sense (an ACK, a reply of another group) is not taken for it:
// the wait runs out.
void TestSenseCommands::storingSenses_data()
{
    QTest::addColumn<Sense>("sense");
    QTest::addColumn<quint8>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<QByteArray>("stored");

    struct Row
    {
        const char *name;
        Sense sense;
        quint8 command;
        int size;
    };
    const Row rows[] = {{"timer mode", Sense::TimerMode, 0x36, 1},
                        {"current time", Sense::CurrentTime, 0x0C, 4},
                        {"status", Sense::Status, 0x20, 10}};
    for (const Row &row : rows) {
        const QByteArray data = Pattern(row.size);
        const quint8 cmd1 = static_cast<quint8>(0x70 + row.size);
        QTest::addRow("%s: sense return", row.name)
            << row.sense << row.command << WireFrame(Bytes({cmd1, row.command}) + data) << kStatusOk
            << data;
        QTest::addRow("%s: longer return", row.name)
            << row.sense << row.command
            << WireFrame(Bytes({static_cast<quint8>(cmd1 + 1), row.command}) + data + "\x55")
            << kStatusOk << data;
        QTest::addRow("%s: NAK", row.name)
            << row.sense << row.command << NakFrame() << kStatusNak << Unchanged(row.size);
        QTest::addRow("%s: acknowledge", row.name)
            << row.sense << row.command << AckFrame() << kStatusNoReply << Unchanged(row.size);
        QTest::addRow("%s: wrong group with data", row.name)
            << row.sense << row.command
            << WireFrame(Bytes({static_cast<quint8>(0x50 | (cmd1 & 0x0F)), row.command}) + data)
            << kStatusNoReply << Unchanged(row.size);
        QTest::addRow("%s: one byte short", row.name)
            << row.sense << row.command
            << WireFrame(Bytes({static_cast<quint8>(cmd1 - 1), row.command}) +
                         data.left(row.size - 1))
            << kStatusShortReply << Unchanged(row.size);
    }
}

void TestSenseCommands::storingSenses()
{
    QFETCH(Sense, sense);
    QFETCH(quint8, command);
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    QFETCH(QByteArray, stored);
    recorder.Answer(6, command, reply);
    if (sense == Sense::TimerMode)
        timerMode = 0xEE;
    QCOMPARE(RunSense(sense), status);
    QCOMPARE(StoreBytes(sense), stored);
}

void TestSenseCommands::deviceTypeRequest_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<quint16>("type");
    QTest::newRow("device type reply")
        << WireFrame({0x12, 0x11, 0x21, 0x30}) << kStatusOk << quint16(0x2130);
    QTest::newRow("acknowledge") << AckFrame() << kStatusNoReply << quint16(0xBEEF);
    QTest::newRow("NAK") << NakFrame() << kStatusWrongReply << quint16(0xBEEF);
    QTest::newRow("group 1, other command")
        << WireFrame({0x12, 0x12, 0x21, 0x30}) << kStatusWrongReply << quint16(0xBEEF);
    QTest::newRow("sense return") << WireFrame({0x72, 0x11, 0x21, 0x30}) << kStatusNoReply
                                  << quint16(0xBEEF);
    QTest::newRow("one byte only")
        << WireFrame({0x11, 0x11, 0x21}) << kStatusShortReply << quint16(0xBEEF);
}

void TestSenseCommands::deviceTypeRequest()
{
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    QFETCH(quint16, type);
    deviceType = 0xBEEF;
    recorder.Answer(0, 0x11, reply);
    QCOMPARE(DeviceTypeRequest(), status);
    QCOMPARE(deviceType, type);
}

void TestSenseCommands::audioLevelSense_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<qint16>("status");
    QTest::addColumn<QByteArray>("levels");
    QTest::newRow("four levels") << WireFrame({0x74, 0xAC, 0xF0, 0x12, 0x34, 0x5F}) << kStatusOk
                                 << Bytes({0xF0, 0x12, 0x34, 0x5F});
    QTest::newRow("NAK") << NakFrame() << kStatusNak << Bytes({0, 0, 0, 0});
    QTest::newRow("acknowledge") << AckFrame() << kStatusNoReply << Bytes({0, 0, 0, 0});
    QTest::newRow("two bytes") << WireFrame({0x72, 0xAC, 0xF0, 0x12}) << kStatusShortReply
                               << Bytes({0, 0, 0, 0});
}

void TestSenseCommands::audioLevelSense()
{
    QFETCH(QByteArray, reply);
    QFETCH(qint16, status);
    QFETCH(QByteArray, levels);
    recorder.Answer(6, 0xAC, reply);
    std::array<quint8, 4> read{0xAA, 0xAA, 0xAA, 0xAA};
    QCOMPARE(AudioLevelSense(read), status);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(read.data()), 4), levels);
}

// A level of 0xF0 in the first byte: A1 jumps to 15, A2 falls from its held
// value; with silence after it, A1 falls one step per read.
void TestSenseCommands::peakHoldRisesAndFalls()
{
    AudioLevels peaks{0, 9, 0, 0, 0, 0, 3, 0};
    HoldAudioPeaks(peaks, {0xF0, 0x00, 0x00, 0x05});
    QCOMPARE(peaks, (AudioLevels{15, 8, 0, 0, 0, 0, 2, 5}));
    HoldAudioPeaks(peaks, {0x00, 0x00, 0x00, 0x00});
    QCOMPARE(peaks, (AudioLevels{14, 7, 0, 0, 0, 0, 1, 4}));
    HoldAudioPeaks(peaks, {0x00, 0x0C, 0x00, 0x00});
    QCOMPARE(peaks, (AudioLevels{13, 6, 0, 12, 0, 0, 0, 3}));
    QCOMPARE(AudioLevelChannels({0x12, 0x34, 0x56, 0x78}), (AudioLevels{1, 2, 3, 4, 5, 6, 7, 8}));
}

void TestSenseCommands::peakHoldNeverGoesBelowZero()
{
    AudioLevels peaks{};
    for (int i = 0; i < 3; ++i)
        HoldAudioPeaks(peaks, {0x00, 0x00, 0x00, 0x00});
    QCOMPARE(peaks, AudioLevels{});
}

// The bits the panel and the playlist act on, each alone in its byte.
void TestSenseCommands::statusBitsReadFromTheStore()
{
    statusBytes.fill(0);
    QVERIFY(!IsPlaying() && !EventChanged() && !PlaylistChanged());
    statusBytes[1] = 0xFE;
    statusBytes[9] = 0xBD;
    QVERIFY(!IsPlaying() && !EventChanged() && !PlaylistChanged());
    statusBytes[1] = 0x01;
    QVERIFY(IsPlaying());
    statusBytes[9] = 0x40;
    QVERIFY(EventChanged() && !PlaylistChanged());
    statusBytes[9] = 0x02;
    QVERIFY(PlaylistChanged() && !EventChanged());
    QVERIFY(recorder.Frames().isEmpty());
}

void TestSenseCommands::pollingSensesKeepTheirOwnAnswers_data()
{
    QTest::addColumn<bool>("duplicate");
    QTest::newRow("duplicated replies") << true;
    QTest::newRow("late replies") << false;
}

// The senses of one polling tick, with each reply in turn sent twice 20 ms
// apart or sent late: a copy that lands in another sense's wait must never
// be stored as that sense's answer. The recorder takes 30 ms to answer, so
// a copy arrives ahead of the reply it could be mistaken for.
void TestSenseCommands::pollingSensesKeepTheirOwnAnswers()
{
    QFETCH(bool, duplicate);
    const QByteArray time = Bytes({0x00, 0x00, 0x00, 0x10}); // 10:00:00:00
    const QByteArray levels = Bytes({0x96, 0x30, 0x00, 0x00});
    recorder.Answer(6, 0x0C, SenseReturn(0x04, time));
    recorder.Answer(6, 0xAC, SenseReturn(0xAC, levels));
    recorder.Answer(6, 0x20, SenseReturn(0x20, Pattern(10)));
    recorder.sim.SetReplyDelay(30);
    std::array<quint8, 4> read{};
    const std::function<qint16()> tick[] = {TimerModeSense, [&] { return AudioLevelSense(read); },
                                            CurrentTimeSense, StatusSense};
    for (const auto &sense : tick)
        QCOMPARE(sense(), kStatusOk);
    int dropped = 0;
    for (int round = 0; round < 3; ++round) {
        for (int faulty = 0; faulty < 4; ++faulty) {
            for (int i = 0; i < 4; ++i) {
                if (i == faulty && duplicate)
                    recorder.sim.DuplicateNextReply(20);
                else if (i == faulty)
                    recorder.sim.LateNextReply(60 + 90 * round);
                const qint16 result = tick[i]();
                QVERIFY(result == kStatusOk || result == kStatusNoReply);
                dropped += result == kStatusOk ? 0 : 1;
                QCOMPARE(timerMode, quint8(0));
                QCOMPARE(StoreBytes(Sense::CurrentTime), time);
                QCOMPARE(StoreBytes(Sense::Status), Pattern(10));
                if (result == kStatusOk && i == 1)
                    QCOMPARE(QByteArray(reinterpret_cast<const char *>(read.data()), 4), levels);
            }
            recorder.link.errorCount = 0;
            recorder.device->disconnected = 0;
        }
    }
    QCOMPARE(dropped > 0, !duplicate); // only a late reply makes its own sense fail
}

void TestSenseCommands::noRecorderLeavesTheStore()
{
    CurrentDevice = nullptr;
    QCOMPARE(StatusSense(), kStatusOk);
    QCOMPARE(StoreBytes(Sense::Status), Unchanged(10));
    std::array<quint8, 4> levels{1, 2, 3, 4};
    QCOMPARE(AudioLevelSense(levels), kStatusWrongReply);
    QCOMPARE(levels, (std::array<quint8, 4>{}));
}

QTEST_GUILESS_MAIN(TestSenseCommands)
#include "tst_sensecommands.moc"
