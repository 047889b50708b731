// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/images/imagefactory.h"

#include <QByteArray>
#include <QtEndian>

namespace {

// A record whose data does not inflate to exactly its pixels gives a null
// image rather than one with garbage or missing rows.
QImage Build(const EmbeddedImage &record)
{
    const QByteArray pixels = qUncompress(record.data, record.length);
    const qsizetype count = qsizetype(record.width) * record.height;
    if (record.depth != 32 || pixels.size() != count * 4) {
        return QImage();
    }
    // A fresh image is a deep copy: nothing refers to the inflated buffer
    // once this returns. RGB32 and ARGB32 rows of 32-bit pixels have no
    // padding, so the words go in at once.
    const auto format = record.alpha != 0 ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    QImage image(record.width, record.height, format);
    qFromLittleEndian<quint32>(pixels.constData(), count, image.bits());
    return image;
}

const EmbeddedImage *Find(const EmbeddedImage *table, const QString &name)
{
    for (const EmbeddedImage *record = table; record != nullptr && record->width != 0; ++record) {
        if (QString::fromUtf8(record->name) == name) {
            return record;
        }
    }
    return nullptr;
}

// The image of that name in a table, built on the first request and held
// from then on.
QImage HeldImage(QHash<QString, QImage> &held, const EmbeddedImage *table, const QString &name)
{
    const auto found = held.constFind(name);
    if (found != held.constEnd()) {
        return *found;
    }
    const EmbeddedImage *record = Find(table, name);
    if (record == nullptr) {
        return QImage();
    }
    const QImage image = Build(*record);
    if (!image.isNull()) {
        held.insert(name, image);
    }
    return image;
}

} // namespace

ImageFactory &ImageFactory::Instance()
{
    static ImageFactory factory(kEmbeddedImages, kEmbeddedImages2x);
    return factory;
}

ImageFactory::ImageFactory(const EmbeddedImage *table, const EmbeddedImage *doubleTable)
    : table(table), doubleTable(doubleTable)
{}

QImage ImageFactory::Image(const QString &name)
{
    return HeldImage(held, table, name);
}

QImage ImageFactory::DoubleImage(const QString &name)
{
    QImage image = HeldImage(heldDoubles, doubleTable, name);
    image.setDevicePixelRatio(2);
    return image;
}

QPixmap ImageFactory::Pixmap(const QString &name, qreal devicePixelRatio)
{
    const QImage sharp = devicePixelRatio > 1 ? DoubleImage(name) : QImage();
    const QImage image = sharp.isNull() ? Image(name) : sharp;
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QIcon ImageFactory::Icon(const QString &name)
{
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        const QPixmap pixmap = Pixmap(name, ratio);
        if (!pixmap.isNull()) {
            icon.addPixmap(pixmap);
        }
    }
    return icon;
}

bool ImageFactory::Holds(const QString &name) const
{
    return held.contains(name);
}

QStringList ImageFactory::Names() const
{
    QStringList names;
    for (const EmbeddedImage *record = table; record->width != 0; ++record) {
        names.append(QString::fromUtf8(record->name));
    }
    return names;
}
