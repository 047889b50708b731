// SPDX-License-Identifier: GPL-3.0-or-later
// Scenario files and the xrsim command line.

#include "commandline.h"
#include "scenario.h"

#include <QTemporaryFile>
#include <QtTest>

namespace {

// A scenario file holding the given text; kept until the test ends.
QString scenarioFile(QTemporaryFile *file, const QByteArray &text)
{
    if (!file->open())
        return {};
    file->write(text);
    file->close();
    return file->fileName();
}

} // namespace

class TestSimScenario : public QObject
{
    Q_OBJECT

private slots:
    void fileLinesBuildTheScenario();
    void badLinesAreReportedWithTheirPlace_data();
    void badLinesAreReportedWithTheirPlace();
    void disksReplaceTheDefaults();
    void demoScenarioLoads();
    void commandLineWinsOverTheFile();
    void commandLineKeepsToLoopback();
    void commandLineVersionAndStrayArguments();
};

void TestSimScenario::fileLinesBuildTheScenario()
{
    QTemporaryFile file;
    const QString path = scenarioFile(&file, "# comment\n"
                                             "\n"
                                             "standard = 1\n"
                                             "  generation=dv  \n"
                                             "mode = 1R/P\n"
                                             "file = CLIP0000,120,4\n"
                                             "file = B\n"
                                             "segment = 7,00:00:01:00,00:00:02:00\n"
                                             "list_end = last\n");
    xrsim::Scenario scenario;
    QString error;
    QVERIFY2(scenario.LoadFile(path, &error), qPrintable(error));
    QCOMPARE(scenario.videoStandard, 1);
    QVERIFY(scenario.generation == xrsim::Scenario::Generation::Dv);
    QCOMPARE(scenario.channelMode, 0x50);
    QCOMPARE(scenario.files.size(), 2);
    QCOMPARE(scenario.files.at(0).seconds, 120);
    QCOMPARE(scenario.files.at(0).audioTracks, 4);
    QCOMPARE(scenario.files.at(1).name, QStringLiteral("B"));
    QCOMPARE(scenario.files.at(1).seconds, 60);
    QCOMPARE(scenario.segments.size(), 1);
    QCOMPARE(scenario.segments.at(0).number, 7);
    QVERIFY(scenario.listEnd == xrsim::Scenario::ListEnd::LastName);
    QCOMPARE(scenario.VersionText(), QStringLiteral("DV V3.2.1"));
}

void TestSimScenario::badLinesAreReportedWithTheirPlace_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("message");
    QTest::newRow("no equals sign") << QByteArray("standard 1") << "expected key = value";
    QTest::newRow("unknown key") << QByteArray("colour = red") << "unknown setting";
    QTest::newRow("standard out of range") << QByteArray("standard = 37") << "bad value";
    QTest::newRow("name too long") << QByteArray("file = CLIP00000") << "bad value";
    QTest::newRow("out before in")
        << QByteArray("segment = 1,00:00:02:00,00:00:01:00") << "bad value";
    QTest::newRow("segment 2046") << QByteArray("segment = 2046,00:00:01:00,00:00:02:00")
                                  << "bad value";
    QTest::newRow("bus 3") << QByteArray("disk = 3,0") << "bad value";
    QTest::newRow("disk state") << QByteArray("disk = 1,0,broken") << "bad value";
    QTest::newRow("short tag") << QByteArray("tag = 4844") << "bad value";
    QTest::newRow("unknown kind") << QByteArray("kind = vhs") << "bad value";
    QTest::newRow("zero byte in a name") << QByteArray("file = AB\\x00") << "bad value";
    QTest::newRow("half an escape") << QByteArray("file = AB\\x4") << "bad value";
    QTest::newRow("escape with a sign") << QByteArray("file = AB\\x+4") << "bad value";
    QTest::newRow("nine bytes escaped") << QByteArray("file = \\x41\\x42CDEFGHI") << "bad value";
    QTest::newRow("segment with one extra")
        << QByteArray("segment = 1,00:00:01:00,00:00:02:00,A,1") << "bad value";
    QTest::newRow("extra beyond BCD")
        << QByteArray("segment = 1,00:00:01:00,00:00:02:00,A,1,10000") << "bad value";
    QTest::newRow("position beyond 32 bits")
        << QByteArray("raw_segment = 1,0,0x100000000") << "bad value";
    QTest::newRow("odd hex") << QByteArray("answer = 62 9A 0, 11 12 08") << "bad value";
    QTest::newRow("reply of one byte") << QByteArray("answer = 62 9A, 11") << "bad value";
    QTest::newRow("no frame to fall silent at") << QByteArray("fall_silent = ,100") << "bad value";
    QTest::newRow("group 16") << QByteArray("file_reply_group = 16") << "bad value";
    QTest::newRow("list never ending badly") << QByteArray("list_end = sometimes") << "bad value";
}

void TestSimScenario::badLinesAreReportedWithTheirPlace()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, message);
    QTemporaryFile file;
    const QString path = scenarioFile(&file, "standard = 0\n\n" + line + "\n");
    xrsim::Scenario scenario;
    QString error;
    QVERIFY(!scenario.LoadFile(path, &error));
    QVERIFY2(error.startsWith(path + QStringLiteral(":3: ")), qPrintable(error));
    QVERIFY2(error.contains(message), qPrintable(error));
}

void TestSimScenario::disksReplaceTheDefaults()
{
    xrsim::Scenario scenario;
    QString error;
    QCOMPARE(scenario.disks.size(), 2);
    QVERIFY(scenario.Set(QStringLiteral("disk"), QStringLiteral("2,15,unformatted,500"), &error));
    QVERIFY(scenario.Set(QStringLiteral("disk"), QStringLiteral("1,3"), &error));
    QCOMPARE(scenario.disks.size(), 2);
    QCOMPARE(scenario.disks.at(0).bus, 2);
    QCOMPARE(scenario.disks.at(0).id, 15);
    QVERIFY(!scenario.disks.at(0).formatted);
    QCOMPARE(scenario.disks.at(0).megabytes, 500);
    QVERIFY(scenario.disks.at(1).formatted);

    xrsim::Scenario bare;
    QVERIFY(bare.Set(QStringLiteral("disk"), QStringLiteral("none"), &error));
    QVERIFY(bare.disks.isEmpty());
}

void TestSimScenario::demoScenarioLoads()
{
    xrsim::Scenario scenario;
    QString error;
    QVERIFY2(scenario.LoadFile(QStringLiteral(XRSIM_DEMO_SCENARIO), &error), qPrintable(error));
    QCOMPARE(scenario.files.size(), 3);
    QCOMPARE(scenario.segments.size(), 6);
    QCOMPARE(scenario.disks.size(), 3);
}

void TestSimScenario::commandLineWinsOverTheFile()
{
    QTemporaryFile file;
    const QString path = scenarioFile(&file, "standard = 1\nfile = A\n");
    xrsim::CommandLine commandLine;
    const auto result = commandLine.Parse(
        {QStringLiteral("xrsim"), QStringLiteral("--scenario"), path, QStringLiteral("--standard"),
         QStringLiteral("5"), QStringLiteral("--file"), QStringLiteral("B"),
         QStringLiteral("--address"), QStringLiteral("127.0.0.42"), QStringLiteral("--pty")});
    QVERIFY2(result == xrsim::CommandLine::Result::Run, qPrintable(commandLine.Message()));
    const xrsim::SimConfig &config = commandLine.Config();
    QCOMPARE(config.scenario.videoStandard, 5);
    QCOMPARE(config.scenario.files.size(), 2);
    QCOMPARE(config.address, QHostAddress(QStringLiteral("127.0.0.42")));
    QCOMPARE(config.port, quint16(32896));
    QVERIFY(config.pty);
    QVERIFY(config.udp);

    xrsim::CommandLine help;
    QVERIFY(help.Parse({QStringLiteral("xrsim"), QStringLiteral("--help")}) ==
            xrsim::CommandLine::Result::Exit);
    QVERIFY(help.Message().contains(QLatin1String("--segment <n,in,out[,source[,x1,x2]]>")));
}

void TestSimScenario::commandLineKeepsToLoopback()
{
    for (const char *address : {"192.168.1.20", "0.0.0.0", "::1", "nonsense"}) {
        xrsim::CommandLine commandLine;
        QVERIFY2(commandLine.Parse({QStringLiteral("xrsim"), QStringLiteral("--address"),
                                    QLatin1String(address)}) == xrsim::CommandLine::Result::Error,
                 address);
    }
    xrsim::CommandLine badPort;
    QVERIFY(badPort.Parse({QStringLiteral("xrsim"), QStringLiteral("--port"),
                           QStringLiteral("70000")}) == xrsim::CommandLine::Result::Error);
}

// --version is the program's own; the recorder's version text has a key of
// its own. A word that is no option is refused with the usage.
void TestSimScenario::commandLineVersionAndStrayArguments()
{
    xrsim::CommandLine version;
    QVERIFY(version.Parse({QStringLiteral("tavrel-sim"), QStringLiteral("--version")}) ==
            xrsim::CommandLine::Result::Exit);

    xrsim::CommandLine text;
    QVERIFY(text.Parse({QStringLiteral("tavrel-sim"), QStringLiteral("--version_text"),
                        QStringLiteral("XR V5.0.0")}) == xrsim::CommandLine::Result::Run);
    QCOMPARE(text.Config().scenario.VersionText(), QStringLiteral("XR V5.0.0"));

    xrsim::CommandLine stray;
    QVERIFY(stray.Parse({QStringLiteral("tavrel-sim"), QStringLiteral("demo.scn")}) ==
            xrsim::CommandLine::Result::Error);
    QVERIFY(stray.Message().contains(QLatin1String("demo.scn")));
    QVERIFY(stray.Usage().startsWith(QLatin1String("Usage: ")));
    QVERIFY(stray.Usage().contains(QLatin1String("--version_text <text>")));
}

QTEST_GUILESS_MAIN(TestSimScenario)
#include "tst_simscenario.moc"
