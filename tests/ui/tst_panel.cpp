// SPDX-License-Identifier: GPL-3.0-or-later
// The window itself: its widget tree and menus, the enabling rules by kind
// of recorder, the keys, the display writers and the dialogs.

#include "windowfixture.h"

#include "protocol/recorderstate.h"
#include "ui/common/faces.h"
#include "ui/panel/dlgabout.h"
#include "ui/panel/formshortcuts.h"
#include "ui/panel/panelkeycodes.h"
#include "ui/panel/sendsony9pcommand.h"
#include "ui/settings/dlgdevicesettings.h"

#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

#include <utility>

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

// The names screen readers and automation tools read, page by page.
const std::pair<const char *, const char *> kAccessibleNames[] = {
    {"pbPlay", "Play"},
    {"pbStop", "Stop"},
    {"pbRecord", "Record"},
    {"pbFor", "Fast forward"},
    {"pbBack", "Rewind"},
    {"pbLock", "Lock"},
    {"pbOption", "Option"},
    {"pbR", "Recorder side"},
    {"pbP", "Player side"},
    {"pbRemoteLocal", "Remote/Local"},
    {"pbOffLtc", "LTC"},
    {"pbATTC", "Timer/Timecode"},
    {"rbJog", "Jog"},
    {"rbShuttle", "Shuttle"},
    {"rbSloMo", "Slow motion"},
    {"potent", "Dial"},
    {"slider", "Slow motion speed"},
    {"pbMenuUp", "Menu up"},
    {"pbMenuDown", "Menu down"},
    {"pbToggle", "Toggle"},
    {"pbmoinsmoins", "Minus"},
    {"pbPlusPlus", "Plus"},
    {"pbEsc", "Esc"},
    {"pbEnter", "Enter"},
    {"pbRecall", "Recall"},
    {"pbSav", "Save"},
    {"pb0", "0"},
    {"pb5", "5"},
    {"pb9", "9"},
    {"pbDot", "Dot"},
    {"pbclear", "Clear"},
    {"pbBksp", "Backspace"},
    {"pbIn", "In"},
    {"pbOut", "Out"},
    {"pbGoto", "Goto"},
    {"pbCapture", "Capture"},
    {"pbLocate", "Locate"},
    {"pbTC1", "Memory 1"},
    {"pbTC4", "Memory 4"},
    {"lineLCD1", "Display upper line"},
    {"lineLCD3", "Display lower line"},
    {"A1", "Audio level 1"},
    {"A8", "Audio level 8"},
    {"lbClipInfos", "Loaded file information"},
    {"TableClipList", "Segments"},
    {"TablePlaylist", "Playlist"},
    {"pbClip", "Create segment"},
    {"pbClipIn", "Mark in"},
    {"pbClipOut", "Mark out"},
    {"pbAddBefore", "Add before"},
    {"pbAddAfter", "Add after"},
    {"pbRemove", "Remove"},
    {"pbRemoveAll", "Remove all"},
    {"pbPrev", "Previous"},
    {"pbNext", "Next"},
    {"pbStart", "Start"},
    {"pbPause", "Pause"},
    {"pbAbort", "Abort"},
    {"pbLoop", "Loop"},
    {"pbEsc2", "Esc"},
    {"pb_Enter", "Enter"},
    {"lineEdit22_2", "Name entry"},
    {"EdDiskName", "Disk line"},
    {"lineLCD2", "Display upper line"},
    {"lineLCD4", "Display lower line"},
    {"TableFileList", "Files"},
    {"lbClipInfos_2", "Loaded file information"},
    {"leRemainigTime", "Remaining time"},
    {"pbUpdateListFile", "Refresh"},
    {"pbLoadFile", "Load"},
    {"pbCreateFile_2", "Create"},
    {"pbDeleteFile_2", "Delete"},
    {"pbRenameClip", "Rename"},
    {"TableBus1", "Bus 1"},
    {"TableBus2", "Bus 2"},
    {"pbScan", "Scan"},
    {"pbFormat", "Format"},
    {"pbApply2", "Apply"},
};

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
    void leadingSeparatorsAreDrawn();
    void widgetsCarryTheirNames();
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
    void dialogsNameTheirButtons();
    void displayTextEndsAtItsFirstNul();
    void fileBrowserKeysStayLocal();
    void pagesReachTheirActions();
    void faceKeepsOneIconPerPicture();
};

// The window builds without a recorder and without touching a file: the
// device session that would probe the recorders is never opened.
void PanelTest::widgetTreeAndMenus()
{
    DeviceSession devices;
    MainWindow window;
    window.Start();
    QVERIFY(!CurrentDevice);
    QCOMPARE(LinkList.GetCount(), quint16(0));
    QCOMPARE(DeviceList.GetCount(), quint16(0));
    QVERIFY(!devices.Save());
    QCOMPARE(window.windowTitle(), QStringLiteral("Tavrel - Not connected."));
    QCOMPARE(window.recorders->XRMenuTexts(),
             (QStringList{QStringLiteral("Add XR..."), QStringLiteral("Remove XR...")}));

    QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
    QVERIFY(window.width() >= 782 && window.height() >= 531);
    for (const char *name : kNamedWidgets)
        QVERIFY2(window.findChild<QObject *>(QLatin1String(name)), name);

    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
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
                          "ExportClipCSV", "ExportPListToCSV", "ExportClipEDL", "ExportPListToEDL",
                          "-", "Quit"}));
    QCOMPARE(MenuEntries(menu("segmentMenu")),
             (QStringList{"In", "Out", "CutClip", "CreateClip", "RenameClip", "GotoIn", "GotoOut",
                          "RenameDisk", "Menu_Segment_Clear_all"}));
    QCOMPARE(MenuEntries(menu("commandMenu")), (QStringList{"Goto", "SetTC", "SendManual9P", "-",
                                                            "TrafficMonitor", "RecordTraffic"}));
    QCOMPARE(MenuEntries(menu("helpMenu")),
             (QStringList{"-", "helpAboutAction", "helpShortcutsAction"}));
    const auto action = [&](const char *name) {
        return window.findChild<QAction *>(QLatin1String(name));
    };
    QCOMPARE(action("SaveAs")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    QCOMPARE(action("SendManual9P")->shortcut(), QKeySequence(QStringLiteral("Shift+P")));
    QCOMPARE(action("helpAboutAction")->text(), QStringLiteral("&About"));
    QVERIFY(action("Undo") && action("CopyToEnd"));

    const auto button = [&](const char *name) {
        return window.findChild<QPushButton *>(QLatin1String(name));
    };
    QCOMPARE(button("pbBksp")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Space")));
    QCOMPARE(button("pbRemoveAll")->shortcut(), QKeySequence(QStringLiteral("Shift+Del")));
    for (const char *name : {"pbLock", "pbOption", "pbTC1", "pbTC4", "pbLoop"})
        QVERIFY2(button(name)->isCheckable(), name);
    QVERIFY(!button("pbPlay")->isCheckable());
    QVERIFY(window.findChild<QWidget *>(QStringLiteral("slider"))->isHidden());
}

// QMenu drops a separator that opens a menu unless told to keep it; the
// "&Connect" and "&Help" menus open with one.
void PanelTest::leadingSeparatorsAreDrawn()
{
    MainWindow window;
    for (const char *name : {"connectMenu", "helpMenu"}) {
        auto *menu = window.menuBar()->findChild<QMenu *>(QLatin1String(name));
        menu->popup(QPoint(0, 0));
        QVERIFY2(menu->actions().first()->isSeparator(), name);
        QVERIFY2(menu->actionGeometry(menu->actions().first()).height() > 0, name);
        menu->hide();
    }
}

// Every key, table, meter and display line of the four pages carries its name
// for screen readers, and a tool tip with the name and the keyboard key.
void PanelTest::widgetsCarryTheirNames()
{
    MainWindow window;
    for (const auto &[object, name] : kAccessibleNames) {
        auto *widget = window.findChild<QWidget *>(QLatin1String(object));
        QVERIFY2(widget, object);
        QCOMPARE(widget->accessibleName(), QLatin1String(name));
        auto *button = qobject_cast<QAbstractButton *>(widget);
        const QString key =
            button ? button->shortcut().toString(QKeySequence::PortableText) : QString();
        QCOMPARE(widget->toolTip(),
                 key.isEmpty() ? QLatin1String(name) : QStringLiteral("%1 (%2)").arg(name, key));
    }
    QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("pbPlay"))->toolTip(),
             QStringLiteral("Play (Space)"));
    QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("pbGoto"))->toolTip(),
             QStringLiteral("Goto (G)"));
}

// The lower line drops to the small font above 13 characters; the transport
// word ends at the 20th column whatever the menu text before it.
void PanelTest::lowerLineFollowsTheText()
{
    WindowFixture fixture("127.0.9.2");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
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
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    MainWindow &window = *fixture.window;

    // Bits 7 and 6: lower line, column 3.
    fixture.sim.ForceReply(6, 0x95,
                           DisplayReply(QByteArray("\xC3"
                                                   "ABC")));
    window.SendPanelKey(kDisplayReadKey);
    QCOMPARE(window.MenuLine(), QStringLiteral("   ABC              "));
    QCOMPARE(fixture.Find<QLineEdit>("lineLCD3")->text(), QStringLiteral("ABC"));

    // Bit 7 clear: the recorder left its menu; the text goes up, column 5.
    CurrentDevice->menuMode = 1;
    fixture.sim.ForceReply(6, 0x95,
                           DisplayReply(QByteArray("\x05"
                                                   "XY")));
    window.SendPanelKey(kDisplayReadKey);
    QCOMPARE(CurrentDevice->menuMode, quint8(0));
    QCOMPARE(window.TimeLine(), QStringLiteral("     XY             "));
    QCOMPARE(fixture.Find<QLineEdit>("lineLCD1")->text(), QStringLiteral("     XY             "));
    QCOMPARE(fixture.sim.ReceivedFrames().count(WireFrame({0x61, 0x95, 0x07})), 2);
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
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    fixture.window->WriteMenuLine("");

    legacyFirmware = 7; // the first generation leaves it as it was
    fixture.sim.ForceReply(6, 0x95, DisplayReply(reply));
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
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));
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
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));
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
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
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
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    const auto button = [&](const char *name) {
        return window.findChild<QPushButton *>(QLatin1String(name));
    };

    QSignalSpy play(button("pbPlay"), &QPushButton::clicked);
    QSignalSpy start(button("pbStart"), &QPushButton::pressed);
    QSignalSpy markIn(button("pbIn"), &QPushButton::clicked);
    QSignalSpy inEntry(window.findChild<QAction *>(QStringLiteral("In")), &QAction::triggered);

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
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    fixture.sim.ClearReceivedFrames();

    QStringList monitor;
    QList<QByteArray> framesAfterOneByte;
    WhenDialogOpens<SendSony9PCommand>([&](SendSony9PCommand *dialog) {
        dialog->leSony9Pcommand->setText(QStringLiteral("20.01"));
        dialog->pbSend->click();
        for (int row = 0; row < dialog->listBox1->count(); ++row)
            monitor << dialog->listBox1->item(row)->text();
        dialog->leSony9Pcommand->setText(QStringLiteral("20"));
        dialog->pbSend->click();
        framesAfterOneByte = fixture.sim.ReceivedFrames();
        dialog->pbClose->click();
    });
    fixture.Action("SendManual9P")->trigger();

    QCOMPARE(framesAfterOneByte, QList<QByteArray>{WireFrame({0x20, 0x01})});
    QCOMPARE(monitor, (QStringList{"Message sent :", "0x20.0x01.0x21",
                                   "Message received :", "0x10.0x01.0x11"}));
}

void PanelTest::aboutAndShortcutsDialogs()
{
    MainWindow window;
    const auto action = [&](const char *name) {
        return window.findChild<QAction *>(QLatin1String(name));
    };

    QString caption;
    QString release;
    QString deviceFile;
    WhenDialogOpens<DlgAbout>([&](DlgAbout *dialog) {
        caption = dialog->windowTitle();
        release = dialog->textVersion->text();
        deviceFile = dialog->textDeviceFile->text();
        dialog->pbOk->click();
    });
    action("helpAboutAction")->trigger();
    QCOMPARE(caption, QStringLiteral("About Tavrel"));
    QCOMPARE(release, QStringLiteral("Tavrel, Release version 1.6.7"));
    // The recorder list in use, as an absolute path the operator can open.
    QCOMPARE(deviceFile,
             QStringLiteral("Recorder list: ") + QDir::current().absoluteFilePath("xr.cfg"));

    QStringList keys;
    QString renameKey;
    bool renamePictured = false;
    WhenDialogOpens<FormShortcuts>([&](FormShortcuts *dialog) {
        for (const QLabel *label : dialog->findChildren<QLabel *>(QStringLiteral("key")))
            keys << label->text();
        for (const QWidget *cell : dialog->findChildren<QWidget *>()) {
            if (cell->property("key").toString() != QLatin1String("pbRenameClip"))
                continue;
            renameKey = cell->findChild<QLabel *>(QStringLiteral("key"))->text();
            for (const QLabel *picture : cell->findChildren<QLabel *>())
                renamePictured = renamePictured || !picture->pixmap().isNull();
        }
        dialog->accept();
    });
    action("helpShortcutsAction")->trigger();
    QCOMPARE(keys.count(QStringLiteral("0...9")), 1);
    QVERIFY(!keys.contains(QStringLiteral("1")));
    QVERIFY(keys.contains(QStringLiteral("Shift+Del")));
    QVERIFY(keys.contains(QStringLiteral("F10")));
    QVERIFY(window.findChildren<FormShortcuts *>().isEmpty());
    // Rename shares Load's key, which presses Load alone.
    QVERIFY(renamePictured);
    QCOMPARE(renameKey, QStringLiteral("Shift+L (shared with Load)"));
    QVERIFY(keys.contains(QStringLiteral("Shift+L")));
    QVERIFY(window.findChild<QPushButton *>(QStringLiteral("pbRenameClip"))->shortcut().isEmpty());
}

// The picture-only buttons and the entry fields of the dialogs are named for
// screen readers.
void PanelTest::dialogsNameTheirButtons()
{
    MainWindow window;
    QStringList about;
    WhenDialogOpens<DlgAbout>([&](DlgAbout *dialog) {
        about << dialog->pbOk->accessibleName() << dialog->pbOk->toolTip()
              << dialog->textLicense->accessibleName();
        dialog->pbOk->click();
    });
    window.helpAboutAction_activated();
    QCOMPARE(about, (QStringList{"OK", "OK", "Agreement"}));

    QStringList manual;
    WhenDialogOpens<SendSony9PCommand>([&](SendSony9PCommand *dialog) {
        for (const QPushButton *button : {dialog->pbSend, dialog->pbSend_2, dialog->pbClose})
            manual << button->accessibleName() << button->toolTip();
        manual << dialog->leSony9Pcommand->accessibleName() << dialog->listBox1->accessibleName();
        dialog->pbClose->click();
    });
    window.SendManual9P_activated();
    QCOMPARE(manual, (QStringList{"Send", "Send (Return)", "Send", "Send (Enter)", "Close", "Close",
                                  "Enter hex command, separate bytes with '.'", "Description"}));
}

// A recorder pads its texts with zeros; the line ends at the first, and the
// transport word still shows at the end of the lower line.
void PanelTest::displayTextEndsAtItsFirstNul()
{
    WindowFixture fixture("127.0.9.20");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    MainWindow &window = *fixture.window;

    window.WriteMenuLine(QByteArray("V2.0\0\0\0XYZ", 10));
    window.WriteFuncString("STOP");
    QCOMPARE(window.MenuLine(), QStringLiteral("V2.0            STOP"));
    QCOMPARE(fixture.Find<QLineEdit>("lineLCD3")->text(), QStringLiteral("V2.0            STOP"));

    window.WriteTimeLine(QByteArray("  12\0:34", 8));
    QCOMPARE(window.TimeLine(), QStringLiteral("  12                "));

    // A display reply padded with zeros, at column 2 of the lower line.
    fixture.sim.ForceReply(6, 0x95, DisplayReply(QByteArray("\xC2MENU\0\0", 7)));
    window.SendPanelKey(kDisplayReadKey);
    window.WriteFuncString("PLAY");
    QCOMPARE(window.MenuLine(), QStringLiteral("  MENU          PLAY"));
}

// The file browser's keys 13 and 14 step through the recorder's files with
// the file list commands; they never reach the recorder as panel keys.
void PanelTest::fileBrowserKeysStayLocal()
{
    WindowFixture fixture("127.0.9.21");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    MainWindow &window = *fixture.window;
    const QByteArray news("NEWS\0\0\0\0", 8);
    fixture.sim.ForceReply(0xA, 0x15, SenseReturn(0x15, news));
    fixture.sim.ForceReply(6, 0xC1, SenseReturn(0xC1, news));

    fixture.sim.ClearReceivedFrames();
    window.SendPanelKey(kFileBrowserNextKey);
    QCOMPARE(fixture.sim.ReceivedFrames(),
             (QList<QByteArray>{WireFrame({0xA0, 0x15}), WireFrame({0x61, 0xC1, 0x01})}));
    QCOMPARE(window.MenuLine().trimmed(), QStringLiteral("NEWS Loaded"));
    QCOMPARE(QByteArray(CurrentDevice->panelFileName.data()), QByteArray("NEWS"));

    // The end of the list shows nothing.
    fixture.sim.ForceReply(0xA, 0x15, SenseReturn(0x15, QByteArray(1, char(0x94))));
    fixture.sim.ClearReceivedFrames();
    window.SendPanelKey(kFileBrowserNextAllKey);
    QCOMPARE(fixture.sim.ReceivedFrames(), QList<QByteArray>{WireFrame({0xA1, 0x15, 0xFF})});
    QCOMPARE(window.MenuLine().trimmed(), QStringLiteral("NEWS Loaded"));
}

// The Expert page's keys run the disk actions, and "Settings..." opens the
// recorder's settings.
void PanelTest::pagesReachTheirActions()
{
    WindowFixture fixture("127.0.9.22");
    xrsim::Scenario scenario;
    scenario.disks.clear();
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));

    fixture.sim.ClearReceivedFrames();
    fixture.Find<QPushButton>("pbScan")->click();
    const QList<QByteArray> frames = fixture.sim.ReceivedFrames();
    QVERIFY(!frames.isEmpty());
    QCOMPARE(frames.first(), WireFrame({0x31, 0x21, 0x01}));
    QCOMPARE(frames.last(), WireFrame({0x31, 0x21, 0x00}));
    QCOMPARE(fixture.Find<QTableWidget>("TableBus1")->verticalHeaderItem(15)->text(),
             QStringLiteral("15"));

    bool settingsOpened = false;
    WhenDialogOpens<DlgDeviceSettings>([&](DlgDeviceSettings *dialog) {
        settingsOpened = true;
        dialog->reject();
    });
    fixture.Action("deviceSettingsAction")->trigger();
    QVERIFY(settingsOpened);
}

// The panel refresh changes faces ten times a second; each picture is one
// icon for the whole run, so that no change leaves a new cached pixmap.
void PanelTest::faceKeepsOneIconPerPicture()
{
    MainWindow window;
    auto *play = window.findChild<QPushButton *>(QStringLiteral("pbPlay"));
    const qint64 released = play->icon().cacheKey();
    window.SetNewState(0);
    const qint64 pressed = play->icon().cacheKey();
    QVERIFY(pressed != released);
    window.SetNewState(2);
    QCOMPARE(play->icon().cacheKey(), released);
    window.SetNewState(1);
    QCOMPARE(play->icon().cacheKey(), pressed);
    QCOMPARE(FaceIcon(QStringLiteral("playd.png")).cacheKey(), pressed);
}

QTEST_MAIN(PanelTest)
#include "tst_panel.moc"
