// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/images/embeddedimage.h"

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

// Serves the program's compiled-in pictures to the forms by name, for example
// "playd.png"; no image file is read from disk. An image is built from its
// table record the first time it is asked for and held from then on, so the
// panel refresh that sets the same faces ten times a second costs a lookup.
//
// Names match exactly, case included. A name that is not in the table gives a
// null image, and nothing is held for it.
//
// GUI thread only.
class ImageFactory
{
public:
    // The factory of the program, over the generated tables. It is created
    // on first use, once, and destroyed when the program ends.
    static ImageFactory &Instance();

    // A factory over other tables, each ended by a record of width 0: the
    // pictures, and optionally the same pictures at twice the pixels. The
    // tables must outlive the factory.
    explicit ImageFactory(const EmbeddedImage *table, const EmbeddedImage *doubleTable = nullptr);

    ImageFactory(const ImageFactory &) = delete;
    ImageFactory &operator=(const ImageFactory &) = delete;

    // ARGB32 for images with an alpha channel, RGB32 for the others.
    QImage Image(const QString &name);

    // The picture drawn at twice the pixels each way, with a device pixel
    // ratio of 2, so that it takes the place of Image(name) on a screen of
    // twice the density; null when the double table does not have it.
    QImage DoubleImage(const QString &name);

    // The picture ready for a widget on a screen of this device pixel ratio:
    // above 1 the double one where there is one. Needs the application
    // object. The held image is converted on each call: the faces are
    // small, and a pixmap kept here could outlive the application object.
    QPixmap Pixmap(const QString &name, qreal devicePixelRatio = 1.0);

    // The picture at both densities in one icon, which shows the one that
    // suits the screen it is drawn on. Needs the application object.
    QIcon Icon(const QString &name);

    // Whether the image of that name has been built and is held.
    bool Holds(const QString &name) const;

    // Every name of the table, in table order.
    QStringList Names() const;

private:
    const EmbeddedImage *table;
    const EmbeddedImage *doubleTable;
    QHash<QString, QImage> held;
    QHash<QString, QImage> heldDoubles;
};
