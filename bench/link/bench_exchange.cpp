// SPDX-License-Identifier: GPL-3.0-or-later
// Measures one status exchange through the command engine against the
// simulated recorder on loopback, next to a bare UDP ping-pong of the same
// datagram sizes (the floor on this machine), and the CPU the engine burns
// while it waits out a reply timeout. Prints figures; asserts nothing.

#include "bareresponder.h"
#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "figures.h"
#include "link/byteorder.h"
#include "link/ethernetlink.h"
#include "protocol/commandengine.h"
#include "simrecorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QUdpSocket>

#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kRounds = 3000;
const QHostAddress kRecorderIp(QStringLiteral("127.0.4.1"));
const QHostAddress kEchoIp(QStringLiteral("127.0.4.2"));
const quint8 kStatusRequest[] = {0x0A};

double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

qint16 StatusExchange()
{
    return Send9Pin(6, 0x20, 1, kStatusRequest, true);
}

Figures TimeEngine()
{
    std::vector<double> micros;
    micros.reserve(kRounds);
    QElapsedTimer timer;
    for (int i = 0; i < kRounds; ++i) {
        timer.start();
        if (StatusExchange() != 0)
            std::fprintf(stderr, "exchange %d failed\n", i);
        micros.push_back(timer.nsecsElapsed() / 1e3);
    }
    return Summarise(micros);
}

Figures TimePingPong(int requestSize)
{
    QUdpSocket client;
    client.bind(QHostAddress::AnyIPv4, 0);
    const QByteArray request(requestSize, '\x02');
    std::vector<double> micros;
    micros.reserve(kRounds);
    QElapsedTimer timer;
    char buffer[64];
    for (int i = 0; i < kRounds; ++i) {
        timer.start();
        client.writeDatagram(request, kEchoIp, EthernetLink::kRecorderPort);
        while (!client.hasPendingDatagrams())
            client.waitForReadyRead(1000);
        client.readDatagram(buffer, sizeof buffer);
        micros.push_back(timer.nsecsElapsed() / 1e3);
    }
    return Summarise(micros);
}

// The reply the simulated recorder gave to the last status request, with its
// datagram header, for the bare responder to send back.
QByteArray LastReplyDatagram()
{
    const int length = kFrameHeadSize + ReplyDataCount() + 1;
    QByteArray datagram(kPacketHeaderSize, '\0');
    datagram[1] = kPacketTypeFrame;
    datagram[3] = static_cast<char>(length);
    datagram.append(reinterpret_cast<const char *>(ReplyFrame.data()), length);
    return datagram;
}

double CpuDuringTimeout(xrsim::SimRecorder &recorder)
{
    recorder.DropReplies(1);
    const double start = ThreadCpuMs();
    StatusExchange();
    return ThreadCpuMs() - start;
}

} // namespace

void Report(const char *what, const Figures &figures, const Figures &floor)
{
    std::printf("  %-30s median %7.1f us  p99 %7.1f us  (%.2f x / %.2f x the floor)\n", what,
                figures.median, figures.p99, figures.median / floor.median,
                figures.p99 / floor.p99);
}

PeerAddress PeerOf(const QHostAddress &ip)
{
    return {HostToNet32(ip.toIPv4Address()), HostToNet16(0x8080)};
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    xrsim::SimRecorder recorder;
    xrsim::SimConfig config;
    config.address = kRecorderIp;
    if (!recorder.Start(config)) {
        std::fprintf(stderr, "simulated recorder: %s\n", qPrintable(recorder.ErrorString()));
        return 1;
    }
    EthernetLink link;
    link.Open();
    link.AddAddress(PeerOf(kRecorderIp));
    link.AddAddress(PeerOf(kEchoIp));
    DeviceRecord simulated(&link, PeerOf(kRecorderIp), QStringLiteral("simulated"));
    DeviceRecord bare(&link, PeerOf(kEchoIp), QStringLiteral("bare"));

    CurrentDevice = &simulated;
    StatusExchange();
    const QByteArray reply = LastReplyDatagram();
    const Figures withSimulator = TimeEngine();

    const int requestSize = kPacketHeaderSize + kFrameHeadSize + 1 + 1;
    Figures floor{};
    Figures withResponder{};
    {
        BareResponder responder(kEchoIp, EthernetLink::kRecorderPort,
                                [&reply](const QByteArray &) { return reply; });
        floor = TimePingPong(requestSize);
        CurrentDevice = &bare;
        withResponder = TimeEngine();
    }
    CurrentDevice = &simulated;
    link.errorCount = 0;
    const double cpu = CpuDuringTimeout(recorder);
    CurrentDevice = nullptr;

    std::printf("status exchange, %d rounds, %d-byte request, %d-byte reply datagrams\n", kRounds,
                requestSize, int(reply.size()));
    Report("bare UDP ping-pong (floor)", floor, floor);
    Report("Send9Pin, bare responder", withResponder, floor);
    Report("Send9Pin, simulated recorder", withSimulator, floor);
    std::printf("CPU of the waiting thread during one %u ms reply timeout: %.2f ms\n",
                link.timeoutMs, cpu);
    return 0;
}
