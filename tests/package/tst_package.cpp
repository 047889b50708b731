// SPDX-License-Identifier: GPL-3.0-or-later
// The Debian package: made by CPack from the same install rules as an
// install, its dependencies computed from the binaries by dpkg-shlibdeps, and
// free of errors by lintian's measure where lintian is installed.

#include "installation.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestPackage : public QObject
{
    Q_OBJECT

private slots:
    void packageHoldsTheInstall();
};

void TestPackage::packageHoldsTheInstall()
{
    if (Tool("dpkg-deb").isEmpty() || Tool("dpkg-shlibdeps").isEmpty())
        QSKIP("dpkg-dev is not installed (scripts/deps.sh --tests)");
    QTemporaryDir output;
    const ToolRun pack =
        RunTool(QStringLiteral(CPACK_COMMAND),
                {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                 QStringLiteral(TAVREL_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
                 output.path()});
    QVERIFY2(pack.status == 0, qPrintable(pack.out + pack.err));
    const QString architecture =
        RunTool(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).out.trimmed();
    const QString package =
        output.filePath(QStringLiteral("tavrel_%1_%2.deb").arg(kVersion, architecture));
    QVERIFY2(QFileInfo::exists(package), qPrintable(package));

    // The regular files of the package, one "-rwxr-xr-x root/root ... ./usr/bin/tavrel"
    // line each, are exactly those of an install.
    QStringList files;
    const ToolRun contents = RunTool(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), package});
    for (const QString &line : contents.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('-')))
            files.append(line.mid(line.indexOf(QLatin1String(" ./usr/")) + 7));
    }
    files.sort();
    QCOMPARE(files, InstalledFiles());
    QVERIFY2(!contents.out.contains(QRegularExpression(QStringLiteral("^\\S+ (?!root/root)"),
                                                       QRegularExpression::MultilineOption)),
             qPrintable(contents.out));

    const ToolRun depends = RunTool(QStringLiteral("dpkg-deb"),
                                    {QStringLiteral("-f"), package, QStringLiteral("Depends")});
    for (const char *library : {"libqt6widgets6", "libqt6serialport6", "libqt6network6", "libc6"})
        QVERIFY2(depends.out.contains(QLatin1String(library)), qPrintable(depends.out));

    const QString lintian = Tool("lintian");
    if (lintian.isEmpty())
        QSKIP("lintian is not installed (scripts/deps.sh --tests)");
    const ToolRun check =
        RunTool(lintian, {QStringLiteral("--fail-on"), QStringLiteral("error"), package});
    QVERIFY2(check.status == 0, qPrintable(check.out + check.err));
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
