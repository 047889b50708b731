// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>
#include <QtGlobal>

// One picture compiled into the program. The table is generated at build time
// by tools/imagegen from the pictures it draws; see src/app/images/CMakeLists.txt.
//
// The pixels are width x height 32-bit words 0xAARRGGBB, stored little-endian
// row after row, and compressed in qCompress form: a 4-byte big-endian length
// of the uncompressed data followed by a zlib stream.
struct EmbeddedImage
{
    qint32 width;
    qint32 height;
    qint32 depth; // bits per pixel: always 32
    const uchar *data;
    qint32 length;           // bytes at data
    qint32 colourCount;      // always 0: the pixels carry their colours
    const QRgb *colourTable; // always null, for the same reason
    qint32 alpha;            // non-zero: the image has an alpha channel
    const char *name;        // UTF-8; the forms ask for the image by it
};

// The collection, ended by a record whose width is 0.
extern const EmbeddedImage kEmbeddedImages[];

// The same pictures in the same order, drawn at twice the width and height
// in pixels for screens of twice the density; ended the same way.
extern const EmbeddedImage kEmbeddedImages2x[];
