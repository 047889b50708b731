// SPDX-License-Identifier: GPL-3.0-or-later
#include "listtable.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

void SetUpListTable(QTableWidget *table, int columns)
{
    table->setColumnCount(columns);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setShowGrid(false);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->setDefaultSectionSize(20);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setHighlightSections(false);
}

void SetHeaders(QTableWidget *table, std::initializer_list<const char *> titles)
{
    QStringList headers;
    for (const char *title : titles)
        headers << QLatin1String(title);
    table->setHorizontalHeaderLabels(headers);
}
