// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// What the words of a tavrel-ctl command line ask the remote control for:
// one request of the WebSocket API, or, for "status --watch", the topics to
// follow until interrupted.
struct CtlCommand
{
    QString method;
    QJsonObject params;
    // "status --watch": follow these topics and print a line at each change.
    QStringList watchTopics;
};

// Reads the command words ("goto", "10:00:00:00"); `confirm` goes with
// "record". False, with the fault, for words that make no command.
bool ParseCtlCommand(const QStringList &words, bool confirm, bool watch, CtlCommand &command,
                     QString &fault);

// The commands tavrel-ctl knows, one line each, for its help.
QString CtlCommandsHelp();
