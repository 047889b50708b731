// SPDX-License-Identifier: GPL-3.0-or-later
// The transport keys against the simulated recorder: what each key sends
// with each modifier, when it sends nothing, the recorder and player sides,
// the status keys, and the keys' pictures after a status.

#include "panelfixture.h"

#include <QTest>

using namespace wire;

namespace {

const QByteArray kTimerModeToTimer = WireFrame({0x41, 0x36, 0x01});
const QByteArray kTimerModeToTimecode = WireFrame({0x41, 0x36, 0x00});

QList<QByteArray> PlayerModeQuery()
{
    return {SetupPrepare, SetupPage0};
}

} // namespace

class TransportKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void sendTable_data();
    void sendTable();
    void lockedPlayRecordsOnTheRecorderSide();
    void keysWithoutRecorderSendNothing();
    void panelModeAndDelayModeHoldTheKeys();
    void sidesFollowTheRecordersMode();
    void unreadSetupKeepsThePlayerSide_data();
    void unreadSetupKeepsThePlayerSide();
    void statusKeys();
    void remoteLocalWalksTheMenu();
    void remoteLocalWalkGivesUp();
    void timeKeyFollowsTheTimerMode();
};

void TransportKeysTest::sendTable_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("option");
    QTest::addColumn<bool>("lock");
    QTest::addColumn<QByteArray>("frame");

    QTest::newRow("play") << "pbPlay" << false << false << Play;
    QTest::newRow("play, option") << "pbPlay" << true << false << OptionPlay;
    QTest::newRow("play, option before lock") << "pbPlay" << true << true << OptionPlay;
    QTest::newRow("record") << "pbRecord" << false << false << FullEeOn;
    QTest::newRow("record, option") << "pbRecord" << true << false << SelectEeOn;
    QTest::newRow("record, lock") << "pbRecord" << false << true << EditOn;
    QTest::newRow("forward") << "pbFor" << false << false << FastForward;
    QTest::newRow("forward ignores option") << "pbFor" << true << true << FastForward;
    QTest::newRow("rewind") << "pbBack" << false << false << Rewind;
    QTest::newRow("rewind, lock") << "pbBack" << false << true << Rewind;
    QTest::newRow("rewind, option shuttles back")
        << "pbBack" << true << false << Shuttle(0x23, 0x40);
    QTest::newRow("stop ignores option") << "pbStop" << true << false << Stop;
}

// Each key sends its one frame and lets the modifiers go; it also ends jog
// and slow motion.
void TransportKeysTest::sendTable()
{
    QFETCH(QString, key);
    QFETCH(bool, option);
    QFETCH(bool, lock);
    QFETCH(QByteArray, frame);
    PanelFixture panel("127.0.40.1");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    ShowFace(panel.Key("rbJog"), "rbd.png");
    panel.Option(option);
    panel.Lock(lock);

    QCOMPARE(panel.Press(key.toLatin1().constData()), QList<QByteArray>{frame});
    QVERIFY(panel.ModifiersOff());
    QCOMPARE(ShownFace(panel.Key("rbJog")), QStringLiteral("rbu.png"));
}

// Lock with Play records, on the recorder side: the player side is left
// first and the record key lit at once.
void TransportKeysTest::lockedPlayRecordsOnTheRecorderSide()
{
    PanelFixture panel("127.0.40.2");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Control().transport->pbP_pressed();
    QCOMPARE(recPlayMode, 1);
    panel.Lock(true);

    QCOMPARE(panel.Press("pbPlay"), (PlayerModeQuery() + QList<QByteArray>{RecorderSide, Record}));
    QCOMPARE(recPlayMode, 0);
    QCOMPARE(ShownFace(panel.Key("pbRecord")), QStringLiteral("recd.png"));
    QCOMPARE(ShownFace(panel.Key("pbR")), QStringLiteral("RD.png"));
    QVERIFY(panel.ModifiersOff());
}

void TransportKeysTest::keysWithoutRecorderSendNothing()
{
    PanelFixture panel("127.0.40.3");
    panel.OpenWindow();
    QVERIFY(!CurrentDevice);
    ShowFace(panel.Key("rbSloMo"), "rbd.png");
    panel.Key("pbPlay")->click();
    QCOMPARE(ShownFace(panel.Key("rbSloMo")), QStringLiteral("rbu.png"));

    // Stop without a recorder does not even end slow motion.
    ShowFace(panel.Key("rbSloMo"), "rbd.png");
    panel.Key("pbStop")->click();
    QCOMPARE(ShownFace(panel.Key("rbSloMo")), QStringLiteral("rbd.png"));
}

// A panel mode holds the transport keys: Record still lets the modifiers
// go, Play keeps them. Delay mode holds them on the side it uses.
void TransportKeysTest::panelModeAndDelayModeHoldTheKeys()
{
    PanelFixture panel("127.0.40.4");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    CurrentDevice->menuMode = 1;
    panel.Option(true);
    QVERIFY(panel.Press("pbPlay").isEmpty());
    QVERIFY(panel.Key("pbOption")->isChecked());
    QVERIFY(panel.Press("pbRecord").isEmpty());
    QVERIFY(panel.ModifiersOff());

    CurrentDevice->menuMode = 0;
    CurrentDevice->delayRecording = 1;
    panel.Lock(true);
    QVERIFY(panel.Press("pbStop").isEmpty());
    QVERIFY(panel.Press("pbRecord").isEmpty());
    QVERIFY(panel.Key("pbLock")->isChecked());
    QVERIFY(panel.Press("pbOffLtc").isEmpty());
    QVERIFY(panel.Press("pbATTC").isEmpty());
    QVERIFY(panel.Press("pbRemoteLocal").isEmpty());
}

// A recorder set up as one recorder and one player switches sides; any other
// shows the single R/P key and stays on the recorder side.
void TransportKeysTest::sidesFollowTheRecordersMode()
{
    PanelFixture panel("127.0.40.5");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    QCOMPARE(recPlayMode, 0);
    QCOMPARE(ShownFace(panel.Key("pbR")), QStringLiteral("RD.png"));

    CurrentDevice->menuMode = 1;
    QCOMPARE(panel.Press("pbP"), (PlayerModeQuery() + QList<QByteArray>{PlayerSide}));
    QCOMPARE(recPlayMode, 1);
    QCOMPARE(ShownFace(panel.Key("pbP")), QStringLiteral("PD.png"));
    QCOMPARE(ShownFace(panel.Key("pbR")), QStringLiteral("RU.png"));
    QCOMPARE(CurrentDevice->menuMode, quint8(0)); // the change of side leaves the menu
    QVERIFY(panel.Press("pbP").isEmpty());

    QCOMPARE(panel.Press("pbR"), (PlayerModeQuery() + QList<QByteArray>{RecorderSide}));
    QCOMPARE(ShownFace(panel.Key("pbP")), QStringLiteral("PU.png"));

    // The recorder changes to "1R/P": no player side any more.
    panel.Answer(6, 0xC0, SenseReturn(0xC0, QByteArray(14, '\0') + char(0x50)));
    QCOMPARE(panel.Press("pbP"), PlayerModeQuery());
    QCOMPARE(recPlayMode, 0);
    QCOMPARE(ShownFace(panel.Key("pbR")), QStringLiteral("RP.png"));
    QVERIFY(panel.Key("pbP")->isHidden());
    panel.Control().transport->pbP_pressed();
    QCOMPARE(recPlayMode, 0);
    QCOMPARE(ShownFace(panel.Key("pbR")), QStringLiteral("RP.png"));
}

void TransportKeysTest::unreadSetupKeepsThePlayerSide_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("no answer") << QByteArray(); // an empty answer is none
    QTest::newRow("refused") << WireFrame({0x11, 0x12, 0x01});
    QTest::newRow("page cut short") << SenseReturn(0xC0, QByteArray(1, '\0'));
}

// A recorder whose setup page 0 does not come back whole has said nothing
// about its sides: the panel stays where it was, with P shown, and the next
// press of P asks again and switches.
void TransportKeysTest::unreadSetupKeepsThePlayerSide()
{
    QFETCH(QByteArray, answer);
    PanelFixture panel("127.0.40.11");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Answer(6, 0xC0, answer, 1);
    QCOMPARE(panel.Press("pbP"), PlayerModeQuery());
    QCOMPARE(recPlayMode, 0);
    QVERIFY(!panel.Key("pbP")->isHidden());
    QCOMPARE(ShownFace(panel.Key("pbR")), QStringLiteral("RD.png"));
    QCOMPARE(ShownFace(panel.Key("pbP")), QStringLiteral("PU.png"));

    QCOMPARE(panel.Press("pbP"), (PlayerModeQuery() + QList<QByteArray>{PlayerSide}));
    QCOMPARE(recPlayMode, 1);
    QCOMPARE(ShownFace(panel.Key("pbP")), QStringLiteral("PD.png"));
}

// LTC is switched off when on, else off and on; AT/TC flips the time mode
// and reads the segments again in it.
void TransportKeysTest::statusKeys()
{
    PanelFixture panel("127.0.40.6");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Status({});
    panel.Tick();
    QCOMPARE(panel.Press("pbOffLtc"), (QList<QByteArray>{LtcOff, LtcOn}));
    panel.Status({{6, 0x04}});
    panel.Tick();
    QCOMPARE(panel.Press("pbOffLtc"), QList<QByteArray>{LtcOff});

    timerMode = 0;
    QCOMPARE(panel.Press("pbATTC").value(0), kTimerModeToTimer);
    timerMode = 1;
    QCOMPARE(panel.Press("pbATTC").value(0), kTimerModeToTimecode);
    timerMode = 2;
    QCOMPARE(panel.Press("pbATTC").value(0), kTimerModeToTimer);
}

// The walk opens the settings menu and steps down to the entry numbered 1
// (00 on older firmware), which key 6 toggles; the recorder then reports
// local control.
void TransportKeysTest::remoteLocalWalksTheMenu()
{
    for (const bool older : {false, true}) {
        PanelFixture panel(older ? "127.0.40.8" : "127.0.40.7");
        xrsim::Scenario scenario;
        if (older)
            scenario.generation = xrsim::Scenario::Generation::Dv;
        QVERIFY2(panel.Connect(scenario), qPrintable(panel.Error()));
        QCOMPARE(int(legacyFirmware), older ? 1 : 0);
        CurrentDevice->menuMode = 1;
        const QList<QByteArray> walk = {PanelKey(1), PanelKey(2), PanelKey(2),
                                        PanelKey(2), PanelKey(2), PanelKey(6)};
        QCOMPARE(panel.Press("pbRemoteLocal"), walk);
        QCOMPARE(CurrentDevice->menuMode, quint8(0));
        panel.Tick();
        QCOMPARE(ShownFace(panel.Key("pbRemoteLocal")), QStringLiteral("LOC.png"));

        QCOMPARE(panel.Press("pbRemoteLocal"), walk);
        panel.Tick();
        QCOMPARE(ShownFace(panel.Key("pbRemoteLocal")), QStringLiteral("REM.png"));
    }
}

// A menu without the entry: key 1 and eleven steps, no toggle. A short or
// refused answer does not count as the entry.
void TransportKeysTest::remoteLocalWalkGivesUp()
{
    PanelFixture panel("127.0.40.9");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    QList<QByteArray> walk{PanelKey(1)};
    for (int step = 0; step < 11; ++step)
        walk << PanelKey(2);

    panel.DisplayAnswer(QByteArray("\xC0"
                                   "2 Time LTC"));
    QCOMPARE(panel.Press("pbRemoteLocal"), walk);
    // The checksum of "71 95 C0" would read as "1" behind a one-byte answer.
    panel.DisplayAnswer(QByteArray("\xC0"));
    QCOMPARE(panel.Press("pbRemoteLocal"), walk);
    panel.Answer(6, 0x95, WireFrame({0x11, 0x12, 0x31}));
    QCOMPARE(panel.Press("pbRemoteLocal"), walk);
}

// The AT/TC key shows the time the recorder reports: its timer or the
// timecode.
void TransportKeysTest::timeKeyFollowsTheTimerMode()
{
    PanelFixture panel("127.0.40.10");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Status({});
    for (const quint8 mode : {1, 0, 3}) {
        panel.Answer(6, 0x36, SenseReturn(0x36, QByteArray(1, char(mode))));
        panel.Tick();
        QCOMPARE(ShownFace(panel.Key("pbATTC")),
                 mode == 0 ? QStringLiteral("TC.png") : QStringLiteral("AT.png"));
    }
}

QTEST_MAIN(TransportKeysTest)
#include "tst_transportkeys.moc"
