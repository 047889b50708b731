// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the deck-protocol gateway as a switcher on the same machine meets
// it, with the window's 100 ms polling running against the simulated
// recorder behind a stamping relay:
//   - "stop" from the client's send to the Stop frame's arrival at the
//     relay, next to the Stop key's click() to its frame;
//   - the recorder's status reply that first shows the new motion, at the
//     relay, to the "508 transport info:" reaching the client;
//   - ten clients with transport and display timecode notifications on
//     while the recorder plays: the GUI thread's CPU share, next to none.
// Prints figures; asserts nothing.

#include "deckclients.h"
#include "figures.h"
#include "remotebench.h"

#include "ui/panel/speedtables.h"

#include <QApplication>

namespace {

constexpr int kSamples = 300;
constexpr int kMotionSamples = 40;
constexpr int kSpacingMs = 23;
constexpr int kLoadClients = 10;
constexpr int kLoadSeconds = 10;

const char kRecorderIp[] = "127.0.126.1";
const QHostAddress kRelayIp(QStringLiteral("127.0.126.2"));
const QHostAddress kDeckIp(QStringLiteral("127.0.126.3"));
constexpr quint16 kDeckPort = 9993;

// The status sense's reply: its first two bytes, then the status bytes; the
// second status byte holds Play (0x01) and Stop (0x20).
constexpr quint8 kStatusReply0 = 0x7A;
constexpr quint8 kStatusReply1 = 0x20;
constexpr int kMotionByte = 3;

// What the relay saw: the status replies on their way back from the
// recorder, with whether they show play.
class Watcher
{
public:
    StampRelay::Watch Watch()
    {
        return [this](const QByteArray &datagram, bool fromRecorder, qint64 arrival) {
            const QByteArray frame = datagram.mid(RemoteBench::kHeader);
            if (fromRecorder && frame.size() > kMotionByte && quint8(frame[0]) == kStatusReply0 &&
                quint8(frame[1]) == kStatusReply1) {
                const bool playing = (quint8(frame[kMotionByte]) & 0x01) != 0;
                QMutexLocker lock(&mutex);
                if (playing != lastPlaying)
                    motionChanges.emplace_back(playing, arrival);
                lastPlaying = playing;
            }
        };
    }

    QMutex mutex;
    bool lastPlaying = false;
    std::vector<std::pair<bool, qint64>> motionChanges;
};

void Report(const char *what, const Figures &figures)
{
    std::printf("  %-56s median %8.1f us  p99 %8.1f us\n", what, figures.median, figures.p99);
}

// Each change of motion the recorder reported, to the first 508 after it
// that names the new status.
std::vector<double> ReplyToNotification(Watcher &watcher, DeckClients &client)
{
    std::vector<double> samples;
    const auto changes = client.TransportChanges();
    QMutexLocker lock(&watcher.mutex);
    for (const auto &[playing, reply] : watcher.motionChanges) {
        const QByteArray status = playing ? "play" : "stopped";
        for (const auto &[carried, arrival] : changes) {
            if (arrival > reply && carried == status) {
                samples.push_back((arrival - reply) / 1e3);
                break;
            }
        }
    }
    return samples;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Watcher watcher;
    RemoteBench bench(kRelayIp, kRecorderIp, watcher.Watch());
    if (!bench.Open(false))
        return 1;
    RemoteControl &remote = bench.remote;
    remote.Gateways().SetShuttleTable(ShuttleSpeed);
    GatewaySettings settings;
    settings.deckEnabled = true;
    settings.deckListen = kDeckIp.toString();
    QString error;
    if (!remote.Gateways().Apply(settings, false, error)) {
        std::fprintf(stderr, "deck gateway: %s\n", qPrintable(error));
        return 1;
    }

    DeckClients one(kDeckIp, kDeckPort, 1);
    one.start();
    RunUntil([&] { return one.Ready(); });
    std::vector<double> keyToWire;
    std::vector<double> deckToWire;
    bench.KeyAndClientStops(
        kSamples, kSpacingMs,
        [&] {
            one.Request("stop");
            RunUntil([&] { return one.Answered(); });
            return one.SentNs();
        },
        keyToWire, deckToWire);

    // Play and stop by turns; each change the polling sees becomes a 508.
    for (int i = 0; i < kMotionSamples; ++i) {
        one.Request(i % 2 == 0 ? "play" : "stop");
        RunUntil([&] { return one.Answered(); });
        RunFor(350);
    }
    const std::vector<double> replyToNotify = ReplyToNotification(watcher, one);

    std::printf("Deck-protocol gateway against the simulated recorder, polling every 100 ms\n");
    const Figures key = Summarise(keyToWire);
    const Figures deck = Summarise(deckToWire);
    Report("Stop key: click() to the frame on the wire", key);
    Report("deck \"stop\": client's send to the frame on the wire", deck);
    std::printf("  %-56s median %8.2f x    p99 %8.2f x\n", "deck / key", deck.median / key.median,
                deck.p99 / key.p99);
    if (!replyToNotify.empty())
        Report("status reply at the relay to the 508 at a client", Summarise(replyToNotify));
    std::printf("  (%zu motion changes measured)\n", replyToNotify.size());

    one.Request("play");
    RunUntil([&] { return one.Answered(); });
    for (const int clients : {0, kLoadClients}) {
        std::unique_ptr<DeckClients> followers;
        if (clients > 0) {
            followers = std::make_unique<DeckClients>(kDeckIp, kDeckPort, clients);
            followers->start();
            RunUntil([&] { return followers->Ready(); });
        }
        const int before = followers ? followers->Notifications() : 0;
        const double cpuBefore = ThreadCpuSeconds();
        RunFor(kLoadSeconds * 1000);
        const double cpu = ThreadCpuSeconds() - cpuBefore;
        std::printf("  %2d more clients with notifications on, %d s of play: GUI thread %5.2f %% "
                    "of a core, %.1f notifications/s a client\n",
                    clients, kLoadSeconds, 100.0 * cpu / kLoadSeconds,
                    clients ? double(followers->Notifications() - before) / clients / kLoadSeconds
                            : 0.0);
    }
    return 0;
}
