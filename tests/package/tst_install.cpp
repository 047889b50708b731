// SPDX-License-Identifier: GPL-3.0-or-later
// What `cmake --install` puts on a machine: the programs, the menu entry, the
// icons, the AppStream metadata, the manual pages and the package's
// documentation, checked by the desktop's own validators where they are
// installed; and one version number everywhere.

#include "installation.h"

#include <QDirIterator>
#include <QImageReader>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The gzip-compressed file's text.
QString Unzipped(const QString &path)
{
    return RunTool(QStringLiteral("gzip"), {QStringLiteral("-dc"), path}).out;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void installHoldsEveryFile();
    void iconsComeInTheirSizes();
    void desktopEntryValidates();
    void metainfoValidates();
    void manPagesRenderCleanly();
    void oneVersionEverywhere();

private:
    QString Installed(const QString &path) const { return root.filePath("usr/" + path); }

    QTemporaryDir root;
};

void TestInstall::initTestCase()
{
    QVERIFY(root.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), root.path());
    const ToolRun install = RunTool(QStringLiteral(CMAKE_COMMAND),
                                    {QStringLiteral("--install"), QStringLiteral(TAVREL_BUILD_DIR),
                                     QStringLiteral("--prefix"), QStringLiteral("/usr")},
                                    environment);
    QVERIFY2(install.status == 0, qPrintable(install.err));
}

void TestInstall::installHoldsEveryFile()
{
    QStringList found;
    QDirIterator files(root.filePath(QStringLiteral("usr")), QDir::Files | QDir::Hidden,
                       QDirIterator::Subdirectories);
    while (files.hasNext())
        found.append(QDir(root.filePath(QStringLiteral("usr"))).relativeFilePath(files.next()));
    found.sort();
    QCOMPARE(found, InstalledFiles());
    for (const char *program : {"bin/tavrel", "bin/tavrel-sim"})
        QVERIFY2(QFileInfo(Installed(QLatin1String(program))).isExecutable(), program);
}

void TestInstall::iconsComeInTheirSizes()
{
    for (const int size : {48, 64, 128, 256}) {
        QImageReader icon(
            Installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/tavrel.png").arg(size)));
        QCOMPARE(icon.format(), QByteArray("png"));
        QCOMPARE(icon.size(), QSize(size, size));
        // A transparent corner: the icon is a rounded case, not a square.
        QCOMPARE(icon.read().pixelColor(0, 0).alpha(), 0);
    }
}

void TestInstall::desktopEntryValidates()
{
    const QString validate = Tool("desktop-file-validate");
    if (validate.isEmpty())
        QSKIP("desktop-file-validate is not installed (scripts/deps.sh --tests)");
    const QString entry = Installed(QStringLiteral("share/applications/%1.desktop").arg(kAppId));
    const ToolRun run = RunTool(validate, {entry});
    QVERIFY2(run.status == 0 && run.out.isEmpty(), qPrintable(run.out + run.err));

    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char *line : {"Exec=tavrel", "Icon=tavrel", "Categories=AudioVideo;Video;"})
        QVERIFY2(text.contains(QLatin1String(line) + QLatin1Char('\n')), line);
    QVERIFY(text.contains(
        QRegularExpression(QStringLiteral("^Keywords=.+;$"), QRegularExpression::MultilineOption)));
}

void TestInstall::metainfoValidates()
{
    const QString appstream = Tool("appstreamcli");
    if (appstream.isEmpty())
        QSKIP("appstreamcli is not installed (scripts/deps.sh --tests)");
    const ToolRun run =
        RunTool(appstream, {QStringLiteral("validate"), QStringLiteral("--no-net"),
                            Installed("share/metainfo/" + kAppId + ".metainfo.xml")});
    QVERIFY2(run.status == 0, qPrintable(run.out + run.err));
}

// man prints its warnings (bad requests, lines that do not fit) on stderr.
void TestInstall::manPagesRenderCleanly()
{
    const QString man = Tool("man");
    if (man.isEmpty())
        QSKIP("man is not installed (scripts/deps.sh --tests)");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    for (const char *page : {"tavrel.1.gz", "tavrel-sim.1.gz", "tavrel-ctl.1.gz"}) {
        const ToolRun run =
            RunTool(man,
                    {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"),
                     QStringLiteral("-l"), Installed(QStringLiteral("share/man/man1/") + page)},
                    environment);
        QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.err));
        QVERIFY2(run.out.contains(QStringLiteral("Tavrel ") + kVersion), page);
    }
}

// The version of the top CMakeLists.txt, and only it, everywhere it shows.
void TestInstall::oneVersionEverywhere()
{
    const ToolRun tavrel = RunTool(Installed(QStringLiteral("bin/tavrel")), {"--version"});
    QCOMPARE(tavrel.out, QStringLiteral("tavrel %1\n").arg(kVersion));
    const ToolRun sim = RunTool(Installed(QStringLiteral("bin/tavrel-sim")), {"--version"});
    QCOMPARE(sim.out, QStringLiteral("tavrel-sim %1\n").arg(kVersion));
    const ToolRun ctl = RunTool(Installed(QStringLiteral("bin/tavrel-ctl")), {"--version"});
    QCOMPARE(ctl.out, QStringLiteral("tavrel-ctl %1\n").arg(kVersion));

    QFile metainfo(Installed("share/metainfo/" + kAppId + ".metainfo.xml"));
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    const QString releases = QString::fromUtf8(metainfo.readAll());
    QVERIFY(releases.contains(QStringLiteral("<release version=\"%1\"").arg(kVersion)));

    QVERIFY(Unzipped(Installed(QStringLiteral("share/man/man1/tavrel.1.gz")))
                .contains(QStringLiteral("\"Tavrel %1\"").arg(kVersion)));
    QVERIFY(Unzipped(Installed(QStringLiteral("share/doc/tavrel/changelog.gz")))
                .startsWith(QStringLiteral("tavrel (%1) ").arg(kVersion)));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
