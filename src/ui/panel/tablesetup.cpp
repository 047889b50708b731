#include "tablesetup.h"

#include <QHeaderView>
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
