// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeconnectmenu.h"
#include "workdir.h"

#include "devices/adddevicedialog.h"
#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "devices/deviceregistry.h"
#include "devices/removedevicedialog.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

template <typename T>
T *Child(QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QLatin1String(name));
}

QStringList ListTexts(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

void SetAddress(Add_XR &dialog, const QList<int> &bytes)
{
    const char *names[] = {"spinBox1", "spinBox2", "spinBox3", "spinBox4"};
    for (int i = 0; i < 4; ++i)
        Child<QSpinBox>(dialog, names[i])->setValue(bytes[i]);
}

bool ShowActive(QWidget &dialog)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    return QTest::qWaitForWindowActive(&dialog);
}

} // namespace

class TestDeviceDialogs : public QObject
{
    Q_OBJECT

private slots:
    void addDialogWidgets();
    void addKeepsZeroPaddedText_data();
    void addKeepsZeroPaddedText();
    void addAcceptsOnReturn();
    void removeDialogWidgets();
    void removeTakesChosenAndStaysOpen();
    void dialogsNameTheirKeysAndFields();
};

void TestDeviceDialogs::addDialogWidgets()
{
    Add_XR dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Add XR"));
    QCOMPARE(Child<QLabel>(dialog, "textLabel1")->text(), QStringLiteral("IP Address :"));
    for (const char *name : {"spinBox1", "spinBox2", "spinBox3", "spinBox4"}) {
        QSpinBox *box = Child<QSpinBox>(dialog, name);
        QVERIFY2(box, name);
        QCOMPARE(box->minimum(), 0);
        QCOMPARE(box->maximum(), 255);
    }
    auto *add = Child<QPushButton>(dialog, "pbAddXR");
    auto *cancel = Child<QPushButton>(dialog, "pbCancel");
    QVERIFY(add && cancel);
    QCOMPARE(add->shortcut(), QKeySequence(Qt::Key_Return));
    QVERIFY(!add->icon().isNull());
    QVERIFY(!cancel->icon().isNull());
}

void TestDeviceDialogs::addKeepsZeroPaddedText_data()
{
    QTest::addColumn<QList<int>>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("private") << QList<int>{192, 168, 1, 20} << "192.168.001.020";
    QTest::newRow("order of the boxes") << QList<int>{1, 22, 133, 255} << "001.022.133.255";
}

void TestDeviceDialogs::addKeepsZeroPaddedText()
{
    QFETCH(QList<int>, bytes);
    QFETCH(QString, text);
    Add_XR dialog;
    SetAddress(dialog, bytes);
    QTest::mouseClick(Child<QPushButton>(dialog, "pbCancel"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(dialog.AddressText().isEmpty());

    QTest::mouseClick(Child<QPushButton>(dialog, "pbAddXR"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.AddressText(), text);
}

void TestDeviceDialogs::addAcceptsOnReturn()
{
    Add_XR dialog;
    SetAddress(dialog, {10, 0, 0, 7});
    QVERIFY(ShowActive(dialog));
    QSpinBox *last = Child<QSpinBox>(dialog, "spinBox4");
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Return);
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.AddressText(), QStringLiteral("010.000.000.007"));
}

void TestDeviceDialogs::removeDialogWidgets()
{
    WorkDir dir;
    QVERIFY(dir.WriteConfig("10.0.0.9\n10.0.0.10\n10.0.0.2\n"));
    CreateLinkList();
    LoadDeviceList(nullptr);
    CurrentDevice = DeviceAt(4); // 10.0.0.2
    RemoveXR dialog(nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Remove XR"));
    auto *list = Child<QListWidget>(dialog, "lbListXR");
    QVERIFY(list);
    QCOMPARE(list->font().pointSize(), 14);
    QCOMPARE(ListTexts(list), (QStringList{"10.0.0.10", "10.0.0.9"})); // neither current nor COM
    auto *ok = Child<QPushButton>(dialog, "pbOK");
    QVERIFY(ok && Child<QPushButton>(dialog, "pbCancel"));
    QCOMPARE(ok->shortcut(), QKeySequence(Qt::Key_Return));
}

void TestDeviceDialogs::removeTakesChosenAndStaysOpen()
{
    WorkDir dir;
    QVERIFY(dir.WriteConfig("10.0.0.9\n10.0.0.10\n"));
    FakeConnectMenu menu;
    CreateLinkList();
    LoadDeviceList(&menu);
    RemoveXR dialog(&menu);
    QVERIFY(ShowActive(dialog));
    auto *list = Child<QListWidget>(dialog, "lbListXR");

    list->setCurrentRow(-1);
    QTest::mouseClick(Child<QPushButton>(dialog, "pbOK"), Qt::LeftButton); // nothing chosen
    QCOMPARE(DeviceList.GetCount(), quint16(4));

    list->setCurrentRow(1); // 10.0.0.9
    QTest::mouseClick(Child<QPushButton>(dialog, "pbOK"), Qt::LeftButton);
    QCOMPARE(ListTexts(list), QStringList{"10.0.0.10"});
    QCOMPARE(DeviceList.GetCount(), quint16(3));
    QCOMPARE(menu.XRMenuTexts().last(), QStringLiteral("Ethernet - 10.0.0.10"));
    QVERIFY(dialog.isVisible());

    list->setCurrentRow(0);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_COMPARE(list->count(), 0);
    QCOMPARE(DeviceList.GetCount(), quint16(2));
    QVERIFY(dialog.isVisible());

    QTest::mouseClick(Child<QPushButton>(dialog, "pbOK"), Qt::LeftButton); // empty list
    QCOMPARE(menu.XRMenuTexts().size(), 4);
}

// What a screen reader or a test tool finds: each key and field by its name,
// and a tool tip with the name and the key that presses it.
void TestDeviceDialogs::dialogsNameTheirKeysAndFields()
{
    struct Named
    {
        QWidget *widget;
        QString name;
        QString toolTip;
    };
    WorkDir dir;
    CreateLinkList();
    LoadDeviceList(nullptr);
    Add_XR add;
    RemoveXR remove(nullptr);
    const Named expected[] = {
        {add.pbAddXR, "OK", "OK (Return)"},
        {add.pbCancel, "Cancel", "Cancel"},
        {add.spinBox1, "IP Address 1", "IP Address 1"},
        {add.spinBox2, "IP Address 2", "IP Address 2"},
        {add.spinBox3, "IP Address 3", "IP Address 3"},
        {add.spinBox4, "IP Address 4", "IP Address 4"},
        {remove.pbOK, "OK", "OK (Return)"},
        {remove.pbCancel, "Cancel", "Cancel"},
    };
    for (const Named &named : expected) {
        QCOMPARE(named.widget->accessibleName(), named.name);
        QCOMPARE(named.widget->toolTip(), named.toolTip);
    }
    QCOMPARE(add.textLabel1->buddy(), add.spinBox1);
}

QTEST_MAIN(TestDeviceDialogs)
#include "tst_devicedialogs.moc"
