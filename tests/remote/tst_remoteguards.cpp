// SPDX-License-Identifier: GPL-3.0-or-later
// The window's guards as remote clients meet them, against the real window
// and the simulated recorder: no recorder, Delay mode, the recorder's menu,
// long work and dialogs, a recorder that does not answer, a recorder without
// a player side; and the state pushed to subscribers after each poll. The
// recorder and the API are on 127.0.82.1.

#include "remotefixture.h"

#include "protocol/timecode.h"
#include "ui/clips/playlist.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"

#include <QJsonArray>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>

using namespace wire;

namespace {

const char kAddress[] = "127.0.82.1";

xrsim::Scenario Recorder()
{
    xrsim::Scenario scenario;
    scenario.dropFrame = false;
    scenario.files = {{QStringLiteral("CLIP0001")}};
    scenario.loaded = QStringLiteral("CLIP0001");
    scenario.segments = {{3, QStringLiteral("00:00:01:00"), QStringLiteral("00:00:05:00")},
                         {7, QStringLiteral("00:00:10:00"), QStringLiteral("00:00:12:00")}};
    return scenario;
}

QJsonArray Topics(std::initializer_list<const char *> names)
{
    QJsonArray topics;
    for (const char *name : names)
        topics.append(QLatin1String(name));
    return topics;
}

// The frame count of a pushed time or a timecode text at 25 frames a second.
int Frames(const QString &text)
{
    const QStringList parts = text.split(QRegularExpression(QStringLiteral("[:;]")));
    return ((parts.at(0).toInt() * 60 + parts.at(1).toInt()) * 60 + parts.at(2).toInt()) * 25 +
           parts.at(3).toInt();
}

} // namespace

class RemoteGuardsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void withoutRecorderNothingIsSent();
    void delayModeHoldsItsSide();
    void recordersMenuHoldsThePanelKeys();
    void longWorkAndDialogsHoldEverything();
    void silentRecorderIsReported();
    void recorderWithoutPlayerSide();
    void subscribersFollowThePolls();
    void remainingTimesFollowTheRecorder();

private:
    std::unique_ptr<RemoteFixture> fixture;
};

void RemoteGuardsTest::init()
{
    fixture = std::make_unique<RemoteFixture>(kAddress);
    QVERIFY2(fixture->Connect(Recorder()), qPrintable(fixture->Error()));
}

void RemoteGuardsTest::cleanup()
{
    fixture.reset();
}

// Once the polling lets a silent recorder go, commands are refused unsent
// and the connection topic tells which recorder was lost.
void RemoteGuardsTest::withoutRecorderNothingIsSent()
{
    CurrentDevice->disconnected = 1;
    fixture->Tick();
    QVERIFY(!CurrentDevice);
    for (const char *method : {"transport.play", "transport.stop", "transport.goto"}) {
        QCOMPARE(fixture->FramesOf(method, {{"timecode", "00:00:01:00"}}), QList<QByteArray>());
        QCOMPARE(fixture->ErrorCode(), QStringLiteral("no-recorder"));
    }
    fixture->Call("status");
    const QJsonObject connection = fixture->Result().toObject().value("connection").toObject();
    QCOMPARE(connection.value("recorder").toString(), fixture->DeviceName());
    QVERIFY(connection.value("lost").toBool());
    QVERIFY(!connection.value("connected").toBool());
    QVERIFY(!fixture->Result().toObject().value("time").toObject().value("known").toBool());
}

// While the recorder side records for Delay mode, nothing a client asks for
// reaches the recorder.
void RemoteGuardsTest::delayModeHoldsItsSide()
{
    const std::pair<const char *, QJsonObject> requests[] = {
        {"transport.play", {}},
        {"transport.stop", {}},
        {"transport.record", {{"confirm", true}}},
        {"transport.jog", {{"frames", 1}}},
        {"transport.shuttle", {{"speed", 60}}},
        {"transport.goto", {{"timecode", "00:00:01:00"}}},
        {"transport.side", {{"side", "player"}}},
        {"segment.play", {{"number", 3}}},
        {"segment.cue", {{"number", 3}}},
        {"playlist.stop", {}},
        {"file.load", {{"name", "CLIP0001"}}},
        {"memory.locate", {{"slot", 1}}},
        {"recorder.select", {{"name", kAddress}}},
    };
    fixture->window->segment->segments->DoImport();
    fixture->StopPolling();
    CurrentDevice->delayRecording = 1;
    QCOMPARE(recPlayMode, 0);
    for (const auto &[method, params] : requests) {
        QCOMPARE(fixture->FramesOf(method, params), QList<QByteArray>());
        QVERIFY2(fixture->ErrorCode() == QLatin1String("delay-mode"), method);
    }
    CurrentDevice->delayRecording = 0;
    QCOMPARE(fixture->FramesOf("segment.play", {{"number", 3}}).isEmpty(), false);
}

void RemoteGuardsTest::recordersMenuHoldsThePanelKeys()
{
    CurrentDevice->menuMode = 1;
    for (const char *method : {"transport.play", "transport.jog", "transport.shuttle"}) {
        QCOMPARE(fixture->FramesOf(method, {{"frames", 1}, {"speed", 20}}), QList<QByteArray>());
        QCOMPARE(fixture->ErrorCode(), QStringLiteral("panel-mode"));
    }
    CurrentDevice->menuMode = 0;
    QCOMPARE(fixture->FramesOf("transport.play"), QList<QByteArray>{Play});
}

// Long work holds the polling; a modal dialog runs an event loop of its own
// inside one of the window's slots. No command runs in either.
void RemoteGuardsTest::longWorkAndDialogsHoldEverything()
{
    fixture->window->SuspendPolling();
    QCOMPARE(fixture->FramesOf("transport.play"), QList<QByteArray>());
    QCOMPARE(fixture->ErrorCode(), QStringLiteral("long-work"));
    fixture->window->ResumePolling();
    fixture->StopPolling();

    QJsonObject answer;
    fixture->ClearFrames();
    WhenDialogOpens<QMessageBox>([&](QMessageBox *box) {
        answer = fixture->client->Request(QStringLiteral("transport.play"));
        box->accept();
    });
    QMessageBox::information(fixture->window.get(), QStringLiteral("Tavrel"),
                             QStringLiteral("A question"));
    QCOMPARE(WsClient::ErrorCode(answer), QStringLiteral("long-work"));
    QCOMPARE(fixture->Received(), QList<QByteArray>());
    QCOMPARE(fixture->FramesOf("transport.play"), QList<QByteArray>{Play});
}

void RemoteGuardsTest::silentRecorderIsReported()
{
    fixture->DropReplies(1);
    QCOMPARE(fixture->FramesOf("transport.play"), QList<QByteArray>{Play});
    QCOMPARE(fixture->ErrorCode(), QStringLiteral("no-answer"));
    QCOMPARE(fixture->FramesOf("transport.play"), QList<QByteArray>{Play});
    QCOMPARE(fixture->Result(), QJsonValue(QJsonObject()));
}

void RemoteGuardsTest::recorderWithoutPlayerSide()
{
    fixture.reset();
    fixture = std::make_unique<RemoteFixture>(kAddress);
    xrsim::Scenario scenario = Recorder();
    scenario.channelMode = 0x50;
    QVERIFY2(fixture->Connect(scenario), qPrintable(fixture->Error()));
    fixture->Call("transport.side", {{"side", "player"}});
    QCOMPARE(fixture->ErrorCode(), QStringLiteral("unavailable"));
    QCOMPARE(recPlayMode, 0);
}

// Each topic is pushed when it changes, and only then.
void RemoteGuardsTest::subscribersFollowThePolls()
{
    WsClient &client = *fixture->client;
    client.Request(QStringLiteral("subscribe"),
                   {{"topics", Topics({"time", "transport", "connection", "display"})}});
    QVERIFY(QTest::qWaitFor([&] { return client.pushes.size() == 4; }, 1000));
    // What the first poll changed arrives; a second poll changes nothing.
    fixture->Tick();
    QTest::qWait(50);
    client.pushes.clear();
    fixture->Tick();
    QTest::qWait(50);
    QCOMPARE(client.pushes.size(), 0);

    fixture->Call("transport.play");
    fixture->Tick();
    QTest::qWait(120);
    fixture->Tick();
    // The last time goes out once the rate allows it.
    QTest::qWait(120);
    fixture->remote->Polled();
    QVERIFY(QTest::qWaitFor(
        [&] {
            for (const QJsonObject &push : client.pushes) {
                if (push.value("topic") == QLatin1String("transport") &&
                    push.value("state").toObject().value("word") == QLatin1String("PLAY"))
                    return true;
            }
            return false;
        },
        1000));
    QJsonObject time;
    for (const QJsonObject &push : client.pushes) {
        if (push.value("topic") == QLatin1String("time"))
            time = push.value("state").toObject();
    }
    QVERIFY(time.value("known").toBool());
    QCOMPARE(time.value("text").toString(),
             fixture->Control().display->TimecodeTemplate().trimmed().left(11).replace('.', ':'));
}

// The segment's remaining time runs from the recorder's time to its out
// point; the playlist's adds every row after the one playing.
void RemoteGuardsTest::remainingTimesFollowTheRecorder()
{
    fixture->window->segment->segments->DoImport();
    fixture->StopPolling();
    Playlist *playlist = fixture->window->segment->playlist;
    playlist->AppendRow("Seg-3");
    playlist->AppendRow("Seg-7");
    fixture->Call("playlist.start", {{"row", 0}});
    QCOMPARE(fixture->Result(), QJsonValue(QJsonObject()));
    fixture->Tick();
    fixture->Call("status");
    const QJsonObject state = fixture->Result().toObject();
    const int now = Frames(state.value("time").toObject().value("text").toString());
    const QJsonObject segment = state.value("segment").toObject();
    QCOMPARE(segment.value("number").toInt(), 3);
    QVERIFY2(now >= 25 && now <= 125, qPrintable(QString::number(now)));
    QCOMPARE(Frames(segment.value("remaining").toString()), 125 - now);
    const QJsonObject list = state.value("playlist").toObject();
    QCOMPARE(list.value("current").toInt(), 0);
    QCOMPARE(Frames(list.value("remaining").toString()), 125 - now + 50);
}

QTEST_MAIN(RemoteGuardsTest)
#include "tst_remoteguards.moc"
