#include "commandline.h"
#include "simrecorder.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("xrsim"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    xrsim::CommandLine commandLine;
    switch (commandLine.parse(QCoreApplication::arguments())) {
    case xrsim::CommandLine::Result::Exit:
        out << commandLine.message();
        return 0;
    case xrsim::CommandLine::Result::Error:
        err << "xrsim: " << commandLine.message() << "\n";
        return 2;
    case xrsim::CommandLine::Result::Run:
        break;
    }
    if (commandLine.verbose())
        QLoggingCategory::setFilterRules(QStringLiteral("xrsim.debug=true"));

    xrsim::SimRecorder recorder;
    const xrsim::SimConfig &config = commandLine.config();
    if (!recorder.start(config)) {
        err << "xrsim: " << recorder.errorString() << "\n";
        return 1;
    }
    if (config.udp)
        out << "xrsim: listening on udp " << config.address.toString() << ":" << config.port
            << "\n";
    if (config.pty)
        out << "xrsim: serial line on " << recorder.ptyPath() << "\n";
    out.flush();
    // Runs until interrupted; the system closes the sockets and the terminal.
    return QCoreApplication::exec();
}
