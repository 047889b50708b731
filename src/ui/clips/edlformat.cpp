// SPDX-License-Identifier: GPL-3.0-or-later
#include "edlformat.h"

#include <QRegularExpression>

namespace {

constexpr int kReelLength = 8;
constexpr int kTitleLength = 70;
constexpr char kLineEnd[] = "\r\n";
constexpr char kAuxiliaryReel[] = "AX";
constexpr char kTrack[] = "AA/V";
constexpr char kCut[] = "C";

// Frame numbers drop frame skips at the start of a minute: 2 at 30 frames,
// 4 at 60.
int DroppedPerMinute(EdlRate rate)
{
    return rate.dropFrame ? rate.fps / 15 : 0;
}

// Printable ASCII is all a list carries; anything else becomes "_".
QByteArray Printable(const QByteArray &text)
{
    QByteArray out = text;
    for (char &c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E)
            c = '_';
    }
    return out;
}

// A reel name is up to eight letters, digits or "_", in upper case.
QByteArray ReelName(const QString &reel)
{
    QByteArray name = reel.trimmed().toUpper().toLatin1().left(kReelLength);
    for (char &c : name) {
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
            c = '_';
    }
    return name.isEmpty() ? QByteArray(kAuxiliaryReel) : name;
}

QByteArray Header(const QString &title, int list, EdlRate rate)
{
    QByteArray text = Printable(title.toLatin1()).left(kTitleLength);
    if (list > 1)
        text += " (" + QByteArray::number(list) + ')';
    return "TITLE: " + text + kLineEnd +
           "FCM: " + (rate.dropFrame ? "DROP FRAME" : "NON-DROP FRAME") + kLineEnd;
}

QByteArray Event(int number, const QByteArray &reel, const EdlSource &source, qint64 recordIn,
                 EdlRate rate)
{
    const qint64 recordOut = recordIn + (source.out - source.in);
    const QByteArray line = QByteArray::number(number).rightJustified(3, '0') + "  " +
                            reel.leftJustified(8) + ' ' + QByteArray(kTrack).leftJustified(5) +
                            ' ' + QByteArray(kCut).leftJustified(4) + ' ' + QByteArray(3, ' ') +
                            ' ' + EdlTimecode(source.in, rate) + ' ' +
                            EdlTimecode(source.out, rate) + ' ' + EdlTimecode(recordIn, rate) +
                            ' ' + EdlTimecode(recordOut, rate) + kLineEnd;
    return kLineEnd + line + "* FROM CLIP NAME: " + Printable(source.name) + kLineEnd;
}

} // namespace

EdlRate EdlRateFor(int fps, bool dropFrame)
{
    return {fps, dropFrame && (fps == 30 || fps == 60)};
}

QByteArray EdlTimecode(qint64 frames, EdlRate rate)
{
    if (frames < 0 || rate.fps <= 0)
        frames = 0;
    const int drop = DroppedPerMinute(rate);
    if (drop > 0) {
        // Put back the numbers skipped so far: nine minutes in every ten
        // skip `drop` numbers each.
        const qint64 perTenMinutes = 600LL * rate.fps - 9LL * drop;
        const qint64 perMinute = 60LL * rate.fps - drop;
        const qint64 tens = frames / perTenMinutes;
        const qint64 rest = frames % perTenMinutes;
        frames += 9 * drop * tens;
        if (rest >= drop)
            frames += drop * ((rest - drop) / perMinute);
    }
    const qint64 fps = rate.fps > 0 ? rate.fps : 1;
    const qint64 ff = frames % fps;
    const qint64 seconds = frames / fps;
    return QByteArray::number(seconds / 3600).rightJustified(2, '0') + ':' +
           QByteArray::number(seconds / 60 % 60).rightJustified(2, '0') + ':' +
           QByteArray::number(seconds % 60).rightJustified(2, '0') + ':' +
           QByteArray::number(ff).rightJustified(2, '0');
}

bool ParseEdlTimecode(const QString &text, EdlRate rate, qint64 *frames)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,3})[:;](\\d{2})[:;](\\d{2})[:;](\\d{2})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch() || rate.fps <= 0)
        return false;
    const qint64 hh = match.captured(1).toLongLong();
    const qint64 mm = match.captured(2).toLongLong();
    const qint64 ss = match.captured(3).toLongLong();
    const qint64 ff = match.captured(4).toLongLong();
    const int drop = DroppedPerMinute(rate);
    if (mm > 59 || ss > 59 || ff >= rate.fps || (drop > 0 && ss == 0 && ff < drop && mm % 10 != 0))
        return false;
    const qint64 minutes = hh * 60 + mm;
    *frames = (minutes * 60 + ss) * rate.fps + ff - drop * (minutes - minutes / 10);
    return true;
}

EdlResult MakeEdl(const EdlRequest &request)
{
    EdlResult result;
    const QByteArray reel = ReelName(request.reel);
    if (reel != request.reel.toLatin1() && !request.reel.isEmpty())
        result.replaced
            << QStringLiteral("reel %1 -> %2").arg(request.reel, QString::fromLatin1(reel));
    qint64 recordIn = request.recordStart;
    int number = 0;
    QByteArray list;
    for (const EdlSource &source : request.sources) {
        if (source.out < source.in) {
            result.leftOut << QString::fromLatin1(source.name);
            continue;
        }
        if (Printable(source.name) != source.name)
            result.replaced << QStringLiteral("%1 -> %2")
                                   .arg(QString::fromLatin1(source.name),
                                        QString::fromLatin1(Printable(source.name)));
        if (number == EdlResult::kMaxEvents) {
            result.lists.push_back(list);
            number = 0;
        }
        if (number == 0)
            list = Header(request.title, static_cast<int>(result.lists.size()) + 1, request.rate);
        list += Event(++number, reel, source, recordIn, request.rate);
        recordIn += source.out - source.in;
    }
    if (number > 0 || result.lists.empty())
        result.lists.push_back(number > 0 ? list : Header(request.title, 1, request.rate));
    return result;
}
