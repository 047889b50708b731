// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/images/embeddedimage.h"

#include <QHash>
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
    // The factory of the program, over the generated table. It is created on
    // first use, once, and destroyed when the program ends.
    static ImageFactory &Instance();

    // A factory over another table, ended by a record of width 0. The table
    // must outlive the factory.
    explicit ImageFactory(const EmbeddedImage *table);

    ImageFactory(const ImageFactory &) = delete;
    ImageFactory &operator=(const ImageFactory &) = delete;

    // ARGB32 for images with an alpha channel, RGB32 for the others.
    QImage Image(const QString &name);

    // The same picture ready for a widget; needs the application object.
    // The held image is converted on each call: the faces are small, and a
    // pixmap kept here could outlive the application object.
    QPixmap Pixmap(const QString &name);

    // Whether the image of that name has been built and is held.
    bool Holds(const QString &name) const;

    // Every name of the table, in table order.
    QStringList Names() const;

private:
    const EmbeddedImage *Find(const QString &name) const;

    const EmbeddedImage *table;
    QHash<QString, QImage> held;
};
