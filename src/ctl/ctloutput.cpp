// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctloutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>

namespace {

QString Field(const QJsonObject &object, const char *name)
{
    return object.value(QLatin1String(name)).toString();
}

QString Texts(const QJsonValue &list)
{
    QStringList texts;
    for (const QJsonValue &value : list.toArray())
        texts << value.toString();
    return texts.isEmpty() ? QStringLiteral("none") : texts.join(QStringLiteral(", "));
}

QString SegmentsLine(const QJsonObject &result)
{
    const QJsonArray segments = result.value(QLatin1String("segments")).toArray();
    QStringList items;
    for (const QJsonValue &value : segments) {
        const QJsonObject segment = value.toObject();
        items << QStringLiteral("%1 %2 %3-%4")
                     .arg(segment.value(QLatin1String("number")).toInt())
                     .arg(Field(segment, "name"), Field(segment, "in"), Field(segment, "out"));
    }
    return QStringLiteral("%1 segments%2%3")
        .arg(segments.size())
        .arg(items.isEmpty() ? QString() : QStringLiteral(": "), items.join(QStringLiteral("; ")));
}

QString PlaylistLine(const QJsonObject &result)
{
    return QStringLiteral("rows: %1; current %2; remaining %3")
        .arg(Texts(result.value(QLatin1String("rows"))))
        .arg(result.value(QLatin1String("current")).toInt())
        .arg(Field(result, "remaining"));
}

QString FilesLine(const QJsonObject &result)
{
    const QString loaded = Field(result, "loaded");
    return QStringLiteral("files: %1; loaded %2; storage %3")
        .arg(Texts(result.value(QLatin1String("files"))),
             loaded.isEmpty() ? QStringLiteral("none") : loaded, Field(result, "storageRemaining"));
}

} // namespace

QString ResultLine(const QString &method, const QJsonValue &result)
{
    const QJsonObject object = result.toObject();
    if (method == QLatin1String("status"))
        return StatusLine(object);
    if (method == QLatin1String("segment.list"))
        return SegmentsLine(object);
    if (method == QLatin1String("playlist.list"))
        return PlaylistLine(object);
    if (method == QLatin1String("file.list"))
        return FilesLine(object);
    if (method == QLatin1String("memory.capture"))
        return QStringLiteral("memory %1: %2")
            .arg(object.value(QLatin1String("slot")).toInt())
            .arg(Field(object, "time"));
    if (method == QLatin1String("recorder.list"))
        return QStringLiteral("recorders: %1; current %2")
            .arg(Texts(object.value(QLatin1String("recorders"))), Field(object, "current"));
    if (result.isObject() && object.isEmpty())
        return QStringLiteral("ok");
    return QString::fromUtf8(result.isObject()
                                 ? QJsonDocument(object).toJson(QJsonDocument::Compact)
                                 : QJsonDocument(result.toArray()).toJson(QJsonDocument::Compact));
}

QString ErrorLine(const QJsonObject &error)
{
    return QStringLiteral("%1: %2").arg(Field(error, "code"), Field(error, "message"));
}

QString StatusLine(const QJsonObject &topics)
{
    const QJsonObject connection = topics.value(QLatin1String("connection")).toObject();
    const QJsonObject time = topics.value(QLatin1String("time")).toObject();
    const QJsonObject transport = topics.value(QLatin1String("transport")).toObject();
    const QJsonObject file = topics.value(QLatin1String("file")).toObject();
    QString recorder = Field(connection, "recorder");
    if (recorder.isEmpty())
        recorder = QStringLiteral("no recorder");
    else if (connection.value(QLatin1String("lost")).toBool())
        recorder += QStringLiteral(" (lost)");
    const auto orDash = [](const QString &text) {
        return text.isEmpty() ? QStringLiteral("-") : text;
    };
    return QStringLiteral("%1  %2  %3  %4  %5")
        .arg(recorder, orDash(Field(time, "text")), orDash(Field(transport, "word")),
             orDash(Field(transport, "side")), orDash(Field(file, "loaded")));
}
