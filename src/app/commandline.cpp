// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "devices/devicefile.h"
#include "devices/deviceregistry.h"
#include "link/seriallink.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QTextStream>

namespace {

const char kDescription[] =
    "Drives an XR-family or Pellet video disk recorder as if standing at its front\n"
    "panel, over Ethernet (UDP) or a serial port.\n"
    "\n"
    "The recorder list is xr.cfg in the working folder when there is one there,\n"
    "otherwise $XDG_CONFIG_HOME/tavrel/xr.cfg (usually ~/.config/tavrel/xr.cfg).\n"
    "The environment variables TAVREL_COM1 and TAVREL_COM2 name the devices of\n"
    "the serial ports as --serial-port does.";

// A bad value's fault, as the operator reads it; empty for a good value.
using Fault = QString;

// One option of the program: its name, what it does, the name of its value
// (null for a switch), and how it enters the start options. Every fault a
// handler reports ends the program with the usage error.
struct OptionEntry
{
    const char *name;
    const char *description;
    const char *valueName;
    Fault (*apply)(StartOptions &options, const QString &value);
};

Fault ApplyConfig(StartOptions &options, const QString &value)
{
    const QFileInfo file(value);
    if (value.isEmpty())
        return QStringLiteral("--config needs a file name");
    if (file.isDir())
        return QStringLiteral("--config %1: this is a folder, not a file").arg(value);
    if (!file.absoluteDir().exists())
        return QStringLiteral("--config %1: the folder %2 does not exist")
            .arg(value, QDir::toNativeSeparators(file.absolutePath()));
    options.deviceFile = file.absoluteFilePath();
    return {};
}

// "com1" and "COM1" alike name the recorder "Com1" of the Connect menu.
QString SerialDeviceName(const QString &text)
{
    const QString name = text.left(1).toUpper() + text.mid(1).toLower();
    return IsSerialDeviceName(name) ? name : QString();
}

Fault ApplyConnect(StartOptions &options, const QString &value)
{
    const QString serial = SerialDeviceName(value);
    if (!serial.isEmpty()) {
        options.firstDevice = serial;
        return {};
    }
    const quint32 address = ParseIPv4(value);
    if (!IsUnicastIPv4(address))
        return QStringLiteral("--connect %1: neither COM1, COM2 nor a recorder's IPv4 address")
            .arg(value);
    options.firstDevice = FormatIPv4(address);
    return {};
}

Fault ApplySerialPort(StartOptions &options, const QString &value)
{
    const qsizetype equals = value.indexOf(QLatin1Char('='));
    const QString port = value.left(equals).toUpper();
    const QString device = value.mid(equals + 1);
    if (equals < 0 || !SerialLink::PortNames().contains(port) || device.isEmpty())
        return QStringLiteral("--serial-port %1: give NAME=DEVICE, NAME being %2")
            .arg(value, SerialLink::PortNames().join(QLatin1String(" or ")));
    options.serialDevices.append({port, device});
    return {};
}

Fault ApplyRecordTraffic(StartOptions &options, const QString &value)
{
    const QFileInfo file(value);
    if (value.isEmpty())
        return QStringLiteral("--record-traffic needs a file name");
    if (file.isDir())
        return QStringLiteral("--record-traffic %1: this is a folder, not a file").arg(value);
    if (!file.absoluteDir().exists())
        return QStringLiteral("--record-traffic %1: the folder %2 does not exist")
            .arg(value, QDir::toNativeSeparators(file.absolutePath()));
    options.trafficFile = file.absoluteFilePath();
    return {};
}

Fault ApplyRecordTrafficRotate(StartOptions &options, const QString &value)
{
    constexpr qint64 kMegabyte = 1024 * 1024;
    constexpr qint64 kMostMegabytes = 1024 * 1024;
    bool ok = false;
    const qint64 megabytes = value.toLongLong(&ok);
    if (!ok || megabytes < 0 || megabytes > kMostMegabytes)
        return QStringLiteral("--record-traffic-rotate %1: give megabytes, 0 to %2 (0: never)")
            .arg(value)
            .arg(kMostMegabytes);
    options.trafficRotateBytes = megabytes * kMegabyte;
    return {};
}

// Any remote option switches remote control on for this run, on loopback at
// the default port unless the others say otherwise.
RemoteSettings &RemoteOf(StartOptions &options)
{
    if (!options.remote) {
        options.remote = RemoteSettings();
        options.remote->enabled = true;
    }
    return *options.remote;
}

// A port for the option `name`, or the fault.
Fault ReadPort(const char *name, const QString &value, quint16 &port)
{
    bool ok = false;
    const uint number = value.toUInt(&ok);
    if (!ok || number == 0 || number > 65535)
        return QStringLiteral("--%1 %2: a port is a number from 1 to 65535")
            .arg(QLatin1String(name), value);
    port = static_cast<quint16>(number);
    return {};
}

Fault ApplyRemotePort(StartOptions &options, const QString &value)
{
    return ReadPort("remote-port", value, RemoteOf(options).port);
}

Fault ApplyDeckPort(StartOptions &options, const QString &value)
{
    options.deckPort = 0;
    return ReadPort("deck-port", value, *options.deckPort);
}

Fault ApplyOscPort(StartOptions &options, const QString &value)
{
    options.oscPort = 0;
    return ReadPort("osc-port", value, *options.oscPort);
}

Fault ApplyRemoteListen(StartOptions &options, const QString &value)
{
    const QHostAddress address(value);
    if (address.isNull())
        return QStringLiteral("--remote-listen %1: not an address of this machine").arg(value);
    RemoteOf(options).listenAddress = address.toString();
    return {};
}

Fault ApplyRemoteToken(StartOptions &options, const QString &value)
{
    RemoteOf(options).token = value;
    return {};
}

// What the remote options say together: beyond loopback only with a token,
// and a token long enough to resist guessing.
Fault CheckRemote(const StartOptions &options)
{
    if (!options.remote)
        return {};
    const QString fault = options.remote->Fault();
    return fault.isEmpty() ? Fault() : QStringLiteral("remote control: %1").arg(fault);
}

// The program's options, in the order --help lists them.
const OptionEntry kOptions[] = {
    {"config",
     "Reads and writes the recorder list <file> instead of xr.cfg in the working "
     "folder or the configuration folder.",
     "file", ApplyConfig},
    {"connect",
     "Controls <recorder> first: COM1, COM2 or a recorder's IPv4 address (added to the "
     "list when it is not in it). Only that recorder is probed at start-up.",
     "recorder", ApplyConnect},
    {"serial-port",
     "Uses <device> for the serial port <name>, COM1 or COM2, for example "
     "COM1=/dev/ttyUSB0.",
     "name=device", ApplySerialPort},
    {"record-traffic",
     "Records every frame to and from the recorders to <file> from the start, probes "
     "included: text lines, or pcapng (UDP only) for a name ending in .pcapng.",
     "file", ApplyRecordTraffic},
    {"record-traffic-rotate",
     "Starts a new part of the recording every <megabytes> (default 100; 0 never).", "megabytes",
     ApplyRecordTrafficRotate},
    {"remote-port",
     "Switches remote control on for this run, on loopback (127.0.0.1) at <port> "
     "(9180 when only another remote option is given).",
     "port", ApplyRemotePort},
    {"remote-listen",
     "Listens for remote control on <address> (0.0.0.0 for every interface) instead of "
     "loopback; needs --remote-token.",
     "address", ApplyRemoteListen},
    {"remote-token",
     "The token remote clients present (at least 8 characters); needed beyond loopback.", "token",
     ApplyRemoteToken},
    {"deck-port",
     "Switches the deck-protocol gateway on for this run, on loopback (127.0.0.1) at <port> "
     "(9993 is the protocol's own).",
     "port", ApplyDeckPort},
    {"osc-port", "Switches OSC on for this run, on loopback (127.0.0.1) at <port> (9181, say).",
     "port", ApplyOscPort},
};

QCommandLineOption MakeOption(const OptionEntry &entry)
{
    return entry.valueName
               ? QCommandLineOption(QLatin1String(entry.name), QLatin1String(entry.description),
                                    QLatin1String(entry.valueName))
               : QCommandLineOption(QLatin1String(entry.name), QLatin1String(entry.description));
}

// The parser's usage line names the program by the path it was started
// with, or by a placeholder while no application object exists; the
// application name stands there instead.
QString HelpText(const QCommandLineParser &parser)
{
    const QString text = parser.helpText();
    return QStringLiteral("Usage: %1 [options]").arg(QCoreApplication::applicationName()) +
           text.mid(text.indexOf(QLatin1Char('\n')));
}

CommandLine Finish(CommandLine::Outcome outcome, const QString &text)
{
    CommandLine result;
    result.outcome = outcome;
    result.text = text;
    return result;
}

CommandLine UsageError(const QCommandLineParser &parser, const QString &fault)
{
    return Finish(CommandLine::Outcome::Error, QCoreApplication::applicationName() +
                                                   QLatin1String(": ") + fault +
                                                   QLatin1String("\n\n") + HelpText(parser));
}

} // namespace

CommandLine ParseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QLatin1String(kDescription));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and ends."));
    parser.addOption(help);
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and ends."));
    parser.addOption(version);
    for (const OptionEntry &entry : kOptions)
        parser.addOption(MakeOption(entry));

    if (!parser.parse(arguments))
        return UsageError(parser, parser.errorText());
    if (parser.isSet(help))
        return Finish(CommandLine::Outcome::Exit, HelpText(parser));
    if (parser.isSet(version))
        return Finish(CommandLine::Outcome::Exit,
                      QCoreApplication::applicationName() + QLatin1Char(' ') +
                          QCoreApplication::applicationVersion() + QLatin1Char('\n'));
    if (!parser.positionalArguments().isEmpty())
        return UsageError(parser, QStringLiteral("unexpected argument '%1'")
                                      .arg(parser.positionalArguments().constFirst()));

    CommandLine result;
    for (const OptionEntry &entry : kOptions) {
        const QString name = QLatin1String(entry.name);
        QStringList values = entry.valueName ? parser.values(name) : QStringList();
        if (!entry.valueName && parser.isSet(name))
            values.append(QString());
        for (const QString &value : values) {
            const Fault fault = entry.apply(result.options, value);
            if (!fault.isEmpty())
                return UsageError(parser, fault);
        }
    }
    const Fault fault = CheckRemote(result.options);
    if (!fault.isEmpty())
        return UsageError(parser, fault);
    return result;
}

int CommandLine::Report() const
{
    QTextStream stream(outcome == Outcome::Error ? stderr : stdout);
    stream << text;
    return ExitStatus();
}

QStringList ArgumentList(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}
