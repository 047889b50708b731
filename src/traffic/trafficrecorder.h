// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/wiretap.h"

#include <QObject>
#include <QString>

#include <memory>

class QFile;
class TrafficSink;

// Records every frame the links send and receive to a file, from Start to
// Stop: text lines (docs/traffic-format.md), or pcapng when the file's name
// ends in ".pcapng" (UDP only). When a part reaches the rotation size the
// recording goes on in the next part: "session.txt", then "session.2.txt",
// "session.3.txt"... Each line is on disk once its frame has passed, so a
// crash loses nothing recorded before it.
class TrafficRecorder : public QObject, public WireTap
{
    Q_OBJECT

public:
    static constexpr qint64 kDefaultRotateBytes = 100LL * 1024 * 1024;

    explicit TrafficRecorder(QObject *parent = nullptr);
    ~TrafficRecorder() override;

    // Starts recording to `path` (replacing a file of that name), rotating
    // at `rotateBytes` (0: never). False, with the reason in `error`, when
    // the file cannot be made or another recording runs.
    bool Start(const QString &path, qint64 rotateBytes, QString *error);
    // Writes what is held back and closes the file.
    void Stop();
    bool IsRecording() const { return sink != nullptr; }
    // The path given to Start, and the part being written.
    QString Path() const { return path; }
    QString CurrentPath() const;

    // The path of part `part` (1 is `path` itself): the part number goes
    // before the last suffix.
    static QString PartPath(const QString &path, int part);
    static bool IsPcapng(const QString &path);

    void OnWire(const WireEvent &event) override;

signals:
    // The recording stopped on its own: a part could not be written.
    void Failed(const QString &message);

private:
    bool OpenPart(QString *error);
    bool Write(const QByteArray &bytes);
    void Fail(const QString &message);

    std::unique_ptr<TrafficSink> sink;
    std::unique_ptr<QFile> file;
    QString path;
    int part = 0;
    qint64 rotateBytes = 0;
};
