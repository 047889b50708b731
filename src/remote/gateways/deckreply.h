// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The status codes of the deck protocol (the text protocol that production
// switchers and control surfaces speak to a disk recorder on TCP port 9993).
// 1xx are failures, 200 is a bare success, other 2xx answer a request with
// information, 5xx are sent unasked: the banner and the notifications.
enum class DeckCode {
    SyntaxError = 100,
    UnsupportedParameter = 101,
    InvalidValue = 102,
    Unsupported = 103,
    NoDisk = 105,
    TimelineEmpty = 107,
    InternalError = 108,
    OutOfRange = 109,
    RemoteDisabled = 111,
    ConnectionRejected = 120,
    Ok = 200,
    Help = 201,
    SlotInfo = 202,
    DeviceInfo = 204,
    ClipsInfo = 205,
    DiskList = 206,
    TransportInfo = 208,
    Notify = 209,
    RemoteInfo = 210,
    Configuration = 211,
    ClipsCount = 214,
    ConnectionInfo = 500,
    SlotInfoChanged = 502,
    TransportInfoChanged = 508,
    RemoteInfoChanged = 510,
    ConfigurationChanged = 511,
    DisplayTimecodeChanged = 513,
};

// "syntax error", "transport info", ...
QString DeckCodeText(DeckCode code);

// One reply: a failure or a bare "200 ok" is a single line; every other reply
// names what follows with a colon, then its lines ("key: value" for nearly
// all) and a blank line. Lines end with CR LF.
struct DeckReply
{
    DeckCode code = DeckCode::Ok;
    QStringList lines;

    explicit DeckReply(DeckCode code = DeckCode::Ok) : code(code) {}

    DeckReply &Field(const QString &key, const QString &value);
    DeckReply &Field(const QString &key, bool value);
    DeckReply &Field(const QString &key, int value);

    bool Block() const;
    // The bytes on the wire, UTF-8. A CR or LF inside a value (a segment
    // named by an operator can hold anything) becomes a blank so that it
    // cannot end the reply early or forge a line.
    QByteArray Encode() const;
};
