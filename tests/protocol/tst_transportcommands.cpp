// SPDX-License-Identifier: GPL-3.0-or-later
#include "recorderfixture.h"

#include "protocol/commandsend.h"
#include "protocol/locate.h"
#include "protocol/recorderstate.h"
#include "protocol/sensecommands.h"
#include "protocol/timecode.h"
#include "protocol/transportcommands.h"

#include "link/linkstatus.h"
#include "link/timing.h"

#include <QtTest>

#include <functional>
#include <vector>

namespace {

struct FrameCase
{
    const char *name;
    std::function<void()> send;
    QByteArray frame;
};

// Every transport command with the bytes the recorder must receive.
std::vector<FrameCase> TransportCases()
{
    static const quint8 cueBytes[5] = {0x04, 0x03, 0x02, 0x01, 0x00};
    static const quint8 presetBytes[4] = {0x10, 0x20, 0x30, 0x01};
    return {
        {"Stop", [] { Stop(); }, WireFrame({0x20, 0x00})},
        {"Play", [] { Play(); }, WireFrame({0x20, 0x01})},
        {"Record", [] { Record(); }, WireFrame({0x20, 0x02})},
        {"FastForward", [] { FastForward(); }, WireFrame({0x20, 0x10})},
        {"Rewind", [] { Rewind(); }, WireFrame({0x20, 0x20})},
        {"FrameStepForward", [] { FrameStepForward(); }, WireFrame({0x20, 0x14})},
        {"FrameStepReverse", [] { FrameStepReverse(); }, WireFrame({0x20, 0x24})},
        {"Shuttle(64, 0) reverse", [] { Shuttle(64, false); }, WireFrame({0x21, 0x23, 0x40})},
        {"Shuttle forward", [] { Shuttle(0x20, true); }, WireFrame({0x21, 0x13, 0x20})},
        {"ShuttleFine forward", [] { ShuttleFine(0x0102, true); },
         WireFrame({0x22, 0x13, 0x01, 0x02})},
        {"ShuttleFine reverse", [] { ShuttleFine(0xFF00, false); },
         WireFrame({0x22, 0x23, 0xFF, 0x00})},
        {"OptionPlay", [] { OptionPlay(); }, WireFrame({0x20, 0x37})},
        {"CueUpWithData 01:02:03:04", [] { CueUpWithData(5, cueBytes); },
         WireFrame({0x25, 0x31, 0x04, 0x03, 0x02, 0x01, 0x00})},
        {"CueUpToFrame(4320000)", [] { CueUpToFrame(4320000); },
         WireFrame({0x24, 0x9D, 0x00, 0x41, 0xEB, 0x00})},
        {"CueUpToFrame all ones", [] { CueUpToFrame(0xFFFFFFFFu); },
         WireFrame({0x24, 0x9D, 0xFF, 0xFF, 0xFF, 0xFF})},
        {"EditOn", [] { EditOn(); }, WireFrame({0x20, 0x65})},
        {"FullEeOn", [] { FullEeOn(); }, WireFrame({0x20, 0x61})},
        {"SelectEeOn", [] { SelectEeOn(); }, WireFrame({0x20, 0x63})},
        {"EditOff", [] { EditOff(); }, WireFrame({0x20, 0x64})},
        {"FullEeOff", [] { FullEeOff(); }, WireFrame({0x20, 0x60})},
        {"EditPreset(0x17)", [] { EditPreset(0x17); }, WireFrame({0x41, 0x30, 0x17})},
        {"LtcOff", [] { LtcOff(); }, WireFrame({0x20, 0x90})},
        {"LtcOn", [] { LtcOn(); }, WireFrame({0x20, 0x91})},
        {"InEntry", [] { InEntry(); }, WireFrame({0x40, 0x10})},
        {"OutEntry", [] { OutEntry(); }, WireFrame({0x40, 0x11})},
        {"TimecodePreset", [] { TimecodePreset(4, presetBytes); },
         WireFrame({0x44, 0x78, 0x10, 0x20, 0x30, 0x01})},
        {"TimerModeSelect(1)", [] { TimerModeSelect(1); }, WireFrame({0x41, 0x36, 0x01})},
        {"FrontPanelKey(0x90)", [] { FrontPanelKey(0x90); }, WireFrame({0x61, 0x95, 0x90})},
        {"TimerModeSense", [] { TimerModeSense(); }, WireFrame({0x60, 0x36})},
        {"StatusSense", [] { StatusSense(); }, WireFrame({0x61, 0x20, 0x0A})},
        {"DeviceTypeRequest", [] { DeviceTypeRequest(); }, WireFrame({0x00, 0x11})},
        {"AudioLevelSense",
         [] {
             std::array<quint8, 4> levels{};
             AudioLevelSense(levels);
         },
         WireFrame({0x60, 0xAC})},
    };
}

// A status sense return of ten bytes with the given bytes set.
QByteArray StatusReply(std::initializer_list<std::pair<int, quint8>> set)
{
    QByteArray bytes("\x7A\x20", 2);
    bytes.append(QByteArray(10, '\0'));
    for (const auto &[index, value] : set)
        bytes[2 + index] = static_cast<char>(value);
    return WireFrame(bytes);
}

} // namespace

class TestTransportCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void framesOnTheWire_data();
    void framesOnTheWire();

    void currentTimeAsksForTheSourceShown_data();
    void currentTimeAsksForTheSourceShown();
    void toggleTimerModeFlips();

    void endEditModes_data();
    void endEditModes();
    void offLtcKey_data();
    void offLtcKey();

    void waitCueUpStopsAtCompletion();
    void waitCueUpGivesUpAfterASecond();
    void waitCueUpEndsWhenTheRecorderIsLost();

    void locateByPosition_data();
    void locateByPosition();

    void nakAnswerIsReported();

private:
    RecorderFixture recorder{"127.0.3.1"};
};

void TestTransportCommands::initTestCase()
{
    QVERIFY2(recorder.Start(), qPrintable(recorder.Error()));
}

void TestTransportCommands::init()
{
    recorder.Reset();
    statusBytes.fill(0);
    timerMode = 0;
    editPresetArmed = 0;
    deviceType = 0;
}

void TestTransportCommands::framesOnTheWire_data()
{
    QTest::addColumn<int>("row");
    const auto cases = TransportCases();
    for (int i = 0; i < int(cases.size()); ++i)
        QTest::newRow(cases[i].name) << i;
}

void TestTransportCommands::framesOnTheWire()
{
    QFETCH(int, row);
    const FrameCase test = TransportCases()[row];
    test.send();
    QCOMPARE(recorder.Frames(), QList<QByteArray>{test.frame});
}

void TestTransportCommands::currentTimeAsksForTheSourceShown_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<quint8>("source");
    QTest::newRow("timer") << 1 << quint8(0x04);
    QTest::newRow("timecode") << 0 << quint8(0x03);
    QTest::newRow("other mode reads timecode") << 2 << quint8(0x03);
}

void TestTransportCommands::currentTimeAsksForTheSourceShown()
{
    QFETCH(int, mode);
    QFETCH(quint8, source);
    timerMode = static_cast<quint8>(mode);
    CurrentTimeSense();
    QCOMPARE(recorder.Frames(), QList<QByteArray>{WireFrame({0x61, 0x0C, source})});
}

void TestTransportCommands::toggleTimerModeFlips()
{
    timerMode = 1;
    ToggleTimerMode();
    timerMode = 0;
    ToggleTimerMode();
    timerMode = 7;
    ToggleTimerMode();
    const QList<QByteArray> expected{WireFrame({0x41, 0x36, 0x00}), WireFrame({0x41, 0x36, 0x01}),
                                     WireFrame({0x41, 0x36, 0x01})};
    QCOMPARE(recorder.Frames(), expected);
}

void TestTransportCommands::endEditModes_data()
{
    QTest::addColumn<bool>("armed");
    QTest::addColumn<quint8>("status4");
    QTest::addColumn<QList<QByteArray>>("frames");
    const QByteArray presetOff = WireFrame({0x41, 0x30, 0x00});
    const QByteArray editOff = WireFrame({0x20, 0x64});
    const QByteArray fullEeOff = WireFrame({0x20, 0x60});
    QTest::newRow("nothing on") << false << quint8(0x00) << QList<QByteArray>{};
    QTest::newRow("other bits of byte 4") << false << quint8(0x3F) << QList<QByteArray>{};
    QTest::newRow("armed only") << true << quint8(0x00) << QList<QByteArray>{presetOff};
    QTest::newRow("edit on") << false << quint8(0x80) << QList<QByteArray>{editOff};
    QTest::newRow("full E-E on") << false << quint8(0x40) << QList<QByteArray>{fullEeOff};
    QTest::newRow("everything") << true << quint8(0xC0)
                                << QList<QByteArray>{presetOff, editOff, fullEeOff};
}

void TestTransportCommands::endEditModes()
{
    QFETCH(bool, armed);
    QFETCH(quint8, status4);
    QFETCH(QList<QByteArray>, frames);
    editPresetArmed = armed;
    statusBytes[4] = status4;
    EndEditModes();
    QCOMPARE(recorder.Frames(), frames);
    QCOMPARE(editPresetArmed, quint8(0));
}

void TestTransportCommands::offLtcKey_data()
{
    QTest::addColumn<quint8>("status6");
    QTest::addColumn<QList<QByteArray>>("frames");
    const QByteArray off = WireFrame({0x20, 0x90});
    const QByteArray on = WireFrame({0x20, 0x91});
    QTest::newRow("LTC on: off only") << quint8(0x04) << QList<QByteArray>{off};
    QTest::newRow("LTC off: off then on") << quint8(0x00) << QList<QByteArray>{off, on};
    QTest::newRow("other bits do not count") << quint8(0xFB) << QList<QByteArray>{off, on};
}

void TestTransportCommands::offLtcKey()
{
    QFETCH(quint8, status6);
    QFETCH(QList<QByteArray>, frames);
    statusBytes[6] = status6;
    OffLtcKey();
    QCOMPARE(recorder.Frames(), frames);
}

void TestTransportCommands::waitCueUpStopsAtCompletion()
{
    recorder.Answer(6, 0x20, StatusReply({{2, 0x01}}));
    WaitCueUpComplete();
    QCOMPARE(recorder.Frames(), QList<QByteArray>{WireFrame({0x61, 0x20, 0x0A})});
}

// A recorder that never reports the cue point reached is polled for a second,
// then the wait returns anyway.
void TestTransportCommands::waitCueUpGivesUpAfterASecond()
{
    recorder.Answer(6, 0x20, StatusReply({{2, 0xFE}}));
    const quint32 start = NowMs();
    WaitCueUpComplete();
    const quint32 elapsed = ElapsedMs(start);
    QVERIFY2(elapsed >= 1000 && elapsed < 1500, qPrintable(QString::number(elapsed)));
    const QList<QByteArray> frames = recorder.Frames();
    QVERIFY(frames.size() > 2);
    for (const QByteArray &frame : frames)
        QCOMPARE(frame, WireFrame({0x61, 0x20, 0x0A}));
}

// Once the engine has marked the recorder lost, a status sense fails without
// a frame and without a wait: polling on would spin for the whole second. A
// clock that moves a millisecond at each reading counts the turns.
void TestTransportCommands::waitCueUpEndsWhenTheRecorderIsLost()
{
    static quint64 readings = 0;
    readings = 0;
    const ClockSource previous = SetClockSource([] { return ++readings; });
    recorder.device->disconnected = 1;
    WaitCueUpComplete();
    SetClockSource(previous);
    QVERIFY2(readings < 10, qPrintable(QString::number(readings)));
    QVERIFY(recorder.Frames().isEmpty());
}

void TestTransportCommands::locateByPosition_data()
{
    QTest::addColumn<quint16>("type");
    QTest::addColumn<quint32>("standard");
    QTest::addColumn<bool>("dropFrame");
    QTest::addColumn<quint32>("divisor");
    QTest::addColumn<quint32>("position");
    QTest::addColumn<QByteArray>("cue");

    QTest::newRow("50 Hz, last timecode position")
        << quint16(0x0100) << 16u << false << 1u << 4319999u
        << WireFrame({0x25, 0x31, 0x24, 0x59, 0x59, 0x47, 0x00});
    QTest::newRow("50 Hz, first frame-number position")
        << quint16(0x0100) << 16u << false << 1u << 4320000u
        << WireFrame({0x24, 0x9D, 0x00, 0x41, 0xEB, 0x00});
    QTest::newRow("60 Hz, 4320000 is still timecode")
        << quint16(0x0000) << 15u << false << 1u << 4320000u
        << WireFrame({0x25, 0x31, 0x00, 0x00, 0x00, 0x40, 0x00});
    QTest::newRow("60 Hz limit") << quint16(0x0000) << 15u << false << 1u << 5178816u
                                 << WireFrame({0x24, 0x9D, 0x00, 0x4F, 0x05, 0xC0});
    QTest::newRow("NTSC fields, drop frame")
        << quint16(0x0000) << 1u << true << 2u << 3600u
        << WireFrame({0x25, 0x31, 0x02, 0x00, 0x01, 0x00, 0x00});
    QTest::newRow("PAL fields") << quint16(0x0100) << 0u << false << 2u << 50u
                                << WireFrame({0x25, 0x31, 0x00, 0x01, 0x00, 0x00, 0x00});
}

void TestTransportCommands::locateByPosition()
{
    QFETCH(quint16, type);
    QFETCH(quint32, standard);
    QFETCH(bool, dropFrame);
    QFETCH(quint32, divisor);
    QFETCH(quint32, position);
    QFETCH(QByteArray, cue);
    deviceType = type;
    recorder.device->videoStandard = standard;
    recorder.device->dropFrame = dropFrame;
    positionDivisor = divisor;
    recorder.Answer(6, 0x20, StatusReply({{2, 0x01}}));

    LocateByPosition(position);

    const QList<QByteArray> expected{cue, WireFrame({0x61, 0x20, 0x0A})};
    QCOMPARE(recorder.Frames(), expected);
}

void TestTransportCommands::nakAnswerIsReported()
{
    recorder.Answer(2, 0x01, NakFrame());
    QCOMPARE(Play(), kStatusNak);
    recorder.Answer(2, 0x01, AckFrame());
    QCOMPARE(Play(), kStatusOk);
    recorder.sim.DropReplies(1);
    QCOMPARE(Play(), kStatusNoReply);
}

QTEST_GUILESS_MAIN(TestTransportCommands)
#include "tst_transportcommands.moc"
