// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QIODevice;

namespace xrsim {

// What kind of recorder to simulate: chosen by a test, on the xrsim command
// line, or in a scenario file of "key = value" lines. Every key of the file
// is also a command-line option of the same name; keys() lists them with
// their help text.
struct Scenario
{
    // current: present firmware; dv: older "DV" firmware that keeps a disk
    // name instead of files; pellet: the small Pellet recorder (no segments,
    // no level meters).
    enum class Generation { Current, Dv, Pellet };
    // How the file list ends: a reply whose first data byte is 0x94, the
    // last name sent with command byte 0, or never (a faulty recorder whose
    // list starts over after its last name).
    enum class ListEnd { Marker, LastName, Never };

    struct File
    {
        QString name;
        int seconds = 60;
        int audioTracks = 8;
    };
    // In and out as timer values, HH:MM:SS:FF.
    struct Segment
    {
        Segment() = default;
        Segment(int number, const QString &in, const QString &out, const QString &source = {},
                int extra1 = 0, int extra2 = 0)
            : number(number), in(in), out(out), source(source), extra1(extra1), extra2(extra2)
        {}

        int number = 0;
        QString in;
        QString out;
        // The file it was cut from; empty: the file loaded at start.
        QString source;
        // The two further numbers (0-9999) the recorder keeps with a segment.
        int extra1 = 0;
        int extra2 = 0;
    };
    // A segment whose in and out positions are taken as given, unchecked:
    // an out point before the in point, positions beyond any timecode.
    struct RawSegment
    {
        int number = 0;
        quint32 in = 0;
        quint32 out = 0;
        QString source;
    };
    // A fixed reply to every frame that starts with the given bytes; the
    // reply is written without its checksum, and an empty one is no reply.
    struct Answer
    {
        QByteArray frame;
        QByteArray reply;
    };
    struct Disk
    {
        int bus = 1;
        int id = 0;
        bool formatted = true;
        int megabytes = 73000;
        // Performance mode 0 (default), 1 (fast audio/video) or 2 (MCS).
        int mode = 0;
    };

    // Information block tag: "XRU " unless told otherwise.
    quint32 tag = 0x58525520;
    Generation generation = Generation::Current;
    // Empty: the generation's own version text.
    QString version;
    int videoStandard = 0;
    int compression = 5;
    bool dropFrame = true;
    // Setup page 0 byte 13: 0x50 1R/P, 0x54 1R-1P, 0x52 1P-1P.
    int channelMode = 0x54;
    bool local = false;
    // Loop mode (setup page 0 byte 1): playback that reaches the end of the
    // loaded file goes on from its first frame.
    bool loop = false;
    QList<File> files;
    QString loaded;
    QList<Segment> segments;
    QList<RawSegment> rawSegments;
    // Two disks on bus 1 until the first disk setting replaces them.
    QList<Disk> disks = DefaultDiskList();
    bool defaultDisks = true;
    QString diskName = QStringLiteral("XR DISK");
    ListEnd listEnd = ListEnd::Marker;
    // The group of the replies to the file list, name query and free time
    // commands (group 0xA); 7 like a sense return unless told otherwise.
    int fileReplyGroup = 7;
    int recordMbps = 50;
    int cueMs = 150;
    int scanMs = 3000;
    int inquiryMs = 2000;
    int formatMs = 12000;
    int windSpeed = 20;
    int replyDelayMs = 0;
    // The recorder side starts out playing its loaded material.
    bool playing = false;
    // What the panel answers to its version key; empty: a lower display
    // line holding the version from its "V" on.
    QByteArray versionKey;
    // An open menu closes by itself after this long without a key; 0 never.
    int menuTimeoutMs = 0;
    QList<Answer> answers;
    // From the first frame starting with these bytes on, the recorder
    // answers nothing, for silentMs of its clock (0: for good).
    QByteArray silentFrom;
    int silentMs = 0;
    // A setup page whose reads carry only the first `bytes` data bytes (the
    // page number is the first of them): a page answered short.
    struct ShortPage
    {
        int page = 0;
        int bytes = 0;
    };
    QList<ShortPage> shortSetupPages;
    // A format that never ends: the display shows "Format" for ever.
    bool formatEndless = false;
    // Without a file store (as on older firmware) the file list answers
    // "$$$$$$$$" and the other file commands are refused.
    bool fileStore = true;

    QString VersionText() const;
    static QList<Disk> DefaultDiskList();

    // Applies one setting by its key; false with a message in error for an
    // unknown key or a value that does not fit.
    bool Set(const QString &key, const QString &value, QString *error);
    // Applies every "key = value" line of a file; blank lines and lines
    // starting with '#' are skipped.
    bool LoadFile(const QString &path, QString *error);
    // The same from an open device; messages name the file `name`.
    bool Load(QIODevice &device, const QString &name, QString *error);

    struct Key
    {
        QString name;
        QString valueName;
        QString help;
    };
    static QList<Key> Keys();
};

} // namespace xrsim
