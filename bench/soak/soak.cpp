// SPDX-License-Identifier: GPL-3.0-or-later
// The fault soak: the real window, as the program runs it, against the
// simulated recorder on loopback, for a given time (default 10 minutes) with
// every fault at once: each reply dropped, delayed, late, duplicated, spoilt
// in its checksum or its count, or preceded by a stray from another address
// by chance (default 5 %), and the recorder vanishing for seconds now and
// then. Meanwhile an operator presses keys, types timecodes, switches pages,
// works the playlist and reloads the segments. The simulated recorder keeps
// a truth log of what it answered to which frame; every reply the window
// took and every time and transport word it showed is held against it.
//
// Prints: ticks, exchanges, faults injected, replies misattributed (goal 0),
// wrong values shown (goal 0), crashes and sanitizer reports (goal 0), the
// resident memory at the start and the end of the faults (goal: under 1 MB
// an hour of growth), and how deaf the window stays (the lateness of a 10 ms
// timer on the GUI thread) on a clean line first and then under the faults.
//
//   soak [--minutes 10] [--clean-seconds 60] [--rate 0.05] [--seed 1]
//
// The soak runs itself as a child process, so that a crash or a sanitizer's
// report (in a sanitized build) is counted rather than ending the count.
// Not part of the test suite.

#include "attributionlink.h"
#include "benchdirectory.h"
#include "deafness.h"
#include "soakoperator.h"
#include "truthcheck.h"

#include "devices/devicelists.h"
#include "devices/devicesession.h"
#include "simrecorder.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/recordermenu.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

const char kRecorderIp[] = "127.0.71.1";
// The recorder vanishes this often, for two to five seconds.
constexpr int kVanishEveryMs = 90000;

struct Options
{
    int minutes = 10;
    int cleanSeconds = 60;
    double rate = 0.05;
    quint32 seed = 1;
    bool child = false;
};

Options ParseOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOptions({
        {QStringLiteral("minutes"), QStringLiteral("Time under faults."), QStringLiteral("n"),
         QStringLiteral("10")},
        {QStringLiteral("clean-seconds"), QStringLiteral("Time on a clean line first."),
         QStringLiteral("n"), QStringLiteral("60")},
        {QStringLiteral("rate"), QStringLiteral("Share of replies faulted."), QStringLiteral("r"),
         QStringLiteral("0.05")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the faults and the operator."),
         QStringLiteral("n"), QStringLiteral("1")},
        {QStringLiteral("child"), QStringLiteral("Run the soak itself (the parent watches).")},
    });
    parser.process(arguments);
    Options options;
    options.minutes = parser.value(QStringLiteral("minutes")).toInt();
    options.cleanSeconds = parser.value(QStringLiteral("clean-seconds")).toInt();
    options.rate = parser.value(QStringLiteral("rate")).toDouble();
    options.seed = parser.value(QStringLiteral("seed")).toUInt();
    options.child = parser.isSet(QStringLiteral("child"));
    return options;
}

double ResidentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1e6 : 0;
}

void PrintDeafness(const char *line, std::vector<double> lateness)
{
    if (lateness.empty())
        return;
    std::sort(lateness.begin(), lateness.end());
    std::printf("  %-22s median %7.1f ms   p95 %7.1f ms   worst %7.1f ms\n", line,
                lateness[lateness.size() / 2], lateness[lateness.size() * 95 / 100],
                lateness.back());
}

// The window and its recorder, in a working directory of their own whose
// xr.cfg lists the recorder alone. The window's Ethernet link is the
// watching one.
class Soak
{
public:
    explicit Soak(const Options &options)
        : options(options), chance(options.seed), link(new AttributionLink),
          operatorAtWork(window, options.seed)
    {}

    bool Open()
    {
        if (!directory.ListRecorders({kRecorderIp}))
            return false;
        xrsim::SimConfig config;
        config.address = QHostAddress(QLatin1String(kRecorderIp));
        QString error;
        if (!config.scenario.LoadFile(QStringLiteral(SOAK_SCENARIO), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return false;
        }
        config.scenario.playing = true;
        if (!sim.Start(config)) {
            std::fprintf(stderr, "simulated recorder: %s\n", qPrintable(sim.ErrorString()));
            return false;
        }
        sim.RecordTruth(true);
        LinkList.AddTail(link); // the device session takes it for the Ethernet link
        devices.Open(window.recorders);
        window.Start();
        window.show();
        QTimer *idleTimer = window.findChild<QTimer *>(QStringLiteral("idleTimer"));
        QObject::connect(idleTimer, &QTimer::timeout, [this] { AfterTick(); });
        return CurrentDevice != nullptr;
    }

    int Run()
    {
        operatorAtWork.Start();
        std::printf("clean line for %d s, then %d min with %.1f %% of the replies faulted\n",
                    options.cleanSeconds, options.minutes, options.rate * 100);
        std::fflush(stdout);
        deafness.Start(options.cleanSeconds);
        RunFor(options.cleanSeconds * 1000);
        const std::vector<double> clean = deafness.Stop();

        const double rssStart = ResidentMb();
        const int faultMs = options.minutes * 60000;
        sim.SetRandomFaults(options.rate, options.seed);
        QTimer vanishing;
        QObject::connect(&vanishing, &QTimer::timeout, [this] {
            sim.Vanish(2000 + int(QRandomGenerator::global()->bounded(3000)));
        });
        vanishing.start(kVanishEveryMs);
        deafness.Start(faultMs / 1000);
        const int ticksBefore = ticks;
        RunFor(faultMs);
        const std::vector<double> faulted = deafness.Stop();
        vanishing.stop();
        sim.SetRandomFaults(0, 0);
        operatorAtWork.Stop();
        const double rssEnd = ResidentMb();

        Report(ticks - ticksBefore, rssStart, rssEnd, faultMs);
        PrintDeafness("clean line", clean);
        PrintDeafness("under the faults", faulted);
        return 0;
    }

private:
    // Ends the event loop with exit, not quit: quit closes the window first,
    // which asks about the playlist the operator changed.
    void RunFor(int ms)
    {
        QTimer::singleShot(ms, qApp, [] { QCoreApplication::exit(0); });
        QApplication::exec();
    }

    void AfterTick()
    {
        ++ticks;
        check.AfterTick(sim.TakeTruth(), link->TakeExchanges(true), window);
        // The recorder's own log of frames would grow with the run.
        sim.ClearReceivedFrames();
    }

    void Report(int faultTicks, double rssStart, double rssEnd, int faultMs)
    {
        const auto counts = sim.FaultCounts();
        int faults = 0;
        QStringList kinds;
        for (size_t i = 0; i < counts.size(); ++i) {
            faults += counts[i];
            if (counts[i] > 0)
                kinds << QStringLiteral("%1 %2")
                             .arg(xrsim::FaultName(xrsim::Fault(i)))
                             .arg(counts[i]);
        }
        const double hours = faultMs / 3.6e6;
        std::printf("  ticks                  %d (%d under the faults)\n", ticks, faultTicks);
        std::printf("  exchanges              %d\n", check.Exchanges());
        std::printf("  faults injected        %d (%s)\n", faults, qPrintable(kinds.join(", ")));
        std::printf("  replies misattributed  %d\n", check.Misattributed());
        std::printf("  wrong values shown     %d\n", check.WrongValues());
        for (const QString &example : check.Examples())
            std::printf("    %s\n", qPrintable(example));
        std::printf("  operator actions       %d (%d times the recorder chosen again)\n",
                    operatorAtWork.Actions(), operatorAtWork.Reconnections());
        std::printf("  resident memory        %.1f MB at the start of the faults, %.1f MB at "
                    "the end (%+.2f MB/h)\n",
                    rssStart, rssEnd, (rssEnd - rssStart) / hours);
        std::printf("  GUI thread deaf (lateness of a %d ms timer)\n", Deafness::kPeriodMs);
    }

    Options options;
    QRandomGenerator chance;
    BenchDirectory directory;
    xrsim::SimRecorder sim;
    AttributionLink *link; // owned by LinkList once the session opened
    DeviceSession devices;
    MainWindow window;
    SoakOperator operatorAtWork;
    TruthCheck check;
    Deafness deafness;
    int ticks = 0;
};

int RunChild(const Options &options)
{
    Soak soak(options);
    if (!soak.Open()) {
        std::fprintf(stderr, "the window found no recorder\n");
        return 1;
    }
    return soak.Run();
}

// Runs the soak in a child process and counts what only the parent can: a
// crash, and the sanitizers' reports on the child's error output.
int RunParent(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    arguments << QStringLiteral("--child");
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    QObject::connect(&child, &QProcess::readyReadStandardOutput, [&child] {
        std::fputs(child.readAllStandardOutput().constData(), stdout);
        std::fflush(stdout);
    });
    int sanitizerReports = 0;
    QObject::connect(&child, &QProcess::readyReadStandardError, [&child, &sanitizerReports] {
        const QByteArray errors = child.readAllStandardError();
        std::fputs(errors.constData(), stderr);
        sanitizerReports +=
            int(errors.count("ERROR: AddressSanitizer") + errors.count("runtime error:") +
                errors.count("ERROR: LeakSanitizer"));
    });
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    std::fputs(child.readAllStandardOutput().constData(), stdout);
    const bool crashed = child.exitStatus() == QProcess::CrashExit;
    std::printf("  crashes                %d%s\n", crashed ? 1 : 0,
                crashed ? "" : (child.exitCode() == 0 ? "" : " (the soak failed to run)"));
    std::printf("  sanitizer reports      %d\n", sanitizerReports);
    return crashed || sanitizerReports > 0 || child.exitCode() != 0 ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!arguments.contains(QStringLiteral("--child")))
        return RunParent(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return RunChild(ParseOptions(QApplication::arguments()));
}
