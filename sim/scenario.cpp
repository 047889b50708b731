// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenario.h"

#include "model/timecode.h"
#include "model/videostandard.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

#include <functional>
#include <utility>

namespace xrsim {

namespace {

using Setter = std::function<bool(Scenario &, const QString &)>;

struct KeyEntry
{
    const char *name;
    const char *valueName;
    const char *help;
    Setter apply;
};

bool ToInt(const QString &text, int low, int high, int *out)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 0);
    if (!ok || number < low || number > high)
        return false;
    *out = number;
    return true;
}

Setter IntSetter(int Scenario::*field, int low, int high)
{
    return [field, low, high](Scenario &s, const QString &v) {
        return ToInt(v, low, high, &(s.*field));
    };
}

template <typename T>
Setter ChoiceSetter(T Scenario::*field, QList<std::pair<const char *, T>> choices)
{
    return [field, choices](Scenario &s, const QString &v) {
        for (const auto &choice : choices) {
            if (v.compare(QLatin1String(choice.first), Qt::CaseInsensitive) == 0) {
                s.*field = choice.second;
                return true;
            }
        }
        return false;
    };
}

Setter TextSetter(QString Scenario::*field, int maxLength)
{
    return [field, maxLength](Scenario &s, const QString &v) {
        if (v.isEmpty() || v.size() > maxLength)
            return false;
        s.*field = v;
        return true;
    };
}

bool SetTag(Scenario &s, const QString &v)
{
    bool ok = false;
    const uint tag = v.toUInt(&ok, 16);
    if (!ok || v.size() != 8)
        return false;
    s.tag = tag;
    return true;
}

// A name of the scenario: \xNN stands for the byte NN (not 00) and \\ for
// a backslash, so that names may hold bytes outside printable ASCII. Every
// character must fit one byte.
bool UnescapeName(const QString &text, int maxLength, QString *out)
{
    QString name;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\\')) {
            name.append(text.at(i));
        } else if (text.mid(i + 1, 1) == QLatin1String("\\")) {
            name.append(text.at(++i));
        } else {
            static const QRegularExpression escape(QStringLiteral("^x[0-9A-Fa-f]{2}"));
            const QString digits = text.mid(i + 2, 2);
            const uint byte = digits.toUInt(nullptr, 16);
            if (!escape.match(text.mid(i + 1, 3)).hasMatch() || byte == 0)
                return false;
            name.append(QChar(byte));
            i += 3;
        }
    }
    if (name.isEmpty() || name.size() > maxLength || QString::fromLatin1(name.toLatin1()) != name)
        return false;
    *out = name;
    return true;
}

Setter NameSetter(QString Scenario::*field)
{
    return [field](Scenario &s, const QString &v) { return UnescapeName(v, 8, &(s.*field)); };
}

// Hex bytes as text, spaces allowed between them: "62 9A 00 10".
bool HexBytes(const QString &text, QByteArray *out)
{
    static const QRegularExpression form(QStringLiteral("^([0-9A-Fa-f]{2}\\s*)*$"));
    const QString trimmed = text.trimmed();
    if (!form.match(trimmed).hasMatch())
        return false;
    *out = QByteArray::fromHex(trimmed.toLatin1());
    return true;
}

bool AddFile(Scenario &s, const QString &v)
{
    const QStringList parts = v.split(QLatin1Char(','));
    Scenario::File file;
    if (parts.size() > 3 || !UnescapeName(parts.at(0).trimmed(), 8, &file.name))
        return false;
    if (parts.size() > 1 && !ToInt(parts.at(1), 0, 360000, &file.seconds))
        return false;
    if (parts.size() > 2 && !ToInt(parts.at(2), 0, 8, &file.audioTracks))
        return false;
    s.files.append(file);
    return true;
}

// The source of a segment, when its line names one.
bool SourceAt(const QStringList &parts, int at, QString *source)
{
    if (parts.size() <= at)
        return true;
    return UnescapeName(parts.at(at).trimmed(), 8, source);
}

bool AddSegment(Scenario &s, const QString &v)
{
    const QStringList parts = v.split(QLatin1Char(','));
    Scenario::Segment segment;
    Timecode in;
    Timecode out;
    if ((parts.size() != 3 && parts.size() != 4 && parts.size() != 6) ||
        !ToInt(parts.at(0), 1, 2045, &segment.number) || !Timecode::Parse(parts.at(1), &in) ||
        !Timecode::Parse(parts.at(2), &out) || out.ToCount(30, false) <= in.ToCount(30, false) ||
        !SourceAt(parts, 3, &segment.source))
        return false;
    if (parts.size() == 6 && (!ToInt(parts.at(4), 0, 9999, &segment.extra1) ||
                              !ToInt(parts.at(5), 0, 9999, &segment.extra2)))
        return false;
    segment.in = parts.at(1).trimmed();
    segment.out = parts.at(2).trimmed();
    s.segments.append(segment);
    return true;
}

bool ToPosition(const QString &text, quint32 *out)
{
    bool ok = false;
    const qulonglong value = text.trimmed().toULongLong(&ok, 0);
    if (!ok || value > 0xFFFFFFFFu)
        return false;
    *out = quint32(value);
    return true;
}

bool AddRawSegment(Scenario &s, const QString &v)
{
    const QStringList parts = v.split(QLatin1Char(','));
    Scenario::RawSegment segment;
    if ((parts.size() != 3 && parts.size() != 4) || !ToInt(parts.at(0), 1, 2045, &segment.number) ||
        !ToPosition(parts.at(1), &segment.in) || !ToPosition(parts.at(2), &segment.out) ||
        !SourceAt(parts, 3, &segment.source))
        return false;
    s.rawSegments.append(segment);
    return true;
}

bool AddAnswer(Scenario &s, const QString &v)
{
    const QStringList parts = v.split(QLatin1Char(','));
    Scenario::Answer answer;
    if (parts.size() != 2 || !HexBytes(parts.at(0), &answer.frame) || answer.frame.isEmpty() ||
        !HexBytes(parts.at(1), &answer.reply) || answer.reply.size() == 1 ||
        answer.reply.size() > 17)
        return false;
    s.answers.append(answer);
    return true;
}

bool SetSilence(Scenario &s, const QString &v)
{
    const QStringList parts = v.split(QLatin1Char(','));
    QByteArray frame;
    int ms = 0;
    if (parts.size() > 2 || !HexBytes(parts.at(0), &frame) || frame.isEmpty() ||
        (parts.size() == 2 && !ToInt(parts.at(1), 1, 3600000, &ms)))
        return false;
    s.silentFrom = frame;
    s.silentMs = ms;
    return true;
}

bool AddShortSetupPage(Scenario &s, const QString &v)
{
    const QStringList parts = v.split(QLatin1Char(','));
    Scenario::ShortPage page;
    if (parts.size() != 2 || !ToInt(parts.at(0), 0, 10, &page.page) ||
        !ToInt(parts.at(1), 0, 14, &page.bytes))
        return false;
    s.shortSetupPages.append(page);
    return true;
}

bool SetVersionKey(Scenario &s, const QString &v)
{
    QString text;
    if (!UnescapeName(v, 15, &text))
        return false;
    s.versionKey = text.toLatin1();
    return true;
}

bool AddDisk(Scenario &s, const QString &v)
{
    const QStringList parts = v.split(QLatin1Char(','));
    if (s.defaultDisks) {
        s.disks.clear();
        s.defaultDisks = false;
    }
    if (parts.size() == 1 && parts.at(0).trimmed() == QLatin1String("none"))
        return true;
    Scenario::Disk disk;
    if (parts.size() < 2 || parts.size() > 5 || !ToInt(parts.at(0), 1, 2, &disk.bus) ||
        !ToInt(parts.at(1), 0, 15, &disk.id))
        return false;
    if (parts.size() > 2) {
        const QString state = parts.at(2).trimmed();
        if (state != QLatin1String("ready") && state != QLatin1String("unformatted"))
            return false;
        disk.formatted = state == QLatin1String("ready");
    }
    if (parts.size() > 3 && !ToInt(parts.at(3), 1, 2000000, &disk.megabytes))
        return false;
    if (parts.size() > 4 && !ToInt(parts.at(4), 0, 2, &disk.mode))
        return false;
    s.disks.append(disk);
    return true;
}

const QList<KeyEntry> &KeyTable()
{
    using Generation = Scenario::Generation;
    using ListEnd = Scenario::ListEnd;
    static const QList<KeyEntry> table = {
        {"kind", "name", "Information block tag: zaxo, mpeg, xru (default), hdtv or c_hd",
         ChoiceSetter<quint32>(&Scenario::tag, {{"zaxo", 0x7A61786F},
                                                {"mpeg", 0x4D504547},
                                                {"xru", 0x58525520},
                                                {"hdtv", 0x48445456},
                                                {"c_hd", 0x435F4844}})},
        {"tag", "hex", "Information block tag as 8 hex digits (C8445456: HDTV with bit 7 set)",
         SetTag},
        {"generation", "name",
         "Firmware: current (default), dv (older firmware: disk name, no files) or pellet",
         ChoiceSetter<Generation>(&Scenario::generation, {{"current", Generation::Current},
                                                          {"dv", Generation::Dv},
                                                          {"pellet", Generation::Pellet}})},
        {"version_text", "text",
         "Version text (default by generation: XR V4.6.4, DV V3.2.1, "
         "PELLET V1.4.5)",
         TextSetter(&Scenario::version, 15)},
        {"standard", "code", "Video standard code 0-36 (0 PAL default, 1 NTSC, 2 1080 59.94i, ...)",
         IntSetter(&Scenario::videoStandard, 0, VideoStandard::Count() - 2)},
        {"compression", "code", "Compression code of the information block (default 5)",
         IntSetter(&Scenario::compression, 0, 255)},
        {"drop_frame", "on|off", "Drop-frame timecode on 29.97 Hz standards (default on)",
         ChoiceSetter<bool>(&Scenario::dropFrame, {{"on", true}, {"off", false}})},
        {"mode", "name", "Channels: 1r-1p (default, recorder and player), 1r/p or 1p-1p",
         ChoiceSetter<int>(&Scenario::channelMode,
                           {{"1r/p", 0x50}, {"1r-1p", 0x54}, {"1p-1p", 0x52}})},
        {"control", "remote|local", "Front panel control at start (default remote)",
         ChoiceSetter<bool>(&Scenario::local, {{"remote", false}, {"local", true}})},
        {"loop", "on|off",
         "Loop mode at start: playback goes on from the start of the file at its end "
         "(default off)",
         ChoiceSetter<bool>(&Scenario::loop, {{"on", true}, {"off", false}})},
        {"file", "name[,seconds[,tracks]]",
         "A file on the disks (repeatable; default 60 s, 8 audio tracks)", AddFile},
        {"loaded", "name", "The file loaded at start", NameSetter(&Scenario::loaded)},
        {"segment", "n,in,out[,source[,x1,x2]]",
         "Segment n from timer in to out, HH:MM:SS:FF, cut from file source (default: the loaded "
         "file), with the two further numbers x1 and x2 (default 0) (repeatable)",
         AddSegment},
        {"raw_segment", "n,in,out[,source]",
         "Segment n with in and out positions taken as given, unchecked (repeatable)",
         AddRawSegment},
        {"disk", "bus,id[,ready|unformatted[,MB[,mode]]]",
         "A SCSI disk, performance mode 0-2 (repeatable; replaces the default two ready disks "
         "1,0 and 1,1; none for no disks)",
         AddDisk},
        {"disk_name", "text", "Disk name (default XR DISK)", TextSetter(&Scenario::diskName, 15)},
        {"file_store", "on|off",
         "Off: no file store, the file list answers $$$$$$$$ as on older firmware (default on)",
         ChoiceSetter<bool>(&Scenario::fileStore, {{"on", true}, {"off", false}})},
        {"list_end", "marker|last|never",
         "File list end: a 0x94 reply (default), the last name with command byte 0, or never "
         "(the list starts over)",
         ChoiceSetter<ListEnd>(&Scenario::listEnd, {{"marker", ListEnd::Marker},
                                                    {"last", ListEnd::LastName},
                                                    {"never", ListEnd::Never}})},
        {"file_reply_group", "n",
         "Group of the replies to the file list, name query and free time commands (default 7)",
         IntSetter(&Scenario::fileReplyGroup, 0, 15)},
        {"record_mbps", "n", "Recording data rate for storage figures (default 50)",
         IntSetter(&Scenario::recordMbps, 1, 1000)},
        {"cue_ms", "ms", "Time a cue-up takes (default 150)",
         IntSetter(&Scenario::cueMs, 0, 60000)},
        {"scan_ms", "ms", "Time a disk scan takes (default 3000)",
         IntSetter(&Scenario::scanMs, 0, 600000)},
        {"inquiry_ms", "ms", "Time a mode page read takes (default 2000)",
         IntSetter(&Scenario::inquiryMs, 0, 600000)},
        {"format_ms", "ms", "Time a disk format takes (default 12000)",
         IntSetter(&Scenario::formatMs, 0, 3600000)},
        {"format_endless", "on|off",
         "A disk format never ends: the display shows Format for ever (default off)",
         ChoiceSetter<bool>(&Scenario::formatEndless, {{"on", true}, {"off", false}})},
        {"wind_speed", "n", "Fast forward and rewind speed in times play speed (default 20)",
         IntSetter(&Scenario::windSpeed, 2, 100)},
        {"reply_delay", "ms", "Hold every reply back (default 0)",
         IntSetter(&Scenario::replyDelayMs, 0, 10000)},
        {"transport", "stop|play", "Transport at start (default stop)",
         ChoiceSetter<bool>(&Scenario::playing, {{"stop", false}, {"play", true}})},
        {"version_key", "text",
         "What the panel answers to its version key (default: flags byte 0x40, then the version "
         "from its V)",
         SetVersionKey},
        {"menu_timeout", "ms",
         "An open panel menu closes after this long without a key (default "
         "0: never)",
         IntSetter(&Scenario::menuTimeoutMs, 0, 600000)},
        {"answer", "frame,reply",
         "Answer every frame starting with these hex bytes with this reply, hex without its "
         "checksum; an empty reply is none (repeatable, the first match wins)",
         AddAnswer},
        {"short_setup_page", "page,bytes",
         "Reads of setup page 0-10 carry only this many data bytes, 0-14, the page number "
         "first (repeatable)",
         AddShortSetupPage},
        {"fall_silent", "frame[,ms]",
         "From the first frame starting with these hex bytes on, answer nothing (for ms of the "
         "recorder's clock, else for good)",
         SetSilence},
    };
    return table;
}

} // namespace

// Built one by one: an initializer list of these trips a false
// "may be used uninitialized" warning in optimised builds.
QList<Scenario::Disk> Scenario::DefaultDiskList()
{
    QList<Disk> disks(2);
    disks[1].id = 1;
    return disks;
}

QString Scenario::VersionText() const
{
    if (!version.isEmpty())
        return version;
    switch (generation) {
    case Generation::Dv:
        return QStringLiteral("DV V3.2.1");
    case Generation::Pellet:
        return QStringLiteral("PELLET V1.4.5");
    case Generation::Current:
        break;
    }
    return QStringLiteral("XR V4.6.4");
}

bool Scenario::Set(const QString &key, const QString &value, QString *error)
{
    for (const KeyEntry &entry : KeyTable()) {
        if (key != QLatin1String(entry.name))
            continue;
        if (entry.apply(*this, value.trimmed()))
            return true;
        *error = QStringLiteral("bad value \"%1\" for %2").arg(value.trimmed(), key);
        return false;
    }
    *error = QStringLiteral("unknown setting \"%1\"").arg(key);
    return false;
}

bool Scenario::LoadFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    return Load(file, path, error);
}

bool Scenario::Load(QIODevice &device, const QString &name, QString *error)
{
    QTextStream in(&device);
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        QString message;
        if (equals < 0)
            message = QStringLiteral("expected key = value");
        else if (Set(line.left(equals).trimmed(), line.mid(equals + 1), &message))
            continue;
        *error = QStringLiteral("%1:%2: %3").arg(name).arg(lineNumber).arg(message);
        return false;
    }
    return true;
}

QList<Scenario::Key> Scenario::Keys()
{
    QList<Key> keys;
    for (const KeyEntry &entry : KeyTable())
        keys.append(
            {QLatin1String(entry.name), QLatin1String(entry.valueName), QLatin1String(entry.help)});
    return keys;
}

} // namespace xrsim
