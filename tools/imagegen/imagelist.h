// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

// One picture of the program's collection: the name the forms ask for, its
// size, whether it keeps an alpha channel, and how it is drawn at that size
// for a given pixel density (1, or 2 for screens of twice the density).
struct ImageEntry
{
    QString name;
    QSize size;
    bool alpha = true;
    std::function<QImage(QSize, int scale)> draw;
};

// The whole collection in table order. This list is the only place that
// names the images; the program reads the names from the generated table.
std::vector<ImageEntry> ImageList();
