// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "clipsfixture.h"

#include "ui/clips/kplforms.h"
#include "ui/clips/playlistfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <QtEndian>

// The playlist file of the real window (New, Open, Save, Save As, Quit)
// against a simulated recorder, with files in the fixture's own directory.
class PlaylistFileFixture : public ClipsFixture
{
public:
    using ClipsFixture::ClipsFixture;

    PlaylistFile *File() const { return window->segment->file; }

    QString PathOf(const char *name) const { return directory.filePath(QLatin1String(name)); }

    QString Write(const char *name, const QByteArray &bytes) const
    {
        const QString path = PathOf(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
        return path;
    }

    // Save As with the file `name` chosen in its dialog; the file's path.
    QString SaveAs(const char *name)
    {
        const QString path = PathOf(name);
        answers.Choose(path);
        File()->DoSaveAs();
        return path;
    }

    static QByteArray Read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }

    // Whether the quit action ends the event loop. It runs inside the
    // application's own loop (which, unlike a loop of the test's, lets later
    // dialogs run again after it was told to end), ended with 1 when the
    // action returns without quitting.
    bool Quits()
    {
        QObject guard; // takes the pending "stayed" with it when the action quits
        QTimer::singleShot(0, &guard, [this, &guard] {
            window->DoQuit();
            QTimer::singleShot(0, &guard, [] { QCoreApplication::exit(1); });
        });
        return QCoreApplication::exec() == 0;
    }

    // The frames of the re-creation (cues, In, Out, create), in order.
    QList<QByteArray> RecreationFrames() const
    {
        QList<QByteArray> found;
        for (const QByteArray &frame : sim.ReceivedFrames()) {
            const int cmd1 = quint8(frame[0]);
            const int cmd2 = quint8(frame[1]);
            if ((cmd1 >> 4 == 2 && (cmd2 == 0x31 || cmd2 == 0x9D || cmd2 == 0xAC)) ||
                (cmd1 == 0x40 && (cmd2 == 0x10 || cmd2 == 0x11)))
                found << frame;
        }
        return found;
    }
};

inline SegmentRecord Record(const char *name, quint32 in, quint32 out, quint16 number = 0)
{
    SegmentRecord record;
    record.inPoint = in;
    record.outPoint = out;
    record.number = number;
    SetRecordName(record, QByteArray(name));
    return record;
}

// The older binary form: a segment record as its 48 raw little-endian bytes.
inline QByteArray BinaryRecord(const SegmentRecord &record)
{
    QByteArray bytes(kSegmentRecordSize, '\0');
    qToLittleEndian(record.inPoint, bytes.data());
    qToLittleEndian(record.outPoint, bytes.data() + 4);
    qToLittleEndian(record.extra1, bytes.data() + 8);
    qToLittleEndian(record.extra2, bytes.data() + 10);
    qToLittleEndian(record.number, bytes.data() + 12);
    std::copy(record.name.begin(), record.name.end(), bytes.data() + 14);
    return bytes;
}

inline QByteArray BinaryChunk(const char *tag, const QByteArray &body)
{
    QByteArray length(4, '\0');
    qToLittleEndian(quint32(body.size()), length.data());
    return QByteArray(tag, 4) + length + body;
}

// A file in the text form the program writes: these segments and rows, an
// empty disk chunk.
inline QByteArray TextFile(const std::vector<SegmentRecord> &segments,
                           const QList<QByteArray> &playlist = {})
{
    KplDocument document;
    document.segments = segments;
    document.playlist = playlist;
    return KplText(document);
}
