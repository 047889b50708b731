// SPDX-License-Identifier: GPL-3.0-or-later
// Measures the window over the simulated recorder's serial line, which keeps
// a real line's pace: 38400 baud, 8 data bits, odd parity, 1 stop bit (11 bit
// times a byte) and the recorder's turnaround before each answer.
//
// - One polling tick against its wire time: the bytes of the tick's
//   exchanges at that speed plus one turnaround each, which no program could
//   beat. The ratio says what the program adds (aim: 1.1 or less).
// - A key's click() to its frame wholly on the wire (its last byte in at the
//   recorder), with the 100 ms polling running, next to the frame's own wire
//   time.
// Prints figures; asserts nothing.

#include "benchdirectory.h"
#include "figures.h"

#include "devices/devicelists.h"
#include "devices/devicesession.h"
#include "server/serialline.h"
#include "simrecorder.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/recordermenu.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <vector>

namespace {

constexpr int kTicks = 300;
constexpr int kClicks = 300;
// Clicks come at this spacing, prime to the polling period, so that they
// fall at every point between two ticks.
constexpr int kClickSpacingMs = 23;

const QByteArray kStopFrame("\x20\x00\x20", 3);

// The wire time of the exchanges in `truth`: each frame and its answer at
// the line's speed, and the recorder's turnaround between them.
qint64 WireNs(const QList<xrsim::TruthEntry> &truth)
{
    qint64 ns = 0;
    for (const xrsim::TruthEntry &entry : truth)
        ns += xrsim::SerialLine::WireNs(entry.frame.size() + entry.reply.size()) +
              xrsim::SerialLine::kTurnaroundNs;
    return ns;
}

void Print(const char *what, const Figures &figures, const char *unit, double scale)
{
    std::printf("  %-36s median %8.2f %s   p99 %8.2f %s\n", what, figures.median / scale, unit,
                figures.p99 / scale, unit);
}

// The window as the program runs it, on COM1, which is the simulated
// recorder's pseudo-terminal; xr.cfg lists no networked recorder.
class SerialBench
{
public:
    bool Open()
    {
        xrsim::SimConfig config;
        config.udp = false;
        config.pty = true;
        config.scenario.playing = true;
        config.scenario.files = {{QStringLiteral("CLIP0000"), 600, 8}};
        config.scenario.loaded = QStringLiteral("CLIP0000");
        if (!sim.Start(config)) {
            std::fprintf(stderr, "simulated recorder: %s\n", qPrintable(sim.ErrorString()));
            return false;
        }
        qputenv("TAVREL_COM1", QFile::encodeName(sim.PtyPath()));
        devices.Open(window.recorders);
        window.Start();
        window.show();
        sim.RecordTruth(true);
        return CurrentDevice != nullptr;
    }

    void MeasureTicks()
    {
        IdleTimer()->stop();
        std::vector<double> tickNs;
        std::vector<double> wireNs;
        std::vector<double> ratios;
        for (int tick = 0; tick < kTicks; ++tick) {
            QApplication::processEvents();
            sim.TakeTruth();
            const qint64 start = xrsim::LineNowNs();
            window.DoIdle();
            const qint64 took = xrsim::LineNowNs() - start;
            const qint64 wire = WireNs(sim.TakeTruth());
            tickNs.push_back(double(took));
            wireNs.push_back(double(wire));
            ratios.push_back(double(took) / double(wire));
        }
        std::printf("one polling tick over the serial line (%d ticks: timer mode, levels, time, "
                    "status, loaded file, player side)\n",
                    kTicks);
        Print("tick", Summarise(tickNs), "ms", 1e6);
        Print("its wire time", Summarise(wireNs), "ms", 1e6);
        Print("tick / wire time", Summarise(ratios), "x ", 1);
    }

    void MeasureKeyToWire()
    {
        QPushButton *stop = window.findChild<QPushButton *>(QStringLiteral("pbStop"));
        std::vector<double> toWire;
        std::vector<double> exchange;
        QTimer clicks;
        clicks.setInterval(kClickSpacingMs);
        QObject::connect(&clicks, &QTimer::timeout, [&] {
            sim.TakeTruth();
            const qint64 start = xrsim::LineNowNs();
            stop->click();
            const qint64 end = xrsim::LineNowNs();
            for (const xrsim::TruthEntry &entry : sim.TakeTruth()) {
                if (entry.frame == kStopFrame && entry.receivedNs >= start) {
                    toWire.push_back(double(entry.receivedNs - start));
                    exchange.push_back(double(end - start));
                }
            }
            if (int(toWire.size()) >= kClicks)
                QApplication::quit();
        });
        IdleTimer()->start();
        clicks.start();
        QApplication::exec();
        std::printf("Stop key over the serial line, %d clicks %d ms apart with the 100 ms polling "
                    "running\n",
                    kClicks, kClickSpacingMs);
        std::printf("  %-36s        %8.2f ms\n", "the frame's own wire time",
                    xrsim::SerialLine::WireNs(3) / 1e6);
        Print("click() to its last byte on the wire", Summarise(toWire), "ms", 1e6);
        Print("click() returning (acknowledged)", Summarise(exchange), "ms", 1e6);
    }

private:
    QTimer *IdleTimer() const { return window.findChild<QTimer *>(QStringLiteral("idleTimer")); }

    BenchDirectory directory;
    xrsim::SimRecorder sim;
    DeviceSession devices;
    MainWindow window;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SerialBench bench;
    if (!bench.Open()) {
        std::fprintf(stderr, "the window found no recorder on the serial line\n");
        return 1;
    }
    bench.MeasureTicks();
    bench.MeasureKeyToWire();
    return 0;
}
