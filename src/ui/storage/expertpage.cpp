// SPDX-License-Identifier: GPL-3.0-or-later
#include "expertpage.h"

#include "diskactions.h"
#include "ui/common/listtable.h"
#include "ui/common/pollingpause.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QTableWidget>

namespace {

using E = ExpertPage;
constexpr Trigger kPressed = Trigger::Pressed;
constexpr Trigger kClicked = Trigger::Clicked;

const KeyEntry<ExpertPage> kKeys[] = {
    {&E::pbScan, "pbScan", "Scan.png", "Scan", "", kClicked, &E::pbScan_clicked},
    {&E::pbFormat, "pbFormat", "Format.png", "Format", "", kPressed, &E::pbFormat_pressed},
    {&E::pbApply, "pbApply", "Apply.png", "Apply", "", kPressed, &E::pbApply_pressed},
    {&E::pbApply2, "pbApply2", "Apply.png", "Apply", "", kClicked, &E::pbApply2_clicked},
};

} // namespace

ExpertPage::ExpertPage(RecorderSession &session, QWidget *parent)
    : QWidget(parent), session(session)
{
    setObjectName(QStringLiteral("TabPage_2"));
    BuildKeys(*this, this, kKeys);
    connect(pbFormat, &QPushButton::released, this, &ExpertPage::pbFormat_released);
    pbApply->hide(); // pbApply2 applies the modes
    TableBus1 = BuildBus("TableBus1", "Bus 1");
    TableBus2 = BuildBus("TableBus2", "Bus 2");
    // The disk actions give each bus its rows, disabled until a scan finds a
    // disk on it.
    disks = std::make_unique<DiskActions>(TableBus1, TableBus2, this);
    NumberRows(TableBus1);
    NumberRows(TableBus2);
    bus1Label = NewLabel(this, "bus1Label");
    bus2Label = NewLabel(this, "bus2Label");
    connect(TableBus1, &QTableWidget::cellPressed, this, &ExpertPage::TableBus1_pressed);
    connect(TableBus2, &QTableWidget::cellPressed, this, &ExpertPage::TableBus2_pressed);
    connect(TableBus1, &QTableWidget::cellClicked, this, &ExpertPage::TableBus1_clicked);
    connect(TableBus2, &QTableWidget::cellClicked, this, &ExpertPage::TableBus2_clicked);
    LayOut();
}

ExpertPage::~ExpertPage() = default;

std::vector<KeyInfo> ExpertPage::Keys()
{
    return DescribeKeys(kKeys, PanelPage::Expert);
}

void ExpertPage::languageChange()
{
    bus1Label->setText(QStringLiteral("SCSI bus 1"));
    bus2Label->setText(QStringLiteral("SCSI bus 2"));
    SetHeaders(TableBus1, {"Status", "Mode"});
    SetHeaders(TableBus2, {"Status", "Mode"});
}

QTableWidget *ExpertPage::BuildBus(const char *name, const char *accessibleName)
{
    auto *table = NewNamed<QTableWidget>(this, name);
    SetUpListTable(table, 2);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    Describe(table, accessibleName);
    return table;
}

// The rows are the SCSI IDs, counted from 0.
void ExpertPage::NumberRows(QTableWidget *table)
{
    QStringList ids;
    for (int id = 0; id < table->rowCount(); ++id)
        ids << QString::number(id);
    table->setVerticalHeaderLabels(ids);
}

void ExpertPage::LayOut()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    grid->addWidget(bus1Label, 0, 0);
    grid->addWidget(bus2Label, 0, 1);
    grid->addWidget(TableBus1, 1, 0);
    grid->addWidget(TableBus2, 1, 1);
    auto *keys = new QHBoxLayout;
    for (QPushButton *key : {pbScan, pbFormat, pbApply, pbApply2})
        keys->addWidget(key);
    keys->addStretch(1);
    grid->addLayout(keys, 2, 0, 1, 2);
    grid->setRowStretch(1, 1);
}

void ExpertPage::pbScan_clicked()
{
    const PollingPause pause(session);
    disks->Scan();
}

void ExpertPage::pbFormat_pressed() {}

void ExpertPage::pbFormat_released()
{
    const PollingPause pause(session);
    disks->Format();
}

// The hidden Apply key does what the shown one does.
void ExpertPage::pbApply_pressed()
{
    pbApply2_clicked();
}

void ExpertPage::pbApply2_clicked()
{
    const PollingPause pause(session);
    disks->Apply();
}

void ExpertPage::pbApplyRecordSettings_clicked() {}

void ExpertPage::TableBus1_pressed(int row)
{
    disks->PressRow(1, row);
}

void ExpertPage::TableBus2_pressed(int row)
{
    disks->PressRow(2, row);
}

void ExpertPage::TableBus1_clicked(int) {}

void ExpertPage::TableBus2_clicked(int) {}
