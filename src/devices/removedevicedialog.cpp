// SPDX-License-Identifier: GPL-3.0-or-later
#include "removedevicedialog.h"

#include "deviceregistry.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kListPointSize = 14;

} // namespace

RemoveXR::RemoveXR(ConnectMenu *menu, QWidget *parent)
    : QDialog(parent), lbListXR(new QListWidget(this)),
      pbOK(new QPushButton(QStringLiteral("OK"), this)),
      pbCancel(new QPushButton(QStringLiteral("Cancel"), this)), menu(menu)
{
    setObjectName(QStringLiteral("RemoveXR"));
    setWindowTitle(QStringLiteral("Remove XR"));
    setModal(true);
    lbListXR->setObjectName(QStringLiteral("lbListXR"));
    pbOK->setObjectName(QStringLiteral("pbOK"));
    pbCancel->setObjectName(QStringLiteral("pbCancel"));
    pbOK->setShortcut(QKeySequence(Qt::Key_Return));
    pbOK->setAccessibleName(QStringLiteral("OK"));
    pbOK->setToolTip(QStringLiteral("OK (Return)"));
    pbCancel->setAccessibleName(QStringLiteral("Cancel"));
    pbCancel->setToolTip(QStringLiteral("Cancel"));

    QFont listFont = lbListXR->font();
    listFont.setPointSize(kListPointSize);
    lbListXR->setFont(listFont);
    lbListXR->addItems(RemovableDeviceNames());

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(pbOK);
    buttonRow->addWidget(pbCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lbListXR);
    layout->addLayout(buttonRow);

    connect(pbOK, &QPushButton::clicked, this, &RemoveXR::pbOK_clicked);
    connect(pbCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void RemoveXR::pbOK_clicked()
{
    QListWidgetItem *chosen = lbListXR->currentItem();
    if (!chosen)
        return;
    if (RemoveEthernetDevice(menu, chosen->text()))
        delete chosen;
}
