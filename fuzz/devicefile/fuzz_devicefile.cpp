// SPDX-License-Identifier: GPL-3.0-or-later
// xr.cfg: the input is the file as the operator left it. The program loads
// its recorder list from it, writes the list back and loads it again.
//
// Properties: the write succeeds; it keeps every line, those that name no
// recorder byte for byte, the others as their address without leading zeros
// and what followed it; loading the written file gives the same recorders
// with the same addresses; and writing that list again gives the same file.

#include "fuzzapplication.h"
#include "fuzzcheck.h"

#include "devices/devicefile.h"
#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "devices/deviceregistry.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// A working directory in memory where the system has one: every case writes
// the file twice.
std::unique_ptr<QTemporaryDir> MakeWorkDir()
{
    const QString memory = QStringLiteral("/dev/shm");
    if (QFileInfo(memory).isDir() && QFileInfo(memory).isWritable())
        return std::make_unique<QTemporaryDir>(memory + QStringLiteral("/tavrel-fuzz-XXXXXX"));
    return std::make_unique<QTemporaryDir>();
}

// The file the program reads and writes, in the working directory.
const QString &DeviceFile()
{
    EnsureApplication<QCoreApplication>();
    static const std::unique_ptr<QTemporaryDir> workDir = MakeWorkDir();
    static const QString path = [] {
        const QString file = workDir->filePath(QString::fromLatin1(kDeviceFileName));
        UseDeviceFile(file);
        CreateLinkList();
        // The links go before the list that holds them, as the program
        // closes them when it ends.
        std::atexit(DestroyLinkList);
        return file;
    }();
    return path;
}

struct Recorder
{
    QString name;
    PeerAddress address;
};

QList<Recorder> NetworkedRecorders()
{
    QList<Recorder> recorders;
    for (int i = 0; i < DeviceList.GetCount(); ++i) {
        const DeviceRecord *device = DeviceAt(i);
        if (!IsSerialDeviceName(device->name))
            recorders.append({device->name, device->address});
    }
    return recorders;
}

QByteArray FileBytes()
{
    QFile file(DeviceFile());
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QStringList LinesOf(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadDeviceLines(buffer);
}

// Loads the list from the file, writes it back and returns its recorders.
QList<Recorder> LoadAndSave()
{
    LoadDeviceList(nullptr);
    const QList<Recorder> recorders = NetworkedRecorders();
    FUZZ_CHECK(SaveDeviceList());
    DestroyDeviceList();
    return recorders;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray original(reinterpret_cast<const char *>(data), int(size));
    {
        QFile file(DeviceFile());
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(original) == original.size());
    }
    const QStringList originalLines = LinesOf(original);

    const QList<Recorder> read = LoadAndSave();
    const QByteArray written = FileBytes();
    const QStringList writtenLines = LinesOf(written);
    FUZZ_CHECK(writtenLines.size() == originalLines.size());
    QStringList writtenRecorderLines;
    for (int i = 0; i < originalLines.size(); ++i) {
        const QString &line = originalLines.at(i);
        if (!IsDeviceLine(line)) {
            FUZZ_CHECK(writtenLines.at(i) == line);
            continue;
        }
        FUZZ_CHECK(writtenLines.at(i) == DeviceLineToSave(line));
        FUZZ_CHECK(IsDeviceLine(writtenLines.at(i)));
        const int recorder = int(writtenRecorderLines.size());
        FUZZ_CHECK(recorder < read.size());
        FUZZ_CHECK(read.at(recorder).name == kEthernetNamePrefix + line);
        writtenRecorderLines.append(writtenLines.at(i));
    }
    FUZZ_CHECK(writtenRecorderLines.size() == read.size());

    const QList<Recorder> reread = LoadAndSave();
    FUZZ_CHECK(reread.size() == read.size());
    for (int i = 0; i < read.size(); ++i) {
        FUZZ_CHECK(reread.at(i).address == read.at(i).address);
        FUZZ_CHECK(reread.at(i).name == kEthernetNamePrefix + writtenRecorderLines.at(i));
    }
    FUZZ_CHECK(FileBytes() == written);
    return 0;
}
