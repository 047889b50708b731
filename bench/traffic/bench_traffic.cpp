// SPDX-License-Identifier: GPL-3.0-or-later
// What watching the traffic costs: the GUI thread's CPU time per exchange
// with the traffic monitor closed, open, and with a session recording, each
// against a bare UDP responder; then the share of one core the program takes
// while it polls the simulated recorder ten times a second, with the monitor
// closed and open (shown, refreshing its list; then with its list full, each
// new row dropping the oldest) and while it records.
// Prints figures; asserts nothing.
//
//   bench_traffic [--exchanges N] [--seconds S]

#include "bareresponder.h"
#include "benchwindow.h"
#include "figures.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "link/byteorder.h"
#include "link/ethernetlink.h"
#include "protocol/sensecommands.h"
#include "traffic/trafficrecorder.h"
#include "ui/traffic/trafficfeed.h"
#include "ui/traffic/trafficmodel.h"
#include "ui/traffic/trafficmonitor.h"
#include "ui/traffic/traffictools.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

const char kResponderIp[] = "127.0.224.1";
const char kRecorderIp[] = "127.0.224.2";

double ThreadCpuUs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e6 + ts.tv_nsec / 1e3;
}

// A status reply behind its header, whatever was asked.
QByteArray StatusReply(const QByteArray &)
{
    QByteArray frame = QByteArray::fromHex("7A2001210100800004000042");
    quint8 sum = 0;
    for (char byte : frame)
        sum += quint8(byte);
    frame.append(char(sum));
    return QByteArray::fromHex("0001000D000000000000") + frame;
}

// The CPU time of `count` status senses, each alone; every 20 exchanges
// (the monitor's refresh at 10 polls/s) `between` runs, also timed.
std::vector<double> TimeExchanges(int count, const std::function<void()> &between)
{
    std::vector<double> samples;
    samples.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const double start = ThreadCpuUs();
        StatusSense();
        if (between && i % 20 == 19)
            between();
        samples.push_back(ThreadCpuUs() - start);
    }
    return samples;
}

double Mean(const std::vector<double> &samples)
{
    double total = 0;
    for (double sample : samples)
        total += sample;
    return total / double(samples.size());
}

void Print(const char *what, const std::vector<double> &samples, double floor)
{
    const Figures figures = Summarise(samples);
    const double mean = Mean(samples);
    std::printf("  %-34s median %6.1f us  p99 %6.1f us  mean %6.1f us  (+%5.1f us)\n", what,
                figures.median, figures.p99, mean, mean - floor);
}

void MeasureExchanges(int count)
{
    BareResponder responder(QHostAddress(QLatin1String(kResponderIp)), 32896, StatusReply);
    EthernetLink link;
    link.Open();
    const PeerAddress peer{HostToNet32(QHostAddress(QLatin1String(kResponderIp)).toIPv4Address()),
                           HostToNet16(0x8080)};
    link.AddAddress(peer);
    DeviceRecord device(&link, peer, QStringLiteral("Ethernet - bench"));
    CurrentDevice = &device;
    TimeExchanges(200, {}); // warm up

    std::printf("one status sense, GUI thread CPU (%d exchanges each)\n", count);
    const std::vector<double> closed = TimeExchanges(count, {});
    const double floor = Mean(closed);
    Print("monitor closed", closed, floor);

    TrafficFeed feed;
    TrafficModel model;
    feed.Attach();
    const std::vector<double> open = TimeExchanges(count, [&] { model.Append(feed.Take()); });
    feed.Detach();
    Print("monitor open (rows kept, unshown)", open, floor);

    QTemporaryDir directory;
    TrafficRecorder recorder;
    QString error;
    recorder.Start(directory.filePath(QStringLiteral("bench.txt")), 0, &error);
    Print("recording text lines", TimeExchanges(count, {}), floor);
    recorder.Stop();
    recorder.Start(directory.filePath(QStringLiteral("bench.pcapng")), 0, &error);
    Print("recording pcapng", TimeExchanges(count, {}), floor);
    recorder.Stop();
    CurrentDevice = nullptr;
}

double CpuShare(int seconds)
{
    const double start = ThreadCpuUs();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    QApplication::exec();
    return 100.0 * (ThreadCpuUs() - start) / (wall.nsecsElapsed() / 1e3);
}

// Fills the monitor's list to its limit with copies of its last row, so
// that every new row drops the oldest.
void FillMonitor(TrafficMonitor &monitor)
{
    monitor.Refresh();
    TrafficModel &model = *monitor.Model();
    const TrafficRow last = model.Row(model.rowCount() - 1);
    model.Append(std::vector<TrafficRow>(TrafficModel::kMaxRows, last));
    QApplication::processEvents();
    monitor.tableTraffic->scrollToBottom();
    QApplication::processEvents();
}

void MeasurePolling(int seconds)
{
    BenchWindow bench(kRecorderIp);
    if (!bench.Open())
        return;
    MainWindow &window = bench.window;
    window.show();
    QApplication::processEvents();
    std::printf("polling every 100 ms for %d s, GUI thread share of one core\n", seconds);
    const double closed = CpuShare(seconds);
    std::printf("  %-34s %5.2f %%\n", "monitor closed", closed);
    window.traffic->TrafficMonitor_activated();
    const double open = CpuShare(seconds);
    std::printf("  %-34s %5.2f %%  (+%.2f %%, %d rows)\n", "monitor open and shown", open,
                open - closed, window.traffic->Monitor()->Model()->rowCount());
    // The exec() of the last figure closed the windows on quitting.
    window.traffic->TrafficMonitor_activated();
    FillMonitor(*window.traffic->Monitor());
    const double full = CpuShare(seconds);
    std::printf("  %-34s %5.2f %%  (+%.2f %%)\n", "monitor shown, full", full, full - closed);
    window.traffic->Monitor()->close();
    QTemporaryDir directory;
    QString error;
    window.traffic->StartRecording(directory.filePath(QStringLiteral("poll.txt")), 0, &error);
    const double recording = CpuShare(seconds);
    std::printf("  %-34s %5.2f %%  (+%.2f %%)\n", "recording text lines", recording,
                recording - closed);
    window.traffic->Recorder().Stop();
}

int Option(const QStringList &arguments, const char *name, int fallback)
{
    const int at = int(arguments.indexOf(QLatin1String(name)));
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1].toInt() : fallback;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    MeasureExchanges(Option(arguments, "--exchanges", 5000));
    MeasurePolling(Option(arguments, "--seconds", 20));
    return 0;
}
