// SPDX-License-Identifier: GPL-3.0-or-later
// Where the recorder list lives: a file named on the command line, xr.cfg in
// the working folder, or the user's configuration folder, made on first save.

#include "ordinaryuser.h"
#include "workdir.h"

#include "devices/devicefileplace.h"
#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "devices/deviceregistry.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>

namespace {

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Write(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly) &&
           file.write(contents) == contents.size();
}

QStringList RecorderNames()
{
    QStringList names;
    for (int i = 2; i < DeviceList.GetCount(); ++i)
        names.append(DeviceAt(i)->name);
    return names;
}

// Loads the list from the place chosen as at start-up, adds a recorder and
// saves, as a run of the program does.
bool RunWith(const QString &chosen)
{
    UseDeviceFile(DeviceFilePlace(chosen));
    CreateLinkList();
    LoadDeviceList(nullptr);
    AddEthernetDevice(nullptr, QStringLiteral("10.0.0.9"));
    return SaveDeviceList();
}

} // namespace

class TestDeviceFilePlace : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void workingFolderFileIsKept();
    void userFolderIsMadeOnFirstSave();
    void userFolderWithoutXdgIsInHome();
    void namedFileWinsOverBoth();
    void readOnlyUserFolderLosesNothingSilently();

private:
    std::unique_ptr<WorkDir> dir;
    QTemporaryDir home;
    QString config;
};

void TestDeviceFilePlace::init()
{
    dir = std::make_unique<WorkDir>();
    config = home.filePath(QStringLiteral("config"));
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
}

void TestDeviceFilePlace::cleanup()
{
    dir.reset();
    UseDeviceFile(QString::fromLatin1(kDeviceFileName));
    QFile::setPermissions(config, kOpenFolder);
    QDir(config).removeRecursively();
}

// Existing set-ups keep their xr.cfg beside the program's working folder,
// even once the user's folder has a list of its own.
void TestDeviceFilePlace::workingFolderFileIsKept()
{
    const QString user = config + QStringLiteral("/tavrel/xr.cfg");
    QVERIFY(Write(user, "10.0.0.1\r\n"));
    QVERIFY(dir->WriteConfig("10.0.0.5\n"));

    QCOMPARE(DeviceFilePlace({}), dir->Path(QStringLiteral("xr.cfg")));
    QVERIFY(RunWith({}));
    QCOMPARE(RecorderNames(), (QStringList{"Ethernet - 10.0.0.5", "Ethernet - 10.0.0.9"}));
    QCOMPARE(dir->ReadConfig(), QByteArray("10.0.0.5\r\n10.0.0.9\r\n"));
    QCOMPARE(Contents(user), QByteArray("10.0.0.1\r\n"));
}

void TestDeviceFilePlace::userFolderIsMadeOnFirstSave()
{
    const QString user = config + QStringLiteral("/tavrel/xr.cfg");
    QCOMPARE(DeviceFilePlace({}), user);
    QCOMPARE(UserDeviceFile(), user);
    QVERIFY(!QFileInfo::exists(config));

    QVERIFY(RunWith({}));
    QCOMPARE(Contents(user), QByteArray("10.0.0.9\r\n"));
    QVERIFY(!QFileInfo::exists(dir->Path(QStringLiteral("xr.cfg"))));

    // The next run reads what the first wrote.
    DestroyDeviceList();
    DestroyLinkList();
    QVERIFY(RunWith({}));
    QCOMPARE(RecorderNames(), (QStringList{"Ethernet - 10.0.0.9", "Ethernet - 10.0.0.9"}));
}

void TestDeviceFilePlace::userFolderWithoutXdgIsInHome()
{
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(DeviceFilePlace({}), home.filePath(QStringLiteral(".config/tavrel/xr.cfg")));
}

void TestDeviceFilePlace::namedFileWinsOverBoth()
{
    const QString user = config + QStringLiteral("/tavrel/xr.cfg");
    QVERIFY(Write(user, "10.0.0.1\r\n"));
    QVERIFY(dir->WriteConfig("10.0.0.5\r\n"));
    const QString named = home.filePath(QStringLiteral("studio.cfg"));
    QVERIFY(Write(named, "10.0.0.7 # studio\n"));

    QCOMPARE(DeviceFilePlace(named), named);
    QVERIFY(RunWith(named));
    QCOMPARE(RecorderNames(), (QStringList{"Ethernet - 10.0.0.7 # studio", "Ethernet - 10.0.0.9"}));
    QCOMPARE(Contents(named), QByteArray("10.0.0.7 # studio\r\n10.0.0.9\r\n"));
    QCOMPARE(dir->ReadConfig(), QByteArray("10.0.0.5\r\n"));
    QCOMPARE(Contents(user), QByteArray("10.0.0.1\r\n"));
}

// A configuration folder the user may not write to: the list of the run is
// printed on the terminal rather than lost without a word.
void TestDeviceFilePlace::readOnlyUserFolderLosesNothingSilently()
{
    QVERIFY(QDir().mkpath(config));
    QVERIFY(QFile::setPermissions(config, kReadOnlyFolder));
    QVERIFY(QFile::setPermissions(home.path(), kReadOnlyFolder));
    const auto reopen = qScopeGuard([&] { QFile::setPermissions(home.path(), kOpenFolder); });
    {
        const OrdinaryUser user;
        if (!user.Holds())
            QSKIP("root could not give up its file rights: a read-only folder does not stop it");
        QTest::ignoreMessage(
            QtWarningMsg,
            QRegularExpression("recorder list was not saved to .*/config/tavrel/"
                               "xr\\.cfg \\(.+\\)\\. Its lines were:\\n10\\.0\\.0\\.9$"));
        QVERIFY(!RunWith({}));
    }
    QVERIFY(!QFileInfo::exists(config + QStringLiteral("/tavrel")));
}

QTEST_GUILESS_MAIN(TestDeviceFilePlace)
#include "tst_devicefileplace.moc"
