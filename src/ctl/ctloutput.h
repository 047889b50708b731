// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// The one line tavrel-ctl prints for an answer of the remote control.

// What a method returned: "ok" for a command that returns nothing more,
// else its result in words.
QString ResultLine(const QString &method, const QJsonValue &result);

// A refusal: "delay-mode: Delay mode holds the side the panel drives".
QString ErrorLine(const QJsonObject &error);

// The recorder, its time, transport word, side and loaded file, from the
// states of the topics "connection", "time", "transport" and "file".
QString StatusLine(const QJsonObject &topics);
