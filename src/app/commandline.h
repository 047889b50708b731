// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/remotesettings.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

// What the operator asked for on the command line. Every field is empty
// when its option was not given.
struct StartOptions
{
    // --config FILE: the recorder list to read and write, as an absolute path.
    QString deviceFile;
    // --connect: the recorder to control first, "Com1", "Com2" or a dotted
    // IPv4 address; only it is probed at start-up.
    QString firstDevice;
    // --serial-port NAME=DEVICE: the host device of "COM1" or "COM2", in the
    // order given (a later one for the same port wins).
    QList<QPair<QString, QString>> serialDevices;
    // --record-traffic FILE: the session recording to start at launch, as an
    // absolute path (".pcapng" for pcapng).
    QString trafficFile;
    // --record-traffic-rotate MB: the size of its parts in bytes; 0 never
    // starts a new part. Negative: not given, the recording's default.
    qint64 trafficRotateBytes = -1;
    // --remote-port, --remote-listen, --remote-token: remote control on for
    // this run, whatever the stored settings say; none when no such option
    // was given.
    std::optional<RemoteSettings> remote;
    // --deck-port, --osc-port: the deck-protocol gateway or OSC on for this
    // run on loopback at the port; none when not given.
    std::optional<quint16> deckPort;
    std::optional<quint16> oscPort;
};

// The outcome of reading the command line: run the program with the options,
// or end at once with a text for the terminal and an exit status.
struct CommandLine
{
    enum class Outcome { Run, Exit, Error };

    // A bad option or value ends the program with this status, before any
    // window appears.
    static constexpr int kUsageError = 2;

    Outcome outcome = Outcome::Run;
    StartOptions options;
    // --help or --version on Exit; on Error a line naming the fault, then
    // the usage.
    QString text;

    int ExitStatus() const { return outcome == Outcome::Error ? kUsageError : 0; }
    // Writes the text to standard output (Exit) or standard error (Error)
    // and returns the exit status.
    int Report() const;
};

// Reads the program's arguments, the program's own name first. It needs no
// application object, so --help, --version and a bad option are answered on
// a terminal without a display; the application name and version must be
// set beforehand.
CommandLine ParseCommandLine(const QStringList &arguments);

// The process's arguments as the parser takes them.
QStringList ArgumentList(int argc, char *argv[]);
