// SPDX-License-Identifier: GPL-3.0-or-later
// The loaded file's refresh of every polling tick: the window title, the
// information lists of the Control and Server pages, the remaining-time
// field, and the frame settings the loaded material brings.

#include "serverfixture.h"

#include "protocol/recorderstate.h"
#include "protocol/setupcommands.h"
#include "protocol/timecode.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace files;

namespace {

const QByteArray kSetupPrepare = WireFrame({0x40, 0xC3});
const QByteArray kGeneralPageRead = WireFrame({0x61, 0xC0, 0x00});
const QByteArray kInitialPageRead = WireFrame({0x61, 0xC0, 0x08});
const QByteArray kNoFileLoaded = WireFrame({0x71, 0xC1, 0x11});
// The first request of a reload of the segment list.
const QByteArray kFirstSegmentInfo = WireFrame({0x62, 0x9A, 0x00, 0x01});

// The divisor of positions is program-wide; a test that changes it puts it
// back.
struct DivisorGuard
{
    DivisorGuard() : divisor(positionDivisor) {}
    ~DivisorGuard() { positionDivisor = divisor; }
    quint32 divisor;
};

QStringList Prefixes(const QStringList &lines)
{
    QStringList prefixes;
    for (const QString &line : lines)
        prefixes << line.section(QLatin1Char(':'), 0, 0);
    return prefixes;
}

// Page 0 with the time mode and drop-frame bytes set, written and applied.
bool SetTimeMode(quint8 timeMode, quint8 dropFrame)
{
    SetupPageReply page{};
    if (SetupPageRead(0, page) != 0)
        return false;
    page[1 + 3] = timeMode;
    page[1 + 4] = dropFrame;
    return SetupPageWrite(0, page.data() + 1, kSetupPageBytes) == 0 && SetupPageApply(0) == 0;
}

} // namespace

class LoadedFileTest : public QObject
{
    Q_OBJECT

private slots:
    void titleAndLists_data();
    void titleAndLists();
    void informationIsRebuiltOnlyWhenAsked();
    void sameFileAgainAfterNoneIsShownAgain();
    void pelletDescribesTheFile();
    void frameSettingsFollowTheMaterial_data();
    void frameSettingsFollowTheMaterial();
    void recordersTimerDropFrameCounts();
};

void LoadedFileTest::titleAndLists_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("information");
    QTest::newRow("nothing loaded") << "CLIP0000"
                                    << ""
                                    << " (No file Loaded)." << false;
    QTest::newRow("the recorder's placeholder") << "XXX00001"
                                                << "XXX00001"
                                                << " (No file Loaded)." << false;
    QTest::newRow("a file loaded") << "NEWS"
                                   << "NEWS"
                                   << " (NEWS Loaded)." << true;
}

// While a file is loaded its information stands where the remaining time
// was; without one the lists are empty and the time is shown.
void LoadedFileTest::titleAndLists()
{
    QFETCH(QString, file);
    QFETCH(QString, loaded);
    QFETCH(QString, title);
    QFETCH(bool, information);
    ServerFixture fixture("127.0.61.1");
    QVERIFY2(fixture.ConnectWithFiles({file}, loaded), qPrintable(fixture.sim.ErrorString()));
    fixture.Tick();
    ServerPage *page = fixture.Page();
    QCOMPARE(fixture.window->windowTitle(),
             QStringLiteral("Tavrel - ") + fixture.DeviceName() + title);
    const QStringList lines = ServerFixture::Lines(page->lbClipInfos_2);
    QCOMPARE(ServerFixture::Lines(fixture.Find<QListWidget>("lbClipInfos")), lines);
    QCOMPARE(!lines.isEmpty(), information);
    QCOMPARE(page->leRemainigTime->isHidden(), information);
    QCOMPARE(page->remainingTimeLabel->isHidden(), information);
}

// The first tick with a file describes it; later ticks only check the file
// and the drop-frame setting, until a rebuild is asked for.
void LoadedFileTest::informationIsRebuiltOnlyWhenAsked()
{
    ServerFixture fixture("127.0.61.2");
    xrsim::Scenario scenario;
    scenario.files = {xrsim::Scenario::File{QStringLiteral("NEWS"), 120, 4}};
    scenario.loaded = QStringLiteral("NEWS");
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));
    QList<QByteArray> frames = fixture.Tick();
    QCOMPARE(frames.mid(frames.indexOf(kCurrentFileSense)),
             (QList<QByteArray>{kCurrentFileSense, kSetupPrepare, kGeneralPageRead, kSetupPrepare,
                                kInitialPageRead, WireFrame({0x61, 0xD2, 0x00}),
                                WireFrame({0x61, 0xD2, 0x01}), kAvailableTime}));
    const QStringList lines = ServerFixture::Lines(fixture.Page()->lbClipInfos_2);
    QCOMPARE(Prefixes(lines),
             (QStringList{"Duration ", "Bit rate ", "Format", "Number of Audio Tracks ",
                          "Available Time on storage"}));
    QCOMPARE(lines.at(0), QStringLiteral("Duration : 00:02:00"));
    QCOMPARE(lines.at(2), QStringLiteral("Format: PAL"));

    frames = fixture.Tick();
    QCOMPARE(frames.mid(frames.indexOf(kCurrentFileSense)),
             (QList<QByteArray>{kCurrentFileSense, kSetupPrepare, kGeneralPageRead}));
    fixture.window->RequestLoadedFileRefresh();
    frames = fixture.Tick();
    QVERIFY(frames.contains(kInitialPageRead));
    QCOMPARE(ServerFixture::Lines(fixture.Page()->lbClipInfos_2), lines);
}

// Unloading and loading the same file again shows its information again.
void LoadedFileTest::sameFileAgainAfterNoneIsShownAgain()
{
    ServerFixture fixture("127.0.61.3");
    QVERIFY2(fixture.ConnectWithFiles({"NEWS"}, QStringLiteral("NEWS")),
             qPrintable(fixture.sim.ErrorString()));
    QListWidget *list = fixture.Page()->lbClipInfos_2;
    fixture.Tick();
    const QStringList lines = ServerFixture::Lines(list);
    QVERIFY(!lines.isEmpty());
    fixture.sim.ForceReply(6, 0xC1, kNoFileLoaded);
    fixture.Tick();
    QCOMPARE(list->count(), 0);
    fixture.sim.ClearFaults();
    fixture.Tick();
    QCOMPARE(ServerFixture::Lines(list), lines);
}

// The Pellet reports the file's own format, length, tracks and the storage.
void LoadedFileTest::pelletDescribesTheFile()
{
    DivisorGuard guard;
    ServerFixture fixture("127.0.61.4");
    xrsim::Scenario scenario;
    QVERIFY(Set(scenario, "generation", QStringLiteral("pellet")));
    scenario.files = {xrsim::Scenario::File{QStringLiteral("NEWS"), 60, 2}};
    scenario.loaded = QStringLiteral("NEWS");
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));
    QCOMPARE(pelletDevice, quint8(1));
    fixture.Tick();
    const QStringList lines = ServerFixture::Lines(fixture.Page()->lbClipInfos_2);
    QCOMPARE(lines.size(), 5);
    QVERIFY2(lines.at(0).startsWith(QLatin1String("Comp : ")), qPrintable(lines.at(0)));
    QCOMPARE(lines.at(1), QStringLiteral("Format: PAL    Gop : I Only"));
    QCOMPARE(lines.at(2), QStringLiteral("Duration : 00:01:00:00"));
    QCOMPARE(lines.at(3), QStringLiteral("Number of Audio Tracks : 2"));
    QVERIFY2(lines.at(4).startsWith(QLatin1String("Space : ")), qPrintable(lines.at(4)));
    QCOMPARE(ServerFixture::Lines(fixture.Find<QListWidget>("lbClipInfos")), lines);
}

void LoadedFileTest::frameSettingsFollowTheMaterial_data()
{
    QTest::addColumn<int>("standard");
    QTest::addColumn<quint8>("dropFrame");
    QTest::addColumn<quint32>("divisor");
    QTest::addColumn<bool>("reload");
    QTest::newRow("NTSC, drop frame") << 1 << quint8(1) << 2u << true;
    QTest::newRow("1080 25p, progressive") << 4 << quint8(0) << 1u << true;
    QTest::newRow("PAL, as before") << 0 << quint8(0) << 2u << false;
}

// The material's standard and drop-frame setting become the recorder's;
// when they change the segment list is read again, since its times are
// shown in those terms.
void LoadedFileTest::frameSettingsFollowTheMaterial()
{
    QFETCH(int, standard);
    QFETCH(quint8, dropFrame);
    QFETCH(quint32, divisor);
    QFETCH(bool, reload);
    DivisorGuard guard;
    ServerFixture fixture("127.0.61.5");
    xrsim::Scenario scenario;
    scenario.videoStandard = standard;
    QVERIFY2(fixture.ConnectWithFiles({"NEWS"}, QStringLiteral("NEWS"), scenario),
             qPrintable(fixture.sim.ErrorString()));
    QCOMPARE(fixture.Tick().contains(kFirstSegmentInfo), reload);
    QCOMPARE(CurrentDevice->videoStandard, quint32(standard));
    QCOMPARE(CurrentDevice->dropFrame, dropFrame);
    QCOMPARE(positionDivisor, divisor);
}

// With the recorder's own timer as its time, the general page's drop-frame
// setting decides, and a change of it rebuilds the information and reloads
// the segment list.
void LoadedFileTest::recordersTimerDropFrameCounts()
{
    ServerFixture fixture("127.0.61.6");
    QVERIFY2(fixture.ConnectWithFiles({"NEWS"}, QStringLiteral("NEWS")),
             qPrintable(fixture.sim.ErrorString()));
    fixture.Tick();
    QCOMPARE(CurrentDevice->dropFrame, quint8(0));
    QVERIFY(SetTimeMode(1, 0xFF));
    const QList<QByteArray> frames = fixture.Tick();
    QVERIFY(frames.contains(kInitialPageRead) && frames.contains(kFirstSegmentInfo));
    QCOMPARE(CurrentDevice->dropFrame, quint8(1));
    QVERIFY(!fixture.Tick().contains(kInitialPageRead));

    QVERIFY(SetTimeMode(0, 0xFF));
    fixture.window->RequestLoadedFileRefresh();
    fixture.Tick();
    QCOMPARE(CurrentDevice->dropFrame, quint8(0));
}

QTEST_MAIN(LoadedFileTest)
#include "tst_loadedfile.moc"
