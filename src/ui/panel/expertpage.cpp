#include "expertpage.h"

#include "panelbuttons.h"
#include "tablesetup.h"
#include "widgetfactory.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kScsiIds = 16;

QTableWidget *BuildBus(QWidget *page, QGridLayout *grid, int column, const char *tableName,
                       const char *labelName)
{
    auto *table = NewNamed<QTableWidget>(page, tableName);
    SetUpListTable(table, 2);
    table->setRowCount(kScsiIds);
    QStringList ids;
    for (int id = 0; id < kScsiIds; ++id)
        ids << QString::number(id);
    table->setVerticalHeaderLabels(ids);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    // A bus stays disabled until a scan finds a disk on it.
    table->setEnabled(false);
    grid->addWidget(NewLabel(page, labelName), 0, column);
    grid->addWidget(table, 1, column);
    return table;
}

} // namespace

ExpertPage BuildExpertPage(QWidget *page)
{
    ExpertPage p;
    p.page = page;
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    p.TableBus1 = BuildBus(page, grid, 0, "TableBus1", "bus1Label");
    p.TableBus2 = BuildBus(page, grid, 1, "TableBus2", "bus2Label");

    auto *keys = new QHBoxLayout;
    p.pbScan = MakePanelButton(page, "pbScan");
    p.pbFormat = MakePanelButton(page, "pbFormat");
    p.pbApply = MakePanelButton(page, "pbApply");
    p.pbApply2 = MakePanelButton(page, "pbApply2");
    p.pbApply->hide(); // pbApply2 applies the modes
    keys->addWidget(p.pbScan);
    keys->addWidget(p.pbFormat);
    keys->addWidget(p.pbApply);
    keys->addWidget(p.pbApply2);
    keys->addStretch(1);
    grid->addLayout(keys, 2, 0, 1, 2);
    grid->setRowStretch(1, 1);
    return p;
}
