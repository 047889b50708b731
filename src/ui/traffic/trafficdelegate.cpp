// SPDX-License-Identifier: GPL-3.0-or-later
#include "trafficdelegate.h"

#include <QApplication>
#include <QPainter>

void TrafficDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    painter->setPen(
        option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
    const QRect box = option.rect.adjusted(margin, 0, -margin, 0);
    const QFontMetrics &metrics = option.fontMetrics;
    QString text = index.data(Qt::DisplayRole).toString();
    // The list's font is fixed-width: a text fits when its characters do,
    // and only one that does not is measured and elided.
    if (text.size() * metrics.horizontalAdvance(QLatin1Char('0')) > box.width())
        text = metrics.elidedText(text, Qt::ElideRight, box.width());
    const int baseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
    painter->drawText(QPoint(box.left(), baseline), text);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor =
            option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
}
