// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/replayscript.h"

#include "wire/packetheader.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <optional>

namespace xrsim {

namespace {

constexpr int kVersion = 1;
const char kMagic[] = "tavrel-traffic";
// A text of several megabytes is a long session; beyond this it is no
// recording of this program.
constexpr qint64 kMaxFileBytes = 1LL << 31;
constexpr int kMaxFrameBytes = 18;
constexpr int kMaxDatagramBytes = 1462;

enum class Direction { Out, In, Dropped };

struct Line
{
    int number = 0;
    qint64 timeUs = 0;
    Direction direction = Direction::Out;
    QString link;
    QByteArray frame;
    QByteArray datagram;
};

// "12.000345" -> microseconds.
std::optional<qint64> Seconds(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,12})\\.(\\d{6})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong() * 1'000'000 + match.captured(2).toLongLong();
}

std::optional<QByteArray> HexBytes(const QStringList &words, int first, int last, int digits)
{
    QByteArray bytes;
    for (int i = first; i < last; ++i) {
        bool ok = false;
        const uint value = words[i].toUInt(&ok, 16);
        if (!ok || words[i].size() != digits)
            return std::nullopt;
        if (digits == 4)
            bytes.append(char(value >> 8));
        bytes.append(char(value & 0xFF));
    }
    return bytes;
}

// The bytes of a line: on UDP five header words, a bar and the payload (or
// bare bytes for a datagram shorter than a header); on a serial line bare.
bool ReadBytes(const QStringList &words, Line *line, QString *why)
{
    if (!line->link.startsWith(QLatin1String("udp:"))) {
        const auto bytes = HexBytes(words, 3, int(words.size()), 2);
        if (!bytes || bytes->isEmpty() || bytes->size() > 4 * kMaxFrameBytes) {
            *why = QStringLiteral("its bytes are not hex pairs");
            return false;
        }
        line->frame = *bytes;
        return true;
    }
    const int bar = int(words.indexOf(QStringLiteral("|")));
    if (bar < 0) {
        const auto runt = HexBytes(words, 3, int(words.size()), 2);
        if (!runt || runt->size() >= PacketHeader::kSize) {
            *why = QStringLiteral("a datagram without its header bar");
            return false;
        }
        line->datagram = *runt;
        return true;
    }
    const auto header = bar == 8 ? HexBytes(words, 3, bar, 4) : std::nullopt;
    const auto payload = HexBytes(words, bar + 1, int(words.size()), 2);
    if (!header || !payload || header->size() + payload->size() > kMaxDatagramBytes) {
        *why = QStringLiteral("the header is not five words of four hex digits, or the payload "
                              "not hex pairs");
        return false;
    }
    line->frame = *payload;
    line->datagram = *header + *payload;
    return true;
}

// The link a line belongs to: a recorder's address without the port (a
// reply comes from the port the command went to), or the serial port.
QString RecorderOf(const QString &link)
{
    if (!link.startsWith(QLatin1String("udp:")))
        return link.toUpper();
    return link.mid(4).section(QLatin1Char(':'), 0, 0);
}

std::optional<Line> ReadLine(const QString &text, int number, QString *why)
{
    const QString bare = text.section(QLatin1Char('#'), 0, 0).trimmed();
    const QStringList words = bare.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 4) {
        *why = QStringLiteral("not a frame: too few fields");
        return std::nullopt;
    }
    Line line;
    line.number = number;
    const auto time = Seconds(words[0]);
    if (!time) {
        *why = QStringLiteral("the time is not seconds with six decimals");
        return std::nullopt;
    }
    line.timeUs = *time;
    if (words[1] == QLatin1String(">"))
        line.direction = Direction::Out;
    else if (words[1] == QLatin1String("<"))
        line.direction = Direction::In;
    else if (words[1] == QLatin1String("<!"))
        line.direction = Direction::Dropped;
    else {
        *why = QStringLiteral("the direction is none of >, < and <!");
        return std::nullopt;
    }
    line.link = words[2];
    if (RecorderOf(line.link).isEmpty()) {
        *why = QStringLiteral("the link names no recorder");
        return std::nullopt;
    }
    if (!ReadBytes(words, &line, why))
        return std::nullopt;
    return line;
}

// The recorder asked for: a link as written, an address alone, or a port.
QString AskedRecorder(const QString &asked)
{
    if (asked.startsWith(QLatin1String("udp:")))
        return RecorderOf(asked);
    if (asked.front().isDigit())
        return asked.section(QLatin1Char(':'), 0, 0);
    return asked.toUpper();
}

QString ChosenRecorder(const QList<Line> &lines, const QString &asked)
{
    if (!asked.isEmpty())
        return AskedRecorder(asked);
    QHash<QString, int> counts;
    for (const Line &line : lines)
        ++counts[RecorderOf(line.link)];
    QString best;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (best.isEmpty() || it.value() > counts.value(best) ||
            (it.value() == counts.value(best) && it.key() < best))
            best = it.key();
    }
    return best;
}

} // namespace

bool ReplayScript::Load(const QString &path, const QString &wanted, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > kMaxFileBytes) {
        *error = QStringLiteral("%1 is too large for a recording").arg(path);
        return false;
    }
    return Parse(file.readAll(), wanted, error);
}

bool ReplayScript::Parse(const QByteArray &text, const QString &wanted, QString *error)
{
    exchanges.clear();
    problems.clear();
    const QList<QByteArray> rows = text.split('\n');
    QList<Line> lines;
    bool headed = false;
    qint64 lastTimeUs = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const int number = i + 1;
        const QString row = QString::fromUtf8(rows[i]).trimmed();
        if (row.isEmpty() || row.startsWith(QLatin1Char('#')))
            continue;
        if (row.startsWith(QLatin1String(kMagic))) {
            const QString version = row.mid(int(qstrlen(kMagic))).trimmed();
            if (version != QString::number(kVersion)) {
                *error = QStringLiteral("line %1: a recording of format version %2; this "
                                        "simulator reads version %3")
                             .arg(number)
                             .arg(version)
                             .arg(kVersion);
                return false;
            }
            headed = true;
            continue;
        }
        if (!headed) {
            *error = QStringLiteral("line %1: not a recording (it must begin with \"%2 %3\")")
                         .arg(number)
                         .arg(QLatin1String(kMagic))
                         .arg(kVersion);
            return false;
        }
        QString why;
        const auto line = ReadLine(row, number, &why);
        if (!line) {
            problems << QStringLiteral("line %1: skipped, %2").arg(number).arg(why);
            continue;
        }
        if (line->timeUs < lastTimeUs)
            problems << QStringLiteral("line %1: earlier than the line before; replayed in "
                                       "the order of the file")
                            .arg(number);
        lastTimeUs = std::max(lastTimeUs, line->timeUs);
        lines << *line;
    }
    recorder = ChosenRecorder(lines, wanted);
    qint64 sentUs = 0;
    for (const Line &line : lines) {
        if (RecorderOf(line.link) != recorder)
            continue;
        if (line.direction == Direction::Out) {
            exchanges.append({line.number, line.frame, line.datagram, {}});
            sentUs = line.timeUs;
            continue;
        }
        // What came before the first command answers nothing.
        if (!exchanges.isEmpty())
            exchanges.last().replies.append({line.number, std::max<qint64>(line.timeUs - sentUs, 0),
                                             line.frame, line.datagram});
    }
    if (exchanges.isEmpty()) {
        *error = recorder.isEmpty()
                     ? QStringLiteral("no frames in the recording")
                     : QStringLiteral("no command to %1 in the recording").arg(recorder);
        return false;
    }
    return true;
}

} // namespace xrsim
