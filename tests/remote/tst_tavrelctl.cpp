// SPDX-License-Identifier: GPL-3.0-or-later
// tavrel-ctl: the command words it turns into requests, the lines it prints,
// and the program itself run against the real window and the simulated
// recorder (127.0.84.1), with its exit statuses.

#include "remotefixture.h"

#include "ctlcommand.h"
#include "ctloutput.h"

#include <QJsonArray>
#include <QProcess>

using namespace wire;

namespace {

const char kAddress[] = "127.0.84.1";

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

} // namespace

class TavrelCtlTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void wordsBecomeRequests_data();
    void wordsBecomeRequests();
    void wordsThatMakeNoCommand_data();
    void wordsThatMakeNoCommand();
    void resultsReadAsOneLine();

    void commandsRunAndSayOk();
    void refusalsGoToStandardError();
    void statusAndWatch();
    void jsonForScripts();
    void unreachableAndMisused();

private:
    // Runs tavrel-ctl with the fixture's host and these words, the event
    // loop turning meanwhile so that the window can answer.
    Run Ctl(const QStringList &words, const char *host = kAddress);

    std::unique_ptr<RemoteFixture> fixture;
};

void TavrelCtlTest::initTestCase()
{
    fixture = std::make_unique<RemoteFixture>(kAddress);
    QVERIFY2(fixture->Connect(), qPrintable(fixture->Error()));
}

void TavrelCtlTest::cleanupTestCase()
{
    fixture.reset();
}

Run TavrelCtlTest::Ctl(const QStringList &words, const char *host)
{
    QProcess process;
    process.start(QStringLiteral(TAVREL_CTL), QStringList{"--host", QLatin1String(host)} + words);
    Run run;
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 10000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void TavrelCtlTest::wordsBecomeRequests_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QJsonObject>("params");

    QTest::newRow("jog back") << QStringList{"jog", "-5"} << "transport.jog"
                              << QJsonObject{{"frames", -5}};
    QTest::newRow("confirmed record") << QStringList{"record", "--confirm"} << "transport.record"
                                      << QJsonObject{{"confirm", true}};
    QTest::newRow("segment by number")
        << QStringList{"segment", "play", "12"} << "segment.play" << QJsonObject{{"number", 12}};
    QTest::newRow("segment by name") << QStringList{"segment", "play", "Intro"} << "segment.play"
                                     << QJsonObject{{"name", "Intro"}};
    QTest::newRow("cue out") << QStringList{"segment", "cue", "Intro", "out"} << "segment.cue"
                             << QJsonObject{{"name", "Intro"}, {"point", "out"}};
    QTest::newRow("playlist, selected row")
        << QStringList{"playlist", "start"} << "playlist.start" << QJsonObject();
    QTest::newRow("any method") << QStringList{"call", "transport.shuttle", "{\"speed\": -20}"}
                                << "transport.shuttle" << QJsonObject{{"speed", -20}};
}

void TavrelCtlTest::wordsBecomeRequests()
{
    QFETCH(QStringList, words);
    QFETCH(QString, method);
    QFETCH(QJsonObject, params);
    const bool confirm = words.removeAll(QStringLiteral("--confirm")) > 0;
    CtlCommand command;
    QString fault;
    QVERIFY2(ParseCtlCommand(words, confirm, false, command, fault), qPrintable(fault));
    QCOMPARE(command.method, method);
    QCOMPARE(command.params, params);
    QVERIFY(command.watchTopics.isEmpty());
}

void TavrelCtlTest::wordsThatMakeNoCommand_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("unknown") << QStringList{"eject"};
    QTest::newRow("jog without frames") << QStringList{"jog"};
    QTest::newRow("jog by words") << QStringList{"jog", "five"};
    QTest::newRow("play with more") << QStringList{"play", "now"};
    QTest::newRow("call with a list") << QStringList{"call", "status", "[1]"};
}

void TavrelCtlTest::wordsThatMakeNoCommand()
{
    QFETCH(QStringList, words);
    CtlCommand command;
    QString fault;
    QVERIFY(!ParseCtlCommand(words, false, false, command, fault));
    QVERIFY(!fault.isEmpty());
}

void TavrelCtlTest::resultsReadAsOneLine()
{
    QCOMPARE(ResultLine(QStringLiteral("transport.play"), QJsonObject()), QStringLiteral("ok"));
    const QJsonObject topics{
        {"connection", QJsonObject{{"recorder", "Com1"}, {"lost", true}}},
        {"time", QJsonObject{{"text", "10:00:00:00"}}},
        {"transport", QJsonObject{{"word", "PLAY"}, {"side", "player"}}},
    };
    QCOMPARE(StatusLine(topics), QStringLiteral("Com1 (lost)  10:00:00:00  PLAY  player  -"));
    QCOMPARE(StatusLine({}), QStringLiteral("no recorder  -  -  -  -"));
    QCOMPARE(ErrorLine({{"code", "busy"}, {"message", "try again"}}),
             QStringLiteral("busy: try again"));
    for (const QString &line :
         {ResultLine(QStringLiteral("segment.list"),
                     QJsonObject{{"segments", QJsonArray{QJsonObject{{"number", 1}}}}}),
          ResultLine(QStringLiteral("file.list"), QJsonObject())})
        QVERIFY(!line.contains(QLatin1Char('\n')));
}

void TavrelCtlTest::commandsRunAndSayOk()
{
    fixture->ClearFrames();
    const Run play = Ctl({"play"});
    QCOMPARE(play.status, 0);
    QCOMPARE(play.out, QStringLiteral("ok\n"));
    QCOMPARE(fixture->Received(), QList<QByteArray>{Play});
    fixture->ClearFrames();
    QCOMPARE(Ctl({"jog", "-2"}).status, 0);
    QCOMPARE(fixture->Received(),
             (QList<QByteArray>{ShuttleFine(0x13, 0), StepReverse, StepReverse}));
}

void TavrelCtlTest::refusalsGoToStandardError()
{
    fixture->ClearFrames();
    const Run record = Ctl({"record"});
    QCOMPARE(record.status, 1);
    QCOMPARE(record.out, QString());
    QVERIFY2(record.err.startsWith(QLatin1String("not-confirmed: ")), qPrintable(record.err));
    QCOMPARE(fixture->Received(), QList<QByteArray>());
    QCOMPARE(Ctl({"record", "--confirm"}).status, 0);
    QCOMPARE(fixture->Received(), QList<QByteArray>{Record});
}

void TavrelCtlTest::statusAndWatch()
{
    fixture->Tick();
    const Run status = Ctl({"status"});
    QCOMPARE(status.status, 0);
    QVERIFY2(status.out.startsWith(fixture->DeviceName() + QLatin1String("  ")),
             qPrintable(status.out));
    QCOMPARE(status.out.count(QLatin1Char('\n')), 1);

    QProcess watch;
    watch.start(QStringLiteral(TAVREL_CTL),
                {"--host", QLatin1String(kAddress), "status", "--watch"});
    QVERIFY(QTest::qWaitFor([&] { return watch.canReadLine(); }, 5000));
    fixture->Call("transport.stop");
    fixture->Tick();
    QVERIFY(QTest::qWaitFor(
        [&] { return QString::fromUtf8(watch.peek(1 << 16)).contains(QLatin1String("STOP")); },
        5000));
    QVERIFY(watch.state() == QProcess::Running);
    // Remote control switched off: the watch ends with the reason.
    fixture->remote->Api().Close();
    QVERIFY(QTest::qWaitFor([&] { return watch.state() == QProcess::NotRunning; }, 5000));
    QCOMPARE(watch.exitCode(), 1);
    QVERIFY(QString::fromUtf8(watch.readAllStandardError())
                .contains(QLatin1String("remote control switched off")));
    const RemoteSettings settings = fixture->remote->Settings();
    QString error;
    QVERIFY(fixture->remote->Api().Listen(settings.ListenAddress(), settings.port, error));
    fixture->client = std::make_unique<WsClient>();
    QVERIFY(fixture->client->Open(fixture->Url()));
}

void TavrelCtlTest::jsonForScripts()
{
    const Run list = Ctl({"--json", "recorder", "list"});
    QCOMPARE(list.status, 0);
    const QJsonObject answer = QJsonDocument::fromJson(list.out.toUtf8()).object();
    QCOMPARE(answer.value("result").toObject().value("current").toString(), fixture->DeviceName());
}

void TavrelCtlTest::unreachableAndMisused()
{
    const Run nobody = Ctl({"play"}, "127.0.84.2");
    QCOMPARE(nobody.status, 1);
    QVERIFY2(nobody.err.contains(QLatin1String("cannot reach tavrel")), qPrintable(nobody.err));
    const Run misused = Ctl({"jog", "far"});
    QCOMPARE(misused.status, 2);
    QVERIFY(misused.err.startsWith(QLatin1String("tavrel-ctl: ")));
    QCOMPARE(Ctl({"--port", "99999", "play"}).status, 2);
}

QTEST_MAIN(TavrelCtlTest)
#include "tst_tavrelctl.moc"
