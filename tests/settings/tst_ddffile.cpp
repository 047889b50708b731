// SPDX-License-Identifier: GPL-3.0-or-later
// .ddf files: the text format, the save name rule, files that are not what
// they should be, and the round trip through the dialog's fields.

#include "ui/settings/ddffile.h"
#include "ui/settings/settingsfields.h"
#include "ui/settings/settingsform.h"
#include "ui/settings/settingsimage.h"

#include <QComboBox>
#include <QFile>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kLines = 75;

QByteArray Lines(int count, const QByteArray &value = "1", const QByteArray &end = "\n")
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += value + end;
    return text;
}

// The widget of .ddf line `line` (counted from 1).
QWidget *LineWidget(const SettingsForm &form, int line)
{
    return form.FieldWidget(*DdfFields()[size_t(line - 1)]);
}

} // namespace

class TestDdfFile : public QObject
{
    Q_OBJECT

private slots:
    void textIsOneNumberALine();
    void lineCount_data();
    void lineCount();
    void oddLines();
    void saveName_data();
    void saveName();
    void writeReplacesOnlyWhenComplete();
    void oversizedFileRefused();

    void roundTripThroughTheFields();
    void valuesOutOfRange();
    void syncSourceLineGivesItsByte();
};

void TestDdfFile::textIsOneNumberALine()
{
    QCOMPARE(DdfText({0, -5, 16383}), QByteArray("0\n-5\n16383\n"));
}

void TestDdfFile::lineCount_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("75") << Lines(kLines) << true;
    QTest::newRow("74") << Lines(kLines - 1) << false;
    QTest::newRow("76") << Lines(kLines + 1) << false;
    QTest::newRow("75 without a last line end") << Lines(kLines).chopped(1) << true;
    QTest::newRow("blank lines between") << Lines(kLines, "2", "\n\n  \n") << true;
    QTest::newRow("CR LF") << Lines(kLines, "3", "\r\n") << true;
    QTest::newRow("CR LF blank lines") << Lines(kLines, "3", "\r\n\r\n") << true;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestDdfFile::lineCount()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, accepted);
    QCOMPARE(ParseDdf(text).has_value(), accepted);
}

// A hand-edited or damaged file: whatever is not a number counts as 0.
void TestDdfFile::oddLines()
{
    QByteArray text = Lines(kLines - 4);
    text += QByteArray(100 * 1024, '7') + "\n";
    text += QByteArray("\x01\xFF\x00garbage", 10) + "\n";
    text += " -12 \n";
    text += "99999999999999\n";
    const auto values = ParseDdf(text);
    QVERIFY(values);
    QCOMPARE(values->at(kLines - 4), 0);
    QCOMPARE(values->at(kLines - 3), 0);
    QCOMPARE(values->at(kLines - 2), -12);
    QCOMPARE(values->at(kLines - 1), std::numeric_limits<int>::max());
}

void TestDdfFile::saveName_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("saved");
    QTest::newRow("no extension") << "settings"
                                  << "settings.ddf";
    QTest::newRow("contains .ddf") << "a.ddf.bak"
                                   << "a.ddf.bak";
    QTest::newRow("upper case") << "A.DDF"
                                << "A.DDF.ddf";
    QTest::newRow("with extension") << "/tmp/x/b.ddf"
                                    << "/tmp/x/b.ddf";
}

void TestDdfFile::saveName()
{
    QFETCH(QString, given);
    QFETCH(QString, saved);
    QCOMPARE(DdfFileName(given), saved);
}

void TestDdfFile::writeReplacesOnlyWhenComplete()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("a.ddf"));
    const std::vector<int> first(kLines, 1);
    QVERIFY(WriteDdf(name, first));
    std::vector<int> read;
    QCOMPARE(ReadDdf(name, &read), DdfRead::Ok);
    QCOMPARE(read, first);

    // A folder that does not exist: nothing written, nothing lost.
    QVERIFY(!WriteDdf(dir.filePath(QStringLiteral("none/a.ddf")), first));
    // The target is a folder: the write fails, the folder stays.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("b.ddf")));
    QVERIFY(!WriteDdf(dir.filePath(QStringLiteral("b.ddf")), first));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("b.ddf"))).isDir());

    QCOMPARE(ReadDdf(dir.filePath(QStringLiteral("missing.ddf")), &read), DdfRead::CannotOpen);
}

void TestDdfFile::oversizedFileRefused()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("big.ddf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(Lines(kLines - 1));
    file.write(QByteArray(2 * 1024 * 1024, ' ') + "1\n");
    file.close();
    std::vector<int> read;
    QCOMPARE(ReadDdf(file.fileName(), &read), DdfRead::InvalidSize);
}

void TestDdfFile::roundTripThroughTheFields()
{
    QTabWidget tabs;
    SettingsForm form(&tabs);
    form.SetCompressionChoices(CompressionChoices(1, 0));
    // Every field away from its start: the last real choice, the top of the range.
    for (const SettingsField *field : DdfFields()) {
        QWidget *widget = form.FieldWidget(*field);
        if (auto *combo = qobject_cast<QComboBox *>(widget))
            combo->setCurrentIndex(combo->count() - 1);
        else
            qobject_cast<QSpinBox *>(widget)->setValue(field->maximum);
    }
    qobject_cast<QSpinBox *>(LineWidget(form, 43))->setValue(-999);      // HTRIG Value
    qobject_cast<QComboBox *>(LineWidget(form, 54))->setCurrentIndex(1); // SCSI Termination On
    const std::vector<int> saved = form.DdfValues();
    QCOMPARE(saved[53], 1);
    QCOMPARE(saved[42], -999);

    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("round.ddf"));
    QVERIFY(WriteDdf(name, saved));
    QTabWidget otherTabs;
    SettingsForm other(&otherTabs);
    other.SetCompressionChoices(CompressionChoices(1, 0));
    std::vector<int> read;
    QCOMPARE(ReadDdf(name, &read), DdfRead::Ok);
    other.SetDdfValues(read);
    QCOMPARE(other.DdfValues(), saved);
}

// Never a value outside its widget: a combo index beyond its list leaves the
// combo alone, a spin value beyond its range is limited to it.
void TestDdfFile::valuesOutOfRange()
{
    QTabWidget tabs;
    SettingsForm form(&tabs);
    auto *control = qobject_cast<QComboBox *>(LineWidget(form, 1));
    auto *editIn = qobject_cast<QSpinBox *>(LineWidget(form, 21));
    auto *audio = qobject_cast<QSpinBox *>(LineWidget(form, 63));
    control->setCurrentIndex(1);
    std::vector<int> values = form.DdfValues();
    values[0] = 3;
    values[20] = 99;
    values[62] = -1000;
    form.SetDdfValues(values);
    QCOMPARE(control->currentIndex(), 1);
    QCOMPARE(editIn->value(), 10);
    QCOMPARE(audio->value(), -128);
    values[0] = -1;
    form.SetDdfValues(values);
    QCOMPARE(control->currentIndex(), 1);
}

void TestDdfFile::syncSourceLineGivesItsByte()
{
    QTabWidget tabs;
    SettingsForm form(&tabs);
    SettingsImage image;
    image.StorePage(0, {});
    std::vector<int> values = form.DdfValues();
    values[2] = 4;
    form.SetDdfValues(values);
    QCOMPARE(qobject_cast<QComboBox *>(LineWidget(form, 3))->currentText(),
             QStringLiteral("Internal"));
    form.CollectPages(image);
    QCOMPARE(image.PageBytes(0)[2], quint8(6));
}

QTEST_MAIN(TestDdfFile)
#include "tst_ddffile.moc"
