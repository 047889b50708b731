// The window itself: its widget tree and menus, the enabling rules by kind
// of recorder, the keys, the display writers and the dialogs.

#include "windowfixture.h"

#include "protocol/recorderstate.h"
#include "ui/panel/dlgabout.h"
#include "ui/panel/formshortcuts.h"
#include "ui/panel/panelkeycodes.h"
#include "ui/panel/sendsony9pcommand.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {

// The names other parts of the program and the operator's shortcuts rely on.
const char *const kNamedWidgets[] = {"tabWidget",
                                     "tab",
                                     "tab_4",
                                     "TabPage",
                                     "TabPage_2",
                                     "pbPlay",
                                     "pbStop",
                                     "pbRecord",
                                     "pbFor",
                                     "pbBack",
                                     "pbLock",
                                     "pbOption",
                                     "pbR",
                                     "pbP",
                                     "pbRemoteLocal",
                                     "pbOffLtc",
                                     "pbATTC",
                                     "potent",
                                     "slider",
                                     "rbJog",
                                     "rbShuttle",
                                     "rbSloMo",
                                     "sliderTxt1",
                                     "sliderTxt2",
                                     "sliderTxt3",
                                     "sliderTxt4",
                                     "sliderTxt5",
                                     "textLabel4_2",
                                     "textLabel5",
                                     "textLabel6",
                                     "pbMenuUp",
                                     "pbMenuDown",
                                     "pbToggle",
                                     "pbmoinsmoins",
                                     "pbPlusPlus",
                                     "pbEsc",
                                     "pbEnter",
                                     "pbRecall",
                                     "pbSav",
                                     "textLabel1",
                                     "textLabel1_4",
                                     "pb0",
                                     "pb9",
                                     "pbDot",
                                     "pbclear",
                                     "pbBksp",
                                     "pbIn",
                                     "pbOut",
                                     "pbGoto",
                                     "buttonGroup4",
                                     "lineLCD1",
                                     "lineLCD3",
                                     "A1",
                                     "A8",
                                     "groupBox4",
                                     "line7",
                                     "tabWidget3",
                                     "tab_2",
                                     "tab_3",
                                     "lbClipInfos",
                                     "pbTC1",
                                     "pbTC4",
                                     "pbCapture",
                                     "pbLocate",
                                     "TableClipList",
                                     "TablePlaylist",
                                     "lineEdit22_2",
                                     "EditLabel2",
                                     "EdDiskName",
                                     "textLabel1_3",
                                     "pbClip",
                                     "pbClipIn",
                                     "pbClipOut",
                                     "pbAddBefore",
                                     "pbAddAfter",
                                     "pbRemove",
                                     "pbRemoveAll",
                                     "pbPrev",
                                     "pbNext",
                                     "pbStart",
                                     "pbPause",
                                     "pbAbort",
                                     "pbLoop",
                                     "pbEsc2",
                                     "pb_Enter",
                                     "buttonGroup4_2",
                                     "lineLCD2",
                                     "lineLCD4",
                                     "buttonGroup15",
                                     "TableFileList",
                                     "lbClipInfos_2",
                                     "leRemainigTime",
                                     "pbUpdateListFile",
                                     "pbLoadFile",
                                     "pbCreateFile_2",
                                     "pbDeleteFile_2",
                                     "pbRenameClip",
                                     "TableBus1",
                                     "TableBus2",
                                     "pbScan",
                                     "pbFormat",
                                     "pbApply",
                                     "pbApply2"};

// Each menu's entries by object name, "-" for a separator.
QStringList MenuEntries(QMenu *menu)
{
    QStringList names;
    for (const QAction *action : menu->actions())
        names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    return names;
}

QByteArray DisplayReply(const QByteArray &data)
{
    return SenseReturn(0x95, data);
}

// Accepts the next message box and keeps its text.
void AcceptNextMessageBox(QString *text)
{
    WhenDialogOpens<QMessageBox>([text](QMessageBox *box) {
        *text = box->text();
        box->accept();
    });
}

} // namespace

class PanelTest : public QObject
{
    Q_OBJECT

private slots:
    void widgetTreeAndMenus();
    void lowerLineFollowsTheText();
    void displayReplyIsPlacedByItsFirstByte();
    void versionKeyDecidesLegacyFirmware_data();
    void versionKeyDecidesLegacyFirmware();
    void pelletKeepsToControlAndServer();
    void olderFirmwareHasNoFilesPage();
    void selectedSegmentEnablesItsEntries();
    void keysActOnTheShownPage();
    void manualCommandIsSent();
    void aboutAndShortcutsDialogs();
};

void PanelTest::widgetTreeAndMenus()
{
    WindowFixture fixture("127.0.9.1");
    QVERIFY(fixture.WriteDeviceFile(QByteArray()));
    fixture.OpenWindow();
    MainWindow &window = *fixture.window;

    QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
    QVERIFY(window.width() >= 782 && window.height() >= 531);
    for (const char *name : kNamedWidgets)
        QVERIFY2(fixture.Find<QObject>(name), name);

    auto *tabs = fixture.Find<QTabWidget>("tabWidget");
    QCOMPARE(tabs->count(), 4);
    const char *const pages[][2] = {
        {"tab", "Control"}, {"tab_4", "Segment"}, {"TabPage", "Server"}, {"TabPage_2", "Expert"}};
    for (int index = 0; index < 4; ++index) {
        QCOMPARE(tabs->widget(index)->objectName(), QLatin1String(pages[index][0]));
        QCOMPARE(tabs->tabText(index), QLatin1String(pages[index][1]));
    }

    QStringList titles;
    for (const QAction *menu : window.menuBar()->actions())
        titles << menu->text();
    QCOMPARE(titles, (QStringList{"&File", "&Edit", "&Segment", "C&ommand", "&Connect", "&Device",
                                  "&Help"}));
    const auto menu = [&](const char *name) {
        return window.menuBar()->findChild<QMenu *>(QLatin1String(name));
    };
    QCOMPARE(MenuEntries(menu("fileMenu")),
             (QStringList{"New", "Open", "Save", "SaveAs", "-", "ImportClip", "ExportPlaylist", "-",
                          "ExportClipCSV", "ExportPListToCSV", "-", "Quit"}));
    QCOMPARE(MenuEntries(menu("segmentMenu")),
             (QStringList{"In", "Out", "CutClip", "CreateClip", "RenameClip", "GotoIn", "GotoOut",
                          "RenameDisk", "Menu_Segment_Clear_all"}));
    QCOMPARE(MenuEntries(menu("commandMenu")), (QStringList{"Goto", "SetTC", "SendManual9P"}));
    QCOMPARE(MenuEntries(menu("helpMenu")),
             (QStringList{"-", "helpAboutAction", "helpShortcutsAction"}));
    QCOMPARE(fixture.Action("SaveAs")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    QCOMPARE(fixture.Action("SendManual9P")->shortcut(), QKeySequence(QStringLiteral("Shift+P")));
    QCOMPARE(fixture.Action("helpAboutAction")->text(), QStringLiteral("&About"));
    QVERIFY(fixture.Action("Undo") && fixture.Action("CopyToEnd"));

    QCOMPARE(fixture.Find<QPushButton>("pbBksp")->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+Space")));
    QCOMPARE(fixture.Find<QPushButton>("pbRemoveAll")->shortcut(),
             QKeySequence(QStringLiteral("Shift+Del")));
    for (const char *name : {"pbLock", "pbOption", "pbTC1", "pbTC4", "pbLoop"})
        QVERIFY2(fixture.Find<QPushButton>(name)->isCheckable(), name);
    QVERIFY(!fixture.Find<QPushButton>("pbPlay")->isCheckable());
    QVERIFY(fixture.Find<QWidget>("slider")->isHidden());
}

// The lower line drops to the small font above 13 characters; the transport
// word ends at the 20th column whatever the menu text before it.
void PanelTest::lowerLineFollowsTheText()
{
    WindowFixture fixture("127.0.9.2");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.errorString()));
    MainWindow &window = *fixture.window;
    QLineEdit *lineLCD3 = fixture.Find<QLineEdit>("lineLCD3");
    QLineEdit *lineLCD4 = fixture.Find<QLineEdit>("lineLCD4");

    window.WriteMenuLine("  THIRTEEN CHAR");
    QCOMPARE(lineLCD3->text(), QStringLiteral("THIRTEEN CHAR"));
    QCOMPARE(lineLCD3->font().pointSize(), 14);
    window.WriteMenuLine("FOURTEEN CHARS");
    QCOMPARE(lineLCD3->font().pointSize(), 10);
    QCOMPARE(lineLCD4->font().pointSize(), 10);

    window.WriteMenuLine("MENU12");
    window.WriteFuncString("FORWARD");
    QCOMPARE(lineLCD3->text(), QStringLiteral("MENU12       FORWARD"));
    QCOMPARE(lineLCD3->font().pointSize(), 10);
    window.WriteFuncString("SHUTTLES");
    QCOMPARE(window.MenuLine(), QStringLiteral("MENU12       SHUTTLE"));

    // Stored but not shown while the recorder's display is read silently.
    CurrentDevice->silentUpdate = 1;
    window.WriteMenuLine("HIDDEN");
    CurrentDevice->silentUpdate = 0;
    QCOMPARE(window.MenuLine(), QStringLiteral("HIDDEN              "));
    QCOMPARE(lineLCD3->text(), QStringLiteral("MENU12       SHUTTLE"));

    // A panel mode keeps the transport word off the display.
    CurrentDevice->menuMode = 1;
    window.WriteFuncString("STOP");
    QCOMPARE(window.MenuLine(), QStringLiteral("HIDDEN              "));
}

void PanelTest::displayReplyIsPlacedByItsFirstByte()
{
    WindowFixture fixture("127.0.9.3");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.errorString()));
    MainWindow &window = *fixture.window;

    // Bits 7 and 6: lower line, column 3.
    fixture.sim.forceReply(6, 0x95,
                           DisplayReply(QByteArray("\xC3"
                                                   "ABC")));
    window.SendPanelKey(kDisplayReadKey);
    QCOMPARE(window.MenuLine(), QStringLiteral("   ABC              "));
    QCOMPARE(fixture.Find<QLineEdit>("lineLCD3")->text(), QStringLiteral("ABC"));

    // Bit 7 clear: the recorder left its menu; the text goes up, column 5.
    CurrentDevice->menuMode = 1;
    fixture.sim.forceReply(6, 0x95,
                           DisplayReply(QByteArray("\x05"
                                                   "XY")));
    window.SendPanelKey(kDisplayReadKey);
    QCOMPARE(CurrentDevice->menuMode, quint8(0));
    QCOMPARE(window.TimeLine(), QStringLiteral("     XY             "));
    QCOMPARE(fixture.Find<QLineEdit>("lineLCD1")->text(), QStringLiteral("     XY             "));
    QCOMPARE(fixture.sim.receivedFrames().count(WireFrame({0x61, 0x95, 0x07})), 2);
}

void PanelTest::versionKeyDecidesLegacyFirmware_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("legacy");
    QTest::addColumn<QString>("shown");

    QTest::newRow("older digits") << QByteArray("\xC0V3.2.1") << 1 << "V3.2.1";
    QTest::newRow("newer digits") << QByteArray("\xC0V4.5.6") << 0 << "V4.5.6";
    QTest::newRow("one old digit") << QByteArray("\xC0V4.5.3") << 1 << "V4.5.3";
    QTest::newRow("no version") << QByteArray("\xC0X2.0") << 0 << "";
    QTest::newRow("first generation") << QByteArray("1V0.9") << 7 << "V1V0.";
}

void PanelTest::versionKeyDecidesLegacyFirmware()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, legacy);
    QFETCH(QString, shown);
    WindowFixture fixture("127.0.9.4");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.errorString()));
    fixture.window->WriteMenuLine("");

    legacyFirmware = 7; // the first generation leaves it as it was
    fixture.sim.forceReply(6, 0x95, DisplayReply(reply));
    fixture.window->SendPanelKey(kVersionKey);
    QCOMPARE(int(legacyFirmware), legacy);
    QCOMPARE(fixture.window->MenuLine().trimmed(), shown);
    legacyFirmware = 0;
}

// A Pellet keeps no segments and no disks: the window keeps it on the Control
// and Server pages and offers none of that work.
void PanelTest::pelletKeepsToControlAndServer()
{
    WindowFixture fixture("127.0.9.5");
    xrsim::Scenario scenario;
    scenario.generation = xrsim::Scenario::Generation::Pellet;
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.errorString()));
    QCOMPARE(pelletDevice, quint8(1));

    for (const char *name : {"ImportClip", "New", "Save", "SaveAs", "Menu_Segment_Clear_all",
                             "ExportPlaylist", "ExportClipCSV", "In", "Out", "CreateClip",
                             "ExportPListToCSV", "Find", "deviceSettingsAction", "Open"})
        QVERIFY2(!fixture.Action(name)->isEnabled(), name);
    for (const char *name : {"pbR", "pbSav", "pbCreateFile_2", "pbRenameClip"})
        QVERIFY2(fixture.Find<QWidget>(name)->isHidden(), name);

    auto *tabs = fixture.Find<QTabWidget>("tabWidget");
    tabs->setCurrentIndex(1);
    fixture.Tick();
    QCOMPARE(tabs->currentIndex(), 0);

    QString warning;
    AcceptNextMessageBox(&warning);
    tabs->setCurrentIndex(3);
    QCOMPARE(warning, QStringLiteral("This window is not currently available for Pellet device."));
    QCOMPARE(tabs->currentIndex(), 0);

    tabs->setCurrentIndex(2);
    fixture.Tick();
    QCOMPARE(tabs->currentIndex(), 2);
}

void PanelTest::olderFirmwareHasNoFilesPage()
{
    WindowFixture fixture("127.0.9.6");
    xrsim::Scenario scenario;
    scenario.generation = xrsim::Scenario::Generation::Dv;
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.errorString()));
    QVERIFY(fixture.Find<QWidget>("pbRenameClip")->isHidden());
    QVERIFY(!fixture.Find<QWidget>("pbR")->isHidden());
    QVERIFY(!fixture.Action("RenameDisk")->isEnabled());

    auto *tabs = fixture.Find<QTabWidget>("tabWidget");
    tabs->setCurrentIndex(1);
    QVERIFY(fixture.Action("RenameDisk")->isEnabled());
    QVERIFY(fixture.Action("Open")->isEnabled());
    tabs->setCurrentIndex(2);
    QCOMPARE(tabs->currentIndex(), 0);
}

void PanelTest::selectedSegmentEnablesItsEntries()
{
    WindowFixture fixture("127.0.9.7");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.errorString()));
    auto *segments = fixture.Find<QTableWidget>("TableClipList");
    segments->setRowCount(2);
    auto *tabs = fixture.Find<QTabWidget>("tabWidget");
    tabs->setCurrentIndex(1);
    const char *const entries[] = {"CutClip", "RenameClip", "GotoIn",
                                   "GotoOut", "CopyClip",   "PasteClip"};
    for (const char *name : entries)
        QVERIFY2(!fixture.Action(name)->isEnabled(), name);

    segments->setCurrentCell(1, 0);
    fixture.Tick();
    for (const char *name : entries)
        QVERIFY2(fixture.Action(name)->isEnabled(), name);
    QVERIFY(fixture.Action("Find")->isEnabled());

    tabs->setCurrentIndex(0);
    for (const char *name : entries)
        QVERIFY2(!fixture.Action(name)->isEnabled(), name);
    QVERIFY(!fixture.Action("Find")->isEnabled());
}

// One key serves a key on each page; it presses the one that is shown. Where
// a menu entry has the key of a panel key, the panel key wins on its page.
void PanelTest::keysActOnTheShownPage()
{
    WindowFixture fixture("127.0.9.8");
    QVERIFY(fixture.WriteDeviceFile(QByteArray()));
    fixture.OpenWindow();
    MainWindow &window = *fixture.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *tabs = fixture.Find<QTabWidget>("tabWidget");

    QSignalSpy play(fixture.Find<QPushButton>("pbPlay"), &QPushButton::clicked);
    QSignalSpy start(fixture.Find<QPushButton>("pbStart"), &QPushButton::pressed);
    QSignalSpy markIn(fixture.Find<QPushButton>("pbIn"), &QPushButton::clicked);
    QSignalSpy inEntry(fixture.Action("In"), &QAction::triggered);

    QTest::keyClick(&window, Qt::Key_Space);
    QTest::keyClick(&window, Qt::Key_I);
    QTRY_COMPARE(play.count(), 1);
    QTRY_COMPARE(markIn.count(), 1);
    QCOMPARE(start.count(), 0);
    QCOMPARE(inEntry.count(), 0);

    tabs->setCurrentIndex(1);
    QTest::keyClick(&window, Qt::Key_Space);
    QTRY_COMPARE(start.count(), 1);
    tabs->setCurrentIndex(2);
    QTest::keyClick(&window, Qt::Key_I);
    QCOMPARE(inEntry.count(), 1);
    QCOMPARE(play.count(), 1);
    QCOMPARE(markIn.count(), 1);
}

void PanelTest::manualCommandIsSent()
{
    WindowFixture fixture("127.0.9.9");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.errorString()));
    fixture.sim.clearReceivedFrames();

    QStringList monitor;
    QList<QByteArray> framesAfterOneByte;
    WhenDialogOpens<SendSony9PCommand>([&](SendSony9PCommand *dialog) {
        dialog->leSony9Pcommand->setText(QStringLiteral("20.01"));
        dialog->pbSend->click();
        for (int row = 0; row < dialog->listBox1->count(); ++row)
            monitor << dialog->listBox1->item(row)->text();
        dialog->leSony9Pcommand->setText(QStringLiteral("20"));
        dialog->pbSend->click();
        framesAfterOneByte = fixture.sim.receivedFrames();
        dialog->pbClose->click();
    });
    fixture.Action("SendManual9P")->trigger();

    QCOMPARE(framesAfterOneByte, QList<QByteArray>{WireFrame({0x20, 0x01})});
    QCOMPARE(monitor, (QStringList{"Message sent :", "0x20.0x01.0x21",
                                   "Message received :", "0x10.0x01.0x11"}));
}

void PanelTest::aboutAndShortcutsDialogs()
{
    WindowFixture fixture("127.0.9.10");
    QVERIFY(fixture.WriteDeviceFile(QByteArray()));
    fixture.OpenWindow();

    QString caption;
    QString release;
    WhenDialogOpens<DlgAbout>([&](DlgAbout *dialog) {
        caption = dialog->windowTitle();
        release = dialog->textVersion->text();
        dialog->pbOk->click();
    });
    fixture.Action("helpAboutAction")->trigger();
    QCOMPARE(caption, QStringLiteral("About Tavrel"));
    QCOMPARE(release, QStringLiteral("Tavrel, Release version 1.6.7"));

    QStringList keys;
    WhenDialogOpens<FormShortcuts>([&](FormShortcuts *dialog) {
        for (const QLabel *label : dialog->findChildren<QLabel *>(QStringLiteral("key")))
            keys << label->text();
        dialog->accept();
    });
    fixture.Action("helpShortcutsAction")->trigger();
    QCOMPARE(keys.count(QStringLiteral("0...9")), 1);
    QVERIFY(!keys.contains(QStringLiteral("1")));
    QVERIFY(keys.contains(QStringLiteral("Shift+Del")));
    QVERIFY(keys.contains(QStringLiteral("F10")));
    QVERIFY(fixture.window->findChildren<FormShortcuts *>().isEmpty());
}

QTEST_MAIN(PanelTest)
#include "tst_panel.moc"
