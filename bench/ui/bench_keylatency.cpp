// SPDX-License-Identifier: GPL-3.0-or-later
// Measures how long a key of the panel takes to put its frame on the wire:
// from the key's click() on the GUI thread to the datagram's arrival at a
// bare loopback socket, with the window's 100 ms polling running meanwhile.
// The bare socket stamps every datagram on arrival and passes it on to the
// simulated recorder, whose answers it passes back, so the window runs as
// against a real recorder. Next to it, the floor: the same datagram sent from
// a bare socket to a bare socket, one way and there and back.
// Prints figures; asserts nothing.

#include "benchdirectory.h"
#include "devices/devicelists.h"
#include "devices/devicesession.h"
#include "figures.h"
#include "link/ethernetlink.h"
#include "protocol/transportcommands.h"
#include "simrecorder.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/recordermenu.h"

#include <QApplication>
#include <QHostAddress>
#include <QPushButton>
#include <QTimer>
#include <QUdpSocket>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int kClicks = 500;
constexpr int kPings = 3000;
// Clicks come at this spacing, which is prime to the polling period, so that
// they fall at every point between two ticks.
constexpr int kClickSpacingMs = 23;

const QHostAddress kRecorderIp(QStringLiteral("127.0.49.1"));
const QHostAddress kStamperIp(QStringLiteral("127.0.49.2"));
const QHostAddress kEchoIp(QStringLiteral("127.0.49.3"));
const QHostAddress kPingIp(QStringLiteral("127.0.49.4"));

// The Stop key's frame, behind its datagram header.
const QByteArray kStopDatagram("\x00\x01\x00\x03\x00\x00\x00\x00\x00\x00\x20\x00\x20", 13);

qint64 NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A bare socket on its own thread, stamping each datagram as it arrives.
// Without a recorder behind it, it echoes every datagram to its sender;
// with one, it passes the window's datagrams on to the recorder and the
// recorder's back to the window.
class Stamper
{
public:
    Stamper(const QHostAddress &address, const QHostAddress &recorder)
        : address(address), recorder(recorder)
    {
        thread = std::thread([this] { Serve(); });
        while (!ready)
            std::this_thread::yield();
    }
    ~Stamper()
    {
        stop = true;
        thread.join();
    }

    // How many Stop frames arrived, and when the last one did.
    int StopFrames() const { return stopFrames; }
    qint64 LastStopNs() const { return lastStopNs; }

private:
    void Serve()
    {
        QUdpSocket socket;
        socket.bind(address, EthernetLink::kRecorderPort);
        ready = true;
        QHostAddress window;
        quint16 windowPort = 0;
        char buffer[2048];
        while (!stop) {
            if (!socket.hasPendingDatagrams() && !socket.waitForReadyRead(50))
                continue;
            QHostAddress from;
            quint16 port = 0;
            const qint64 size = socket.readDatagram(buffer, sizeof buffer, &from, &port);
            const qint64 arrival = NowNs();
            if (size < 0)
                continue;
            const QByteArray datagram(buffer, int(size));
            if (recorder.isNull()) {
                Stamp(datagram, arrival);
                socket.writeDatagram(datagram, from, port);
            } else if (from == recorder) {
                socket.writeDatagram(datagram, window, windowPort);
            } else {
                Stamp(datagram, arrival);
                window = from;
                windowPort = port;
                socket.writeDatagram(datagram, recorder, EthernetLink::kRecorderPort);
            }
        }
    }

    void Stamp(const QByteArray &datagram, qint64 arrival)
    {
        if (datagram != kStopDatagram)
            return;
        lastStopNs = arrival;
        ++stopFrames;
    }

    QHostAddress address;
    QHostAddress recorder;
    std::atomic<bool> ready{false};
    std::atomic<bool> stop{false};
    std::atomic<int> stopFrames{0};
    std::atomic<qint64> lastStopNs{0};
    std::thread thread;
};

// The bare floor: one way to the echoing socket, and there and back.
std::pair<Figures, Figures> TimePingPong()
{
    const Stamper echo(kEchoIp, QHostAddress());
    QUdpSocket client;
    client.bind(kPingIp, 0);
    std::vector<double> oneWay;
    std::vector<double> roundTrip;
    char buffer[64];
    for (int i = 0; i < kPings; ++i) {
        const int before = echo.StopFrames();
        const qint64 start = NowNs();
        client.writeDatagram(kStopDatagram, kEchoIp, EthernetLink::kRecorderPort);
        while (!client.hasPendingDatagrams())
            client.waitForReadyRead(1000);
        client.readDatagram(buffer, sizeof buffer);
        const qint64 end = NowNs();
        if (echo.StopFrames() == before)
            continue;
        oneWay.push_back((echo.LastStopNs() - start) / 1e3);
        roundTrip.push_back((end - start) / 1e3);
    }
    return {Summarise(oneWay), Summarise(roundTrip)};
}

// The window as the program runs it, its one recorder behind the stamping
// socket, in a working directory of its own.
class KeyBench
{
public:
    KeyBench() : stamper(kStamperIp, kRecorderIp) {}
    bool Open()
    {
        if (!directory.ListRecorders({kStamperIp.toString().toLatin1()}))
            return false;
        xrsim::SimConfig config;
        config.address = kRecorderIp;
        if (!sim.Start(config)) {
            std::fprintf(stderr, "simulated recorder: %s\n", qPrintable(sim.ErrorString()));
            return false;
        }
        devices.Open(window.recorders);
        window.Start();
        return CurrentDevice != nullptr;
    }

    // Stops the recorder kClicks times from the event loop, the polling
    // running between: the time to the frame's arrival, and the time the
    // whole exchange took. `stopOnce` is the key's click, or the command alone.
    template <typename F>
    std::pair<Figures, Figures> TimeStops(F stopOnce)
    {
        std::vector<double> toWire;
        std::vector<double> exchange;
        QTimer clicks;
        clicks.setInterval(kClickSpacingMs);
        QObject::connect(&clicks, &QTimer::timeout, [&] {
            const int before = stamper.StopFrames();
            const qint64 start = NowNs();
            stopOnce();
            const qint64 end = NowNs();
            if (stamper.StopFrames() != before) {
                toWire.push_back((stamper.LastStopNs() - start) / 1e3);
                exchange.push_back((end - start) / 1e3);
            }
            if (int(toWire.size()) >= kClicks)
                QApplication::quit();
        });
        clicks.start();
        QApplication::exec();
        return {Summarise(toWire), Summarise(exchange)};
    }

    QPushButton *StopKey() const
    {
        return window.findChild<QPushButton *>(QStringLiteral("pbStop"));
    }

private:
    BenchDirectory directory;
    Stamper stamper;
    xrsim::SimRecorder sim;
    DeviceSession devices;
    MainWindow window;
};

void Report(const char *what, const Figures &figures, const Figures &floor)
{
    std::printf("  %-34s median %7.1f us  p99 %7.1f us  (%.2f x / %.2f x the one-way floor)\n",
                what, figures.median, figures.p99, figures.median / floor.median,
                figures.p99 / floor.p99);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const auto [oneWay, roundTrip] = TimePingPong();
    KeyBench bench;
    if (!bench.Open()) {
        std::fprintf(stderr, "the window found no recorder\n");
        return 1;
    }
    QPushButton *stopKey = bench.StopKey();
    const auto [toWire, exchange] = bench.TimeStops([stopKey] { stopKey->click(); });
    const auto [commandToWire, commandExchange] = bench.TimeStops([] { Stop(); });

    std::printf("Stop key, %d clicks %d ms apart with the 100 ms polling running; "
                "13-byte datagrams on loopback\n",
                kClicks, kClickSpacingMs);
    Report("bare socket to bare socket, one way", oneWay, oneWay);
    Report("bare ping-pong, there and back", roundTrip, oneWay);
    Report("click() to the frame's arrival", toWire, oneWay);
    Report("click() returning (acknowledged)", exchange, oneWay);
    Report("Stop() alone to the frame's arrival", commandToWire, oneWay);
    Report("Stop() alone returning", commandExchange, oneWay);
    return 0;
}
