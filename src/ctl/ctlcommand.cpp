// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctlcommand.h"

#include <QJsonDocument>
#include <QJsonValue>

#include <utility>

namespace {

// What the argument after the command words is.
enum class Arg {
    None, // no argument
    Int,  // a whole number
    OptionalInt,
    Text,
    Segment,    // a number or a name
    SegmentCue, // a number or a name, then optionally "in" or "out"
};

struct Verb
{
    const char *words;
    const char *method;
    Arg arg;
    const char *param;
    const char *help;
};

const Verb kVerbs[] = {
    {"play", "transport.play", Arg::None, nullptr, "play"},
    {"stop", "transport.stop", Arg::None, nullptr, "stop"},
    {"record", "transport.record", Arg::None, nullptr,
     "record [--confirm]     record on the recorder side"},
    {"forward", "transport.fastForward", Arg::None, nullptr, "forward                fast forward"},
    {"rewind", "transport.rewind", Arg::None, nullptr, "rewind"},
    {"jog", "transport.jog", Arg::Int, "frames",
     "jog FRAMES             step frames, back when negative"},
    {"shuttle", "transport.shuttle", Arg::Int, "speed",
     "shuttle SPEED          -120 to 120, as the dial"},
    {"goto", "transport.goto", Arg::Text, "timecode", "goto HH:MM:SS:FF"},
    {"side", "transport.side", Arg::Text, "side", "side recorder|player"},
    {"segment play", "segment.play", Arg::Segment, nullptr, "segment play NAME|NUMBER"},
    {"segment cue", "segment.cue", Arg::SegmentCue, nullptr, "segment cue NAME|NUMBER [in|out]"},
    {"segment list", "segment.list", Arg::None, nullptr, "segment list"},
    {"playlist start", "playlist.start", Arg::OptionalInt, "row",
     "playlist start [ROW]   rows count from 0"},
    {"playlist next", "playlist.next", Arg::None, nullptr, "playlist next"},
    {"playlist previous", "playlist.previous", Arg::None, nullptr, "playlist previous"},
    {"playlist stop", "playlist.stop", Arg::None, nullptr, "playlist stop"},
    {"playlist list", "playlist.list", Arg::None, nullptr, "playlist list"},
    {"file list", "file.list", Arg::None, nullptr, "file list"},
    {"file load", "file.load", Arg::Text, "name", "file load NAME"},
    {"memory capture", "memory.capture", Arg::Int, "slot", "memory capture 1-4"},
    {"memory locate", "memory.locate", Arg::Int, "slot", "memory locate 1-4"},
    {"recorder list", "recorder.list", Arg::None, nullptr, "recorder list"},
    {"recorder select", "recorder.select", Arg::Text, "name", "recorder select NAME|ADDRESS"},
    {"status", "status", Arg::None, nullptr, "status [--watch]"},
};

const QStringList kWatchTopics = {QStringLiteral("connection"), QStringLiteral("time"),
                                  QStringLiteral("transport"), QStringLiteral("file")};

bool ReadInt(const QString &word, int &value)
{
    bool ok = false;
    value = word.toInt(&ok);
    return ok;
}

// A segment is named by its number when the word is all digits.
void PutSegment(const QString &word, QJsonObject &params)
{
    int number = 0;
    if (ReadInt(word, number) && number > 0)
        params.insert(QStringLiteral("number"), number);
    else
        params.insert(QStringLiteral("name"), word);
}

// How many words may follow the command words.
std::pair<int, int> ArgCount(Arg arg)
{
    switch (arg) {
    case Arg::None:
        return {0, 0};
    case Arg::OptionalInt:
        return {0, 1};
    case Arg::SegmentCue:
        return {1, 2};
    case Arg::Int:
    case Arg::Text:
    case Arg::Segment:
        break;
    }
    return {1, 1};
}

bool ReadArgs(const Verb &verb, const QStringList &args, QJsonObject &params, QString &fault)
{
    const auto [fewest, most] = ArgCount(verb.arg);
    if (args.size() < fewest || args.size() > most) {
        fault = args.size() < fewest
                    ? QStringLiteral("\"%1\" needs a value").arg(QLatin1String(verb.words))
                    : QStringLiteral("too many words after \"%1\"").arg(QLatin1String(verb.words));
        return false;
    }
    if (args.isEmpty())
        return true;
    int number = 0;
    switch (verb.arg) {
    case Arg::Int:
    case Arg::OptionalInt:
        if (!ReadInt(args.first(), number)) {
            fault = QStringLiteral("%1 is not a whole number").arg(args.first());
            return false;
        }
        params.insert(QLatin1String(verb.param), number);
        break;
    case Arg::Text:
        params.insert(QLatin1String(verb.param), args.first());
        break;
    case Arg::Segment:
    case Arg::SegmentCue:
        PutSegment(args.first(), params);
        if (args.size() == 2)
            params.insert(QStringLiteral("point"), args.at(1));
        break;
    case Arg::None:
        break;
    }
    return true;
}

} // namespace

bool ParseCtlCommand(const QStringList &words, bool confirm, bool watch, CtlCommand &command,
                     QString &fault)
{
    if (words.isEmpty()) {
        fault = QStringLiteral("no command given");
        return false;
    }
    // "call METHOD [PARAMS]": any method, its parameters as a JSON object.
    if (words.first() == QLatin1String("call")) {
        if (words.size() < 2 || words.size() > 3) {
            fault = QStringLiteral("call needs a method and, optionally, a JSON object");
            return false;
        }
        command.method = words.at(1);
        if (words.size() == 3) {
            const QJsonDocument params = QJsonDocument::fromJson(words.at(2).toUtf8());
            if (!params.isObject()) {
                fault = QStringLiteral("the parameters of call must be a JSON object");
                return false;
            }
            command.params = params.object();
        }
        return true;
    }
    for (const Verb &verb : kVerbs) {
        const QStringList verbWords = QString::fromLatin1(verb.words).split(QLatin1Char(' '));
        if (words.mid(0, verbWords.size()) != verbWords)
            continue;
        command.method = QLatin1String(verb.method);
        if (!ReadArgs(verb, words.mid(verbWords.size()), command.params, fault))
            return false;
        if (confirm && command.method == QLatin1String("transport.record"))
            command.params.insert(QStringLiteral("confirm"), true);
        if (watch && command.method == QLatin1String("status"))
            command.watchTopics = kWatchTopics;
        return true;
    }
    fault = QStringLiteral("unknown command \"%1\"").arg(words.join(QLatin1Char(' ')));
    return false;
}

QString CtlCommandsHelp()
{
    QStringList lines;
    for (const Verb &verb : kVerbs)
        lines << QStringLiteral("  ") + QLatin1String(verb.help);
    lines << QStringLiteral("  call METHOD [JSON]     any method of the API");
    return lines.join(QLatin1Char('\n'));
}
