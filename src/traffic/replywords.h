// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/exchangereport.h"

#include <QString>
#include <QtGlobal>

// What a recorder's reply says, in words, read in the light of the command
// it answers: "ACK", "NAK: checksum error", "LTC 10:00:00:00", "status:
// playing, cue-up complete", a file name, or the data bytes in hex. Lengths
// count whole frames, checksum included; a reply cut short is read as far
// as it goes.
QString ReplyWords(const quint8 *sent, int sentLength, const quint8 *reply, int replyLength);

// The NAK's reason bits spelled out: "unknown command, checksum error".
QString NakReasons(quint8 reasons);

// The set bits of `count` status bytes that start at status byte `first`,
// named: "playing, cue-up complete"; "none" when no named bit is set.
QString StatusWords(int first, const quint8 *bytes, int count);

// How an exchange ended, for the monitor's outcome column: "reply",
// "timeout", "checksum error", "dropped stray"...
QString OutcomeWords(ExchangeOutcome outcome);
