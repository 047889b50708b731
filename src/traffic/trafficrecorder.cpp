// SPDX-License-Identifier: GPL-3.0-or-later
#include "trafficrecorder.h"

#include "pcapngsink.h"
#include "trafficlines.h"

#include "link/timing.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

TrafficRecorder::TrafficRecorder(QObject *parent) : QObject(parent) {}

TrafficRecorder::~TrafficRecorder()
{
    Stop();
}

bool TrafficRecorder::Start(const QString &target, qint64 rotate, QString *error)
{
    if (sink) {
        *error = QStringLiteral("Traffic is already being recorded to %1.").arg(path);
        return false;
    }
    const quint64 startUs = MonotonicUs();
    const QDateTime started = QDateTime::currentDateTimeUtc();
    if (IsPcapng(target))
        sink = std::make_unique<PcapngSink>(startUs, started.toMSecsSinceEpoch());
    else
        sink = std::make_unique<TrafficLines>(startUs, started);
    path = target;
    rotateBytes = rotate;
    part = 1;
    if (!OpenPart(error)) {
        sink.reset();
        return false;
    }
    if (!AddWireTap(this)) {
        *error = QStringLiteral("Too many recordings listen to the links already.");
        sink.reset();
        file.reset();
        return false;
    }
    return true;
}

void TrafficRecorder::Stop()
{
    if (!sink)
        return;
    RemoveWireTap(this);
    Write(sink->Finish());
    sink.reset();
    file.reset();
}

QString TrafficRecorder::CurrentPath() const
{
    return sink ? PartPath(path, part) : QString();
}

QString TrafficRecorder::PartPath(const QString &path, int part)
{
    if (part <= 1)
        return path;
    const QFileInfo info(path);
    const QString number = QString::number(part);
    if (info.suffix().isEmpty())
        return path + QLatin1Char('.') + number;
    const QString suffix = QLatin1Char('.') + info.suffix();
    return path.left(path.size() - suffix.size()) + QLatin1Char('.') + number + suffix;
}

bool TrafficRecorder::IsPcapng(const QString &path)
{
    return path.endsWith(QStringLiteral(".pcapng"), Qt::CaseInsensitive);
}

void TrafficRecorder::OnWire(const WireEvent &event)
{
    if (!Write(sink->Record(event)))
        return;
    if (rotateBytes <= 0 || file->size() < rotateBytes)
        return;
    ++part;
    QString error;
    if (!OpenPart(&error))
        Fail(error);
}

bool TrafficRecorder::OpenPart(QString *error)
{
    auto next = std::make_unique<QFile>(PartPath(path, part));
    const QByteArray opening = sink->Begin(part);
    if (!next->open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        next->write(opening) != opening.size() || !next->flush()) {
        *error =
            QStringLiteral("Could not write %1: %2.").arg(next->fileName(), next->errorString());
        return false;
    }
    file = std::move(next);
    return true;
}

// Each record goes to the disk at once; a short write ends the recording.
bool TrafficRecorder::Write(const QByteArray &bytes)
{
    if (!file || bytes.isEmpty())
        return true;
    if (file->write(bytes) == bytes.size() && file->flush())
        return true;
    Fail(QStringLiteral("Could not write %1: %2. Traffic is no longer recorded.")
             .arg(file->fileName(), file->errorString()));
    return false;
}

void TrafficRecorder::Fail(const QString &message)
{
    RemoveWireTap(this);
    sink.reset();
    file.reset();
    emit Failed(message);
}
