// SPDX-License-Identifier: GPL-3.0-or-later
#include "oscroutes.h"

#include <QJsonDocument>
#include <QJsonValue>

#include <cmath>

namespace {

// How an argument is read: a text, a whole number, a whole number or a text
// (a segment by number or by name), or a flag (true/false, or 1/0).
enum class Arg { Text, Int, IntOrText, Flag };

struct Param
{
    const char *name;     // for Text, Int and Flag; IntOrText uses the two below
    const char *textName; // IntOrText: the name a text argument takes
    Arg arg;
    bool optional;
};

struct Route
{
    const char *path;
    const char *method;
    QList<Param> params;
};

const char kPrefix[] = "/tavrel/";

const QList<Route> &Routes()
{
    static const QList<Route> routes = {
        {"play", "transport.play", {}},
        {"stop", "transport.stop", {}},
        {"record", "transport.record", {{"confirm", nullptr, Arg::Flag, true}}},
        {"fastforward", "transport.fastForward", {}},
        {"rewind", "transport.rewind", {}},
        {"goto", "transport.goto", {{"timecode", nullptr, Arg::Text, false}}},
        {"jog", "transport.jog", {{"frames", nullptr, Arg::Int, false}}},
        {"shuttle", "transport.shuttle", {{"speed", nullptr, Arg::Int, false}}},
        {"side", "transport.side", {{"side", nullptr, Arg::Text, false}}},
        {"segment/play", "segment.play", {{"number", "name", Arg::IntOrText, false}}},
        {"segment/cue",
         "segment.cue",
         {{"number", "name", Arg::IntOrText, false}, {"point", nullptr, Arg::Text, true}}},
        {"segment/list", "segment.list", {}},
        {"playlist/start", "playlist.start", {{"row", nullptr, Arg::Int, true}}},
        {"playlist/next", "playlist.next", {}},
        {"playlist/previous", "playlist.previous", {}},
        {"playlist/stop", "playlist.stop", {}},
        {"playlist/list", "playlist.list", {}},
        {"file/list", "file.list", {}},
        {"file/load", "file.load", {{"name", nullptr, Arg::Text, false}}},
        {"memory/capture", "memory.capture", {{"slot", nullptr, Arg::Int, false}}},
        {"memory/locate", "memory.locate", {{"slot", nullptr, Arg::Int, false}}},
        {"recorder/list", "recorder.list", {}},
        {"recorder/select", "recorder.select", {{"name", nullptr, Arg::Text, false}}},
        {"status", "status", {}},
    };
    return routes;
}

// A whole number from an int, or from a float that holds one (show-control
// programs often send every number as a float).
bool WholeNumber(const QVariant &value, int &number)
{
    if (value.typeId() == QMetaType::Int) {
        number = value.toInt();
        return true;
    }
    if (value.typeId() != QMetaType::Double)
        return false;
    const double real = value.toDouble();
    if (!std::isfinite(real) || std::trunc(real) != real || std::fabs(real) > 1e9)
        return false;
    number = int(real);
    return true;
}

bool ReadParam(const Param &param, const QVariant &value, QJsonObject &params, QString &fault)
{
    int number = 0;
    const bool whole = WholeNumber(value, number);
    const bool text = value.typeId() == QMetaType::QString;
    switch (param.arg) {
    case Arg::Text:
        if (text) {
            params.insert(QLatin1String(param.name), value.toString());
            return true;
        }
        fault = QStringLiteral("%1 must be a string").arg(QLatin1String(param.name));
        return false;
    case Arg::Int:
        if (whole) {
            params.insert(QLatin1String(param.name), number);
            return true;
        }
        fault = QStringLiteral("%1 must be a whole number").arg(QLatin1String(param.name));
        return false;
    case Arg::IntOrText:
        if (whole || text) {
            params.insert(QLatin1String(text ? param.textName : param.name),
                          text ? QJsonValue(value.toString()) : QJsonValue(number));
            return true;
        }
        fault = QStringLiteral("give the segment's number or its name");
        return false;
    case Arg::Flag:
        if (value.typeId() == QMetaType::Bool || (whole && (number == 0 || number == 1))) {
            params.insert(QLatin1String(param.name), whole ? number == 1 : value.toBool());
            return true;
        }
        fault = QStringLiteral("%1 must be true, false, 1 or 0").arg(QLatin1String(param.name));
        return false;
    }
    return false;
}

OscRoute Invalid(const QString &fault)
{
    OscRoute route;
    route.fault = fault;
    return route;
}

OscRoute Topics(OscRoute::Kind kind, const QVariantList &args)
{
    OscRoute route;
    route.kind = kind;
    for (const QVariant &arg : args) {
        if (arg.typeId() != QMetaType::QString)
            return Invalid(QStringLiteral("topics are strings"));
        route.topics << arg.toString();
    }
    return route;
}

struct PushEntry
{
    const char *topic;
    const char *path;
    const char *key;
};

const PushEntry kPushes[] = {
    {"time", "/tavrel/time", "text"},
    {"transport", "/tavrel/transport", "word"},
    {"segment", "/tavrel/segment", "name"},
    {"segment", "/tavrel/segment/remaining", "remaining"},
    {"playlist", "/tavrel/playlist/remaining", "remaining"},
    {"connection", "/tavrel/connection", "recorder"},
    {"file", "/tavrel/file", "loaded"},
    {"display", "/tavrel/display/upper", "upper"},
    {"display", "/tavrel/display/lower", "lower"},
};

} // namespace

OscRoute RouteOsc(const OscMessage &message)
{
    if (!message.path.startsWith(QLatin1String(kPrefix)))
        return Invalid(QStringLiteral("no such address"));
    const QString name = message.path.mid(int(sizeof(kPrefix)) - 1);
    if (name == QLatin1String("subscribe"))
        return Topics(OscRoute::Kind::Subscribe, message.args);
    if (name == QLatin1String("unsubscribe"))
        return Topics(OscRoute::Kind::Unsubscribe, message.args);
    for (const Route &route : Routes()) {
        if (name != QLatin1String(route.path))
            continue;
        if (message.args.size() > route.params.size())
            return Invalid(QStringLiteral("too many arguments"));
        OscRoute command;
        command.kind = OscRoute::Kind::Command;
        command.method = QLatin1String(route.method);
        for (int index = 0; index < route.params.size(); ++index) {
            const Param &param = route.params.at(index);
            if (index >= message.args.size()) {
                if (param.optional)
                    break;
                return Invalid(QStringLiteral("an argument is missing"));
            }
            QString fault;
            if (!ReadParam(param, message.args.at(index), command.params, fault))
                return Invalid(fault);
        }
        return command;
    }
    return Invalid(QStringLiteral("no such address"));
}

QList<OscMessage> OscPushes(const QString &topic, const QJsonObject &state)
{
    QList<OscMessage> pushes;
    for (const PushEntry &entry : kPushes) {
        if (topic != QLatin1String(entry.topic))
            continue;
        const QJsonValue value = state.value(QLatin1String(entry.key));
        pushes << OscMessage{QLatin1String(entry.path),
                             {value.isString() ? value.toString() : value.toVariant().toString()}};
    }
    return pushes;
}

OscMessage OscReply(const QString &path, const QJsonObject &outcome)
{
    QJsonObject reply = outcome;
    reply.insert(QStringLiteral("address"), path);
    return {QStringLiteral("/tavrel/reply"),
            {QString::fromUtf8(QJsonDocument(reply).toJson(QJsonDocument::Compact))}};
}
