// SPDX-License-Identifier: GPL-3.0-or-later
// Measures remote control as a client on the same machine meets it, with the
// window's 100 ms polling running against the simulated recorder (playing,
// so that its time changes at every poll) behind a stamping relay:
//   - a command (transport.stop) from the client's send to its frame's
//     arrival at the relay, next to the Stop key's click() to its frame;
//   - a time reply's arrival from the recorder at the relay to the time push
//     reaching a subscribed client;
//   - 50 clients following the time at 10 pushes a second: the GUI thread's
//     CPU share and how late the polling ticks start, next to no client.
// Prints figures; asserts nothing.

#include "benchclients.h"
#include "figures.h"
#include "remotebench.h"

#include <QApplication>

namespace {

constexpr int kSamples = 300;
constexpr int kSpacingMs = 23;
constexpr int kLoadClients = 50;
constexpr int kLoadSeconds = 10;

const char kRecorderIp[] = "127.0.86.1";
const QHostAddress kRelayIp(QStringLiteral("127.0.86.2"));
const QHostAddress kApiIp(QStringLiteral("127.0.86.3"));

int FromBcd(quint8 byte, quint8 tensMask)
{
    return ((byte >> 4) & tensMask) * 10 + (byte & 0x0F);
}

// What the relay saw: the time replies on their way back from the recorder.
class Watcher
{
public:
    StampRelay::Watch Watch()
    {
        return [this](const QByteArray &datagram, bool fromRecorder, qint64 arrival) {
            const QByteArray frame = datagram.mid(RemoteBench::kHeader);
            if (fromRecorder && frame.size() >= 7 && quint8(frame[0]) == 0x74 &&
                quint8(frame[1]) == 0x04) {
                const TimeKey key{FromBcd(frame[5], 7), FromBcd(frame[4], 7), FromBcd(frame[3], 7),
                                  FromBcd(frame[2], 3)};
                QMutexLocker lock(&mutex);
                replies.emplace(key, arrival);
            }
        };
    }

    QMutex mutex;
    std::map<TimeKey, qint64> replies;
};

// Notes when each polling tick starts.
class TickWatch : public QObject
{
public:
    explicit TickWatch(QObject *timer) { timer->installEventFilter(this); }
    std::vector<qint64> starts;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Timer)
            starts.push_back(NowNs());
        return false;
    }
};

// How late each tick started after the one before, beyond the 100 ms.
Figures Lateness(const std::vector<qint64> &starts, double &worst)
{
    std::vector<double> late;
    for (std::size_t i = 1; i < starts.size(); ++i)
        late.push_back(std::max(0.0, (starts[i] - starts[i - 1]) / 1e6 - 100.0));
    worst = *std::max_element(late.begin(), late.end());
    return Summarise(late);
}

void Report(const char *what, const Figures &figures, const char *unit = "us")
{
    std::printf("  %-52s median %8.1f %s  p99 %8.1f %s\n", what, figures.median, unit, figures.p99,
                unit);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Watcher watcher;
    RemoteBench bench(kRelayIp, kRecorderIp, watcher.Watch());
    if (!bench.Open(true))
        return 1;
    RemoteControl &remote = bench.remote;
    RemoteSettings settings;
    settings.enabled = true;
    settings.listenAddress = kApiIp.toString();
    QString error;
    if (!remote.Apply(settings, false, error)) {
        std::fprintf(stderr, "remote control: %s\n", qPrintable(error));
        return 1;
    }
    const QUrl url(QStringLiteral("ws://%1:9180/v1").arg(kApiIp.toString()));
    QTimer *idleTimer = bench.IdleTimer();

    // The key's path and the remote command's, alternately, the polling on.
    BenchClients one(url, 1);
    one.start();
    RunUntil([&] { return one.Ready(); });
    std::vector<double> keyToWire;
    std::vector<double> remoteToWire;
    bench.KeyAndClientStops(
        kSamples, kSpacingMs,
        [&] {
            one.Request("transport.stop");
            RunUntil([&] { return one.Answered(); });
            return one.SentNs();
        },
        keyToWire, remoteToWire);

    // The pushed time: the recorder plays again and the client follows.
    one.Request("transport.play");
    RunUntil([&] { return one.Answered(); });
    RunFor(3000);
    std::vector<double> replyToPush;
    {
        QMutexLocker lock(&watcher.mutex);
        for (const auto &[time, arrival] : one.TimeArrivals()) {
            const auto reply = watcher.replies.find(time);
            if (reply != watcher.replies.end() && arrival > reply->second)
                replyToPush.push_back((arrival - reply->second) / 1e3);
        }
    }

    // Load: the one client alone, then fifty more following the time.
    std::printf("Remote control against the simulated recorder, polling every 100 ms\n");
    Report("Stop key: click() to the frame on the wire", Summarise(keyToWire));
    const Figures remoteFigures = Summarise(remoteToWire);
    Report("transport.stop: client's send to the frame on the wire", remoteFigures);
    std::printf("  %-52s median %8.2f x    p99 %8.2f x\n", "remote / key",
                remoteFigures.median / Summarise(keyToWire).median,
                remoteFigures.p99 / Summarise(keyToWire).p99);
    Report("time reply at the relay to the push at a client", Summarise(replyToPush));

    for (const int clients : {0, kLoadClients}) {
        std::unique_ptr<BenchClients> followers;
        if (clients > 0) {
            followers = std::make_unique<BenchClients>(url, clients);
            followers->start();
            RunUntil([&] { return followers->Ready(); });
        }
        TickWatch ticks(idleTimer);
        const int pushesBefore = followers ? followers->Pushes() : 0;
        const double cpuBefore = ThreadCpuSeconds();
        RunFor(kLoadSeconds * 1000);
        const double cpu = ThreadCpuSeconds() - cpuBefore;
        double worst = 0;
        const Figures late = Lateness(ticks.starts, worst);
        std::printf("  %2d clients following the time for %d s: GUI thread %5.2f %% of a core, "
                    "%.1f pushes/s a client; ticks late median %.2f ms, p99 %.2f ms, worst "
                    "%.2f ms\n",
                    clients + 1, kLoadSeconds, 100.0 * cpu / kLoadSeconds,
                    clients ? double(followers->Pushes() - pushesBefore) / clients / kLoadSeconds
                            : 0.0,
                    late.median, late.p99, worst);
    }
    return 0;
}
