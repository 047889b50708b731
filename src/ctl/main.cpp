// SPDX-License-Identifier: GPL-3.0-or-later
// tavrel-ctl: drives Tavrel's remote control from a shell or a script, one
// command a run: tavrel-ctl [--host H] [--port P] [--token T] [--json]
// play|stop|goto 10:00:00:00|segment play NAME|status [--watch]|...

#include "ctlclient.h"
#include "ctlcommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// A command line that makes no command ends here, before any connection.
constexpr int kUsageError = 2;

// Options may also follow the command words, where "-5" is a jog back.
QStringList TakeFlags(QStringList words, bool &confirm, bool &watch, bool &json)
{
    for (const char *flag : {"--confirm", "--watch", "--json"}) {
        const bool given = words.removeAll(QLatin1String(flag)) > 0;
        if (qstrcmp(flag, "--confirm") == 0)
            confirm = confirm || given;
        else if (qstrcmp(flag, "--watch") == 0)
            watch = watch || given;
        else
            json = json || given;
    }
    return words;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavrel-ctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TAVREL_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Drives Tavrel through its remote control (WebSocket API).\n\nCommands:\n") +
        CtlCommandsHelp());
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption host(QStringLiteral("host"), QStringLiteral("Tavrel's address."),
                                  QStringLiteral("H"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Its port."),
                                  QStringLiteral("P"), QStringLiteral("9180"));
    const QCommandLineOption token(QStringLiteral("token"),
                                   QStringLiteral("The token (needed beyond loopback)."),
                                   QStringLiteral("T"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Print the answers as JSON, for scripts."));
    const QCommandLineOption confirm(QStringLiteral("confirm"),
                                     QStringLiteral("Confirm record (it destroys material)."));
    const QCommandLineOption watch(QStringLiteral("watch"),
                                   QStringLiteral("With status: a line at each change."));
    parser.addOptions({host, port, token, json, confirm, watch});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do."));
    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << Qt::endl;
        return kUsageError;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText() << Qt::flush;
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << Qt::endl;
        return 0;
    }

    CtlClient::Options options;
    bool confirmed = parser.isSet(confirm);
    bool watching = parser.isSet(watch);
    options.json = parser.isSet(json);
    const QStringList words =
        TakeFlags(parser.positionalArguments(), confirmed, watching, options.json);
    bool portOk = false;
    const uint portNumber = parser.value(port).toUInt(&portOk);
    CtlCommand command;
    QString fault;
    if (!portOk || portNumber == 0 || portNumber > 65535)
        fault = QStringLiteral("%1 is not a port").arg(parser.value(port));
    else
        ParseCtlCommand(words, confirmed, watching, command, fault);
    if (!fault.isEmpty()) {
        err << "tavrel-ctl: " << fault << Qt::endl;
        return kUsageError;
    }
    options.host = parser.value(host);
    options.port = static_cast<quint16>(portNumber);
    options.token = parser.value(token);

    CtlClient client(options, command, out, err);
    QObject::connect(&client, &CtlClient::Finished, &app, &QCoreApplication::exit);
    client.Start();
    return QCoreApplication::exec();
}
