// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckcommands.h"

#include <QtTest>

namespace {

// The panel dial's shuttle table as the recorder's speeds go: still near
// the centre, play speed from 56, ten times play speed at the end.
quint8 ShuttleTable(int distance)
{
    const struct
    {
        int upTo;
        quint8 speed;
    } kSteps[] = {{10, 0x00}, {25, 0x20}, {40, 0x2A},  {55, 0x36},
                  {80, 0x40}, {95, 0x4A}, {110, 0x56}, {120, 0x60}};
    for (const auto &step : kSteps) {
        if (distance <= step.upTo)
            return step.speed;
    }
    return 0x60;
}

DeckContext Context()
{
    DeckContext context;
    context.view.recorder = true;
    context.view.timecode = QStringLiteral("10:00:00:00");
    context.view.clipId = 2;
    context.rate = {25, false};
    context.timeline = {QStringLiteral("Intro"), QStringLiteral("Outro")};
    context.shuttleSpeed = ShuttleTable;
    return context;
}

QList<DeckClip> Clips()
{
    return {{4, QStringLiteral("Intro"), {}, {}},
            {9, QStringLiteral("Middle"), {}, {}},
            {12, QStringLiteral("Outro"), {}, {}}};
}

DeckAction Decide(const QString &line, DeckContext &context)
{
    DeckRequest request;
    DeckAction action;
    if (!ParseDeckRequest(line, request)) { // as the gateway answers a line it cannot read
        action.reply = DeckReply(DeckCode::SyntaxError);
        return action;
    }
    action = DecideDeck(request, context);
    if (action.kind == DeckAction::Kind::ReadClips) { // as the gateway does
        context.clips = Clips();
        action = DecideDeck(request, context);
    }
    return action;
}

QString Described(const DeckAction &action)
{
    switch (action.kind) {
    case DeckAction::Kind::Call: {
        QStringList params;
        for (auto it = action.params.begin(); it != action.params.end(); ++it)
            params << it.key() + QLatin1Char('=') + it.value().toVariant().toString();
        return action.method + QLatin1Char(' ') + params.join(QLatin1Char(' '));
    }
    case DeckAction::Kind::Reply:
        return QString::number(int(action.reply.code));
    case DeckAction::Kind::ClipsReply:
        return QStringLiteral("clips %1").arg(int(action.clipsCode));
    case DeckAction::Kind::Quit:
        return QStringLiteral("quit");
    case DeckAction::Kind::ReadClips:
        break;
    }
    return QStringLiteral("read clips");
}

} // namespace

class TestDeckCommands : public QObject
{
    Q_OBJECT

private slots:
    void RequestsBecomeCommandsOrAnswers_data();
    void RequestsBecomeCommandsOrAnswers();
    void CommandsWaitForTheOperatorAndARecorder();
    void NotifyKeepsTheClientsChoice();
    void TheBannerAndDeviceInfoNameTheProtocol();
    void SpeedsPickTheNearestDialStep();
};

void TestDeckCommands::RequestsBecomeCommandsOrAnswers_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("action");

    QTest::newRow("ping") << "ping"
                          << "200";
    QTest::newRow("quit") << "quit"
                          << "quit";
    QTest::newRow("unknown command") << "eject"
                                     << "100";
    QTest::newRow("unknown parameter") << "play: volume: 11"
                                       << "101";
    QTest::newRow("clips get") << "clips get"
                               << "clips 205";
    QTest::newRow("clips count") << "clips count"
                                 << "clips 214";
    QTest::newRow("disk list") << "disk list"
                               << "clips 206";
    QTest::newRow("disk list of slot 2 is empty") << "disk list: slot id: 2"
                                                  << "206";
    QTest::newRow("slot 3") << "slot info: slot id: 3"
                            << "109";
    QTest::newRow("configuration change") << "configuration: video input: HDMI"
                                          << "103";

    QTest::newRow("play") << "play"
                          << "transport.play ";
    QTest::newRow("play at 100") << "play: speed: 100"
                                 << "transport.play ";
    QTest::newRow("play at 200") << "play: speed: 200"
                                 << "transport.shuttle speed=81";
    QTest::newRow("play backwards") << "play: speed: -100"
                                    << "transport.shuttle speed=-56";
    QTest::newRow("play still") << "play: speed: 0"
                                << "transport.shuttle speed=0";
    QTest::newRow("play too fast") << "play: speed: 1601"
                                   << "109";
    QTest::newRow("play at a word") << "play: speed: fast"
                                    << "102";
    QTest::newRow("play loop") << "play: loop: true"
                               << "103";
    QTest::newRow("play no loop") << "play: loop: false"
                                  << "transport.play ";
    QTest::newRow("play single clip") << "play: single clip: true"
                                      << "segment.play number=9";
    QTest::newRow("stop") << "stop"
                          << "transport.stop ";
    QTest::newRow("record") << "record"
                            << "transport.record ";
    QTest::newRow("record a name") << "record: name: take"
                                   << "101";

    QTest::newRow("clip id") << "goto: clip id: 3"
                             << "segment.cue number=12 point=in";
    QTest::newRow("clip id beyond") << "goto: clip id: 4"
                                    << "109";
    QTest::newRow("next clip") << "goto: clip id: +1"
                               << "segment.cue number=12 point=in";
    QTest::newRow("clips back clamp") << "goto: clip id: -5"
                                      << "segment.cue number=4 point=in";
    QTest::newRow("clip end") << "goto: clip: end"
                              << "segment.cue number=9 point=out";
    QTest::newRow("clip middle") << "goto: clip: middle"
                                 << "102";
    QTest::newRow("timeline start") << "goto: timeline: start"
                                    << "segment.cue name=Intro point=in";
    QTest::newRow("timeline end") << "goto: timeline: end"
                                  << "segment.cue name=Outro point=out";
    QTest::newRow("timecode") << "goto: timecode: 01:02:03:04"
                              << "transport.goto timecode=01:02:03:04";
    QTest::newRow("timecode ahead") << "goto: timecode: +00:00:02:00"
                                    << "transport.goto timecode=10:00:02:00";
    QTest::newRow("timecode back past midnight") << "goto: timecode: -11:00:00:00"
                                                 << "transport.goto timecode=23:00:00:00";
    QTest::newRow("timecode frames beyond rate") << "goto: timecode: 01:02:03:25"
                                                 << "102";
    QTest::newRow("two places") << "goto: clip id: 1 timecode: 01:00:00:00"
                                << "100";
    QTest::newRow("slot 1") << "goto: slot id: 1"
                            << "200";
    QTest::newRow("slot 2") << "goto: slot id: 2"
                            << "109";

    QTest::newRow("jog ahead") << "jog: timecode: +00:00:00:05"
                               << "transport.jog frames=5";
    QTest::newRow("jog back") << "jog: timecode: -00:00:01:00"
                              << "transport.jog frames=-25";
    QTest::newRow("jog far") << "jog: timecode: +00:01:00:00"
                             << "transport.goto timecode=10:01:00:00";
    QTest::newRow("jog to") << "jog: timecode: 10:00:00:10"
                            << "transport.goto timecode=10:00:00:10";
    QTest::newRow("jog nowhere") << "jog"
                                 << "100";
    QTest::newRow("shuttle") << "shuttle: speed: -1000"
                             << "transport.shuttle speed=-111";
    QTest::newRow("shuttle without speed") << "shuttle"
                                           << "100";
}

void TestDeckCommands::RequestsBecomeCommandsOrAnswers()
{
    QFETCH(QString, line);
    QFETCH(QString, action);
    DeckContext context = Context();
    QCOMPARE(Described(Decide(line, context)), action);
}

void TestDeckCommands::CommandsWaitForTheOperatorAndARecorder()
{
    DeckContext context = Context();
    context.view.commands = false;
    QCOMPARE(Described(Decide(QStringLiteral("play"), context)), QStringLiteral("111"));
    QCOMPARE(Described(Decide(QStringLiteral("transport info"), context)), QStringLiteral("208"));
    QCOMPARE(Described(Decide(QStringLiteral("remote: enable: true"), context)),
             QStringLiteral("111"));
    QCOMPARE(Decide(QStringLiteral("remote"), context).reply.lines.value(0),
             QStringLiteral("enabled: false"));

    context = Context();
    QCOMPARE(Described(Decide(QStringLiteral("remote: enable: true"), context)),
             QStringLiteral("200"));
    QCOMPARE(Described(Decide(QStringLiteral("remote: override: true"), context)),
             QStringLiteral("111"));
    QCOMPARE(Described(Decide(QStringLiteral("remote: enable: yes"), context)),
             QStringLiteral("102"));

    context.view.recorder = false;
    QCOMPARE(Described(Decide(QStringLiteral("stop"), context)), QStringLiteral("105"));
    QCOMPARE(Described(Decide(QStringLiteral("disk list"), context)), QStringLiteral("206"));

    context = Context();
    context.timeline.clear();
    QCOMPARE(Described(Decide(QStringLiteral("goto: timeline: start"), context)),
             QStringLiteral("107"));
    context.clips = QList<DeckClip>();
    QCOMPARE(Described(Decide(QStringLiteral("goto: clip id: 1"), context)), QStringLiteral("107"));
    QCOMPARE(Described(Decide(QStringLiteral("play: single clip: true"), context)),
             QStringLiteral("107"));
}

void TestDeckCommands::NotifyKeepsTheClientsChoice()
{
    DeckContext context = Context();
    QCOMPARE(Described(
                 Decide(QStringLiteral("notify: transport: true display timecode: true"), context)),
             QStringLiteral("200"));
    QVERIFY(context.notify.transport);
    QVERIFY(context.notify.displayTimecode);
    QVERIFY(!context.notify.slot);
    QCOMPARE(Described(Decide(QStringLiteral("notify: slot: true remote: maybe"), context)),
             QStringLiteral("102"));
    QVERIFY2(!context.notify.slot, "a refused notify changes nothing");
    QCOMPARE(Decide(QStringLiteral("notify"), context).reply.Encode(),
             QByteArray("209 notify:\r\ntransport: true\r\nslot: false\r\nremote: false\r\n"
                        "configuration: false\r\ndisplay timecode: true\r\n\r\n"));
}

void TestDeckCommands::TheBannerAndDeviceInfoNameTheProtocol()
{
    DeckView view;
    view.model = QStringLiteral("Pellet");
    QCOMPARE(ConnectionInfo(view).Encode(),
             QByteArray("500 connection info:\r\nprotocol version: 1.11\r\nmodel: Tavrel Pellet"
                        "\r\n\r\n"));
    DeckContext context = Context();
    const DeckReply info = Decide(QStringLiteral("device info"), context).reply;
    QCOMPARE(info.code, DeckCode::DeviceInfo);
    QVERIFY(info.lines.contains(QStringLiteral("slot count: 2")));
    QVERIFY(info.lines.contains(QStringLiteral("model: Tavrel XR")));
    const DeckReply slot = Decide(QStringLiteral("slot info: slot id: 2"), context).reply;
    QVERIFY(slot.lines.contains(QStringLiteral("slot id: 2")));
    QVERIFY(slot.lines.contains(QStringLiteral("status: empty")));
}

void TestDeckCommands::SpeedsPickTheNearestDialStep()
{
    QCOMPARE(DialForSpeed(100, ShuttleTable), 56);
    QCOMPARE(DialForSpeed(-100, ShuttleTable), -56);
    QCOMPARE(DialForSpeed(1600, ShuttleTable), 111);
    QCOMPARE(DialForSpeed(15, ShuttleTable), 26);
    QCOMPARE(DialForSpeed(1, ShuttleTable), 0);
    QCOMPARE(DialForSpeed(100, nullptr), 0);
}

QTEST_GUILESS_MAIN(TestDeckCommands)
#include "tst_deckcommands.moc"
