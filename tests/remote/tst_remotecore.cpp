// SPDX-License-Identifier: GPL-3.0-or-later
// The control core without a window or a network: what each method asks of
// the window, the parameters it refuses, read-only clients, the bounded
// queue, long work, the log, and the pushes of the state topics.

#include "faketarget.h"

#include "remote/controlcore.h"
#include "remote/remotelog.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>

namespace {

class RecordingSink : public ClientSink
{
public:
    void Answer(const Reply &reply) override { replies << reply; }
    void Push(Topic topic, const QJsonObject &state) override
    {
        pushes << qMakePair(topic, state);
        pushTimes << clock.elapsed();
    }

    QList<Reply> replies;
    QList<QPair<Topic, QJsonObject>> pushes;
    QList<qint64> pushTimes;
    QElapsedTimer clock;
};

SegmentEntry Segment(int number, const char *name)
{
    SegmentEntry segment;
    segment.number = number;
    segment.name = QLatin1String(name);
    return segment;
}

QJsonObject Subscription(const char *topic)
{
    return {{"topics", QJsonArray{QLatin1String(topic)}}};
}

} // namespace

class RemoteCoreTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commandsReachTheWindow_data();
    void commandsReachTheWindow();
    void badValuesReachNothing_data();
    void badValuesReachNothing();
    void recordNeedsConfirmationUnlessAllowed();
    void readOnlyClientsOnlyWatch();
    void unknownMethodsAndTopics();
    void refusalsOfTheWindowComeBack();
    void queueIsBoundedAndRunsEachRequestOnce();
    void requestsOfALeftClientAreNotRun();
    void clientsAreCountedAndBounded();
    void everyRequestIsLoggedWithItsClient();
    void subscriberGetsTheStateThenChangesOnly();
    void timeIsPushedNoMoreOftenThanTheRateAllows();
    void readTopicsGoOutAtOnceAndOnce();

private:
    // Submits one request and runs the event loop until it is answered.
    Reply Call(const QString &method, const QJsonObject &params = {}, ClientId client = 0);

    FakeTarget *target = nullptr;
    RemoteLog *log = nullptr;
    ControlCore *core = nullptr;
    RecordingSink sink;
    ClientId id = 0;
};

void RemoteCoreTest::init()
{
    target = new FakeTarget;
    target->segments = {Segment(3, "Intro"), Segment(7, "Outro")};
    target->playlist.rows = {QStringLiteral("Intro"), QStringLiteral("Outro")};
    target->recorders = {QStringLiteral("Com1"), QStringLiteral("Ethernet - 127.0.0.1")};
    log = new RemoteLog;
    core = new ControlCore(*target, *log);
    sink = RecordingSink();
    sink.clock.start();
    id = core->Attach({QStringLiteral("test"), QStringLiteral("127.0.0.1:5000"), false}, sink);
}

void RemoteCoreTest::cleanup()
{
    delete core;
    delete log;
    delete target;
}

Reply RemoteCoreTest::Call(const QString &method, const QJsonObject &params, ClientId client)
{
    const int before = sink.replies.size();
    core->Submit(client ? client : id, {QJsonValue(before + 1), method, params});
    if (!QTest::qWaitFor([&] { return sink.replies.size() > before; }, 1000))
        return {};
    return sink.replies.last();
}

void RemoteCoreTest::commandsReachTheWindow_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QJsonObject>("params");
    QTest::addColumn<QString>("done");

    QTest::newRow("play") << "transport.play" << QJsonObject() << "play";
    QTest::newRow("jog back") << "transport.jog" << QJsonObject{{"frames", -3}} << "jog -3";
    QTest::newRow("shuttle, full")
        << "transport.shuttle" << QJsonObject{{"speed", 120}} << "shuttle 120";
    QTest::newRow("goto, drop frame")
        << "transport.goto" << QJsonObject{{"timecode", "10:00:00;02"}} << "goto 10:00:00;02";
    QTest::newRow("goto, second field")
        << "transport.goto" << QJsonObject{{"timecode", "01:02:03:04.2"}} << "goto 01:02:03:04.2";
    QTest::newRow("side") << "transport.side" << QJsonObject{{"side", "player"}} << "side player";
    QTest::newRow("segment by name")
        << "segment.play" << QJsonObject{{"name", "Outro"}} << "segment play 1";
    QTest::newRow("segment by number")
        << "segment.play" << QJsonObject{{"number", 3}} << "segment play 0";
    QTest::newRow("cue in by default")
        << "segment.cue" << QJsonObject{{"number", 7}} << "segment cue 1 in";
    QTest::newRow("cue out") << "segment.cue" << QJsonObject{{"name", "Intro"}, {"point", "out"}}
                             << "segment cue 0 out";
    QTest::newRow("playlist, selected row")
        << "playlist.start" << QJsonObject() << "playlist start -1";
    QTest::newRow("playlist, last row")
        << "playlist.start" << QJsonObject{{"row", 1}} << "playlist start 1";
    QTest::newRow("previous") << "playlist.previous" << QJsonObject() << "playlist step -1";
    QTest::newRow("memory") << "memory.locate" << QJsonObject{{"slot", 4}} << "memory locate 4";
    QTest::newRow("recorder by address") << "recorder.select" << QJsonObject{{"name", "127.0.0.1"}}
                                         << "recorder Ethernet - 127.0.0.1";
    QTest::newRow("recorder, any case")
        << "recorder.select" << QJsonObject{{"name", "com1"}} << "recorder Com1";
}

void RemoteCoreTest::commandsReachTheWindow()
{
    QFETCH(QString, method);
    QFETCH(QJsonObject, params);
    QFETCH(QString, done);

    const Reply reply = Call(method, params);
    QCOMPARE(reply.refusal, Refusal::None);
    QCOMPARE(target->done, QStringList{done});
}

void RemoteCoreTest::badValuesReachNothing_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QJsonObject>("params");
    QTest::addColumn<QString>("code");

    const QString bad = QStringLiteral("bad-value");
    QTest::newRow("jog too far") << "transport.jog" << QJsonObject{{"frames", 101}} << bad;
    QTest::newRow("jog as text") << "transport.jog" << QJsonObject{{"frames", "3"}} << bad;
    QTest::newRow("jog by half") << "transport.jog" << QJsonObject{{"frames", 1.5}} << bad;
    QTest::newRow("jog, no frames") << "transport.jog" << QJsonObject() << bad;
    QTest::newRow("shuttle too fast") << "transport.shuttle" << QJsonObject{{"speed", -121}} << bad;
    QTest::newRow("minute 60") << "transport.goto" << QJsonObject{{"timecode", "10:60:00:00"}}
                               << bad;
    QTest::newRow("frame 30") << "transport.goto" << QJsonObject{{"timecode", "10:00:00:30"}}
                              << bad;
    QTest::newRow("no frames") << "transport.goto" << QJsonObject{{"timecode", "10:00:00"}} << bad;
    QTest::newRow("field 3") << "transport.goto" << QJsonObject{{"timecode", "10:00:00:00.3"}}
                             << bad;
    QTest::newRow("hour 80") << "transport.goto" << QJsonObject{{"timecode", "80:00:00:00"}} << bad;
    QTest::newRow("side") << "transport.side" << QJsonObject{{"side", "left"}} << bad;
    QTest::newRow("name and number")
        << "segment.play" << QJsonObject{{"name", "Intro"}, {"number", 3}} << bad;
    QTest::newRow("neither") << "segment.play" << QJsonObject() << bad;
    QTest::newRow("number 2046") << "segment.play" << QJsonObject{{"number", 2046}} << bad;
    QTest::newRow("no such segment")
        << "segment.play" << QJsonObject{{"name", "intro"}} << "not-found";
    QTest::newRow("point") << "segment.cue" << QJsonObject{{"number", 3}, {"point", "mid"}} << bad;
    QTest::newRow("row past the end") << "playlist.start" << QJsonObject{{"row", 2}} << bad;
    QTest::newRow("memory 5") << "memory.capture" << QJsonObject{{"slot", 5}} << bad;
    QTest::newRow("file name of 9") << "file.load" << QJsonObject{{"name", "CLIP00001"}} << bad;
    QTest::newRow("no such recorder")
        << "recorder.select" << QJsonObject{{"name", "Com3"}} << "not-found";
    QTest::newRow("confirm as text")
        << "transport.record" << QJsonObject{{"confirm", "yes"}} << bad;
}

void RemoteCoreTest::badValuesReachNothing()
{
    QFETCH(QString, method);
    QFETCH(QJsonObject, params);
    QFETCH(QString, code);

    const Reply reply = Call(method, params);
    QCOMPARE(RefusalCode(reply.refusal), code);
    QVERIFY(!reply.detail.isEmpty());
    QCOMPARE(target->done, QStringList());
}

void RemoteCoreTest::recordNeedsConfirmationUnlessAllowed()
{
    QCOMPARE(Call(QStringLiteral("transport.record")).refusal, Refusal::NotConfirmed);
    QCOMPARE(Call(QStringLiteral("transport.record"), {{"confirm", false}}).refusal,
             Refusal::NotConfirmed);
    QCOMPARE(target->done, QStringList());
    QCOMPARE(Call(QStringLiteral("transport.record"), {{"confirm", true}}).refusal, Refusal::None);
    core->SetPolicy({true});
    QCOMPARE(Call(QStringLiteral("transport.record")).refusal, Refusal::None);
    QCOMPARE(target->done, (QStringList{QStringLiteral("record"), QStringLiteral("record")}));
}

void RemoteCoreTest::readOnlyClientsOnlyWatch()
{
    RecordingSink watcher;
    const ClientId readOnly =
        core->Attach({QStringLiteral("test"), QStringLiteral("127.0.0.1:5001"), true}, watcher);
    core->Submit(readOnly, {1, QStringLiteral("transport.stop"), {}});
    core->Submit(readOnly, {2, QStringLiteral("segment.list"), {}});
    core->Submit(readOnly, {3, QStringLiteral("subscribe"), Subscription("display")});
    QVERIFY(QTest::qWaitFor([&] { return watcher.replies.size() == 3; }, 1000));
    QCOMPARE(watcher.replies.at(0).refusal, Refusal::ReadOnly);
    // The subscription is answered at once, the list once it has run.
    QCOMPARE(watcher.replies.at(1).id, QJsonValue(3));
    QCOMPARE(watcher.replies.at(1).refusal, Refusal::None);
    QCOMPARE(watcher.replies.at(2).refusal, Refusal::None);
    QCOMPARE(watcher.replies.at(2).result.toObject().value("segments").toArray().size(), 2);
    QCOMPARE(watcher.pushes.size(), 1);
    QCOMPARE(target->done, QStringList());
}

void RemoteCoreTest::unknownMethodsAndTopics()
{
    QCOMPARE(Call(QStringLiteral("transport.eject")).refusal, Refusal::UnknownMethod);
    QCOMPARE(Call(QStringLiteral("subscribe"), Subscription("weather")).refusal, Refusal::BadValue);
    QCOMPARE(Call(QStringLiteral("subscribe")).refusal, Refusal::BadValue);
    QCOMPARE(sink.pushes.size(), 0);
}

// The window's refusal, and the long work that lets no command run at all.
void RemoteCoreTest::refusalsOfTheWindowComeBack()
{
    target->answer = Refusal::DelayMode;
    QCOMPARE(Call(QStringLiteral("transport.play")).refusal, Refusal::DelayMode);
    target->answer = Refusal::NoAnswer;
    QCOMPARE(Call(QStringLiteral("transport.stop")).refusal, Refusal::NoAnswer);
    target->busy = true;
    QCOMPARE(Call(QStringLiteral("transport.stop")).refusal, Refusal::LongWork);
    QCOMPARE(Call(QStringLiteral("file.list")).refusal, Refusal::LongWork);
    QCOMPARE(target->done, (QStringList{QStringLiteral("play"), QStringLiteral("stop")}));
}

// A flood fills the queue; what does not fit is answered "busy" at once and
// never run; what fits runs once each, in order.
void RemoteCoreTest::queueIsBoundedAndRunsEachRequestOnce()
{
    core->SetLimits({8, 4, 6});
    RecordingSink other;
    const ClientId second =
        core->Attach({QStringLiteral("test"), QStringLiteral("127.0.0.1:5002"), false}, other);
    for (int i = 0; i < 6; ++i)
        core->Submit(id, {i, QStringLiteral("transport.jog"), {{"frames", i}}});
    for (int i = 0; i < 3; ++i)
        core->Submit(second, {i, QStringLiteral("transport.jog"), {{"frames", 10 + i}}});
    QCOMPARE(sink.replies.size(), 2);
    QCOMPARE(other.replies.size(), 1);
    for (const Reply &reply : sink.replies + other.replies)
        QCOMPARE(reply.refusal, Refusal::Busy);
    QVERIFY(QTest::qWaitFor([&] { return sink.replies.size() + other.replies.size() == 9; }, 1000));
    QTest::qWait(20);
    QCOMPARE(target->done, (QStringList{"jog 0", "jog 1", "jog 2", "jog 3", "jog 10", "jog 11"}));
    QCOMPARE(sink.replies.size() + other.replies.size(), 9);
}

void RemoteCoreTest::requestsOfALeftClientAreNotRun()
{
    RecordingSink leaving;
    const ClientId gone =
        core->Attach({QStringLiteral("test"), QStringLiteral("127.0.0.1:5003"), false}, leaving);
    core->Submit(gone, {1, QStringLiteral("transport.play"), {}});
    core->Submit(gone, {2, QStringLiteral("transport.stop"), {}});
    core->Detach(gone);
    QCOMPARE(Call(QStringLiteral("transport.rewind")).refusal, Refusal::None);
    QCOMPARE(target->done, QStringList{QStringLiteral("rewind")});
    QCOMPARE(leaving.replies.size(), 0);
}

void RemoteCoreTest::clientsAreCountedAndBounded()
{
    core->SetLimits({2, 4, 16});
    QSignalSpy counted(core, &ControlCore::ClientsChanged);
    RecordingSink second;
    RecordingSink third;
    const ClientId two = core->Attach({}, second);
    QVERIFY(two != 0);
    QCOMPARE(core->Attach({}, third), ClientId(0));
    QCOMPARE(core->ClientCount(), 2);
    core->Detach(two);
    core->Detach(two);
    QCOMPARE(core->ClientCount(), 1);
    QCOMPARE(counted.size(), 2);
    QCOMPARE(counted.last().first().toInt(), 1);
}

void RemoteCoreTest::everyRequestIsLoggedWithItsClient()
{
    QSignalSpy lines(log, &RemoteLog::LineAdded);
    Call(QStringLiteral("transport.play"));
    Call(QStringLiteral("transport.jog"), {{"frames", 500}});
    QCOMPARE(lines.size(), 2);
    const QString played = lines.at(0).first().toString();
    QVERIFY2(played.contains(QLatin1String("127.0.0.1:5000 control transport.play {}: ok")),
             qPrintable(played));
    const QString refused = lines.at(1).first().toString();
    QVERIFY2(refused.contains(QLatin1String("transport.jog {\"frames\":500}: bad-value (frames")),
             qPrintable(refused));
}

void RemoteCoreTest::subscriberGetsTheStateThenChangesOnly()
{
    target->transport.word = QStringLiteral("STOP");
    QCOMPARE(Call(QStringLiteral("subscribe"), Subscription("transport")).refusal, Refusal::None);
    QCOMPARE(sink.replies.last().result.toObject().value("topics").toArray(),
             QJsonArray{"transport"});
    QCOMPARE(sink.pushes.size(), 1);
    QCOMPARE(sink.pushes.last().second.value("word").toString(), QStringLiteral("STOP"));
    core->Publish();
    QCOMPARE(sink.pushes.size(), 1);
    target->transport.word = QStringLiteral("PLAY");
    target->display.upper = QStringLiteral("changed, but not followed");
    core->Publish();
    core->Publish();
    QCOMPARE(sink.pushes.size(), 2);
    QCOMPARE(sink.pushes.last().first, Topic::Transport);
    QCOMPARE(sink.pushes.last().second.value("word").toString(), QStringLiteral("PLAY"));
    Call(QStringLiteral("unsubscribe"), Subscription("transport"));
    target->transport.word = QStringLiteral("STOP");
    core->Publish();
    QCOMPARE(sink.pushes.size(), 2);
}

// Time changes every poll; at 5 a second no second holds more than five
// pushes, none comes within 100 ms of the last, and the latest time arrives
// once the recorder stands still.
void RemoteCoreTest::timeIsPushedNoMoreOftenThanTheRateAllows()
{
    core->SetTimeRate(5);
    Call(QStringLiteral("subscribe"), Subscription("time"));
    QElapsedTimer moving;
    moving.start();
    while (moving.elapsed() < 600) {
        target->NextFrame();
        core->Publish();
        QTest::qWait(10);
    }
    while (moving.elapsed() < 1700) {
        core->Publish();
        QTest::qWait(10);
    }
    const QList<qint64> &times = sink.pushTimes;
    QVERIFY2(times.size() >= 4 && times.size() <= 8, qPrintable(QString::number(times.size())));
    for (int i = 1; i < times.size(); ++i)
        QVERIFY(times.at(i) - times.at(i - 1) >= 100);
    for (int i = 5; i < times.size(); ++i)
        QVERIFY(times.at(i) - times.at(i - 5) >= 1000);
    QCOMPARE(sink.pushes.last().second.value("frames").toInt(), target->time.frames);
    QCOMPARE(sink.pushes.last().second.value("seconds").toInt(), target->time.seconds);
}

// The poll publishes the time and the transport as soon as it has read
// them; the end of the tick does not push them a second time.
void RemoteCoreTest::readTopicsGoOutAtOnceAndOnce()
{
    Call(QStringLiteral("subscribe"), Subscription("time"));
    Call(QStringLiteral("subscribe"), Subscription("transport"));
    const int subscribed = int(sink.pushes.size());
    QTest::qWait(100); // past the spacing of time pushes after the subscription's
    target->NextFrame();
    target->transport.word = QStringLiteral("PLAY");
    core->PublishRead(Topic::Time);
    QCOMPARE(sink.pushes.size(), subscribed + 1);
    QCOMPARE(sink.pushes.last().first, Topic::Time);
    QCOMPARE(sink.pushes.last().second.value("frames").toInt(), target->time.frames);
    core->PublishRead(Topic::Transport);
    QCOMPARE(sink.pushes.size(), subscribed + 2);
    QCOMPARE(sink.pushes.last().first, Topic::Transport);
    core->Publish();
    QCOMPARE(sink.pushes.size(), subscribed + 2);
}

QTEST_GUILESS_MAIN(RemoteCoreTest)
#include "tst_remotecore.moc"
