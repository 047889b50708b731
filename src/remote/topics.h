// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controlstate.h"

#include <QHashFunctions>
#include <QJsonObject>
#include <QList>
#include <QString>

class ControlTarget;

// The state a client may subscribe to, topic by topic. A topic's state is a
// JSON object (the fields are listed in docs/remote.md); the core pushes it
// whole whenever it differs from the one last pushed.
enum class Topic { Connection, Time, Transport, Segment, Playlist, File, Display };

inline size_t qHash(Topic topic, size_t seed = 0)
{
    return ::qHash(static_cast<int>(topic), seed);
}

QString TopicName(Topic topic);
// False for a name that is no topic.
bool TopicByName(const QString &name, Topic &topic);
QList<Topic> AllTopics();

// The topic's present state, read from the window.
QJsonObject TopicState(Topic topic, const ControlTarget &target);

// "01:02:03:04", or "01:02:03;04" under drop-frame count.
QString TimeText(const TimeState &time);
QJsonObject SegmentJson(const SegmentEntry &segment);
