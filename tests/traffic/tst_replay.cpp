// SPDX-License-Identifier: GPL-3.0-or-later
// Replay as a recorder: a session recorded against the simulated recorder,
// replayed by the simulator from its file alone, gives the window the same
// states; recordings that are cut short, out of order or hold other lines
// are named by line; departures from the recording are told.

#include "windowfixture.h"

#include "protocol/recorderstate.h"
#include "replay/replaymatcher.h"
#include "replay/replayscript.h"
#include "traffic/trafficrecorder.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"
#include "ui/panel/controlpage.h"
#include "ui/panel/transportkeys.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

// What the operator sees after each step.
struct WindowState
{
    QString title;
    QString timeLine;
    QString menuLine;
    int transport = 0;
    int segments = 0;

    bool operator==(const WindowState &other) const
    {
        return title == other.title && timeLine == other.timeLine && menuLine == other.menuLine &&
               transport == other.transport && segments == other.segments;
    }
};

WindowState StateOf(const MainWindow &window)
{
    return {window.windowTitle(), window.TimeLine(), window.MenuLine(), window.TransportState(),
            window.segment->segments->TableClipList->rowCount()};
}

QString Describe(const WindowState &state)
{
    return QStringLiteral("%1 | %2 | %3 | %4 | %5")
        .arg(state.title, state.timeLine, state.menuLine)
        .arg(state.transport)
        .arg(state.segments);
}

// The same session both times: start-up, polling, play, stop, a reload of
// the segments.
QList<WindowState> RunSession(WindowFixture &fixture)
{
    // Both runs start as the program does: no side of the recorder chosen.
    recPlayMode = -1;
    QList<WindowState> states;
    fixture.OpenWindow();
    MainWindow &window = *fixture.window;
    states << StateOf(window);
    fixture.Tick();
    states << StateOf(window);
    window.control->transport->pbPlay->click();
    fixture.Tick();
    fixture.Tick();
    states << StateOf(window);
    window.control->transport->pbStop->click();
    fixture.Tick();
    states << StateOf(window);
    window.segment->segments->DoImport();
    fixture.Tick();
    states << StateOf(window);
    fixture.CloseWindow();
    return states;
}

QStringList Lines(std::initializer_list<const char *> lines)
{
    QStringList out;
    for (const char *line : lines)
        out << QLatin1String(line);
    return out;
}

QByteArray Text(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}

} // namespace

class ReplayTest : public QObject
{
    Q_OBJECT

private slots:
    void replayGivesTheSameWindow();
    void recordingsThatAreNoRecordings_data();
    void recordingsThatAreNoRecordings();
    void damagedLinesAreNamedAndSkipped();
    void departuresAreTold();
};

void ReplayTest::replayGivesTheSameWindow()
{
    QTemporaryDir keep;
    const QString path = keep.filePath(QStringLiteral("session.txt"));
    xrsim::Scenario scenario;
    QString error;
    QVERIFY(scenario.Set(QStringLiteral("segment"), QStringLiteral("1,00:00:10:00,00:00:20:00"),
                         &error));
    QVERIFY(scenario.Set(QStringLiteral("segment"), QStringLiteral("3,00:01:00:00,00:01:30:00"),
                         &error));
    QList<WindowState> recorded;
    {
        WindowFixture fixture("127.0.222.1");
        QVERIFY2(fixture.StartRecorder(scenario), qPrintable(fixture.sim.ErrorString()));
        QVERIFY(fixture.WriteDeviceFile(fixture.AddressLine()));
        TrafficRecorder traffic;
        QVERIFY2(traffic.Start(path, 0, &error), qPrintable(error));
        recorded = RunSession(fixture);
    }
    QCOMPARE(recorded[4].segments, 2);
    QVERIFY(recorded[2].transport != recorded[3].transport);

    WindowFixture fixture("127.0.222.1");
    xrsim::SimConfig config;
    config.address = QHostAddress(fixture.address);
    config.replayFile = path;
    config.replayFast = true;
    QVERIFY2(fixture.sim.Start(config), qPrintable(fixture.sim.ErrorString()));
    QVERIFY(fixture.WriteDeviceFile(fixture.AddressLine()));
    const QList<WindowState> replayed = RunSession(fixture);
    for (int i = 0; i < recorded.size(); ++i)
        QVERIFY2(replayed.value(i) == recorded[i],
                 qPrintable(Describe(replayed.value(i)) + QStringLiteral(" / ") +
                            Describe(recorded[i])));
    QCOMPARE(fixture.sim.ReplayDepartures(), QStringList());
}

void ReplayTest::recordingsThatAreNoRecordings_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("no frames in the recording");
    QTest::newRow("no header") << Text(Lines({"# a note", "0.000000 > COM1 20 01 21"}))
                               << QStringLiteral("line 2: not a recording");
    QTest::newRow("later version") << Text(Lines({"tavrel-traffic 2", "0.000000 > COM1 20 01 21"}))
                                   << QStringLiteral("line 1: a recording of format version 2");
    QTest::newRow("binary") << QByteArray("\xd4\xc3\xb2\xa1\x02\x00\x04\x00", 8)
                            << QStringLiteral("line 1: not a recording");
    QTest::newRow("only replies") << Text(Lines({"tavrel-traffic 1", "0.000000 < COM1 10 01 11"}))
                                  << QStringLiteral("no command to COM1 in the recording");
}

void ReplayTest::recordingsThatAreNoRecordings()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    xrsim::ReplayScript script;
    QString why;
    QVERIFY(!script.Parse(text, QString(), &why));
    QVERIFY2(why.startsWith(error), qPrintable(why));
}

// Lines that are not frames (one on a link without an address), a line
// whose time goes back, and a last line cut short: each named by its
// number; the frames around them stay.
void ReplayTest::damagedLinesAreNamedAndSkipped()
{
    const QByteArray text =
        Text(Lines({
                 "tavrel-traffic 1",
                 "# started 2025-01-01T00:00:00.000Z",
                 "0.000000 > udp:127.0.0.9:32896 0001 0003 0000 0000 0000 | 20 01 21  # Play",
                 "0.001000 < udp:127.0.0.9:32896 0001 0003 0000 0000 0000 | 10 01 11",
                 "hello world",
                 "0.002000 > udp:127.0.0.9:32896 0001 0003 | 20 01 21",
                 "0.002000 ? udp:127.0.0.9:32896 20 01 21",
                 "1.5 > COM1 20 01 21",
                 "0.000500 > udp:127.0.0.9:32896 0001 0004 0000 0000 0000 | 61 20 0A 8B",
                 "0.003000 < udp:127.0.0.9:32896 0001 000D 0000 0000 0000 | 7A 20 00 00 00 00 00 "
                 "00 00 "
                 "00 00 00 9A",
                 "0.003500 > udp: 20 00 20",
                 "0.004000 > udp:127.0.0.9:32896 0001 0003 0000 0000 0000 | 20 0",
             }))
            .chopped(1); // the file ends in the middle of its last line
    xrsim::ReplayScript script;
    QString error;
    QVERIFY2(script.Parse(text, QString(), &error), qPrintable(error));
    QCOMPARE(script.Recorder(), QStringLiteral("127.0.0.9"));
    const QStringList problems = script.Problems();
    QCOMPARE(problems.size(), 7);
    QVERIFY(problems[0].startsWith(QStringLiteral("line 5: skipped")));
    QVERIFY(problems[1].startsWith(QStringLiteral("line 6: skipped")));
    QVERIFY(problems[2].startsWith(QStringLiteral("line 7: skipped")));
    QVERIFY(problems[3].startsWith(QStringLiteral("line 8: skipped")));
    QVERIFY(problems[4].startsWith(QStringLiteral("line 9: earlier than the line before")));
    QVERIFY(problems[5].startsWith(QStringLiteral("line 11: skipped, the link names no")));
    QVERIFY(problems[6].startsWith(QStringLiteral("line 12: skipped")));
    QCOMPARE(script.Exchanges().size(), 2);
    QCOMPARE(script.Exchanges()[1].replies.value(0).delayUs, qint64(2500));
}

// A replay that follows the recording says nothing; one that leaves it says
// where and how, and still answers what it can.
void ReplayTest::departuresAreTold()
{
    const QByteArray text = Text(Lines({
        "tavrel-traffic 1",
        "0.000000 > COM1 20 01 21",
        "0.001000 < COM1 10 01 11",
        "0.100000 > COM1 61 0C 03 70",
        "0.101000 < COM1 74 04 00 00 00 10 F8",
        "0.200000 > COM1 20 00 20",
        "0.201000 < COM1 10 01 11",
        "0.300000 > COM1 61 0C 03 70",
        "0.301000 < COM1 74 04 01 00 00 10 F9",
    }));
    xrsim::ReplayScript script;
    QString error;
    QVERIFY2(script.Parse(text, QStringLiteral("com1"), &error), qPrintable(error));
    xrsim::ReplayMatcher matcher(script);
    const auto answer = [&](const char *hex) {
        const QList<xrsim::ReplayReply> replies =
            matcher.Answer(QByteArray::fromHex(hex), QByteArray());
        return replies.isEmpty() ? QByteArray() : replies[0].frame.toHex(' ');
    };
    QCOMPARE(answer("200121"), QByteArray("10 01 11"));
    QCOMPARE(matcher.Departures(), QStringList());
    // Stop is skipped over to the second time sense.
    QCOMPARE(answer("610c0370"), QByteArray("74 04 00 00 00 10 f8"));
    QCOMPARE(answer("610c0370"), QByteArray("74 04 01 00 00 10 f9"));
    QCOMPARE(matcher.Departures(),
             QStringList{QStringLiteral("line 6: 1 recorded commands skipped up to line 8")});
    // Past the end: answered as last answered; a command never recorded is
    // not answered.
    QCOMPARE(answer("200121"), QByteArray("10 01 11"));
    QCOMPARE(answer("61200a8b"), QByteArray());
    const QStringList departures = matcher.Departures();
    QCOMPARE(departures.size(), 3);
    QVERIFY(departures[1].startsWith(QStringLiteral("the recording ends at line 8")));
    QCOMPARE(departures[2],
             QStringLiteral("received 61 20 0A 8B, which the recording never holds: no answer"));
}

QTEST_MAIN(ReplayTest)
#include "tst_replay.moc"
