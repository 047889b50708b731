// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>

// One OSC message: an address pattern and its arguments. Arguments read as
// int (int32, int64 within range), double (float32, float64), QString
// (string, symbol) or bool (true, false); any other OSC type reads as an
// invalid QVariant, which no command accepts.
struct OscMessage
{
    QString path;
    QVariantList args;
};

// The message of one datagram, decoded by liblo, which checks every length
// and alignment. False for anything that is not one whole, well-formed
// message: truncated, malformed, a bundle, or a path not starting with "/".
bool DecodeOsc(const QByteArray &datagram, OscMessage &message);

// The datagram of a message; its arguments as int32, float32, string or
// true/false by their QVariant types. Empty when liblo cannot encode it.
QByteArray EncodeOsc(const OscMessage &message);
