// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

// Draws a cell of the traffic monitor as one line of plain text, elided at
// the cell's edge (the whole text is in the cell's tool tip), over the
// selection colour when selected. The style's own item drawing lays the
// text out three times per cell to size, place and elide it; with the list
// redrawn as it follows the traffic, that was most of what the shown
// monitor cost.
class TrafficDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
