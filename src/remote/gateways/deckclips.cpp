// SPDX-License-Identifier: GPL-3.0-or-later
#include "deckclips.h"

#include <algorithm>

namespace {

// What the deck protocol calls a clip's file format: the recorder's own.
const char kFileFormat[] = "native";

QString Line(int id, const QStringList &fields)
{
    return QString::number(id) + QLatin1String(": ") + fields.join(QLatin1Char(' '));
}

} // namespace

DeckReply ClipsInfo(const QList<DeckClip> &clips)
{
    DeckReply reply(DeckCode::ClipsInfo);
    reply.Field(QStringLiteral("clip count"), int(clips.size()));
    for (int index = 0; index < clips.size(); ++index) {
        const DeckClip &clip = clips.at(index);
        reply.lines << Line(index + 1, {clip.name, clip.start, clip.duration});
    }
    return reply;
}

DeckReply DiskList(const QList<DeckClip> &clips, const QString &videoFormat)
{
    DeckReply reply(DeckCode::DiskList);
    reply.Field(QStringLiteral("slot id"), 1);
    for (int index = 0; index < clips.size(); ++index) {
        const DeckClip &clip = clips.at(index);
        reply.lines << Line(index + 1,
                            {clip.name, QLatin1String(kFileFormat), videoFormat, clip.duration});
    }
    return reply;
}

DeckReply ClipsCount(const QList<DeckClip> &clips)
{
    return DeckReply(DeckCode::ClipsCount).Field(QStringLiteral("clip count"), int(clips.size()));
}

int ClipIdOf(const QList<DeckClip> &clips, int segmentNumber)
{
    for (int index = 0; index < clips.size(); ++index) {
        if (segmentNumber > 0 && clips.at(index).number == segmentNumber)
            return index + 1;
    }
    return 0;
}

bool ResolveClipId(const QString &value, const QList<DeckClip> &clips, int current, int &id,
                   DeckCode &error)
{
    const bool relative = value.startsWith(QLatin1Char('+')) || value.startsWith(QLatin1Char('-'));
    bool number = false;
    const int given = value.toInt(&number);
    if (!number) {
        error = DeckCode::InvalidValue;
        return false;
    }
    const int count = int(clips.size());
    if (count == 0) {
        error = DeckCode::TimelineEmpty;
        return false;
    }
    if (relative) {
        const qint64 target = qint64(std::max(current, 1)) + given;
        id = int(std::clamp<qint64>(target, 1, count));
        return true;
    }
    if (given < 1 || given > count) {
        error = DeckCode::OutOfRange;
        return false;
    }
    id = given;
    return true;
}
