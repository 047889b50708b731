// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <vector>

// A finished picture: ARGB32 when it keeps its alpha channel, RGB32 (every
// alpha byte 0xFF) when it does not.
struct RenderedImage
{
    QString name;
    QImage image;
    bool alpha = true;
};

// One table of the collection: the C++ name it is defined under and its
// pictures in table order.
struct ImageTable
{
    const char *name;
    std::vector<RenderedImage> images;
};

// Writes the C++ source that defines the tables (declared in
// app/images/embeddedimage.h): per table one record per image in the given
// order, then the end record of width 0. Each record's pixels are 32-bit
// 0xAARRGGBB words stored little-endian, row after row, compressed with
// qCompress. Returns false when the file cannot be written; an existing file
// is then left as it was.
bool WriteTables(const QString &path, const std::vector<ImageTable> &tables);
