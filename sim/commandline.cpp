// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "server/loopback.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace xrsim {

namespace {

const char *const kDescription =
    "Simulated XR/Pellet video disk recorder. It answers 9-pin frames in UDP\n"
    "datagrams (10-byte header, type 1) on a loopback address and, with --pty,\n"
    "bare frames on a pseudo-terminal.\n"
    "\n"
    "The recorder's settings (from --kind on) may also be given in a --scenario\n"
    "file: one \"key = value\" a line, the keys being those options without\n"
    "their dashes; blank lines and lines starting with # are skipped, and the\n"
    "repeatable keys (file, segment, raw_segment, answer, disk) may appear on\n"
    "many lines:\n"
    "  standard = 1\n"
    "  file = CLIP0000,120,8\n"
    "  loaded = CLIP0000\n"
    "  segment = 1,00:00:10:00,00:00:20:00\n"
    "  answer = 62 9A 00 02, 76 9A 00 00 00 C8 00 00\n"
    "  disk = 2,3,unformatted,36000\n"
    "In names, \\xNN stands for the byte NN. Options on the command line are\n"
    "applied after the file.";

bool ApplyScenario(const QCommandLineParser &parser, Scenario *scenario, QString *error)
{
    if (parser.isSet(QStringLiteral("scenario")) &&
        !scenario->LoadFile(parser.value(QStringLiteral("scenario")), error))
        return false;
    for (const Scenario::Key &key : Scenario::Keys()) {
        for (const QString &value : parser.values(key.name)) {
            if (!scenario->Set(key.name, value, error))
                return false;
        }
    }
    return true;
}

} // namespace

CommandLine::Result CommandLine::Parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QLatin1String(kDescription));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and ends."));
    parser.addOption(help);
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and ends."));
    parser.addOption(version);
    parser.addOptions({
        {QStringLiteral("address"),
         QStringLiteral("Loopback address to listen on, in 127.0.0.0/8 (default 127.0.0.1)."),
         QStringLiteral("ip"), QStringLiteral("127.0.0.1")},
        {QStringLiteral("port"), QStringLiteral("UDP port to listen on (default 32896)."),
         QStringLiteral("port"), QString::number(SimConfig::kDefaultPort)},
        {QStringLiteral("pty"), QStringLiteral("Also serve the serial link on a pseudo-terminal "
                                               "and print its device path.")},
        {QStringLiteral("no-udp"), QStringLiteral("Do not serve the UDP link.")},
        {QStringLiteral("scenario"), QStringLiteral("Read recorder settings from a file."),
         QStringLiteral("file")},
        {QStringLiteral("verbose"), QStringLiteral("Print every frame and its reply.")},
        {QStringLiteral("replay"),
         QStringLiteral("Answer as the recorder of a session recording did (UDP only), and "
                        "say where the application departs from it."),
         QStringLiteral("file")},
        {QStringLiteral("replay-recorder"),
         QStringLiteral("The recorder of the recording to play, by its link or address "
                        "(default: the one with the most frames)."),
         QStringLiteral("link")},
        {QStringLiteral("replay-fast"),
         QStringLiteral("Answer at once instead of with the recorded delays.")},
    });
    for (const Scenario::Key &key : Scenario::Keys())
        parser.addOption({key.name, key.help, key.valueName});

    // The usage line names the program, not the path it was started with.
    const QString helpText = parser.helpText();
    usage = QStringLiteral("Usage: %1 [options]").arg(QCoreApplication::applicationName()) +
            helpText.mid(helpText.indexOf(QLatin1Char('\n')));
    if (!parser.parse(arguments)) {
        message = parser.errorText();
        return Result::Error;
    }
    if (parser.isSet(help)) {
        message = usage;
        return Result::Exit;
    }
    if (parser.isSet(version)) {
        message = QCoreApplication::applicationName() + QLatin1Char(' ') +
                  QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return Result::Exit;
    }
    if (!parser.positionalArguments().isEmpty()) {
        message = QStringLiteral("unexpected argument '%1'")
                      .arg(parser.positionalArguments().constFirst());
        return Result::Error;
    }
    config.address = QHostAddress(parser.value(QStringLiteral("address")));
    if (!IsLoopbackV4(config.address)) {
        message = QStringLiteral("--address must be in 127.0.0.0/8");
        return Result::Error;
    }
    bool portOk = false;
    config.port = parser.value(QStringLiteral("port")).toUShort(&portOk);
    if (!portOk) {
        message = QStringLiteral("--port must be a number 0-65535");
        return Result::Error;
    }
    config.pty = parser.isSet(QStringLiteral("pty"));
    config.udp = !parser.isSet(QStringLiteral("no-udp"));
    verbose = parser.isSet(QStringLiteral("verbose"));
    config.replayFile = parser.value(QStringLiteral("replay"));
    config.replayRecorder = parser.value(QStringLiteral("replay-recorder"));
    config.replayFast = parser.isSet(QStringLiteral("replay-fast"));
    if (config.replayFile.isEmpty() && (!config.replayRecorder.isEmpty() || config.replayFast)) {
        message = QStringLiteral("--replay-recorder and --replay-fast need --replay");
        return Result::Error;
    }
    if (!ApplyScenario(parser, &config.scenario, &message))
        return Result::Error;
    return Result::Run;
}

} // namespace xrsim
