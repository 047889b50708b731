// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a fuzz target over files, without libFuzzer: each argument is a file
// or a folder whose files are run in name order. The targets' own checks
// abort on a fault, and the sanitizers of a sanitized build report what they
// find, so a corpus that replays cleanly exits with 0. This is how the test
// suite replays every corpus in the builds that use g++.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

QStringList InputFiles(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return {path};
    QStringList files;
    const QDir folder(path);
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name))
        files.append(folder.filePath(name));
    return files;
}

bool Replay(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(file));
        return false;
    }
    const QByteArray bytes = in.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                           size_t(bytes.size()));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // Every path first: a target may change the working directory.
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        for (const QString &file : InputFiles(QString::fromLocal8Bit(argv[i])))
            files.append(QFileInfo(file).absoluteFilePath());
    }
    bool readable = true;
    for (const QString &file : files)
        readable = Replay(file) && readable;
    std::printf("%d inputs replayed\n", int(files.size()));
    return readable && !files.isEmpty() ? 0 : 1;
}
