#pragma once

#include <QList>
#include <QString>

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
    // How the file list ends: a reply whose first data byte is 0x94, or the
    // last name sent with command byte 0.
    enum class ListEnd { Marker, LastName };

    struct File
    {
        QString name;
        int seconds = 60;
        int audioTracks = 8;
    };
    // In and out as timer values, HH:MM:SS:FF.
    struct Segment
    {
        int number = 0;
        QString in;
        QString out;
    };
    struct Disk
    {
        int bus = 1;
        int id = 0;
        bool formatted = true;
        int megabytes = 73000;
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
    QList<File> files;
    QString loaded;
    QList<Segment> segments;
    // Two disks on bus 1 until the first disk setting replaces them.
    QList<Disk> disks = defaultDiskList();
    bool defaultDisks = true;
    QString diskName = QStringLiteral("XR DISK");
    ListEnd listEnd = ListEnd::Marker;
    int recordMbps = 50;
    int cueMs = 150;
    int scanMs = 3000;
    int inquiryMs = 2000;
    int formatMs = 12000;
    int windSpeed = 20;
    int replyDelayMs = 0;
    // The recorder side starts out playing its loaded material.
    bool playing = false;

    QString versionText() const;
    static QList<Disk> defaultDiskList();

    // Applies one setting by its key; false with a message in error for an
    // unknown key or a value that does not fit.
    bool set(const QString &key, const QString &value, QString *error);
    // Applies every "key = value" line of a file; blank lines and lines
    // starting with '#' are skipped.
    bool loadFile(const QString &path, QString *error);

    struct Key
    {
        QString name;
        QString valueName;
        QString help;
    };
    static QList<Key> keys();
};

} // namespace xrsim
