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
#include "stamprelay.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/recordermenu.h"

#include <QApplication>
#include <QHostAddress>
#include <QPushButton>
#include <QTimer>
#include <QUdpSocket>

#include <atomic>
#include <cstdio>
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

// Counts the Stop frames that reach the relay, and when the last one did.
class StopCounter
{
public:
    StampRelay::Watch Watch()
    {
        return [this](const QByteArray &datagram, bool fromRecorder, qint64 arrival) {
            if (fromRecorder || datagram != kStopDatagram)
                return;
            lastStopNs = arrival;
            ++stopFrames;
        };
    }

    int StopFrames() const { return stopFrames; }
    qint64 LastStopNs() const { return lastStopNs; }

private:
    std::atomic<int> stopFrames{0};
    std::atomic<qint64> lastStopNs{0};
};

// A relay that counts the Stop frames passing it.
class Stamper : public StopCounter
{
public:
    Stamper(const QHostAddress &address, const QHostAddress &recorder)
        : relay(address, recorder, Watch())
    {}

private:
    StampRelay relay;
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
