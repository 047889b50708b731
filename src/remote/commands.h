// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "params.h"
#include "refusal.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

class ControlTarget;

// The named commands of the remote control, whichever transport brings them:
// each reads its parameters, asks the window (ControlTarget) and answers with
// a result or a refusal. They do not know their client; the core runs them
// one at a time on the GUI thread, between ticks, after its own checks.

// Who may call a method: every client, or only one that may command.
enum class Access { Watch, Control };

// What the operator allows remote clients beyond the window's guards.
struct CommandPolicy
{
    bool recordingAllowed = false; // record without "confirm": true
};

struct CommandOutcome
{
    Refusal refusal = Refusal::None;
    QString detail; // what exactly was wrong, beyond the refusal's sentence
    QJsonValue result = QJsonObject();
};

struct Command
{
    const char *method;
    Access access;
    CommandOutcome (*run)(ControlTarget &target, Params &params, const CommandPolicy &policy);
};

// Null for a method that is not in the table.
const Command *FindCommand(const QString &method);
// Every method of the table, in the order docs/remote.md lists them.
QStringList CommandMethods();

// The time text of goto ("10:00:00:00", ";" before the frames under drop
// frame, an optional ".1" or ".2" field): false for anything else, or for
// minutes, seconds or frames beyond their range.
bool ValidGotoTime(const QString &text);
