// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line: each option and its bad values, and the
// program itself answering --help, --version and a bad option without a
// display.

#include "app/commandline.h"
#include "app/version.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

CommandLine Parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("tavrel"));
    return ParseCommandLine(arguments);
}

using SerialDevices = QList<QPair<QString, QString>>;

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void noOptionsRunsWithNone();
    void helpAndVersionEndAtOnce();
    void configNamesAnAbsoluteFile();
    void connectNamesOneRecorder_data();
    void connectNamesOneRecorder();
    void serialPortsTakeTheirDevices();
    void trafficRecordingNamesAFileAndItsParts();
    void remoteOptionsSwitchRemoteControlOn();
    void badValueIsAUsageError_data();
    void badValueIsAUsageError();
    void programAnswersWithoutADisplay_data();
    void programAnswersWithoutADisplay();
    void recordingThatCannotStartEndsTheProgram();
};

void TestCommandLine::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("tavrel"));
    QCoreApplication::setApplicationVersion(QLatin1String(kTavrelVersion));
}

void TestCommandLine::noOptionsRunsWithNone()
{
    const CommandLine line = Parse({});
    QVERIFY(line.outcome == CommandLine::Outcome::Run);
    QCOMPARE(line.ExitStatus(), 0);
    QVERIFY(line.options.deviceFile.isEmpty());
    QVERIFY(line.options.firstDevice.isEmpty());
    QVERIFY(line.options.serialDevices.isEmpty());
    QVERIFY(!line.options.remote);
}

void TestCommandLine::helpAndVersionEndAtOnce()
{
    // Help wins over a bad value given with it.
    for (const char *option : {"--help", "-h"}) {
        const CommandLine help =
            Parse({QLatin1String(option), QStringLiteral("--connect"), QStringLiteral("COM9")});
        QVERIFY2(help.outcome == CommandLine::Outcome::Exit, option);
        QCOMPARE(help.ExitStatus(), 0);
        QVERIFY2(help.text.startsWith(QLatin1String("Usage: tavrel [options]\n")),
                 qPrintable(help.text));
        for (const char *listed : {"--config <file>", "--connect <recorder>",
                                   "--serial-port <name=device>", "--version", "TAVREL_COM1"})
            QVERIFY2(help.text.contains(QLatin1String(listed)), listed);
    }
    const CommandLine version = Parse({QStringLiteral("--version")});
    QVERIFY(version.outcome == CommandLine::Outcome::Exit);
    QCOMPARE(version.text, QStringLiteral("tavrel %1\n").arg(QLatin1String(kTavrelVersion)));
}

void TestCommandLine::configNamesAnAbsoluteFile()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const CommandLine relative = Parse({QStringLiteral("--config"), QStringLiteral("studio.cfg")});
    // The file need not exist yet: the first save makes it.
    const CommandLine absolute =
        Parse({QStringLiteral("--config=") + dir.filePath(QStringLiteral("other.cfg"))});
    QDir::setCurrent(previous);

    QVERIFY(relative.outcome == CommandLine::Outcome::Run);
    QCOMPARE(relative.options.deviceFile, QDir(dir.path()).filePath(QStringLiteral("studio.cfg")));
    QCOMPARE(absolute.options.deviceFile, dir.filePath(QStringLiteral("other.cfg")));
}

void TestCommandLine::connectNamesOneRecorder_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("recorder");

    QTest::newRow("first serial port") << "COM1"
                                       << "Com1";
    QTest::newRow("serial port in any case") << "com2"
                                             << "Com2";
    QTest::newRow("address") << "192.168.1.20"
                             << "192.168.1.20";
    QTest::newRow("zero-padded address") << "192.168.001.020"
                                         << "192.168.1.20";
}

void TestCommandLine::connectNamesOneRecorder()
{
    QFETCH(QString, value);
    QFETCH(QString, recorder);
    const CommandLine line = Parse({QStringLiteral("--connect"), value});
    QVERIFY2(line.outcome == CommandLine::Outcome::Run, qPrintable(line.text));
    QCOMPARE(line.options.firstDevice, recorder);
}

void TestCommandLine::serialPortsTakeTheirDevices()
{
    const CommandLine line =
        Parse({QStringLiteral("--serial-port"), QStringLiteral("com1=/dev/ttyUSB0"),
               QStringLiteral("--serial-port=COM2=/dev/serial/by-id/usb-A=B"),
               QStringLiteral("--serial-port"), QStringLiteral("COM1=/dev/ttyUSB1")});
    QVERIFY2(line.outcome == CommandLine::Outcome::Run, qPrintable(line.text));
    // Everything after the first '=' is the device, and a later choice for
    // a port follows an earlier one.
    QCOMPARE(line.options.serialDevices, (SerialDevices{{"COM1", "/dev/ttyUSB0"},
                                                        {"COM2", "/dev/serial/by-id/usb-A=B"},
                                                        {"COM1", "/dev/ttyUSB1"}}));
}

void TestCommandLine::trafficRecordingNamesAFileAndItsParts()
{
    QTemporaryDir directory;
    const QString file = directory.filePath(QStringLiteral("session.pcapng"));
    const CommandLine line =
        Parse({QStringLiteral("--record-traffic"), file, QStringLiteral("--record-traffic-rotate"),
               QStringLiteral("5")});
    QVERIFY(line.outcome == CommandLine::Outcome::Run);
    QCOMPARE(line.options.trafficFile, file);
    QCOMPARE(line.options.trafficRotateBytes, qint64(5) * 1024 * 1024);
    QCOMPARE(Parse({}).options.trafficRotateBytes, qint64(-1));
    QVERIFY(QFileInfo(Parse({QStringLiteral("--record-traffic=s.txt")}).options.trafficFile)
                .isAbsolute());
}

// Any of them switches remote control on for the run; loopback unless
// another address is given with a token.
void TestCommandLine::remoteOptionsSwitchRemoteControlOn()
{
    const CommandLine local = Parse({QStringLiteral("--remote-port"), QStringLiteral("9200")});
    QVERIFY2(local.outcome == CommandLine::Outcome::Run, qPrintable(local.text));
    QVERIFY(local.options.remote && local.options.remote->enabled);
    QCOMPARE(local.options.remote->port, quint16(9200));
    QVERIFY(local.options.remote->Loopback());

    const CommandLine open =
        Parse({QStringLiteral("--remote-listen"), QStringLiteral("0.0.0.0"),
               QStringLiteral("--remote-token"), QStringLiteral("s3cret-token")});
    QVERIFY2(open.outcome == CommandLine::Outcome::Run, qPrintable(open.text));
    QCOMPARE(open.options.remote->port, quint16(9180));
    QCOMPARE(open.options.remote->listenAddress, QStringLiteral("0.0.0.0"));
    QCOMPARE(open.options.remote->token, QStringLiteral("s3cret-token"));
    QVERIFY(!open.options.deckPort && !open.options.oscPort);

    const CommandLine gateways = Parse({QStringLiteral("--deck-port"), QStringLiteral("9993"),
                                        QStringLiteral("--osc-port"), QStringLiteral("9181")});
    QVERIFY2(gateways.outcome == CommandLine::Outcome::Run, qPrintable(gateways.text));
    QCOMPARE(gateways.options.deckPort, std::optional<quint16>(9993));
    QCOMPARE(gateways.options.oscPort, std::optional<quint16>(9181));
    QVERIFY(!gateways.options.remote);
}

void TestCommandLine::badValueIsAUsageError_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("fault");

    QTest::newRow("unknown option") << QStringList{"--bogus"} << "Unknown option 'bogus'.";
    QTest::newRow("missing value") << QStringList{"--config"} << "Missing value after '--config'.";
    QTest::newRow("argument without option") << QStringList{"xr.cfg"} << "unexpected argument";
    QTest::newRow("config empty") << QStringList{"--config="} << "--config needs a file name";
    QTest::newRow("config a folder") << QStringList{"--config", "/"} << "is a folder";
    QTest::newRow("config in no folder")
        << QStringList{"--config", "/nonexistent-folder/xr.cfg"} << "does not exist";
    QTest::newRow("connect to a third port") << QStringList{"--connect", "COM3"} << "COM3";
    QTest::newRow("connect to a host name") << QStringList{"--connect", "xr.local"} << "xr.local";
    QTest::newRow("connect to nowhere") << QStringList{"--connect", "0.0.0.0"} << "0.0.0.0";
    QTest::newRow("connect to everyone")
        << QStringList{"--connect", "255.255.255.255"} << "255.255.255.255";
    QTest::newRow("connect to a group") << QStringList{"--connect", "239.1.1.1"} << "239.1.1.1";
    QTest::newRow("connect to a bad address")
        << QStringList{"--connect", "192.168.1.256"} << "192.168.1.256";
    QTest::newRow("serial port without device")
        << QStringList{"--serial-port", "COM1"} << "NAME=DEVICE";
    QTest::newRow("serial port with empty device")
        << QStringList{"--serial-port", "COM1="} << "NAME=DEVICE";
    QTest::newRow("serial port unknown")
        << QStringList{"--serial-port", "COM3=/dev/ttyS2"} << "COM1 or COM2";
    QTest::newRow("recording a folder") << QStringList{"--record-traffic", "/"} << "is a folder";
    QTest::newRow("recording in no folder")
        << QStringList{"--record-traffic", "/nonexistent-folder/s.txt"} << "does not exist";
    QTest::newRow("recording without a name")
        << QStringList{"--record-traffic="} << "--record-traffic needs a file name";
    QTest::newRow("parts of no size")
        << QStringList{"--record-traffic-rotate", "-1"} << "give megabytes";
    QTest::newRow("parts of words")
        << QStringList{"--record-traffic-rotate", "big"} << "give megabytes";
    QTest::newRow("remote port 0") << QStringList{"--remote-port", "0"} << "--remote-port 0";
    QTest::newRow("remote port too high")
        << QStringList{"--remote-port", "65536"} << "--remote-port 65536";
    QTest::newRow("deck port 0") << QStringList{"--deck-port", "0"} << "--deck-port 0";
    QTest::newRow("osc port not a number")
        << QStringList{"--osc-port", "nine"} << "--osc-port nine";
    QTest::newRow("remote listen, no token")
        << QStringList{"--remote-listen", "0.0.0.0"} << "beyond loopback needs a token";
    QTest::newRow("remote listen, a host name")
        << QStringList{"--remote-listen", "tavrel.local", "--remote-token", "s3cret-token"}
        << "tavrel.local";
    QTest::newRow("remote token too short")
        << QStringList{"--remote-port", "9180", "--remote-token", "short"} << "8 characters";
    QTest::newRow("bad value after good ones")
        << QStringList{"--config", "xr.cfg", "--connect", "COM1", "--serial-port", "x"} << "x";
}

// A fault is one line naming it, a blank line, then the usage.
void TestCommandLine::badValueIsAUsageError()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, fault);
    const CommandLine line = Parse(arguments);
    QVERIFY(line.outcome == CommandLine::Outcome::Error);
    QCOMPARE(line.ExitStatus(), 2);
    const QStringList lines = line.text.split(QLatin1Char('\n'));
    QVERIFY2(lines.size() > 3, qPrintable(line.text));
    QVERIFY2(lines.at(0).startsWith(QLatin1String("tavrel: ")) && lines.at(0).contains(fault),
             qPrintable(lines.at(0)));
    QVERIFY(lines.at(1).isEmpty());
    QCOMPARE(lines.at(2), QStringLiteral("Usage: tavrel [options]"));
}

void TestCommandLine::programAnswersWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: tavrel [options]"
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << 0
                             << QStringLiteral("tavrel %1\n").arg(QLatin1String(kTavrelVersion))
                             << "";
    QTest::newRow("bad option") << QStringList{"--conect", "COM1"} << 2 << ""
                                << "tavrel: Unknown option 'conect'.\n\nUsage: tavrel [options]";
    QTest::newRow("bad value") << QStringList{"--connect", "COM9"} << 2 << ""
                               << "tavrel: --connect COM9:";
}

// The toolkit is told to use a display that does not exist: had the program
// made its application object before reading the command line, it would
// abort instead of answering.
void TestCommandLine::programAnswersWithoutADisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":nonexistent"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAVREL_EXECUTABLE), arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString complaint = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.startsWith(out), qPrintable(printed));
    QVERIFY2(err.isEmpty() ? complaint.isEmpty() : complaint.startsWith(err),
             qPrintable(complaint));
}

// A folder where no file may be made passes the parse; the recording then
// fails to start, before any recorder is probed or any window shown.
void TestCommandLine::recordingThatCannotStartEndsTheProgram()
{
    const QString file = QStringLiteral("/proc/tavrel-session.txt");
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TAVREL_EXECUTABLE), {QStringLiteral("--record-traffic"), file});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 2);
    const QString complaint = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(complaint.contains(
                 QStringLiteral("tavrel: --record-traffic %1: Could not write").arg(file)),
             qPrintable(complaint));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
