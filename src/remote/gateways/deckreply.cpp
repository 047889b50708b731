// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckreply.h"

namespace {

struct CodeText
{
    DeckCode code;
    const char *text;
};

const CodeText kCodeTexts[] = {
    {DeckCode::SyntaxError, "syntax error"},
    {DeckCode::UnsupportedParameter, "unsupported parameter"},
    {DeckCode::InvalidValue, "invalid value"},
    {DeckCode::Unsupported, "unsupported"},
    {DeckCode::NoDisk, "no disk"},
    {DeckCode::TimelineEmpty, "timeline empty"},
    {DeckCode::InternalError, "internal error"},
    {DeckCode::OutOfRange, "out of range"},
    {DeckCode::RemoteDisabled, "remote control disabled"},
    {DeckCode::ConnectionRejected, "connection rejected"},
    {DeckCode::Ok, "ok"},
    {DeckCode::Help, "help"},
    {DeckCode::SlotInfo, "slot info"},
    {DeckCode::DeviceInfo, "device info"},
    {DeckCode::ClipsInfo, "clips info"},
    {DeckCode::DiskList, "disk list"},
    {DeckCode::TransportInfo, "transport info"},
    {DeckCode::Notify, "notify"},
    {DeckCode::RemoteInfo, "remote info"},
    {DeckCode::Configuration, "configuration"},
    {DeckCode::ClipsCount, "clips count"},
    {DeckCode::ConnectionInfo, "connection info"},
    {DeckCode::SlotInfoChanged, "slot info"},
    {DeckCode::TransportInfoChanged, "transport info"},
    {DeckCode::RemoteInfoChanged, "remote info"},
    {DeckCode::ConfigurationChanged, "configuration info"},
    {DeckCode::DisplayTimecodeChanged, "display timecode"},
};

QString OneLine(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

} // namespace

QString DeckCodeText(DeckCode code)
{
    for (const CodeText &entry : kCodeTexts) {
        if (entry.code == code)
            return QLatin1String(entry.text);
    }
    return QString();
}

DeckReply &DeckReply::Field(const QString &key, const QString &value)
{
    lines << key + QLatin1String(": ") + value;
    return *this;
}

DeckReply &DeckReply::Field(const QString &key, bool value)
{
    return Field(key, value ? QStringLiteral("true") : QStringLiteral("false"));
}

DeckReply &DeckReply::Field(const QString &key, int value)
{
    return Field(key, QString::number(value));
}

bool DeckReply::Block() const
{
    return int(code) > int(DeckCode::Ok);
}

QByteArray DeckReply::Encode() const
{
    static const QByteArray kEnd("\r\n");
    QByteArray bytes = QByteArray::number(int(code)) + ' ' + DeckCodeText(code).toUtf8();
    if (!Block())
        return bytes + kEnd;
    bytes += ':' + kEnd;
    for (const QString &line : lines)
        bytes += OneLine(line).toUtf8() + kEnd;
    return bytes + kEnd;
}
