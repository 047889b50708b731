// SPDX-License-Identifier: GPL-3.0-or-later
// Resident memory of the real window polling a simulated recorder whose state
// changes on every poll: the transport, the Remote/Local and LTC keys, the
// timer mode, the time and the display all change tick after tick, so every
// face and line of the panel is redrawn again and again. A control station
// runs for months; what a change of state costs must not stay behind.
//
// Prints the resident set after a warm-up and at the end, and the growth in
// between scaled to an hour. Asserts nothing.
//
//   bench_memory                 four minutes after a 30 s warm-up
//   bench_memory --seconds 60    a shorter run
//   bench_memory --warmup 10

#include "benchwindow.h"
#include "wireframe.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <initializer_list>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

const char kRecorderIp[] = "127.0.20.1";
constexpr int kDefaultSeconds = 240;
constexpr int kDefaultWarmupSeconds = 30;

QByteArray Status(std::initializer_list<std::pair<int, quint8>> bytes)
{
    QByteArray status(10, '\0');
    for (const auto &[index, value] : bytes)
        status[index] = static_cast<char>(value);
    return SenseReturn(0x20, status);
}

// One state after another: play, stop, spooling both ways, shuttle, record
// with edit on, local with LTC, and a display change that makes the panel
// read the recorder's display.
std::vector<QByteArray> StatusCycle()
{
    return {Status({{0, 0x10}, {1, 0x01}}),
            Status({{1, 0x20}}),
            Status({{1, 0x04}}),
            Status({{1, 0x08}}),
            Status({{2, 0x20}}),
            Status({{1, 0x02}, {4, 0x80}}),
            Status({{0, 0x01}, {1, 0x01}, {6, 0x04}}),
            Status({{0, 0x20}, {1, 0x20}})};
}

QByteArray Time(int tick)
{
    const auto bcd = [](int value) {
        return static_cast<char>(((value / 10) << 4) | (value % 10));
    };
    const char bytes[] = {bcd(tick % 25), bcd(tick / 25 % 60), bcd(tick / 1500 % 60),
                          bcd(tick / 90000 % 24)};
    return SenseReturn(0x04, QByteArray(bytes, 4));
}

// Changes what the recorder will report at the next poll.
class ChangingRecorder
{
public:
    explicit ChangingRecorder(xrsim::SimRecorder &sim) : sim(sim), statuses(StatusCycle()) {}

    // The simulated recorder runs in this process and logs every frame it
    // receives; the log is emptied so that only the program's memory counts.
    void Advance()
    {
        ++tick;
        sim.ClearReceivedFrames();
        sim.ForceReply(6, 0x20, statuses[tick % statuses.size()]);
        sim.ForceReply(6, 0x36, SenseReturn(0x36, QByteArray(1, char(tick % 2))));
        sim.ForceReply(6, 0x0C, Time(tick));
    }

private:
    xrsim::SimRecorder &sim;
    std::vector<QByteArray> statuses;
    int tick = 0;
};

double ResidentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() < 2 ? 0 : fields[1].toDouble() * sysconf(_SC_PAGESIZE) / (1024.0 * 1024.0);
}

// The resident set at the end of the warm-up and at the end of the run,
// both taken inside one run of the event loop: leaving the loop in between
// would let the toolkit tidy up and flatter the figures.
struct Samples
{
    double start = 0;
    double end = 0;
    qint64 measuredMs = 0;
};

Samples Measure(int warmupSeconds, int seconds)
{
    Samples samples;
    QElapsedTimer clock;
    QTimer::singleShot(warmupSeconds * 1000, qApp, [&] {
        samples.start = ResidentMb();
        clock.start();
    });
    QTimer::singleShot((warmupSeconds + seconds) * 1000, qApp, [&] {
        samples.end = ResidentMb();
        samples.measuredMs = clock.elapsed();
        QCoreApplication::quit();
    });
    QApplication::exec();
    return samples;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Resident memory of the window polling a recorder whose state changes."));
    parser.addHelpOption();
    const QCommandLineOption secondsOption(QStringLiteral("seconds"),
                                           QStringLiteral("Measured run after the warm-up."),
                                           QStringLiteral("s"), QString::number(kDefaultSeconds));
    const QCommandLineOption warmupOption(
        QStringLiteral("warmup"), QStringLiteral("Warm-up before the first figure."),
        QStringLiteral("s"), QString::number(kDefaultWarmupSeconds));
    parser.addOptions({secondsOption, warmupOption});
    parser.process(app);
    const int seconds = std::max(1, parser.value(secondsOption).toInt());
    const int warmup = std::max(0, parser.value(warmupOption).toInt());

    BenchWindow bench(kRecorderIp);
    if (!bench.Open())
        return 1;
    bench.window.show();
    ChangingRecorder recorder(bench.sim);
    // Runs after each tick, so that every tick finds a new state.
    QObject::connect(bench.IdleTimer(), &QTimer::timeout, [&recorder] { recorder.Advance(); });

    const Samples samples = Measure(warmup, seconds);
    const double start = samples.start;
    const double end = samples.end;
    const double hours = samples.measuredMs / 3.6e6;

    std::printf("window polling a recorder whose state changes every 100 ms\n");
    std::printf("  resident after %d s warm-up  %8.2f MB\n", warmup, start);
    std::printf("  resident %d s later         %8.2f MB\n", seconds, end);
    std::printf("  growth                      %8.3f MB  (%.2f MB per hour)\n", end - start,
                (end - start) / hours);
    return 0;
}
