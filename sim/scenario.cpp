#include "scenario.h"

#include "model/timecode.h"
#include "model/videostandard.h"

#include <QFile>
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

bool toInt(const QString &text, int low, int high, int *out)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 0);
    if (!ok || number < low || number > high)
        return false;
    *out = number;
    return true;
}

Setter intSetter(int Scenario::*field, int low, int high)
{
    return [field, low, high](Scenario &s, const QString &v) {
        return toInt(v, low, high, &(s.*field));
    };
}

template <typename T>
Setter choiceSetter(T Scenario::*field, QList<std::pair<const char *, T>> choices)
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

Setter textSetter(QString Scenario::*field, int maxLength)
{
    return [field, maxLength](Scenario &s, const QString &v) {
        if (v.isEmpty() || v.size() > maxLength)
            return false;
        s.*field = v;
        return true;
    };
}

bool setTag(Scenario &s, const QString &v)
{
    bool ok = false;
    const uint tag = v.toUInt(&ok, 16);
    if (!ok || v.size() != 8)
        return false;
    s.tag = tag;
    return true;
}

bool addFile(Scenario &s, const QString &v)
{
    const QStringList parts = v.split(QLatin1Char(','));
    Scenario::File file;
    file.name = parts.at(0).trimmed();
    if (file.name.isEmpty() || file.name.size() > 8 || parts.size() > 3)
        return false;
    if (parts.size() > 1 && !toInt(parts.at(1), 0, 360000, &file.seconds))
        return false;
    if (parts.size() > 2 && !toInt(parts.at(2), 0, 8, &file.audioTracks))
        return false;
    s.files.append(file);
    return true;
}

bool addSegment(Scenario &s, const QString &v)
{
    const QStringList parts = v.split(QLatin1Char(','));
    Scenario::Segment segment;
    Timecode in;
    Timecode out;
    if (parts.size() != 3 || !toInt(parts.at(0), 1, 2045, &segment.number) ||
        !Timecode::parse(parts.at(1), &in) || !Timecode::parse(parts.at(2), &out) ||
        out.toCount(30, false) <= in.toCount(30, false))
        return false;
    segment.in = parts.at(1).trimmed();
    segment.out = parts.at(2).trimmed();
    s.segments.append(segment);
    return true;
}

bool addDisk(Scenario &s, const QString &v)
{
    const QStringList parts = v.split(QLatin1Char(','));
    if (s.defaultDisks) {
        s.disks.clear();
        s.defaultDisks = false;
    }
    if (parts.size() == 1 && parts.at(0).trimmed() == QLatin1String("none"))
        return true;
    Scenario::Disk disk;
    if (parts.size() < 2 || parts.size() > 4 || !toInt(parts.at(0), 1, 2, &disk.bus) ||
        !toInt(parts.at(1), 0, 15, &disk.id))
        return false;
    if (parts.size() > 2) {
        const QString state = parts.at(2).trimmed();
        if (state != QLatin1String("ready") && state != QLatin1String("unformatted"))
            return false;
        disk.formatted = state == QLatin1String("ready");
    }
    if (parts.size() > 3 && !toInt(parts.at(3), 1, 2000000, &disk.megabytes))
        return false;
    s.disks.append(disk);
    return true;
}

const QList<KeyEntry> &keyTable()
{
    using Generation = Scenario::Generation;
    using ListEnd = Scenario::ListEnd;
    static const QList<KeyEntry> table = {
        {"kind", "name", "Information block tag: zaxo, mpeg, xru (default), hdtv or c_hd",
         choiceSetter<quint32>(&Scenario::tag, {{"zaxo", 0x7A61786F},
                                                {"mpeg", 0x4D504547},
                                                {"xru", 0x58525520},
                                                {"hdtv", 0x48445456},
                                                {"c_hd", 0x435F4844}})},
        {"tag", "hex", "Information block tag as 8 hex digits (C8445456: HDTV with bit 7 set)",
         setTag},
        {"generation", "name",
         "Firmware: current (default), dv (older firmware: disk name, no files) or pellet",
         choiceSetter<Generation>(&Scenario::generation, {{"current", Generation::Current},
                                                          {"dv", Generation::Dv},
                                                          {"pellet", Generation::Pellet}})},
        {"version", "text",
         "Version text (default by generation: XR V4.6.4, DV V3.2.1, "
         "PELLET V1.4.5)",
         textSetter(&Scenario::version, 15)},
        {"standard", "code", "Video standard code 0-36 (0 PAL default, 1 NTSC, 2 1080 59.94i, ...)",
         intSetter(&Scenario::videoStandard, 0, VideoStandard::count() - 2)},
        {"compression", "code", "Compression code of the information block (default 5)",
         intSetter(&Scenario::compression, 0, 255)},
        {"drop_frame", "on|off", "Drop-frame timecode on 29.97 Hz standards (default on)",
         choiceSetter<bool>(&Scenario::dropFrame, {{"on", true}, {"off", false}})},
        {"mode", "name", "Channels: 1r-1p (default, recorder and player), 1r/p or 1p-1p",
         choiceSetter<int>(&Scenario::channelMode,
                           {{"1r/p", 0x50}, {"1r-1p", 0x54}, {"1p-1p", 0x52}})},
        {"control", "remote|local", "Front panel control at start (default remote)",
         choiceSetter<bool>(&Scenario::local, {{"remote", false}, {"local", true}})},
        {"file", "name[,seconds[,tracks]]",
         "A file on the disks (repeatable; default 60 s, 8 audio tracks)", addFile},
        {"loaded", "name", "The file loaded at start", textSetter(&Scenario::loaded, 8)},
        {"segment", "n,in,out", "Segment n from timer in to out, HH:MM:SS:FF (repeatable)",
         addSegment},
        {"disk", "bus,id[,ready|unformatted[,MB]]",
         "A SCSI disk (repeatable; replaces the default two ready disks 1,0 and 1,1; none for "
         "no disks)",
         addDisk},
        {"disk_name", "text", "Disk name (default XR DISK)", textSetter(&Scenario::diskName, 15)},
        {"list_end", "marker|last",
         "File list end: a 0x94 reply (default) or the last name with command byte 0",
         choiceSetter<ListEnd>(&Scenario::listEnd,
                               {{"marker", ListEnd::Marker}, {"last", ListEnd::LastName}})},
        {"record_mbps", "n", "Recording data rate for storage figures (default 50)",
         intSetter(&Scenario::recordMbps, 1, 1000)},
        {"cue_ms", "ms", "Time a cue-up takes (default 150)",
         intSetter(&Scenario::cueMs, 0, 60000)},
        {"scan_ms", "ms", "Time a disk scan takes (default 3000)",
         intSetter(&Scenario::scanMs, 0, 600000)},
        {"inquiry_ms", "ms", "Time a mode page read takes (default 2000)",
         intSetter(&Scenario::inquiryMs, 0, 600000)},
        {"format_ms", "ms", "Time a disk format takes (default 12000)",
         intSetter(&Scenario::formatMs, 0, 3600000)},
        {"wind_speed", "n", "Fast forward and rewind speed in times play speed (default 20)",
         intSetter(&Scenario::windSpeed, 2, 100)},
        {"reply_delay", "ms", "Hold every reply back (default 0)",
         intSetter(&Scenario::replyDelayMs, 0, 10000)},
        {"transport", "stop|play", "Transport at start (default stop)",
         choiceSetter<bool>(&Scenario::playing, {{"stop", false}, {"play", true}})},
    };
    return table;
}

} // namespace

// Built one by one: an initializer list of these trips a false
// "may be used uninitialized" warning in optimised builds.
QList<Scenario::Disk> Scenario::defaultDiskList()
{
    QList<Disk> disks(2);
    disks[1].id = 1;
    return disks;
}

QString Scenario::versionText() const
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

bool Scenario::set(const QString &key, const QString &value, QString *error)
{
    for (const KeyEntry &entry : keyTable()) {
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

bool Scenario::loadFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot open %1").arg(path);
        return false;
    }
    QTextStream in(&file);
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
        else if (set(line.left(equals).trimmed(), line.mid(equals + 1), &message))
            continue;
        *error = QStringLiteral("%1:%2: %3").arg(path).arg(lineNumber).arg(message);
        return false;
    }
    return true;
}

QList<Scenario::Key> Scenario::keys()
{
    QList<Key> keys;
    for (const KeyEntry &entry : keyTable())
        keys.append(
            {QLatin1String(entry.name), QLatin1String(entry.valueName), QLatin1String(entry.help)});
    return keys;
}

} // namespace xrsim
