// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder's menu keys and the panel's file browser against the
// simulated recorder: the key codes each key sends in each mode, what the
// display shows of the answers, and the files Enter creates, loads or
// deletes.

#include "panelfixture.h"

#include "devices/devicerecord.h"

#include <QTableWidget>
#include <QTest>

using namespace wire;

namespace {

QByteArray NameFrame(quint8 cmd1, quint8 cmd2, const char *name)
{
    QByteArray frame;
    frame.append(char(cmd1)).append(char(cmd2));
    frame.append(QByteArray(name).leftJustified(8, '\0', true));
    return WireFrame(frame);
}

QByteArray NameQuery(const char *name)
{
    return NameFrame(0xA8, 0x18, name);
}

const QByteArray kCurrentFileSense = WireFrame({0x61, 0xC1, 0x01});
const QByteArray kFileListNext = WireFrame({0xA0, 0x15});
const QByteArray kFileListNextAll = WireFrame({0xA1, 0x15, 0xFF});

xrsim::Scenario WithFiles(std::initializer_list<const char *> names)
{
    xrsim::Scenario scenario;
    for (const char *name : names)
        scenario.files << xrsim::Scenario::File{QLatin1String(name)};
    return scenario;
}

QString Shown(QLineEdit *line)
{
    return line->text().trimmed();
}

} // namespace

class MenuKeysTest : public QObject
{
    Q_OBJECT

private slots:
    void upAndDownOpenAndStepTheMenu();
    void toggleChangesTheEntryShown();
    void olderFirmwareTogglesWithPlusAndMinus();
    void plusAndMinusByMode();
    void enterConfirms();
    void saveEnterReadsTheSegmentIn();
    void saveWithOptionProposesAFreeName();
    void saveWithoutFilesOrFileStore();
    void recallWithOptionLoadsAFile();
    void clearWithOptionDeletesAFile();
    void browserKeysLeaveTheTransportAlone();
    void saveCreatesOnlyANameCheckedFree();
};

// The first Up or Down opens the settings menu (with Option the options
// menu) and shows its title; the next ones step through it. The polling
// leaves the display to the menu.
void MenuKeysTest::upAndDownOpenAndStepTheMenu()
{
    PanelFixture panel("127.0.42.1");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Lock(true);
    QCOMPARE(panel.Press("pbMenuUp"), (QList<QByteArray>{PanelKey(1), PanelKey(4)}));
    QVERIFY(CurrentDevice->menuMode);
    QVERIFY(panel.ModifiersOff());
    QCOMPARE(Shown(panel.Upper()), QStringLiteral("SETUP MENU"));
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("1 Ctrl REMOTE"));

    QCOMPARE(panel.Press("pbMenuDown"), (QList<QByteArray>{PanelKey(3), PanelKey(4)}));
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("4 Mode 1R-1P"));
    panel.Status({{1, 0x01}});
    panel.Tick();
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("4 Mode 1R-1P"));
    QCOMPARE(Shown(panel.Upper()), QStringLiteral("SETUP MENU"));

    QVERIFY(panel.Press("pbEsc").isEmpty());
    QVERIFY(!CurrentDevice->menuMode);
    panel.Option(true);
    QCOMPARE(panel.Press("pbMenuDown"), (QList<QByteArray>{PanelKey(0x0B), PanelKey(4)}));
    QVERIFY(CurrentDevice->optionMenuMode);
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("1 Sync AUTO"));
    QCOMPARE(panel.Press("pbMenuUp"), (QList<QByteArray>{PanelKey(2), PanelKey(4)}));
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("2 Loop OFF"));
}

// Toggle readies a change and makes it: up without Option, down with it.
// Option stays on for the next toggle; Lock goes off.
void MenuKeysTest::toggleChangesTheEntryShown()
{
    PanelFixture panel("127.0.42.2");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    QVERIFY(panel.Press("pbToggle").isEmpty());

    panel.Key("pbMenuUp")->click();
    QCOMPARE(panel.Press("pbToggle"), (QList<QByteArray>{PanelKey(0x0A), PanelKey(5)}));
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("1 Ctrl LOCAL"));
    panel.Option(true);
    panel.Lock(true);
    QCOMPARE(panel.Press("pbToggle"), (QList<QByteArray>{PanelKey(0x0A), PanelKey(6)}));
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("1 Ctrl REMOTE"));
    QVERIFY(panel.Key("pbOption")->isChecked());
    QVERIFY(!panel.Key("pbLock")->isChecked());

    panel.Key("pbEsc")->click();
    panel.Option(true);
    panel.Key("pbMenuUp")->click();
    QCOMPARE(panel.Press("pbToggle"), (QList<QByteArray>{PanelKey(0x0A), PanelKey(0xA0)}));
    panel.Option(true);
    QCOMPARE(panel.Press("pbToggle"), (QList<QByteArray>{PanelKey(0x0A), PanelKey(0x9F)}));
}

// The older firmware's options menu takes 5 and 6 from Toggle, and its own
// codes from Plus and Minus.
void MenuKeysTest::olderFirmwareTogglesWithPlusAndMinus()
{
    PanelFixture panel("127.0.42.3");
    xrsim::Scenario scenario;
    scenario.generation = xrsim::Scenario::Generation::Dv;
    QVERIFY2(panel.Connect(scenario), qPrintable(panel.Error()));
    QCOMPARE(legacyFirmware, quint8(1));
    panel.Option(true);
    panel.Key("pbMenuUp")->click();
    QCOMPARE(panel.Press("pbToggle"), (QList<QByteArray>{PanelKey(0x0A), PanelKey(5)}));
    QCOMPARE(panel.Press("pbPlusPlus"), QList<QByteArray>{PanelKey(0xA0)});
    QCOMPARE(panel.Press("pbmoinsmoins"), QList<QByteArray>{PanelKey(0x9F)});
}

// Minus and Plus step a frame, change the options menu's value, or step
// through Recall's segments. In the settings menu Minus keeps still while
// Plus still steps; Delay mode holds both, and the modifiers with them.
void MenuKeysTest::plusAndMinusByMode()
{
    PanelFixture panel("127.0.42.4");
    xrsim::Scenario scenario;
    scenario.segments = {{1, "00:00:01:00", "00:00:02:00"}, {2, "00:00:03:00", "00:00:04:00"}};
    QVERIFY2(panel.Connect(scenario), qPrintable(panel.Error()));
    panel.Option(true);
    QCOMPARE(panel.Press("pbPlusPlus"), QList<QByteArray>{StepForward});
    QVERIFY(panel.ModifiersOff());
    QCOMPARE(panel.Press("pbmoinsmoins"), QList<QByteArray>{StepReverse});

    panel.Option(true);
    panel.Key("pbMenuUp")->click();
    QCOMPARE(panel.Press("pbPlusPlus"), QList<QByteArray>{PanelKey(5)});
    QCOMPARE(panel.Press("pbmoinsmoins"), QList<QByteArray>{PanelKey(6)});

    QCOMPARE(panel.Press("pbRecall"), (QList<QByteArray>{PanelKey(9), PanelKey(4)}));
    QVERIFY(CurrentDevice->recallMode);
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("Recall 0001"));
    QCOMPARE(panel.Press("pbPlusPlus"), (QList<QByteArray>{PanelKey(2), PanelKey(4)}));
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("Recall 0002"));
    QCOMPARE(panel.Press("pbmoinsmoins"), (QList<QByteArray>{PanelKey(3), PanelKey(4)}));

    panel.Key("pbEsc")->click();
    panel.Key("pbMenuUp")->click();
    QVERIFY(panel.Press("pbmoinsmoins").isEmpty());
    QCOMPARE(panel.Press("pbPlusPlus"), QList<QByteArray>{StepForward});

    panel.Key("pbEsc")->click();
    CurrentDevice->delayRecording = 1;
    panel.Lock(true);
    QVERIFY(panel.Press("pbPlusPlus").isEmpty());
    QVERIFY(panel.Press("pbmoinsmoins").isEmpty());
    QVERIFY(panel.Key("pbLock")->isChecked());
}

// Enter confirms the recorder's menu or Save with its key.
void MenuKeysTest::enterConfirms()
{
    PanelFixture panel("127.0.42.5");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Lock(true);
    QVERIFY(panel.Press("pbEnter").isEmpty());
    QVERIFY(panel.ModifiersOff());

    panel.Key("pbMenuUp")->click();
    QCOMPARE(panel.Press("pbEnter"), QList<QByteArray>{PanelKey(0x90)});
    QVERIFY(!CurrentDevice->menuMode);

    QCOMPARE(panel.Press("pbSav"), (QList<QByteArray>{PanelKey(8), PanelKey(4)}));
    QVERIFY(CurrentDevice->saveMode);
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("Save seg 0001"));
    QCOMPARE(panel.Press("pbEnter").value(0), PanelKey(0x90));
    QVERIFY(!CurrentDevice->saveMode);
}

// Enter on Save makes a segment on the recorder from the marked points; the
// segment list then reads it in.
void MenuKeysTest::saveEnterReadsTheSegmentIn()
{
    PanelFixture panel("127.0.42.11");
    xrsim::Scenario scenario = WithFiles({"CLIP0000"});
    scenario.loaded = QStringLiteral("CLIP0000");
    scenario.playing = true;
    QVERIFY2(panel.Connect(scenario), qPrintable(panel.Error()));
    auto *segments = panel.Find<QTableWidget>("TableClipList");
    QCOMPARE(segments->rowCount(), 0);

    panel.Key("pbIn")->click();
    panel.sim.AdvanceClock(2000);
    panel.Key("pbOut")->click();
    panel.Key("pbSav")->click();
    QCOMPARE(panel.Press("pbEnter").value(0), PanelKey(0x90));
    QCOMPARE(segments->rowCount(), 1);
}

// Save with Option proposes the first CLIPnnnn name the recorder does not
// use; the digit keys scroll its last four characters, the upper line tells
// whether the name is free, and Enter creates the file unless it is used.
void MenuKeysTest::saveWithOptionProposesAFreeName()
{
    PanelFixture panel("127.0.42.6");
    QVERIFY2(panel.Connect(WithFiles({"CLIP0000", "CLIP0001", "CLIP0002"})),
             qPrintable(panel.Error()));
    panel.Option(true);
    QCOMPARE(
        panel.Press("pbSav"),
        (QList<QByteArray>{FileListFirst, NameQuery("CLIP0000"), NameQuery("CLIP0001"),
                           NameQuery("CLIP0002"), NameQuery("CLIP0003"), NameQuery("CLIP0003")}));
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("CLIP0003"));
    QCOMPARE(Shown(panel.Upper()), QStringLiteral("[AVAILABLE]"));
    QVERIFY(CurrentDevice->fileSelectMode);
    QCOMPARE(CurrentDevice->fileAction, -1);
    QCOMPARE(QByteArray(CurrentDevice->panelFileName.data()), QByteArray("CLIP0003"));
    QVERIFY(panel.ModifiersOff());

    QCOMPARE(panel.Press("pb7"), QList<QByteArray>{NameQuery("CLIP0037")});
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("CLIP0037"));
    for (const char *digit : {"pb0", "pb0", "pb0", "pb2"})
        panel.Key(digit)->click();
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("CLIP0002"));
    QCOMPARE(Shown(panel.Upper()), QStringLiteral("[ALREADY USED]"));
    QVERIFY(panel.Press("pbEnter").isEmpty());
    QVERIFY(CurrentDevice->fileSelectMode);

    panel.Key("pb5")->click();
    QCOMPARE(Shown(panel.Upper()), QStringLiteral("[AVAILABLE]"));
    QCOMPARE(panel.Press("pbEnter"), QList<QByteArray>{NameFrame(0xA8, 0x02, "CLIP0025")});
    QVERIFY(!CurrentDevice->fileSelectMode);

    // Save pressed twice starts a name entry; Clear in it proposes a free
    // name.
    panel.Key("pbSav")->click();
    panel.Key("pbSav")->click();
    QVERIFY(CurrentDevice->fileSelectMode);
    panel.Key("pbclear")->click();
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("CLIP0003"));
}

// Without files the proposal is CLIP0000, checked once like any other; a
// recorder that keeps no files, or will not say which names it uses, ends
// the entry at once.
void MenuKeysTest::saveWithoutFilesOrFileStore()
{
    PanelFixture panel("127.0.42.7");
    QVERIFY2(panel.Connect(), qPrintable(panel.Error()));
    panel.Option(true);
    QCOMPARE(panel.Press("pbSav"), (QList<QByteArray>{FileListFirst, NameQuery("CLIP0000")}));
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("CLIP0000"));
    QCOMPARE(Shown(panel.Upper()), QStringLiteral("[AVAILABLE]"));
    QVERIFY(CurrentDevice->fileSelectMode);
    panel.CloseWindow();

    PanelFixture older("127.0.42.8");
    xrsim::Scenario scenario;
    scenario.generation = xrsim::Scenario::Generation::Dv;
    QVERIFY2(older.Connect(scenario), qPrintable(older.Error()));
    older.Option(true);
    QCOMPARE(older.Press("pbSav"), QList<QByteArray>{FileListFirst});
    QVERIFY(!CurrentDevice->fileSelectMode);
    QVERIFY(older.ModifiersOff());
    older.CloseWindow();

    // A recorder that refuses the name question is not asked 2048 times.
    PanelFixture refusing("127.0.42.12");
    QVERIFY2(refusing.Connect(WithFiles({"CLIP0000"})), qPrintable(refusing.Error()));
    refusing.Answer(0xA, 0x18, WireFrame({0x11, 0x12, 0x01}));
    refusing.Option(true);
    QCOMPARE(refusing.Press("pbSav"), (QList<QByteArray>{FileListFirst, NameQuery("CLIP0000")}));
    QVERIFY(!CurrentDevice->fileSelectMode);
}

// Recall with Option browses the files to load: the dial steps through
// them, the loaded one marked, and Enter loads the one shown. Setting the
// dial up for the browser steps nowhere.
void MenuKeysTest::recallWithOptionLoadsAFile()
{
    PanelFixture panel("127.0.42.9");
    xrsim::Scenario scenario = WithFiles({"NEWS", "SPORT", "WEATHER"});
    scenario.loaded = QStringLiteral("NEWS");
    QVERIFY2(panel.Connect(scenario), qPrintable(panel.Error()));
    panel.Option(true);
    QCOMPARE(panel.Press("pbRecall"), (QList<QByteArray>{FileListFirst, kCurrentFileSense}));
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("NEWS Loaded"));
    QVERIFY(CurrentDevice->fileSelectMode);
    QCOMPARE(CurrentDevice->fileAction, 0);
    QDial *dial = panel.Dial();
    QVERIFY(dial->wrapping());
    QCOMPARE(dial->maximum(), 10);
    QCOMPARE(dial->value(), 5);

    dial->setValue(6);
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("SPORT"));
    QCOMPARE(panel.During([&] { dial->setValue(7); }),
             (QList<QByteArray>{kFileListNext, kCurrentFileSense}));
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("WEATHER"));
    QCOMPARE(panel.During([&] { dial->setValue(6); }),
             (QList<QByteArray>{kFileListNextAll, kCurrentFileSense}));
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("SPORT"));

    QCOMPARE(WithoutStatusSenses(panel.Press("pbEnter")),
             QList<QByteArray>{NameFrame(0x48, 0x14, "SPORT")});
    QVERIFY(!CurrentDevice->fileSelectMode);
}

// Clear with Option browses the files to delete; Enter deletes the one shown.
void MenuKeysTest::clearWithOptionDeletesAFile()
{
    PanelFixture panel("127.0.42.10");
    QVERIFY2(panel.Connect(WithFiles({"NEWS", "SPORT", "WEATHER"})), qPrintable(panel.Error()));
    ShowFace(panel.Key("rbJog"), "rbd.png");
    panel.Option(true);
    QCOMPARE(panel.Press("pbclear").value(0), FileListFirst);
    QCOMPARE(CurrentDevice->fileAction, 1);
    QVERIFY(panel.ModifiersOff());
    QCOMPARE(ShownFace(panel.Key("rbJog")), QStringLiteral("rbu.png"));
    QCOMPARE(panel.Dial()->maximum(), 100);
    QCOMPARE(panel.Dial()->value(), 50);

    const QString shown = Shown(panel.Lower());
    QVERIFY(!shown.isEmpty());
    QCOMPARE(panel.Press("pbEnter"),
             QList<QByteArray>{NameFrame(0xA8, 0x10, shown.toLatin1().constData())});
    QVERIFY(!CurrentDevice->fileSelectMode);
}

// Recall pressed again, and Recall or Clear with Option on a recorder that
// keeps no files, set the dial up and send nothing else: not the shuttle
// that would stop a playing recorder.
void MenuKeysTest::browserKeysLeaveTheTransportAlone()
{
    PanelFixture panel("127.0.42.13");
    xrsim::Scenario scenario = WithFiles({"NEWS"});
    scenario.loaded = QStringLiteral("NEWS");
    scenario.playing = true;
    QVERIFY2(panel.Connect(scenario), qPrintable(panel.Error()));
    QCOMPARE(panel.Press("pbRecall"), (QList<QByteArray>{PanelKey(9), PanelKey(4)}));
    QVERIFY(panel.Press("pbRecall").isEmpty());
    QCOMPARE(panel.Dial()->value(), 5);
    panel.CloseWindow();

    PanelFixture noStore("127.0.42.14");
    xrsim::Scenario withoutFiles;
    withoutFiles.fileStore = false;
    QVERIFY2(noStore.Connect(withoutFiles), qPrintable(noStore.Error()));
    for (const char *key : {"pbRecall", "pbclear"}) {
        noStore.Option(true);
        QCOMPARE(noStore.Press(key), QList<QByteArray>{FileListFirst});
        QVERIFY(!CurrentDevice->fileSelectMode);
        QVERIFY(noStore.ModifiersOff());
    }
}

// Save pressed twice starts a name entry without a name: Enter creates
// nothing, not the file the browser showed last. The digits build a name
// of their own, never one from the recorder's display, and Enter creates it
// once the recorder said it is free; a question it refuses or leaves
// unanswered says so and creates nothing.
void MenuKeysTest::saveCreatesOnlyANameCheckedFree()
{
    PanelFixture panel("127.0.42.15");
    QVERIFY2(panel.Connect(WithFiles({"NEWS", "SPORT"})), qPrintable(panel.Error()));
    panel.Option(true);
    panel.Key("pbRecall")->click();
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("NEWS"));
    panel.Key("pbEsc")->click();

    panel.Key("pbSav")->click();
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("Save seg 0001"));
    panel.Key("pbSav")->click();
    QVERIFY(CurrentDevice->fileSelectMode);
    QVERIFY(panel.Press("pbEnter").isEmpty());
    QVERIFY(CurrentDevice->fileSelectMode);

    QCOMPARE(panel.Press("pb7"), QList<QByteArray>{NameQuery("CLIP0007")});
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("CLIP0007"));
    QCOMPARE(Shown(panel.Upper()), QStringLiteral("[AVAILABLE]"));

    panel.Answer(0xA, 0x18, WireFrame({0x11, 0x12, 0x01}), 1);
    panel.Key("pb8")->click();
    QCOMPARE(Shown(panel.Upper()), QStringLiteral("[REFUSED]"));
    QVERIFY(panel.Press("pbEnter").isEmpty());
    panel.Answer(0xA, 0x18, QByteArray(), 1);
    panel.Key("pb9")->click();
    QCOMPARE(Shown(panel.Upper()), QStringLiteral("[NO ANSWER]"));
    QVERIFY(panel.Press("pbEnter").isEmpty());

    panel.Key("pb1")->click();
    QCOMPARE(Shown(panel.Lower()), QStringLiteral("CLIP7891"));
    QCOMPARE(Shown(panel.Upper()), QStringLiteral("[AVAILABLE]"));
    QCOMPARE(panel.Press("pbEnter"), QList<QByteArray>{NameFrame(0xA8, 0x02, "CLIP7891")});
    QVERIFY(!CurrentDevice->fileSelectMode);
}

QTEST_MAIN(MenuKeysTest)
#include "tst_menukeys.moc"
