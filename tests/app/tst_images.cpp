// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/images/embeddedimage.h"
#include "app/images/imagefactory.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// The pixel words of a record, compressed the way the table stores them.
QByteArray Pack(const std::vector<QRgb> &pixels)
{
    QByteArray raw(int(pixels.size() * 4), Qt::Uninitialized);
    qToLittleEndian<quint32>(pixels.data(), qsizetype(pixels.size()), raw.data());
    return qCompress(raw);
}

EmbeddedImage Record(const QByteArray &packed, int width, int height, bool alpha, const char *name)
{
    return {width,
            height,
            32,
            reinterpret_cast<const uchar *>(packed.constData()),
            qint32(packed.size()),
            0,
            nullptr,
            alpha ? 1 : 0,
            name};
}

const EmbeddedImage kEnd = {0, 0, 0, nullptr, 0, 0, nullptr, 0, nullptr};

// Share of pixels whose colour or alpha differs by more than a glance would
// miss between two images of one size.
double VisiblyDifferentShare(const QImage &a, const QImage &b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int distance =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            differing += distance > 40 ? 1 : 0;
        }
    }
    return double(differing) / (a.width() * a.height());
}

} // namespace

class TstImages : public QObject
{
    Q_OBJECT

private slots:
    void tableHoldsTheCollection();
    void everyImageIsServedWithItsSizeAndAlpha();
    void sizeOfName_data();
    void sizeOfName();
    void recordsAreCompressedTrueColour();
    void nameNotServed_data();
    void nameNotServed();
    void secondRequestIsServedFromTheHeldImage();
    void pixmapIsReadyForWidgets();
    void facesTellApart_data();
    void facesTellApart();
    void pixelsComeBackExactly();
    void recordWithoutAlphaGivesOpaqueImage();
    void brokenRecordGivesNullImage();
    void namesAreReadAsUtf8();
    void searchStopsAtTheEndRecord();
    void doublesAreDrawnAtTwiceThePixels();
    void iconShowsTheSharpPictureAtTwice();
    void missingDoubleFallsBackToThePlainPicture();
};

void TstImages::tableHoldsTheCollection()
{
    const QStringList names = ImageFactory::Instance().Names();
    QCOMPARE(names.size(), 78);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 78);
    QCOMPARE(names.constFirst(), QStringLiteral("Clear.png"));
    QCOMPARE(names.indexOf(QStringLiteral("AT.png")), 31);
    QCOMPARE(names.indexOf(QStringLiteral("backd.png")), 32);
    QCOMPARE(names.indexOf(QStringLiteral("RP.png")), 70);
    QCOMPARE(names.constLast(), QStringLiteral("kavoni-logo.jpg"));
}

// Every name comes back; the number of images of each size catches an entry
// drawn at the size of its neighbour group.
void TstImages::everyImageIsServedWithItsSizeAndAlpha()
{
    ImageFactory factory(kEmbeddedImages);
    QMap<QPair<int, int>, int> countBySize;
    for (const QString &name : factory.Names()) {
        const QImage image = factory.Image(name);
        QVERIFY2(!image.isNull(), qPrintable(name));
        ++countBySize[qMakePair(image.width(), image.height())];

        const bool png = name.endsWith(QLatin1String(".png"));
        QCOMPARE(image.hasAlphaChannel(), png);
        QCOMPARE(image.format(), png ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        // A drawn picture, not an empty rectangle.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                colours.insert(image.pixel(x, y));
            }
        }
        QVERIFY2(colours.size() > 16, qPrintable(name));
    }
    const QMap<QPair<int, int>, int> expected = {
        {{60, 30}, 33}, {{38, 54}, 10}, {{38, 20}, 1},  {{20, 20}, 2},
        {{80, 30}, 13}, {{180, 40}, 7}, {{90, 40}, 2},  {{70, 30}, 3},
        {{30, 30}, 5},  {{160, 30}, 1}, {{169, 71}, 1},
    };
    QCOMPARE(countBySize, expected);
}

void TstImages::sizeOfName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    const std::vector<std::pair<const char *, QSize>> rows = {
        {"Clear.png", {60, 30}},      {"moinsmoins.png", {60, 30}},   {"dot.png", {60, 30}},
        {"0.png", {60, 30}},          {"OFF.png", {60, 30}},          {"AT.png", {60, 30}},
        {"backd.png", {38, 54}},      {"stopu.png", {38, 54}},        {"Lock.png", {38, 20}},
        {"rbu.png", {20, 20}},        {"rbd.png", {20, 20}},          {"Previous.png", {80, 30}},
        {"AddBefore.png", {180, 40}}, {"Cancel.png", {90, 40}},       {"Add.png", {90, 40}},
        {"Start.png", {80, 30}},      {"Send.png", {70, 30}},         {"PD.png", {30, 30}},
        {"Cancel2.png", {80, 30}},    {"Create.png", {80, 30}},       {"RP.png", {30, 30}},
        {"Scan.png", {180, 40}},      {"rename.png", {160, 30}},      {"Locate.png", {60, 30}},
        {"Capture.png", {70, 30}},    {"kavoni-logo.jpg", {169, 71}},
    };
    for (const auto &[name, size] : rows) {
        QTest::newRow(name) << QString::fromLatin1(name) << size;
    }
}

void TstImages::sizeOfName()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    ImageFactory factory(kEmbeddedImages);
    QCOMPARE(factory.Image(name).size(), size);
}

// The stored form is what the factory's decompressor expects: a big-endian
// length of exactly the pixels, then the zlib stream.
void TstImages::recordsAreCompressedTrueColour()
{
    int records = 0;
    for (const EmbeddedImage *record = kEmbeddedImages; record->width != 0; ++record) {
        ++records;
        QCOMPARE(record->depth, 32);
        QCOMPARE(record->colourCount, 0);
        QVERIFY(record->colourTable == nullptr);
        QVERIFY(record->length > 4);
        QCOMPARE(qFromBigEndian<quint32>(record->data),
                 quint32(record->width * record->height * 4));
    }
    QCOMPARE(records, 78);
}

void TstImages::nameNotServed_data()
{
    QTest::addColumn<QString>("name");
    // Case differs from a name of the table.
    QTest::newRow("capitals") << QStringLiteral("PLAYD.PNG");
    QTest::newRow("first capital") << QStringLiteral("Playd.png");
    QTest::newRow("lower case of Clear") << QStringLiteral("clear.png");
    QTest::newRow("upper case of dot") << QStringLiteral("Dot.png");
    QTest::newRow("capital of rename") << QStringLiteral("Rename.png");
    QTest::newRow("OK for Ok") << QStringLiteral("OK.png");
    QTest::newRow("extension case") << QStringLiteral("kavoni-logo.JPG");
    // Near misses and strangers.
    QTest::newRow("empty") << QString();
    QTest::newRow("no extension") << QStringLiteral("playd");
    QTest::newRow("trailing blank") << QStringLiteral("playd.png ");
    QTest::newRow("other extension") << QStringLiteral("kavoni-logo.png");
    QTest::newRow("pair without face") << QStringLiteral("play.png");
    QTest::newRow("two digits") << QStringLiteral("10.png");
}

void TstImages::nameNotServed()
{
    QFETCH(QString, name);
    ImageFactory factory(kEmbeddedImages);
    QVERIFY(factory.Image(name).isNull());
    QVERIFY(factory.Pixmap(name).isNull());
    QVERIFY(!factory.Holds(name));
    // Asking again still finds nothing and still holds nothing.
    QVERIFY(factory.Image(name).isNull());
    QVERIFY(!factory.Holds(name));
}

void TstImages::secondRequestIsServedFromTheHeldImage()
{
    ImageFactory factory(kEmbeddedImages);
    const QString name = QStringLiteral("playd.png");
    QVERIFY(!factory.Holds(name));
    const QImage first = factory.Image(name);
    QVERIFY(factory.Holds(name));
    QVERIFY(!factory.Holds(QStringLiteral("playu.png")));
    // A rebuilt image would be a new one with its own key.
    QCOMPARE(factory.Image(name).cacheKey(), first.cacheKey());

    // The program's factory is one object and serves the same collection.
    ImageFactory &program = ImageFactory::Instance();
    QCOMPARE(&ImageFactory::Instance(), &program);
    QCOMPARE(program.Image(name), first);
}

void TstImages::pixmapIsReadyForWidgets()
{
    ImageFactory factory(kEmbeddedImages);
    const QPixmap face = factory.Pixmap(QStringLiteral("recd.png"));
    QCOMPARE(face.size(), QSize(38, 54));
    QVERIFY(face.hasAlphaChannel());
    QCOMPARE(face.toImage().convertToFormat(QImage::Format_ARGB32),
             factory.Image(QStringLiteral("recd.png")));
    QVERIFY(!factory.Pixmap(QStringLiteral("kavoni-logo.jpg")).hasAlphaChannel());
}

void TstImages::facesTellApart_data()
{
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QString>("released");
    for (const char *stem : {"play", "stop", "rec", "back", "rew", "rb"}) {
        const QString name = QString::fromLatin1(stem);
        QTest::newRow(stem) << name + QStringLiteral("d.png") << name + QStringLiteral("u.png");
    }
    QTest::newRow("P") << QStringLiteral("PD.png") << QStringLiteral("PU.png");
    QTest::newRow("R") << QStringLiteral("RD.png") << QStringLiteral("RU.png");
    QTest::newRow("PD/RD") << QStringLiteral("PD.png") << QStringLiteral("RD.png");
    QTest::newRow("rewind/forward") << QStringLiteral("backu.png") << QStringLiteral("rewu.png");
}

// The panel shows the recorder's state only through these pictures, so the
// two faces of a key, and keys that sit side by side, must tell apart at a
// glance, not by a shade.
void TstImages::facesTellApart()
{
    QFETCH(QString, pressed);
    QFETCH(QString, released);
    ImageFactory factory(kEmbeddedImages);
    const QImage down = factory.Image(pressed);
    const QImage up = factory.Image(released);
    QVERIFY(!down.isNull());
    QCOMPARE(down.size(), up.size());
    const double share = VisiblyDifferentShare(down, up);
    QVERIFY2(share > 0.05, qPrintable(QString::number(share)));
}

// Byte order, row order and alpha come back as stored, and the image stays
// valid after the inflated buffer is gone.
void TstImages::pixelsComeBackExactly()
{
    const std::vector<QRgb> pixels = {0x80ff0000, 0xff00ff00, 0x000000ff,
                                      0x12345678, 0xffffffff, 0x01020304};
    const QByteArray packed = Pack(pixels);
    const EmbeddedImage table[] = {Record(packed, 3, 2, true, "probe.png"), kEnd};
    ImageFactory factory(table);
    const QImage image = factory.Image(QStringLiteral("probe.png"));
    QCOMPARE(image.size(), QSize(3, 2));
    QCOMPARE(image.format(), QImage::Format_ARGB32);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(image.pixel(i % 3, i / 3), pixels[size_t(i)]);
    }
}

void TstImages::recordWithoutAlphaGivesOpaqueImage()
{
    const QByteArray packed = Pack({0xff102030, 0xff405060});
    const EmbeddedImage table[] = {Record(packed, 2, 1, false, "flat.jpg"), kEnd};
    ImageFactory factory(table);
    const QImage image = factory.Image(QStringLiteral("flat.jpg"));
    QVERIFY(!image.hasAlphaChannel());
    QCOMPARE(image.pixel(1, 0), QRgb(0xff405060));
}

// Data that does not inflate to exactly width x height pixels is refused
// rather than shown as a torn picture, and nothing is held for it.
void TstImages::brokenRecordGivesNullImage()
{
    const QByteArray fourPixels = Pack({1, 2, 3, 4});
    QByteArray truncated = Pack(std::vector<QRgb>(64, 0xff808080));
    truncated.chop(8);
    const EmbeddedImage table[] = {
        Record(fourPixels, 3, 2, true, "short.png"),
        Record(fourPixels, 1, 2, true, "long.png"),
        Record(truncated, 8, 8, true, "truncated.png"),
        kEnd,
    };
    ImageFactory factory(table);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("qUncompress")));
    for (const char *name : {"short.png", "long.png", "truncated.png"}) {
        QVERIFY2(factory.Image(QString::fromLatin1(name)).isNull(), name);
        QVERIFY2(!factory.Holds(QString::fromLatin1(name)), name);
    }
}

void TstImages::namesAreReadAsUtf8()
{
    const QByteArray packed = Pack({0xff000000});
    const EmbeddedImage table[] = {Record(packed, 1, 1, true, "caf\xc3\xa9.png"), kEnd};
    ImageFactory factory(table);
    QVERIFY(!factory.Image(QStringLiteral("caf\u00e9.png")).isNull());
    QCOMPARE(factory.Names(), QStringList{QStringLiteral("caf\u00e9.png")});
}

void TstImages::searchStopsAtTheEndRecord()
{
    const QByteArray packed = Pack({0xff000000});
    const EmbeddedImage table[] = {
        Record(packed, 1, 1, true, "before.png"),
        kEnd,
        Record(packed, 1, 1, true, "after.png"),
    };
    ImageFactory factory(table);
    QCOMPARE(factory.Names(), QStringList{QStringLiteral("before.png")});
    QVERIFY(factory.Image(QStringLiteral("after.png")).isNull());
}

// For a screen of twice the density every picture is drawn anew at twice the
// pixels each way, not enlarged: a double that were the plain picture blown
// up would have no more detail than it.
void TstImages::doublesAreDrawnAtTwiceThePixels()
{
    ImageFactory factory(kEmbeddedImages, kEmbeddedImages2x);
    for (const QString &name : factory.Names()) {
        const QImage plain = factory.Image(name);
        const QImage sharp = factory.DoubleImage(name);
        QCOMPARE(sharp.size(), plain.size() * 2);
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(plain.size()));
        QCOMPARE(sharp.format(), plain.format());
        const QImage blownUp = plain.scaled(sharp.size());
        QVERIFY2(sharp.convertToFormat(QImage::Format_ARGB32) !=
                     blownUp.convertToFormat(QImage::Format_ARGB32),
                 qPrintable(name));
    }
}

// A key's icon holds both pictures and shows the double one where the screen
// has twice the density.
void TstImages::iconShowsTheSharpPictureAtTwice()
{
    ImageFactory &factory = ImageFactory::Instance();
    const QString name = QStringLiteral("playd.png");
    const QIcon icon = factory.Icon(name);
    const QPixmap plain = icon.pixmap(QSize(38, 54), 1.0);
    const QPixmap sharp = icon.pixmap(QSize(38, 54), 2.0);
    QCOMPARE(plain.size(), QSize(38, 54));
    QCOMPARE(sharp.size(), QSize(76, 108));
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QCOMPARE(sharp.toImage().convertToFormat(QImage::Format_ARGB32),
             factory.DoubleImage(name).convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(factory.Pixmap(name, 2.0).deviceIndependentSize(), QSizeF(38, 54));
    QCOMPARE(factory.Pixmap(name, 1.0).size(), QSize(38, 54));
}

void TstImages::missingDoubleFallsBackToThePlainPicture()
{
    const QByteArray packed = Pack({0xff000000, 0xffffffff});
    const EmbeddedImage plain[] = {Record(packed, 2, 1, true, "only.png"), kEnd};
    const EmbeddedImage doubles[] = {kEnd};
    ImageFactory factory(plain, doubles);
    QVERIFY(factory.DoubleImage(QStringLiteral("only.png")).isNull());
    const QPixmap pixmap = factory.Pixmap(QStringLiteral("only.png"), 2.0);
    QCOMPARE(pixmap.size(), QSize(2, 1));
    QCOMPARE(pixmap.devicePixelRatio(), 1.0);
}

QTEST_MAIN(TstImages)
#include "tst_images.moc"
