// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/fsuid.h>
#include <unistd.h>

// File permissions as an ordinary user meets them. Root passes every
// permission check, so while this object lives a test run by root takes the
// file system identity of "nobody" on this thread (which also drops its
// right to override permissions); for anyone else it changes nothing.
class OrdinaryUser
{
public:
    OrdinaryUser()
    {
        if (geteuid() != 0)
            return;
        setfsuid(kNobody);
        dropped = setfsuid(static_cast<uid_t>(-1)) == kNobody;
    }
    ~OrdinaryUser()
    {
        if (dropped)
            setfsuid(0);
    }
    OrdinaryUser(const OrdinaryUser &) = delete;
    OrdinaryUser &operator=(const OrdinaryUser &) = delete;

    // False when root could not give up its rights: the test cannot see
    // what a read-only folder does.
    bool Holds() const { return geteuid() != 0 || dropped; }

private:
    static constexpr uid_t kNobody = 65534;
    bool dropped = false;
};

// Modes of the folders and files of these tests, the same for everyone.
inline constexpr QFile::Permissions kReadAll =
    QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
inline constexpr QFile::Permissions kWriteAll =
    QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
inline constexpr QFile::Permissions kEnterAll = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
inline constexpr QFile::Permissions kReadOnlyFolder = kReadAll | kEnterAll;
inline constexpr QFile::Permissions kOpenFolder = kReadAll | kWriteAll | kEnterAll;
inline constexpr QFile::Permissions kReadOnlyFile = kReadAll;
inline constexpr QFile::Permissions kWritableFile = kReadAll | kWriteAll;

// A folder no one may make files in, holding xr.cfg with the given contents
// and mode. The folder is opened again at the end so that it can be removed.
class ReadOnlyFolder
{
public:
    ReadOnlyFolder(const QByteArray &contents, QFile::Permissions fileMode)
    {
        QFile file(File());
        ready = QFile::setPermissions(dir.path(), kOpenFolder) && file.open(QIODevice::WriteOnly) &&
                file.write(contents) == contents.size();
        file.close();
        ready = ready && QFile::setPermissions(File(), fileMode) &&
                QFile::setPermissions(dir.path(), kReadOnlyFolder);
    }
    ~ReadOnlyFolder() { QFile::setPermissions(dir.path(), kOpenFolder); }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool Ready() const { return ready; }
    QString Path(const QString &name) const { return dir.filePath(name); }
    QString File() const { return Path(QStringLiteral("xr.cfg")); }

    // A second name for xr.cfg in the folder, made before it was closed.
    bool AddHardLink(const QString &path)
    {
        QFile::setPermissions(dir.path(), kOpenFolder);
        const bool made = ::link(QFile::encodeName(File()), QFile::encodeName(path)) == 0;
        return QFile::setPermissions(dir.path(), kReadOnlyFolder) && made;
    }

private:
    QTemporaryDir dir;
    bool ready = false;
};
