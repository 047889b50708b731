// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "oscmessage.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// How OSC addresses map onto the remote control's named methods: every
// address under /tavrel/ is one method, its arguments the method's
// parameters in a fixed order (docs/remote.md lists them).
//
//   /tavrel/goto "10:00:00:00"   ->  transport.goto {"timecode": "10:00:00:00"}
//   /tavrel/segment/play 3       ->  segment.play {"number": 3}
//   /tavrel/segment/play "Intro" ->  segment.play {"name": "Intro"}
//   /tavrel/subscribe "time"     ->  follow the time topic
struct OscRoute
{
    enum class Kind { Command, Subscribe, Unsubscribe, Invalid };

    Kind kind = Kind::Invalid;
    QString method;     // with Command
    QJsonObject params; // with Command
    QStringList topics; // with Subscribe and Unsubscribe: empty for every topic
    QString fault;      // with Invalid: what was wrong, for the reply
};

OscRoute RouteOsc(const OscMessage &message);

// What a subscribed client receives when a topic's state changed: one
// message of one string a value ("/tavrel/time" "10:00:00:00"), made from
// the topic's state as the remote control publishes it.
QList<OscMessage> OscPushes(const QString &topic, const QJsonObject &state);

// The reply to a command: "/tavrel/reply" with one string, the JSON of the
// address, the status ("ok" or "error") and the result or the error.
OscMessage OscReply(const QString &path, const QJsonObject &outcome);
