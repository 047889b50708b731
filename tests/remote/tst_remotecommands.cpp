// SPDX-License-Identifier: GPL-3.0-or-later
// Every method of the WebSocket API against the real window and the
// simulated recorder, with the frames it puts on the wire: the same frames
// as the window's key it stands for. The recorder and the API are on
// 127.0.81.1.

#include "remotefixture.h"

#include "ui/clips/playlist.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"
#include "ui/clips/segmentrows.h"
#include "ui/panel/memories.h"

#include <QJsonArray>
#include <QTableWidget>

using namespace wire;

namespace {

const char kAddress[] = "127.0.81.1";

xrsim::Scenario Recorder()
{
    xrsim::Scenario scenario;
    scenario.files = {{QStringLiteral("CLIP0001")}, {QStringLiteral("CLIP0002")}};
    scenario.loaded = QStringLiteral("CLIP0001");
    scenario.segments = {{3, QStringLiteral("00:00:01:00"), QStringLiteral("00:00:05:00")},
                         {7, QStringLiteral("00:00:10:00"), QStringLiteral("00:00:12:00")}};
    return scenario;
}

QByteArray PlaySegmentFrame(quint8 number)
{
    return WireFrame({0x25, 0xA7, 0x40, 0x00, 0x01, 0x00, number});
}

QByteArray NameFrame(quint8 cmd1, quint8 cmd2, const QByteArray &name)
{
    QByteArray frame;
    frame += char(cmd1);
    frame += char(cmd2);
    frame += name.leftJustified(8, '\0', true);
    return WireFrame(frame);
}

// The frames of one command among those received.
QList<QByteArray> Only(const QList<QByteArray> &frames, quint8 cmd1, quint8 cmd2)
{
    QList<QByteArray> kept;
    for (const QByteArray &frame : frames) {
        if (frame.size() >= 2 && quint8(frame[0]) == cmd1 && quint8(frame[1]) == cmd2)
            kept << frame;
    }
    return kept;
}

} // namespace

class RemoteCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void transportSendsWhatTheKeysSend_data();
    void transportSendsWhatTheKeysSend();
    void jogStepsFramesInJogMode();
    void shuttleTurnsTheDial();
    void gotoCuesTheTime();
    void sidesAreTheKeysSides();
    void segmentsByNameOrNumber();
    void playlistKeys();
    void filesListAndLoad();
    void memoriesCaptureAndLocate();
    void recordersListAndSelect();

private:
    std::unique_ptr<RemoteFixture> fixture;
};

void RemoteCommandsTest::initTestCase()
{
    fixture = std::make_unique<RemoteFixture>(kAddress);
    QVERIFY2(fixture->Connect(Recorder()), qPrintable(fixture->Error()));
    fixture->window->segment->segments->DoImport();
    fixture->StopPolling();
    QCOMPARE(fixture->window->segment->segments->TableClipList->rowCount(), 2);
}

void RemoteCommandsTest::cleanupTestCase()
{
    fixture.reset();
}

// Each test starts from a stopped recorder on the recorder side, nothing
// typed and no modifier on.
void RemoteCommandsTest::init()
{
    fixture->ClearFaults();
    fixture->Key("pbStop")->click();
    fixture->Tick();
    fixture->Key("pbR")->click();
    fixture->Option(false);
    fixture->Lock(false);
}

void RemoteCommandsTest::transportSendsWhatTheKeysSend_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QJsonObject>("params");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("lock");
    QTest::addColumn<QList<QByteArray>>("frames");

    QTest::newRow("play") << "transport.play" << QJsonObject() << "pbPlay" << false
                          << QList<QByteArray>{Play};
    QTest::newRow("stop") << "transport.stop" << QJsonObject() << "pbStop" << false
                          << QList<QByteArray>{Stop};
    QTest::newRow("forward") << "transport.fastForward" << QJsonObject() << "pbFor" << false
                             << QList<QByteArray>{FastForward};
    QTest::newRow("rewind") << "transport.rewind" << QJsonObject() << "pbBack" << false
                            << QList<QByteArray>{Rewind};
    QTest::newRow("record is Play with Lock")
        << "transport.record" << QJsonObject{{"confirm", true}} << "pbPlay" << true
        << QList<QByteArray>{Record};
}

// A modifier the operator left on does not change what a client asked for.
void RemoteCommandsTest::transportSendsWhatTheKeysSend()
{
    QFETCH(QString, method);
    QFETCH(QJsonObject, params);
    QFETCH(QString, key);
    QFETCH(bool, lock);
    QFETCH(QList<QByteArray>, frames);

    fixture->Lock(lock);
    QCOMPARE(fixture->Press(key.toLatin1().constData()), frames);
    init();
    fixture->Option(true);
    QCOMPARE(fixture->FramesOf(method.toLatin1().constData(), params), frames);
    QCOMPARE(fixture->Result(), QJsonValue(QJsonObject()));
    QVERIFY(fixture->ModifiersOff());
}

void RemoteCommandsTest::jogStepsFramesInJogMode()
{
    QCOMPARE(fixture->FramesOf("transport.jog", {{"frames", 3}}),
             (QList<QByteArray>{ShuttleFine(0x13, 0), StepForward, StepForward, StepForward}));
    QCOMPARE(ShownFace(fixture->Key("rbJog")), QStringLiteral("rbd.png"));
    QCOMPARE(fixture->FramesOf("transport.jog", {{"frames", -2}}),
             (QList<QByteArray>{StepReverse, StepReverse}));
    QCOMPARE(fixture->FramesOf("transport.jog", {{"frames", 0}}), QList<QByteArray>());
}

// The dial's shuttle table gives the speed, sent at once; the dial shows it.
void RemoteCommandsTest::shuttleTurnsTheDial()
{
    QCOMPARE(fixture->FramesOf("transport.shuttle", {{"speed", 60}}),
             QList<QByteArray>{Shuttle(0x13, 0x40)});
    QCOMPARE(fixture->Dial()->value(), 60);
    QCOMPARE(ShownFace(fixture->Key("rbShuttle")), QStringLiteral("rbd.png"));
    QCOMPARE(fixture->FramesOf("transport.shuttle", {{"speed", -110}}),
             QList<QByteArray>{Shuttle(0x23, 0x56)});
    QCOMPARE(fixture->FramesOf("transport.shuttle", {{"speed", 10}}),
             QList<QByteArray>{Shuttle(0x13, 0x00)});
    QCOMPARE(fixture->Dial()->value(), 10);
}

void RemoteCommandsTest::gotoCuesTheTime()
{
    const QByteArray cue = WireFrame({0x25, 0x31, 0x04, 0x03, 0x02, 0x01, 0x00});
    QCOMPARE(
        WithoutStatusSenses(fixture->FramesOf("transport.goto", {{"timecode", "01:02:03:04"}})),
        QList<QByteArray>{cue});
    QCOMPARE(
        WithoutStatusSenses(fixture->FramesOf("transport.goto", {{"timecode", "01:02:03;04"}})),
        QList<QByteArray>{cue});
    // The second field is marked in the hours byte on a 50 Hz recorder, in
    // the seconds byte otherwise.
    const QByteArray secondField = FiftyHzRecorder()
                                       ? WireFrame({0x25, 0x31, 0x04, 0x03, 0x02, 0x81, 0x00})
                                       : WireFrame({0x25, 0x31, 0x04, 0x83, 0x02, 0x01, 0x00});
    QCOMPARE(
        WithoutStatusSenses(fixture->FramesOf("transport.goto", {{"timecode", "01:02:03:04.2"}})),
        QList<QByteArray>{secondField});
}

void RemoteCommandsTest::sidesAreTheKeysSides()
{
    QVERIFY(fixture->FramesOf("transport.side", {{"side", "player"}}).contains(PlayerSide));
    QCOMPARE(recPlayMode, 1);
    QCOMPARE(ShownFace(fixture->Key("pbP")), QStringLiteral("PD.png"));
    QVERIFY(fixture->FramesOf("transport.side", {{"side", "recorder"}}).contains(RecorderSide));
    QCOMPARE(recPlayMode, 0);
}

// A segment is found by its name, whatever its row, or by its number.
void RemoteCommandsTest::segmentsByNameOrNumber()
{
    fixture->Call("segment.list");
    const QJsonArray segments = fixture->Result().toObject().value("segments").toArray();
    QCOMPARE(segments.size(), 2);
    QCOMPARE(segments.at(0).toObject(), (QJsonObject{{"number", 3},
                                                     {"name", "Seg-3"},
                                                     {"in", "00:00:01:00"},
                                                     {"out", "00:00:05:00"},
                                                     {"duration", "00:00:04:00"}}));

    QTableWidget *list = fixture->window->segment->segments->TableClipList;
    setCell("Intro", 1, kNameCell, list);
    QCOMPARE(Only(fixture->FramesOf("segment.play", {{"name", "Intro"}}), 0x25, 0xA7),
             QList<QByteArray>{PlaySegmentFrame(7)});
    QCOMPARE(Only(fixture->FramesOf("segment.play", {{"number", 3}}), 0x25, 0xA7),
             QList<QByteArray>{PlaySegmentFrame(3)});
    const QList<QByteArray> cue =
        fixture->FramesOf("segment.cue", {{"name", "Intro"}, {"point", "out"}});
    QCOMPARE(Only(cue, 0x48, 0x14).size(), 1);
    QCOMPARE(Only(cue, 0x25, 0x31).size(), 1);
    QCOMPARE(Only(cue, 0x25, 0xA7).size(), 0);
    QCOMPARE(fixture->window->segment->playlist->CurrentSegmentNumber(), 7);
}

void RemoteCommandsTest::playlistKeys()
{
    Playlist *playlist = fixture->window->segment->playlist;
    playlist->AppendRow("Seg-3");
    playlist->AppendRow("Intro");
    QCOMPARE(Only(fixture->FramesOf("playlist.start", {{"row", 1}}), 0x25, 0xA7),
             QList<QByteArray>{PlaySegmentFrame(7)});
    fixture->Call("playlist.list");
    QCOMPARE(fixture->Result().toObject().value("rows").toArray(), (QJsonArray{"Seg-3", "Intro"}));
    QCOMPARE(fixture->Result().toObject().value("current").toInt(), 1);
    QCOMPARE(Only(fixture->FramesOf("playlist.previous"), 0x25, 0xA7),
             QList<QByteArray>{PlaySegmentFrame(3)});
    QCOMPARE(fixture->FramesOf("playlist.stop").first(), Stop);
    playlist->MClearPlaylist();
    fixture->Call("playlist.next");
    QCOMPARE(fixture->ErrorCode(), QStringLiteral("not-found"));
}

// Load in player mode loads; in recorder mode it names the file to record.
void RemoteCommandsTest::filesListAndLoad()
{
    fixture->Call("file.list");
    QCOMPARE(fixture->Result().toObject().value("files").toArray(),
             (QJsonArray{"CLIP0001", "CLIP0002"}));
    QCOMPARE(fixture->Result().toObject().value("loaded").toString(), QStringLiteral("CLIP0001"));

    fixture->Call("transport.side", {{"side", "player"}});
    QCOMPARE(Only(fixture->FramesOf("file.load", {{"name", "clip0002"}}), 0x48, 0x14),
             QList<QByteArray>{NameFrame(0x48, 0x14, "CLIP0002")});
    fixture->Call("file.list");
    QCOMPARE(fixture->Result().toObject().value("loaded").toString(), QStringLiteral("CLIP0002"));
    fixture->Call("transport.side", {{"side", "recorder"}});
    QCOMPARE(Only(fixture->FramesOf("file.load", {{"name", "CLIP0001"}}), 0xA8, 0x02),
             QList<QByteArray>{NameFrame(0xA8, 0x02, "CLIP0001")});
    fixture->Call("file.load", {{"name", "NOSUCH"}});
    QCOMPARE(fixture->ErrorCode(), QStringLiteral("not-found"));
}

void RemoteCommandsTest::memoriesCaptureAndLocate()
{
    fixture->Answer(6, 0x0C, SenseReturn(0x04, QByteArray("\x04\x03\x02\x01", 4)));
    fixture->Tick();
    QCOMPARE(fixture->FramesOf("memory.capture", {{"slot", 2}}), QList<QByteArray>());
    QCOMPARE(fixture->Result().toObject(), (QJsonObject{{"slot", 2}, {"time", "01:02:03.04"}}));
    QVERIFY(fixture->Key("pbTC2")->isChecked());
    QCOMPARE(WithoutStatusSenses(fixture->FramesOf("memory.locate", {{"slot", 2}})),
             QList<QByteArray>{WireFrame({0x25, 0x31, 0x04, 0x03, 0x02, 0x01, 0x00})});
    QCOMPARE(WithoutStatusSenses(fixture->FramesOf("memory.locate", {{"slot", 1}})),
             QList<QByteArray>{CueToZero});
}

void RemoteCommandsTest::recordersListAndSelect()
{
    fixture->Call("recorder.list");
    QCOMPARE(fixture->Result().toObject(),
             (QJsonObject{{"recorders", QJsonArray{"Com1", "Com2", fixture->DeviceName()}},
                          {"current", fixture->DeviceName()}}));
    const QList<QByteArray> frames =
        fixture->FramesOf("recorder.select", {{"name", QLatin1String(kAddress)}});
    QCOMPARE(fixture->Result(), QJsonValue(QJsonObject()));
    QVERIFY(frames.contains(WireFrame({0x00, 0x11})));
    QCOMPARE(CurrentDevice->name, fixture->DeviceName());
}

QTEST_MAIN(RemoteCommandsTest)
#include "tst_remotecommands.moc"
