// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"
#include "simrecorder.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavrel-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVREL_SIM_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString name = QCoreApplication::applicationName();

    xrsim::CommandLine commandLine;
    switch (commandLine.Parse(QCoreApplication::arguments())) {
    case xrsim::CommandLine::Result::Exit:
        out << commandLine.Message();
        return 0;
    case xrsim::CommandLine::Result::Error:
        err << name << ": " << commandLine.Message() << "\n\n" << commandLine.Usage();
        return 2;
    case xrsim::CommandLine::Result::Run:
        break;
    }
    if (commandLine.Verbose())
        QLoggingCategory::setFilterRules(QStringLiteral("xrsim.debug=true"));

    xrsim::SimRecorder recorder;
    const xrsim::SimConfig &config = commandLine.Config();
    if (!recorder.Start(config)) {
        err << name << ": " << recorder.ErrorString() << "\n";
        return 1;
    }
    if (!config.replayFile.isEmpty())
        out << name << ": replaying " << config.replayFile << "\n";
    if (config.udp)
        out << name << ": listening on udp " << config.address.toString() << ":" << config.port
            << "\n";
    if (config.pty)
        out << name << ": serial line on " << recorder.PtyPath() << "\n";
    out.flush();
    // Runs until interrupted; the system closes the sockets and the terminal.
    return QCoreApplication::exec();
}
