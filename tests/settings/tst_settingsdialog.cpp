// SPDX-License-Identifier: GPL-3.0-or-later
// The device settings dialog against the simulated recorder: the pages it
// reads when it opens, what an export sends, the file commands and their
// prompts, and a recorder that does not describe every page.

#include "modalanswers.h"
#include "recorderfixture.h"

#include "ui/settings/ddffile.h"
#include "ui/settings/dlgdevicesettings.h"
#include "ui/settings/settingsimage.h"

#include "link/linkstatus.h"
#include "protocol/recorderinfo.h"
#include "protocol/recorderstate.h"
#include "protocol/setupcommands.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const int kPages[] = {0, 1, 2, 3, 4, 5, 6, 8, 9, 10};

QList<QByteArray> ImportFrames()
{
    QList<QByteArray> frames;
    for (const int page : kPages)
        frames << WireFrame({0x40, 0xC3}) << WireFrame({0x61, 0xC0, quint8(page)});
    return frames;
}

QByteArray Bytes(int count, const char *text)
{
    return QByteArray(text, count);
}

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void openingReadsEveryPage();
    void exportWritesAndReadsBack();
    void failedPageReadIsKeptAndNotWritten();
    void shortPageIsUnread_data();
    void shortPageIsUnread();
    void recorderThatAnswersAPageShort();
    void withoutRecorderNothingIsWritten();
    void pelletRefused();

    void invalidFileRefused();
    void loadedFileOffersToApply();
    void saveAsOpenAndCaption();
    void saveFailureKeepsTheOldFile();

private:
    QComboBox *Combo(DlgDeviceSettings &dialog, const char *name)
    {
        return dialog.findChild<QComboBox *>(QLatin1String(name));
    }

    RecorderFixture recorder{"127.0.70.1"};
    QTemporaryDir dir;
};

void TestSettingsDialog::initTestCase()
{
    QVERIFY2(recorder.Start(), qPrintable(recorder.Error()));
    RecorderInfoRead();
}

void TestSettingsDialog::init()
{
    recorder.Reset();
    pelletDevice = 0;
}

void TestSettingsDialog::openingReadsEveryPage()
{
    DlgDeviceSettings dialog;
    QCOMPARE(recorder.Frames(), ImportFrames());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Device settings - Untitled"));
    QCOMPARE(dialog.tabWidget->count(), 10);
    QCOMPARE(Combo(dialog, "item_0_7")->currentText(), QStringLiteral("XR"));
    // A PAL recorder of the XRU kind: the standard-definition list.
    QCOMPARE(Combo(dialog, "item_8_0")->count(), 8);
    QCOMPARE(Combo(dialog, "item_8_0")->currentText(), QStringLiteral("50 MBits/s"));
    QVERIFY(dialog.lbUnreadPages->isHidden());
}

void TestSettingsDialog::exportWritesAndReadsBack()
{
    DlgDeviceSettings dialog;
    QComboBox *sync = Combo(dialog, "item_0_2");
    sync->setCurrentIndex(sync->findText(QStringLiteral("Internal")));
    recorder.ClearFrames();
    QElapsedTimer clock;
    clock.start();
    dialog.pb_ExportToDevice_2->click();
    QVERIFY(clock.elapsed() >= 500);

    const QList<QByteArray> frames = recorder.Frames();
    QCOMPARE(frames.size(), 40);
    const QByteArray page0 = frames.at(0);
    QCOMPARE(page0.left(3), Bytes(3, "\x4F\xC0\x00"));
    QCOMPARE(quint8(page0.at(3 + 2)), quint8(6));
    QCOMPARE(frames.at(1), WireFrame({0x41, 0xC1, 0x00}));
    QCOMPARE(frames.at(2).left(3), Bytes(3, "\x47\xC0\x01"));
    QCOMPARE(frames.at(3), WireFrame({0x41, 0xC1, 0x01}));
    QCOMPARE(frames.at(14).left(3), Bytes(3, "\x49\xC0\x08"));
    QCOMPARE(frames.at(18).left(3), Bytes(3, "\x4C\xC0\x0A"));
    QCOMPARE(frames.mid(20), ImportFrames());
    // What the recorder now holds is shown.
    QCOMPARE(sync->currentText(), QStringLiteral("Internal"));
    QCOMPARE(recorder.sim.ReceivedFrames().size(), 40);
}

// A page the recorder refuses to describe keeps what the dialog had, is named
// to the operator, and is not written back.
void TestSettingsDialog::failedPageReadIsKeptAndNotWritten()
{
    DlgDeviceSettings dialog;
    const SettingsImage::Slot before = SettingsImage::Current().PageSlot(0);
    QComboBox *control = Combo(dialog, "item_0_0");
    control->setCurrentIndex(control->findText(QStringLiteral("Local")));
    recorder.sim.ForceReply(0x6, 0xC0, NakFrame(), 1);
    dialog.pb_ImportFromDevice->click();
    QCOMPARE(control->currentText(), QStringLiteral("Local"));
    QVERIFY(SettingsImage::Current().PageSlot(0) == before);
    QVERIFY(!SettingsImage::Current().PageRead(0));
    QVERIFY(!dialog.lbUnreadPages->isHidden());
    QVERIFY(dialog.lbUnreadPages->text().contains(QStringLiteral("0. General")));
    QVERIFY(!dialog.lbUnreadPages->text().contains(QStringLiteral("1. Playback")));

    recorder.ClearFrames();
    dialog.pb_ExportToDevice_2->click();
    const QList<QByteArray> frames = recorder.Frames();
    QCOMPARE(frames.size(), 18 + 20);
    QCOMPARE(frames.at(0).left(3), Bytes(3, "\x47\xC0\x01"));
    // Read back whole: the recorder's own page 0 is shown again.
    QCOMPARE(control->currentText(), QStringLiteral("Remote"));
    QVERIFY(dialog.lbUnreadPages->isHidden());
}

void TestSettingsDialog::shortPageIsUnread_data()
{
    QTest::addColumn<int>("count");
    for (int count = 0; count <= 15; ++count)
        QTest::addRow("%d data bytes", count) << count;
}

// Page 0 answered with fewer bytes than it holds is not the recorder's
// setup: it stays unread, is named, and an export neither writes nor
// applies it, so the recorder's Emulation Mode and Mode stay as they are.
// Answered whole it is read.
void TestSettingsDialog::shortPageIsUnread()
{
    QFETCH(int, count);
    DlgDeviceSettings dialog;
    SetupPageReply page0{};
    QCOMPARE(SetupPageRead(0, page0), kStatusOk);
    const QByteArray reply(reinterpret_cast<const char *>(page0.data()), count);
    recorder.sim.ForceReply(0x6, 0xC0, SenseReturn(0xC0, reply), 1);
    dialog.pb_ImportFromDevice->click();
    const bool whole = count == 15;
    QCOMPARE(SettingsImage::Current().PageRead(0), whole);
    QCOMPARE(dialog.lbUnreadPages->isHidden(), whole);
    QCOMPARE(dialog.lbUnreadPages->text().contains(QStringLiteral("0. General")), !whole);

    recorder.ClearFrames();
    dialog.pb_ExportToDevice_2->click();
    const QList<QByteArray> frames = recorder.Frames();
    QCOMPARE(frames.contains(WireFrame({0x41, 0xC1, 0x00})), whole);
    QCOMPARE(frames.first().left(3), whole ? Bytes(3, "\x4F\xC0\x00") : Bytes(3, "\x47\xC0\x01"));
    QCOMPARE(Combo(dialog, "item_0_7")->currentText(), QStringLiteral("XR"));
    QCOMPARE(Combo(dialog, "item_0_13")->currentText(), QStringLiteral("1R-1P"));
    SetupPageReply after{};
    QCOMPARE(SetupPageRead(0, after), kStatusOk);
    QVERIFY(after == page0);
}

// The same from a recorder that always answers one page short.
void TestSettingsDialog::recorderThatAnswersAPageShort()
{
    RecorderFixture shortening("127.0.70.2");
    xrsim::Scenario scenario;
    scenario.shortSetupPages = {{5, 11}};
    QVERIFY2(shortening.Start(scenario), qPrintable(shortening.Error()));
    DlgDeviceSettings dialog;
    QVERIFY(!SettingsImage::Current().PageRead(5));
    QVERIFY(SettingsImage::Current().PageRead(6));
    QVERIFY(dialog.lbUnreadPages->text().endsWith(QStringLiteral(": 5. Chase")));
    shortening.ClearFrames();
    dialog.pb_ExportToDevice_2->click();
    for (const QByteArray &frame : shortening.Frames())
        QVERIFY(!frame.startsWith(Bytes(3, "\x4C\xC0\x05")) &&
                frame != WireFrame({0x41, 0xC1, 0x05}));
}

void TestSettingsDialog::withoutRecorderNothingIsWritten()
{
    CurrentDevice = nullptr;
    DlgDeviceSettings dialog;
    QVERIFY(dialog.lbUnreadPages->text().contains(QStringLiteral("10. VITC_CC")));
    dialog.pb_ExportToDevice_2->click();
    QVERIFY(recorder.Frames().isEmpty());
    CurrentDevice = recorder.device.get();
}

void TestSettingsDialog::pelletRefused()
{
    pelletDevice = 1;
    ModalAnswers answers;
    DlgDeviceSettings::Open(nullptr);
    QCOMPARE(answers.texts, QStringList{QStringLiteral(
                                "This window is not currently available for Pellet device.")});
    QVERIFY(recorder.Frames().isEmpty());
}

void TestSettingsDialog::invalidFileRefused()
{
    const QString name = dir.filePath(QStringLiteral("short.ddf"));
    QVERIFY(WriteDdf(name, std::vector<int>(74, 1)));
    DlgDeviceSettings dialog;
    ModalAnswers answers;
    dialog.LoadDdf(name);
    QCOMPARE(answers.texts, QStringList{QStringLiteral("Invalid file size.")});
    QCOMPARE(Combo(dialog, "item_0_7")->currentText(), QStringLiteral("XR"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Device settings - Untitled"));
}

void TestSettingsDialog::loadedFileOffersToApply()
{
    DlgDeviceSettings dialog;
    std::vector<int> values(75, 0);
    values[2] = 4; // Sync. Source: Internal
    const QString name = dir.filePath(QStringLiteral("internal.ddf"));
    QVERIFY(WriteDdf(name, values));

    ModalAnswers answers;
    answers.Press(QStringLiteral("No"));
    recorder.ClearFrames();
    dialog.LoadDdf(name);
    QCOMPARE(answers.texts, QStringList{QStringLiteral("Apply new settings ?")});
    QVERIFY(recorder.Frames().isEmpty());
    QCOMPARE(Combo(dialog, "item_0_2")->currentText(), QStringLiteral("Internal"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Device settings - ") + name);

    answers.Press(QStringLiteral("&Yes"));
    dialog.LoadDdf(name);
    const QList<QByteArray> frames = recorder.Frames();
    QVERIFY(!frames.isEmpty());
    QCOMPARE(quint8(frames.at(0).at(3 + 2)), quint8(6));
}

void TestSettingsDialog::saveAsOpenAndCaption()
{
    DlgDeviceSettings dialog;
    ModalAnswers answers;
    answers.Choose(dir.filePath(QStringLiteral("settings")));
    dialog.pb_Save->click(); // no name yet: Save As
    const QString saved = dir.filePath(QStringLiteral("settings.ddf"));
    QCOMPARE(dialog.CurrentFileName(), saved);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Device settings - ") + saved);
    std::vector<int> values;
    QCOMPARE(ReadDdf(saved, &values), DdfRead::Ok);

    // Cancel stops before the file dialog; No goes on without saving.
    answers.Press(QStringLiteral("&Cancel"));
    dialog.pb_Open->click();
    QTRY_COMPARE(answers.texts.size(), 1);
    answers.Press(QStringLiteral("No"));
    answers.Choose(saved);
    answers.Press(QStringLiteral("No"));
    dialog.pb_Open->click();
    QCOMPARE(answers.texts, (QStringList{QStringLiteral("Save current file ?"),
                                         QStringLiteral("Save current file ?"),
                                         QStringLiteral("Apply new settings ?")}));
}

void TestSettingsDialog::saveFailureKeepsTheOldFile()
{
    DlgDeviceSettings dialog;
    ModalAnswers answers;
    QVERIFY(!dialog.SaveDdf(dir.path()));
    QCOMPARE(answers.texts.size(), 1);
    QVERIFY(answers.texts.first().startsWith(QStringLiteral("Could not write")));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Device settings - Untitled"));
}

QTEST_MAIN(TestSettingsDialog)
#include "tst_settingsdialog.moc"
