// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the main window's polling against the simulated recorder on
// loopback: the CPU time of one tick on the GUI thread (the sense exchanges
// and the redraw of the panel from their replies), and the share of one core
// the program takes while it polls a recorder and nothing else happens.
// Prints figures; asserts nothing.

#include "benchwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kTicks = 600;
constexpr int kIdleSeconds = 20;
const char kRecorderIp[] = "127.0.5.1";

double CpuMs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double Percentile(std::vector<double> values, int percent)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, values.size() * percent / 100)];
}

void MeasureTicks(MainWindow &window)
{
    std::vector<double> cpu;
    std::vector<double> wall;
    QElapsedTimer timer;
    for (int tick = 0; tick < kTicks; ++tick) {
        const double cpuStart = CpuMs(CLOCK_THREAD_CPUTIME_ID);
        timer.start();
        window.DoIdle();
        wall.push_back(timer.nsecsElapsed() / 1e3);
        cpu.push_back((CpuMs(CLOCK_THREAD_CPUTIME_ID) - cpuStart) * 1e3);
        // Let the window repaint what the tick changed, as the event loop would.
        QApplication::processEvents();
    }
    std::printf("one polling tick (%d ticks: time, status, levels, timer mode, loaded file)\n",
                kTicks);
    std::printf("  GUI thread CPU  median %7.1f us   p99 %7.1f us\n", Percentile(cpu, 50),
                Percentile(cpu, 99));
    std::printf("  wall time       median %7.1f us   p99 %7.1f us\n", Percentile(wall, 50),
                Percentile(wall, 99));
}

void MeasureIdle(QTimer *idleTimer)
{
    idleTimer->start();
    const double threadStart = CpuMs(CLOCK_THREAD_CPUTIME_ID);
    const double processStart = CpuMs(CLOCK_PROCESS_CPUTIME_ID);
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(kIdleSeconds * 1000, qApp, &QCoreApplication::quit);
    QApplication::exec();
    const double elapsed = wall.elapsed();
    const double thread = CpuMs(CLOCK_THREAD_CPUTIME_ID) - threadStart;
    const double process = CpuMs(CLOCK_PROCESS_CPUTIME_ID) - processStart;
    std::printf("connected and idle for %d s, polling every 100 ms\n", kIdleSeconds);
    std::printf("  program (GUI thread)        %5.2f %% of one core\n", 100.0 * thread / elapsed);
    std::printf("  with the simulated recorder %5.2f %% of one core\n", 100.0 * process / elapsed);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    BenchWindow bench(kRecorderIp);
    if (!bench.Open())
        return 1;
    MainWindow &window = bench.window;
    QTimer *idleTimer = bench.IdleTimer();
    idleTimer->stop();
    window.show();
    QApplication::processEvents();

    MeasureTicks(window);
    MeasureIdle(idleTimer);
    return 0;
}
