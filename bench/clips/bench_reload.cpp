// SPDX-License-Identifier: GPL-3.0-or-later
// Measures a reload of every segment number (2,045 SegmentInfoSense
// exchanges and the rows they make, under the progress dialog) on the real
// window: against the simulated recorder on loopback, next to 2,045 bare UDP
// round trips of the same datagram sizes to a responder that does nothing
// else (the floor on this machine), and over the simulated recorder's
// pseudo-terminal as the serial link drives it. Prints figures; asserts
// nothing.

#include "bareresponder.h"
#include "devices/devicelists.h"
#include "devices/devicesession.h"
#include "figures.h"
#include "link/ethernetlink.h"
#include "simrecorder.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/recordermenu.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kNumbers = kLastSegmentNumber;
constexpr int kRuns = 5;
const char kRecorderIp[] = "127.0.59.1";
const char kSerialRecorderIp[] = "127.0.59.2";
const QHostAddress kResponderIp(QStringLiteral("127.0.59.3"));

// A request: the datagram header and a five-byte frame (62 9A n n sum).
constexpr int kRequestSize = kPacketHeaderSize + 5;
// The answer for a segment: 7C 9A, twelve data bytes and the checksum; for a
// number without one, a four-byte NAK.
constexpr int kSegmentReplySize = kPacketHeaderSize + 15;
constexpr int kNakReplySize = kPacketHeaderSize + 4;

// Segments 1..count, each a second long.
xrsim::Scenario Recorder(int count)
{
    xrsim::Scenario scenario;
    scenario.files = {{QStringLiteral("CLIP0000"), 3600, 8}};
    scenario.loaded = QStringLiteral("CLIP0000");
    for (int n = 1; n <= count; ++n) {
        const int second = n % 3000;
        scenario.segments << xrsim::Scenario::Segment(
            n,
            QStringLiteral("00:%1:%2:00")
                .arg(second / 60, 2, 10, QLatin1Char('0'))
                .arg(second % 60, 2, 10, QLatin1Char('0')),
            QStringLiteral("00:%1:%2:10")
                .arg(second / 60, 2, 10, QLatin1Char('0'))
                .arg(second % 60, 2, 10, QLatin1Char('0')));
    }
    return scenario;
}

// The real window in a working directory of its own, connected to a
// simulated recorder on loopback or, with `serial`, on the pseudo-terminal
// the first serial port is pointed at.
class Bench
{
public:
    bool Open(const xrsim::Scenario &scenario, const char *ip, bool serial)
    {
        QDir::setCurrent(directory.path());
        xrsim::SimConfig config;
        config.address = QHostAddress(QLatin1String(ip));
        config.pty = serial;
        config.scenario = scenario;
        if (!sim.Start(config)) {
            std::fprintf(stderr, "simulated recorder: %s\n", qPrintable(sim.ErrorString()));
            return false;
        }
        qputenv("TAVREL_COM1", serial ? sim.PtyPath().toLocal8Bit()
                                      : QFile::encodeName(directory.filePath("no-com1")));
        qputenv("TAVREL_COM2", QFile::encodeName(directory.filePath("no-com2")));
        QFile deviceFile(QStringLiteral("xr.cfg"));
        if (!deviceFile.open(QIODevice::WriteOnly) ||
            deviceFile.write(serial ? QByteArray() : QByteArray(ip) + "\r\n") < 0)
            return false;
        deviceFile.close();
        window = std::make_unique<MainWindow>();
        devices.Open(window->recorders);
        window->Start();
        window->findChild<QTimer *>(QStringLiteral("idleTimer"))->stop();
        if (!CurrentDevice) {
            std::fprintf(stderr, "the simulated recorder did not answer\n");
            return false;
        }
        window->show();
        QApplication::processEvents();
        return true;
    }

    ~Bench()
    {
        if (window) {
            devices.Save();
            window.reset();
            devices.Close();
        }
        sim.Stop();
    }

    // The median wall time of a reload, in ms, and the rows it made.
    double TimeReload(int &rows)
    {
        std::vector<double> ms;
        QElapsedTimer timer;
        for (int run = 0; run < kRuns; ++run) {
            timer.start();
            window->reloadSegmentList();
            ms.push_back(timer.nsecsElapsed() / 1e6);
            QApplication::processEvents();
        }
        rows = window->segment->segments->TableClipList->rowCount();
        return Median(ms);
    }

    QTemporaryDir directory;
    xrsim::SimRecorder sim;
    DeviceSession devices;
    std::unique_ptr<MainWindow> window;
};

// 2,045 round trips, the number in the request's last two bytes, as the
// reload sends them; the median of the runs, in ms.
double TimeRoundTrips(int segments)
{
    // Each answer has the size the recorder's answer to that number has.
    const QByteArray segmentReply(kSegmentReplySize, '\x01');
    const QByteArray nakReply(kNakReplySize, '\x01');
    BareResponder responder(kResponderIp, EthernetLink::kRecorderPort,
                            [&](const QByteArray &request) {
                                if (request.size() < kPacketHeaderSize + 4)
                                    return nakReply;
                                const int number = quint8(request[kPacketHeaderSize + 2]) * 100 +
                                                   quint8(request[kPacketHeaderSize + 3]);
                                return number <= segments ? segmentReply : nakReply;
                            });
    QUdpSocket client;
    client.bind(QHostAddress(QStringLiteral("127.0.59.4")), 0);
    QByteArray request(kRequestSize, '\0');
    char buffer[64];
    std::vector<double> ms;
    QElapsedTimer timer;
    for (int run = 0; run < kRuns; ++run) {
        timer.start();
        for (int n = 1; n <= kNumbers; ++n) {
            request[kPacketHeaderSize + 2] = char(n / 100);
            request[kPacketHeaderSize + 3] = char(n % 100);
            client.writeDatagram(request, kResponderIp, EthernetLink::kRecorderPort);
            while (!client.hasPendingDatagrams())
                client.waitForReadyRead(1000);
            client.readDatagram(buffer, sizeof buffer);
        }
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(ms);
}

void CompareWithRoundTrips(const char *what, int segments)
{
    double reload = 0;
    int rows = 0;
    {
        Bench bench;
        if (!bench.Open(Recorder(segments), kRecorderIp, false))
            return;
        reload = bench.TimeReload(rows);
    }
    const double bare = TimeRoundTrips(segments);
    std::printf("%s (%d rows)\n", what, rows);
    std::printf("  reload on the window       %8.1f ms  (%.1f us a number)\n", reload,
                reload * 1e3 / kNumbers);
    std::printf("  bare round trips           %8.1f ms  (%.1f us a number)\n", bare,
                bare * 1e3 / kNumbers);
    std::printf("  ratio                      %8.2f\n", reload / bare);
}

void MeasureSerial()
{
    Bench bench;
    if (!bench.Open(Recorder(kNumbers), kSerialRecorderIp, true))
        return;
    int rows = 0;
    const double reload = bench.TimeReload(rows);
    std::printf("recorder on the pseudo-terminal (%d rows)\n", rows);
    std::printf("  reload on the window       %8.1f ms  (%.1f us a number)\n", reload,
                reload * 1e3 / kNumbers);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("reload of %d segment numbers, median of %d runs\n", kNumbers, kRuns);
    CompareWithRoundTrips("recorder holding every number", kNumbers);
    CompareWithRoundTrips("recorder holding six segments", 6);
    MeasureSerial();
    return 0;
}
