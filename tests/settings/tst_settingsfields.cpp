// SPDX-License-Identifier: GPL-3.0-or-later
// The settings field table and its conversions between page bytes and the
// dialog's widgets: every widget against the fields written out by hand, the
// choices the recorder reports differently from what it was sent, the 16-bit
// fields, the ranges and the recorder-kind lists.

#include "settingstable.h"

#include "ui/settings/settingsfields.h"
#include "ui/settings/settingsform.h"
#include "ui/settings/settingsimage.h"

#include "protocol/recorderinfo.h"

#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <initializer_list>
#include <utility>

namespace {

const SettingsField &FieldOf(const char *label)
{
    for (const SettingsField &field : SettingsFields()) {
        if (QLatin1String(field.label) == QLatin1String(label))
            return field;
    }
    qFatal("no field %s", label);
}

} // namespace

class TestSettingsFields : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tableShape();
    void tabsAsWritten();
    void widgetsAsWritten_data();
    void widgetsAsWritten();
    void compressionAsWritten_data();
    void compressionAsWritten();
    void toolTip();

    void comboReadsByte_data();
    void comboReadsByte();
    void comboWritesByte_data();
    void comboWritesByte();
    void undefinedKeepsTheByte();
    void vitcInKeepsItsSelection();

    void wordFields();
    void playSingleFieldDisablesAboveItsRange();
    void audioInputLevels();
    void editPresetsUntouched();
    void compressionFollowsRecorderKind();
    void unreadPagesAreLeftAlone();

private:
    QComboBox *Combo(const char *label) const;
    QSpinBox *Spin(const char *label) const;
    // Shows page `page` as read with these page bytes (the others zero).
    void Read(int page, std::initializer_list<std::pair<int, quint8>> bytes);
    quint8 Collected(int page, int byte);
    QWidget *Widget(const char *name) const;
    QString LabelOf(const QWidget *widget) const;
    void CheckCombo(const WrittenField &written, QComboBox *combo);
    void CheckSpin(const WrittenField &written, QSpinBox *spin);

    QTabWidget *tabs = nullptr;
    SettingsForm *form = nullptr;
    SettingsImage image;
};

void TestSettingsFields::init()
{
    tabs = new QTabWidget;
    form = new SettingsForm(tabs);
    image = SettingsImage();
}

void TestSettingsFields::cleanup()
{
    delete form;
    delete tabs;
}

QComboBox *TestSettingsFields::Combo(const char *label) const
{
    return qobject_cast<QComboBox *>(form->FieldWidget(FieldOf(label)));
}

QSpinBox *TestSettingsFields::Spin(const char *label) const
{
    return qobject_cast<QSpinBox *>(form->FieldWidget(FieldOf(label)));
}

void TestSettingsFields::Read(int page, std::initializer_list<std::pair<int, quint8>> bytes)
{
    SettingsImage::Slot slot{};
    slot[0] = quint8(page);
    for (const auto &[byte, value] : bytes)
        slot[size_t(byte + 1)] = value;
    image.StorePage(page, slot);
    form->ShowPages(image);
}

quint8 TestSettingsFields::Collected(int page, int byte)
{
    form->CollectPages(image);
    return image.PageBytes(page)[byte];
}

QWidget *TestSettingsFields::Widget(const char *name) const
{
    return tabs->findChild<QWidget *>(QLatin1String(name));
}

// The label standing beside a field names it as its buddy.
QString TestSettingsFields::LabelOf(const QWidget *widget) const
{
    for (const QLabel *label : tabs->findChildren<QLabel *>()) {
        if (label->buddy() == widget)
            return label->text();
    }
    return QString();
}

void TestSettingsFields::tableShape()
{
    QCOMPARE(SettingsFields().size(), size_t(77));
    QCOMPARE(DdfFields().size(), size_t(75));
    QSet<QString> names;
    for (const SettingsField &field : SettingsFields())
        names.insert(field.ObjectName());
    QCOMPARE(names.size(), 77);

    // Page 4 numbers its widgets by place: the two 16-bit fields shift the rest.
    QCOMPARE(FieldOf("HTRIG Value").ObjectName(), QStringLiteral("item_4_6"));
    QCOMPARE(FieldOf("Screen Saver Delay").ObjectName(), QStringLiteral("item_4_7"));
    QCOMPARE(FieldOf("Segmented Frame Out").ObjectName(), QStringLiteral("item_4_8"));
    QCOMPARE(FieldOf("VTRIG Value").byte, 11);
    QCOMPARE(FieldOf("VTRIG Value").ObjectName(), QStringLiteral("item_4_9"));
    QCOMPARE(FieldOf("Audio Input 8").ObjectName(), QStringLiteral("item_9_7"));

    // .ddf lines 3, 54 and 55 as the file format fixes them.
    QCOMPARE(QLatin1String(DdfFields()[2]->label), QLatin1String("Sync. Source"));
    QCOMPARE(QLatin1String(DdfFields()[53]->label), QLatin1String("SCSI Termination"));
    QCOMPARE(QLatin1String(DdfFields()[54]->label), QLatin1String("Compression Ratio"));
    QCOMPARE(QLatin1String(DdfFields()[74]->label), QLatin1String("Close Caption"));
}

void TestSettingsFields::tabsAsWritten()
{
    QCOMPARE(tabs->count(), int(kWrittenTabs.size()));
    for (int i = 0; i < tabs->count(); ++i)
        QCOMPARE(tabs->tabText(i), QString::fromLatin1(kWrittenTabs[i].label));
    // Every field widget is one of the written list or "Compression Ratio".
    const QRegularExpression fieldName(QStringLiteral("^item_\\d+_\\d+$"));
    QCOMPARE(tabs->findChildren<QWidget *>(fieldName).size(), WrittenFields().size() + 1);
}

void TestSettingsFields::widgetsAsWritten_data()
{
    QTest::addColumn<int>("index");
    const QList<WrittenField> fields = WrittenFields();
    for (int i = 0; i < fields.size(); ++i)
        QTest::newRow(fields[i].name) << i;
}

// The widget stands on its page's tab with its label, and its choices or
// range are those written; each choice writes its byte and, unless the
// recorder reports it otherwise, is shown again when that byte is read.
void TestSettingsFields::widgetsAsWritten()
{
    QFETCH(int, index);
    const WrittenField written = WrittenFields().at(index);
    QWidget *widget = Widget(written.name);
    QVERIFY(widget);
    QCOMPARE(LabelOf(widget), QString::fromLatin1(written.label));
    QCOMPARE(widget->accessibleName(), QString::fromLatin1(written.label));
    const int tab = tabs->indexOf(widget->parentWidget());
    QVERIFY(tab >= 0);
    QCOMPARE(kWrittenTabs[tab].page, written.page);
    if (written.spin)
        CheckSpin(written, qobject_cast<QSpinBox *>(widget));
    else
        CheckCombo(written, qobject_cast<QComboBox *>(widget));
}

void TestSettingsFields::CheckCombo(const WrittenField &written, QComboBox *combo)
{
    QVERIFY(combo);
    QStringList texts{QStringLiteral("Undefined")};
    for (const WrittenChoice &choice : written.choices)
        texts << QString::fromLatin1(choice.text);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    QCOMPARE(shown, texts);
    if (written.choices.isEmpty()) {
        // The edit presets keep the byte the recorder holds.
        Read(written.page, {{written.byte, 0x12}});
        QCOMPARE(Collected(written.page, written.byte), quint8(0x12));
        return;
    }
    for (int i = 0; i < written.choices.size(); ++i) {
        const WrittenChoice &choice = written.choices[i];
        Read(written.page, {{written.byte, 0x77}});
        combo->setCurrentIndex(i + 1);
        QCOMPARE(int(Collected(written.page, written.byte)), choice.byte);
        Read(written.page, {{written.byte, quint8(choice.byte)}});
        QCOMPARE(combo->currentText(),
                 choice.readBack ? QString::fromLatin1(choice.text) : QStringLiteral("Undefined"));
    }
}

// The ends of the range are written as they are: one byte (its low 8 bits),
// or two, high first; read back, they show again.
void TestSettingsFields::CheckSpin(const WrittenField &written, QSpinBox *spin)
{
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), written.minimum);
    QCOMPARE(spin->maximum(), written.maximum);
    QCOMPARE(spin->singleStep(), written.step);
    for (const int value : {written.minimum, written.maximum}) {
        Read(written.page, {});
        spin->setValue(value);
        const quint16 word = quint16(value);
        if (written.word) {
            QCOMPARE(Collected(written.page, written.byte), quint8(word >> 8));
            QCOMPARE(image.PageBytes(written.page)[written.byte + 1], quint8(word));
            Read(written.page,
                 {{written.byte, quint8(word >> 8)}, {written.byte + 1, quint8(word)}});
        } else {
            QCOMPARE(Collected(written.page, written.byte), quint8(word));
            Read(written.page, {{written.byte, quint8(word)}});
        }
        // A negative level comes back as the unsigned byte, up to the top.
        const int expected =
            value < 0 && !written.word ? qMin(value & 0xFF, written.maximum) : value;
        QCOMPARE(spin->value(), expected);
    }
}

void TestSettingsFields::compressionAsWritten_data()
{
    QTest::addColumn<int>("index");
    const QList<WrittenCompression> lists = WrittenCompressions();
    for (int i = 0; i < lists.size(); ++i)
        QTest::addRow("kind %d sub-kind %d", lists[i].kind, lists[i].subKind) << i;
}

void TestSettingsFields::compressionAsWritten()
{
    QFETCH(int, index);
    const WrittenCompression written = WrittenCompressions().at(index);
    auto *combo = qobject_cast<QComboBox *>(Widget("item_8_0"));
    QVERIFY(combo);
    QCOMPARE(LabelOf(combo), QStringLiteral("Compression Ratio"));
    form->SetCompressionChoices(CompressionChoices(written.kind, written.subKind));
    QStringList texts{QStringLiteral("Undefined")};
    for (const char *choice : written.choices)
        texts << QString::fromLatin1(choice);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    QCOMPARE(shown, texts);
    for (int byte = 0; byte < written.choices.size(); ++byte) {
        Read(8, {{0, quint8(byte)}});
        QCOMPARE(combo->currentIndex(), byte + 1);
        combo->setCurrentIndex(byte + 1);
        QCOMPARE(int(Collected(8, 0)), byte);
    }
}

void TestSettingsFields::toolTip()
{
    QCOMPARE(Widget("item_0_11")->toolTip(), QStringLiteral("Enables or disables GPIOs.\n"));
}

void TestSettingsFields::comboReadsByte_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("byte");
    QTest::addColumn<QString>("shown");
    auto row = [](const char *label, int byte, const char *shown) {
        QTest::addRow("%s %d", label, byte)
            << QString::fromLatin1(label) << byte << QString::fromLatin1(shown);
    };
    row("Emulation Mode", 0x25, "BVW75");
    row("Emulation Mode", 0x26, "Undefined");
    row("Step Record", 3, "Video Only");
    row("Step Record", 2, "Undefined");
    row("Number Audio Track", 0, "No Audio Track");
    row("Sync. Source", 6, "Internal");
    // Second values the recorder may report.
    row("Loop Mode Activated", 1, "On");
    row("Drop Frame", 1, "Drop");
    row("SCSI Termination", 0xFF, "Off");
    row("Control", 7, "Local");
    row("Disk Access", 5, "Play Only");
    row("HTRIG Mode", 9, "On");
    // Written but not recognised when read back.
    row("Time Mode", 3, "Undefined");
    row("Port 1", 2, "Undefined");
    row("Chase Mode", 2, "Undefined");
    row("Chase Mode", 4, "Undefined");
    row("Video Standard", 29, "720 48i");
    row("Video Standard", 30, "Undefined");
    row("Bus Frequency", 12, "20 Mhz");
}

void TestSettingsFields::comboReadsByte()
{
    QFETCH(QString, label);
    QFETCH(int, byte);
    QFETCH(QString, shown);
    const SettingsField &field = FieldOf(qPrintable(label));
    Read(field.page, {{field.byte, quint8(byte)}});
    QCOMPARE(Combo(qPrintable(label))->currentText(), shown);
}

void TestSettingsFields::comboWritesByte_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("byte");
    auto row = [](const char *label, const char *choice, int byte) {
        QTest::addRow("%s %s", label, choice)
            << QString::fromLatin1(label) << QString::fromLatin1(choice) << byte;
    };
    row("Step Record", "Video Only", 3);
    row("Number Audio Track", "No Audio Track", 0);
    row("Sync. Source", "Internal", 6);
    row("Time Mode", "A Time as LTC", 3);
    row("Chase Mode", "Biphase", 4);
    row("Video Standard", "2K 48i", 35);
    row("Mode", "1R-1P", 0x54);
    row("Auto Sync.", "Undefined", 0xFF);
}

void TestSettingsFields::comboWritesByte()
{
    QFETCH(QString, label);
    QFETCH(QString, choice);
    QFETCH(int, byte);
    const SettingsField &field = FieldOf(qPrintable(label));
    Read(field.page, {{field.byte, 0x77}});
    QComboBox *combo = Combo(qPrintable(label));
    combo->setCurrentIndex(combo->findText(choice));
    QCOMPARE(int(Collected(field.page, field.byte)), byte);
}

void TestSettingsFields::undefinedKeepsTheByte()
{
    Read(0, {{7, 0x26}});
    QCOMPARE(Collected(0, 7), quint8(0x26));
    Read(2, {{4, 2}});
    QCOMPARE(Collected(2, 4), quint8(2));
}

void TestSettingsFields::vitcInKeepsItsSelection()
{
    Read(10, {{2, 0}});
    QCOMPARE(Combo("VITC In")->currentText(), QStringLiteral("Off"));
    Read(10, {{2, 5}});
    QCOMPARE(Combo("VITC In")->currentText(), QStringLiteral("Off"));
    Read(10, {{2, 1}});
    QCOMPARE(Combo("VITC In")->currentText(), QStringLiteral("On"));
}

void TestSettingsFields::wordFields()
{
    Read(4, {{6, 0xFC}, {7, 0x19}, {8, 0x3F}, {9, 0xFF}});
    QCOMPARE(Spin("HTRIG Value")->value(), -999);
    QCOMPARE(Spin("Screen Saver Delay")->value(), 16383);

    Spin("HTRIG Value")->setValue(-1);
    Spin("Screen Saver Delay")->setValue(300);
    QCOMPARE(Collected(4, 6), quint8(0xFF));
    QCOMPARE(image.PageBytes(4)[7], quint8(0xFF));
    QCOMPARE(image.PageBytes(4)[8], quint8(0x01));
    QCOMPARE(image.PageBytes(4)[9], quint8(0x2C));

    Spin("HTRIG Value")->setValue(-999);
    QCOMPARE(Collected(4, 6), quint8(0xFC));
    QCOMPARE(image.PageBytes(4)[7], quint8(0x19));

    // Beyond the range the spin box limits the value.
    Read(4, {{6, 0x7F}, {7, 0xFF}, {8, 0xFF}, {9, 0xFF}});
    QCOMPARE(Spin("HTRIG Value")->value(), 999);
    QCOMPARE(Spin("Screen Saver Delay")->value(), 16383);
}

void TestSettingsFields::playSingleFieldDisablesAboveItsRange()
{
    Read(1, {{1, 0xFF}});
    QSpinBox *spin = Spin("Play single field");
    QVERIFY(!spin->isEnabled());
    spin->setValue(50);
    QCOMPARE(Collected(1, 1), quint8(0xFF));

    Read(1, {{1, 100}});
    QVERIFY(spin->isEnabled());
    QCOMPARE(spin->value(), 100);
    spin->setValue(35);
    QCOMPARE(Collected(1, 1), quint8(35));
}

// The recorder reports levels unsigned: a byte is shown up to the range's top.
void TestSettingsFields::audioInputLevels()
{
    Read(9, {{0, 0x80}, {1, 0xFB}});
    QCOMPARE(Spin("Audio Input 1")->value(), 128);
    QCOMPARE(Spin("Audio Input 2")->value(), 164);
    Spin("Audio Input 1")->setValue(-5);
    QCOMPARE(Collected(9, 0), quint8(0xFB));
}

void TestSettingsFields::editPresetsUntouched()
{
    Read(2, {{2, 0x12}, {3, 0x34}});
    QCOMPARE(Combo("Edit Preset 1")->currentIndex(), 0);
    QCOMPARE(Collected(2, 2), quint8(0x12));
    QCOMPARE(image.PageBytes(2)[3], quint8(0x34));
}

void TestSettingsFields::compressionFollowsRecorderKind()
{
    QCOMPARE(CompressionChoices(kRecorderKindZaxo, 0).size(), size_t(17));
    QCOMPARE(CompressionChoices(kRecorderKindMpeg, 0).size(), size_t(12));
    QCOMPARE(CompressionChoices(kRecorderKindHdtv, kRecorderSubKindSd).size(), size_t(7));
    QCOMPARE(CompressionChoices(kRecorderKindCompactHd, kRecorderSubKindHd).size(), size_t(13));
    QVERIFY(CompressionChoices(kRecorderKindXru, kRecorderSubKindNone).empty());
    QVERIFY(CompressionChoices(kRecorderKindUnknown, kRecorderSubKindHd).empty());

    QComboBox *combo = Combo("Compression Ratio");
    form->SetCompressionChoices(CompressionChoices(kRecorderKindZaxo, 0));
    Read(8, {{0, 16}});
    QCOMPARE(combo->currentText(), QStringLiteral("3.5:1"));
    Read(8, {{0, 17}});
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(Collected(8, 0), quint8(0xFF));

    form->SetCompressionChoices(CompressionChoices(kRecorderKindXru, kRecorderSubKindHd));
    Read(8, {{0, 12}});
    QCOMPARE(combo->currentText(), QStringLiteral("320 MBits/s"));
    combo->setCurrentIndex(combo->findText(QStringLiteral("100 MBits/s")));
    QCOMPARE(Collected(8, 0), quint8(3));

    form->SetCompressionChoices({});
    Read(8, {{0, 0}});
    QCOMPARE(combo->count(), 1);
    QCOMPARE(Collected(8, 0), quint8(0xFF));
}

void TestSettingsFields::unreadPagesAreLeftAlone()
{
    Combo("Control")->setCurrentIndex(2);
    form->ShowPages(image);
    QCOMPARE(Combo("Control")->currentIndex(), 2);
    form->CollectPages(image);
    QCOMPARE(image.PageBytes(0)[0], quint8(0));
}

QTEST_MAIN(TestSettingsFields)
#include "tst_settingsfields.moc"
