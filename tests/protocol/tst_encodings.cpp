// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "protocol/bcd.h"
#include "protocol/timecode.h"
#include "protocol/videostandard.h"

#include <cmath>
#include <cstring>

class TestEncodings : public QObject
{
    Q_OBJECT

private slots:
    void bcd()
    {
        QCOMPARE(BinToBcd4(1234), quint16(0x1234));
        QCOMPARE(BinToBcd4(9009), quint16(0x9009));
        QCOMPARE(Bcd4ToBin(0x12, 0x34), 1234u);
        QCOMPARE(Bcd4ToBin(0x99, 0x99), 9999u);
        const quint8 bytes[] = {0x12, 0x34, 0x56, 0x78};
        QCOMPARE(BcdBytesToBin(bytes, 3), 123456u);
        QCOMPARE(BcdBytesToBin(bytes, 4), 12345678u);
        QCOMPARE(BcdBytesToBin(bytes, 0), 0u);
        QCOMPARE(BcdBytesToBin(bytes, -1), 0u);
    }

    void decimalDigits_data()
    {
        QTest::addColumn<unsigned>("value");
        QTest::addColumn<bool>("pad");
        QTest::addColumn<QByteArray>("digits");
        QTest::newRow("7") << 7u << false << QByteArray("7");
        QTest::newRow("7 padded") << 7u << true << QByteArray("0007");
        QTest::newRow("0") << 0u << false << QByteArray("0");
        QTest::newRow("999") << 999u << false << QByteArray("999");
        QTest::newRow("1000 always four") << 1000u << false << QByteArray("1000");
    }

    // No terminator is written, so nothing past the digits may change.
    void decimalDigits()
    {
        QFETCH(unsigned, value);
        QFETCH(bool, pad);
        QFETCH(QByteArray, digits);
        char buffer[6];
        std::memset(buffer, '#', sizeof buffer);
        QCOMPARE(DecimalDigits(value, buffer, pad), int(digits.size()));
        QCOMPARE(QByteArray(buffer, sizeof buffer), digits.leftJustified(sizeof buffer, '#'));
    }

    void decimalGroups()
    {
        char buffer[13];
        std::memset(buffer, '#', sizeof buffer);
        DecimalDigits3(5, 1234, 80, buffer);
        QCOMPARE(QByteArray(buffer, sizeof buffer), QByteArray("000512340080#"));
        const std::array<int, 3> values = ParseDecimal4x3(buffer);
        QCOMPARE(values, (std::array<int, 3>{5, 1234, 80}));
    }

    void hexDigitValue()
    {
        QCOMPARE(HexDigitValue('9'), 9);
        QCOMPARE(HexDigitValue('F'), 15);
        QCOMPARE(HexDigitValue('f'), 15);
        QCOMPARE(HexDigitValue('g'), 16);
        QCOMPARE(HexDigitValue('z'), 35);
        QCOMPARE(HexDigitValue('G'), 0);
        QCOMPARE(HexDigitValue(':'), 0);
    }

    void parseTimecodeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QByteArray>("entry");
        QTest::newRow("empty") << QString() << false << QByteArray("00000000.1");
        // Separators carry no meaning: digits fill the entry from the right.
        QTest::newRow("1:2") << "1:2" << true << QByteArray("00000012.1");
        QTest::newRow("1:00;02") << "1:00;02" << true << QByteArray("00010002.1");
        QTest::newRow("field 2") << "10:00:00:00.2" << true << QByteArray("10000000.2");
        QTest::newRow("other field digit") << "12.5" << true << QByteArray("00000012.1");
        QTest::newRow("too many digits") << "123456789" << true << QByteArray("23456789.1");
        QTest::newRow("1.2") << "1.2" << true << QByteArray("00000001.2");
        QTest::newRow(".2 is too short") << ".2" << true << QByteArray("00000002.1");
        QTest::newRow("no digits") << "::" << true << QByteArray("00000000.1");
    }

    void parseTimecodeText()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QByteArray, entry);
        // Start from a packed buffer: parsing must not keep anything of it.
        TimecodeEntry buffer;
        std::memcpy(buffer.chars, "\x04\x83\x02\x01\x00XXXX2", sizeof buffer.chars);
        QCOMPARE(ParseTimecodeText(text, buffer), ok);
        QCOMPARE(QByteArray(buffer.chars), entry);
    }

    void packTimecodeBcd_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<bool>("fiftyHz");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("field 2, 50 Hz")
            << QByteArray("01020304.2") << true << QByteArray::fromHex("0403028100");
        QTest::newRow("field 2, 60 Hz")
            << QByteArray("01020304.2") << false << QByteArray::fromHex("0483020100");
        QTest::newRow("field 1") << QByteArray("01020304.1") << true
                                 << QByteArray::fromHex("0403020100");
        QTest::newRow("largest digits")
            << QByteArray("23595929.1") << false << QByteArray::fromHex("2959592300");
        QTest::newRow("not range-checked")
            << QByteArray("00750000.1") << false << QByteArray::fromHex("0000750000");
    }

    void packTimecodeBcd()
    {
        QFETCH(QByteArray, entry);
        QFETCH(bool, fiftyHz);
        QFETCH(QByteArray, wire);
        TimecodeEntry buffer;
        std::memcpy(buffer.chars, entry.constData(), sizeof buffer.chars);
        PackTimecodeBcd(buffer, fiftyHz);
        QCOMPARE(QByteArray(buffer.chars, TimecodeEntry::kWireLength), wire);
    }

    void framesToTimecode_data()
    {
        QTest::addColumn<qint64>("frames");
        QTest::addColumn<double>("fps");
        QTest::addColumn<bool>("dropFrame");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<QString>("text");
        const QString zero = QStringLiteral("00:00:00:00");
        QTest::newRow("zero") << qint64(0) << 25.0 << false << false << zero;
        QTest::newRow("negative") << qint64(-5) << 25.0 << false << false << zero;
        QTest::newRow("no rate") << qint64(100) << 0.0 << false << false << zero;
        QTest::newRow("rate below one") << qint64(100) << 0.5 << false << false << zero;
        QTest::newRow("rate not a number") << qint64(100) << std::nan("") << false << false << zero;
        QTest::newRow("25 one hour") << qint64(90000) << 25.0 << false << false << "01:00:00:00";
        QTest::newRow("df minute 1") << qint64(1800) << 30.0 << true << false << "00:01:00:02";
        QTest::newRow("df minute 2") << qint64(3598) << 30.0 << true << false << "00:02:00:02";
        QTest::newRow("df before ten") << qint64(17981) << 30.0 << true << false << "00:09:59:29";
        QTest::newRow("df minute 10") << qint64(17982) << 30.0 << true << false << "00:10:00:00";
        QTest::newRow("df minute 11")
            << qint64(17982 + 1800) << 30.0 << true << false << "00:11:00:02";
        QTest::newRow("df one hour") << qint64(107892) << 30.0 << true << false << "01:00:00:00";
        QTest::newRow("50 halved") << qint64(100) << 50.0 << false << false << "00:00:02:00";
        QTest::newRow("60 halved df") << qint64(3600) << 60.0 << true << false << "00:01:00:02";
        QTest::newRow("rate truncated") << qint64(29) << 29.97 << false << false << "00:00:01:00";
        QTest::newRow("24 hours") << qint64(2160000) << 25.0 << false << false << "24:00:00:00";
        QTest::newRow("24 hours wrapped")
            << qint64(2160001) << 25.0 << false << true << "00:00:00:01";
        // Halving the rate also drops the wrap.
        QTest::newRow("50 does not wrap")
            << qint64(4320000) << 50.0 << false << true << "24:00:00:00";
        QTest::newRow("hundred hours")
            << qint64(9000000) << 25.0 << false << false << "100:00:00:00";
    }

    void framesToTimecode()
    {
        QFETCH(qint64, frames);
        QFETCH(double, fps);
        QFETCH(bool, dropFrame);
        QFETCH(bool, wrap);
        QFETCH(QString, text);
        QCOMPARE(FramesToTimecode(frames, fps, dropFrame, wrap), text);
    }

    void formatFramePosition()
    {
        QCOMPARE(positionDivisor, 2u);
        char text[16];
        FormatFramePosition(200, text, sizeof text, true, 25, 2, false);
        QCOMPARE(QByteArray(text), QByteArray("00:00:04:00"));
        FormatFramePosition(200, text, sizeof text, false, 25, 2, false);
        QCOMPARE(QByteArray(text), QByteArray("00000400"));
        // Positions above 2^31 are still counts, not negative numbers.
        FormatFramePosition(0xFFFFFFFFu, text, sizeof text, true, 25, 1, false);
        QCOMPARE(QByteArray(text), QByteArray("47721:51:31:20"));
        FormatFramePosition(200, text, sizeof text, true, 25, 0, false);
        QCOMPARE(QByteArray(text), QByteArray("00:00:00:00"));

        std::memset(text, '#', sizeof text);
        FormatFramePosition(90000, text, 5, false, 25, 1, false);
        QCOMPARE(QByteArray(text, 8), QByteArray("0100\0###", 8));
    }

    // The limits are 48 hours of timecode at each system's counting rate.
    void frameLimitIsFortyEightHours()
    {
        QCOMPARE(FramesToTimecode(TimecodeFrameLimit(true), 25, false, false), "48:00:00:00");
        QCOMPARE(FramesToTimecode(TimecodeFrameLimit(false), 30, true, false), "48:00:00:00");
        QVERIFY(4319999u < TimecodeFrameLimit(true));
        QVERIFY(4320000u >= TimecodeFrameLimit(true));
    }

    void videoStandardLookups()
    {
        QCOMPARE(VideoStandardName(32), "2k  23.98p");
        QCOMPARE(VideoStandardName(37), "Undefined");
        QCOMPARE(VideoStandardName(-1), "Undefined");
        QCOMPARE(VideoStandardFps(21), 50);
        QCOMPARE(VideoStandardInterlaced(21), false);
        QCOMPARE(VideoStandardFps(200), 30);
        QCOMPARE(VideoStandardInterlaced(200), true);
    }

    // Cross-checks each row against itself, so a mistyped cell stands out: the
    // nominal rate is the exact rate rounded up, and the name ends in "i"
    // exactly for the interlaced rows (apart from PAL, NTSC and the undefined row).
    void videoStandardTableIsConsistent()
    {
        for (const VideoStandard &row : kVideoStandards) {
            const int rounded = (row.rateNumerator + row.rateDenominator - 1) / row.rateDenominator;
            QVERIFY2(rounded == row.nominalFps, row.name);
            if (row.code > 1 && row.code < kUndefinedVideoStandard) {
                QVERIFY2(QLatin1String(row.name).endsWith(u'i') == row.interlaced, row.name);
            }
        }
        QVERIFY(kVideoStandards[0].interlaced && kVideoStandards[1].interlaced);
    }
};

QTEST_GUILESS_MAIN(TestEncodings)
#include "tst_encodings.moc"
