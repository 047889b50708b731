// SPDX-License-Identifier: GPL-3.0-or-later
#include "kplformat.h"

#include "kplcursor.h"
#include "kplforms.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

// A playlist holds at most a few thousand segments: some hundred kilobytes.
// A file far beyond that is not read into memory at all.
constexpr qint64 kLargestPlaylistFile = 64 * 1024 * 1024;

QByteArray TextUpTo(const char *text, std::size_t size, int max)
{
    return FieldText(text, static_cast<int>(size), max);
}

template <std::size_t N>
void StoreText(std::array<char, N> &field, const QByteArray &text, int max)
{
    const QByteArray kept = FieldText(text.constData(), static_cast<int>(text.size()), max);
    field.fill(0);
    std::copy(kept.begin(), kept.end(), field.begin());
}

KplFileReading Refusal(KplFileStatus status, const QString &error)
{
    KplFileReading reading;
    reading.status = status;
    reading.error = error;
    return reading;
}

} // namespace

QByteArray RecordName(const SegmentRecord &record)
{
    return TextUpTo(record.name.data(), record.name.size(), kSegmentNameMax);
}

void SetRecordName(SegmentRecord &record, const QByteArray &name)
{
    StoreText(record.name, name, kSegmentNameMax);
}

QByteArray DiskName(const DiskTable &disk)
{
    return TextUpTo(disk.name.data(), disk.name.size(), kDiskNameMax);
}

void SetDiskName(DiskTable &disk, const QByteArray &name)
{
    StoreText(disk.name, name, kDiskNameMax);
}

void AddDiskEntry(DiskTable &disk, const SegmentSlotEntry &entry)
{
    if (disk.count < kSegmentSlotCount)
        disk.entries[static_cast<std::size_t>(disk.count++)] = entry;
}

// The text form's tag alone makes a text file: what follows it is read, and
// where it breaks is told.
KplForm RecognizeKpl(const QByteArray &bytes)
{
    KplCursor text(bytes);
    quint32 tag = 0;
    if (text.ReadHex(8, tag) && tag == kTextClipTag)
        return KplForm::Text;
    KplCursor binary(bytes);
    quint32 length = 0;
    if (binary.ReadU32BE(tag) && tag == kBinaryClipTag && binary.ReadU32LE(length))
        return KplForm::Binary;
    return KplForm::None;
}

KplReading ReadKpl(const QByteArray &bytes)
{
    switch (RecognizeKpl(bytes)) {
    case KplForm::Text:
        return ReadKplText(bytes);
    case KplForm::Binary:
        return ReadKplBinary(bytes);
    case KplForm::None:
        break;
    }
    return {};
}

KplFileReading ReadKplFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refusal(KplFileStatus::CannotOpen,
                       QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    if (file.size() > kLargestPlaylistFile)
        return Refusal(KplFileStatus::NotPlaylist,
                       QStringLiteral("%1 is not a playlist file.").arg(path));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Refusal(KplFileStatus::CannotOpen,
                       QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    KplFileReading reading;
    static_cast<KplReading &>(reading) = ReadKpl(bytes);
    if (reading.form == KplForm::None)
        return Refusal(KplFileStatus::NotPlaylist,
                       QStringLiteral("%1 is not a playlist file.").arg(path));
    if (!reading.SegmentsWhole()) {
        reading.status = KplFileStatus::Damaged;
        reading.error = QStringLiteral("%1 cannot be opened: %2. Nothing was changed.")
                            .arg(path, KplBreakText(*reading.damage));
        return reading;
    }
    reading.status = KplFileStatus::Read;
    return reading;
}

QString KplBreakText(const KplBreak &where)
{
    static const char *const kChunks[] = {"the segment list", "the playlist", "the disk table"};
    static const char *const kItems[] = {"segment", "row", "disk"};
    const auto chunk = static_cast<std::size_t>(where.chunk);
    QString text =
        QStringLiteral("%1 breaks at byte %2").arg(QLatin1String(kChunks[chunk])).arg(where.offset);
    if (where.item > 0)
        text += QStringLiteral(", in %1 %2 of %3")
                    .arg(QLatin1String(kItems[chunk]))
                    .arg(where.item)
                    .arg(where.count);
    return text + QStringLiteral(": ") + where.problem;
}

QString KplNameProblem(const QByteArray &name, int max)
{
    if (name.contains('\0'))
        return QStringLiteral("holds a NUL byte");
    if (name.contains('\n') || name.contains('\r'))
        return QStringLiteral("holds a line end");
    if (name.size() > max)
        return QStringLiteral("is longer than %1 bytes").arg(max);
    return {};
}

QString KplDocumentProblem(const KplDocument &document)
{
    for (const SegmentRecord &record : document.segments) {
        const QString problem = KplNameProblem(RecordName(record), kSegmentNameMax);
        if (!problem.isEmpty())
            return QStringLiteral("the name of segment %1 %2").arg(record.number).arg(problem);
    }
    for (int row = 0; row < document.playlist.size(); ++row) {
        const QString problem = KplNameProblem(document.playlist.at(row), kSegmentNameMax);
        if (!problem.isEmpty())
            return QStringLiteral("the name in playlist row %1 %2").arg(row + 1).arg(problem);
    }
    const QString problem =
        document.disk ? KplNameProblem(DiskName(*document.disk), kDiskNameMax) : QString();
    return problem.isEmpty() ? problem : QStringLiteral("the disk name %1").arg(problem);
}

KplWriteStatus WriteKplFile(const QString &path, const KplDocument &document, QString *error)
{
    if (document.segments.empty())
        return KplWriteStatus::Empty;
    const auto fail = [error, &path](const QString &why) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(path, why);
        return KplWriteStatus::Failed;
    };
    if (document.segments.size() > kKplMaxCount || document.playlist.size() > kKplMaxCount)
        return fail(QStringLiteral("too many segments or playlist rows."));
    const QString problem = KplDocumentProblem(document);
    if (!problem.isEmpty())
        return fail(problem + QStringLiteral(", which a playlist file cannot carry."));
    const QByteArray text = KplText(document);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(text) != text.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return KplWriteStatus::Written;
}
