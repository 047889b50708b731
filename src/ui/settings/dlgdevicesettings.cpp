// SPDX-License-Identifier: GPL-3.0-or-later
#include "dlgdevicesettings.h"

#include "ddffile.h"
#include "settingsimage.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "link/timing.h"
#include "protocol/recorderstate.h"

#include <QApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Tavrel");
const QString kFileFilter = QStringLiteral("Device Description File (*.ddf)");
// The recorder takes its new setup into use before it is read back.
constexpr quint32 kApplySettleMs = 500;

// An information box with buttons of the given texts; returns the index of
// the one pressed (Escape presses the last).
int Ask(QWidget *parent, const QString &text, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Information, kCaption, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton *> added;
    for (const QString &button : buttons)
        added << box.addButton(button, QMessageBox::ActionRole);
    box.setDefaultButton(qobject_cast<QPushButton *>(added.first()));
    box.setEscapeButton(added.last());
    box.exec();
    return int(added.indexOf(box.clickedButton()));
}

QPushButton *NewButton(QWidget *parent, const char *name)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QString TabLabelOf(int page)
{
    for (const SettingsPage &shown : SettingsPages()) {
        if (shown.page == page)
            return QString::fromLatin1(shown.tabLabel);
    }
    return QString::number(page);
}

} // namespace

void DlgDeviceSettings::Open(QWidget *parent)
{
    if (pelletDevice) {
        QMessageBox::warning(
            parent, kCaption,
            QStringLiteral("This window is not currently available for Pellet device."));
        return;
    }
    DlgDeviceSettings dialog(parent);
    dialog.exec();
}

DlgDeviceSettings::DlgDeviceSettings(QWidget *parent)
    : QDialog(parent), tabWidget(new QTabWidget(this)), form(tabWidget)
{
    setObjectName(QStringLiteral("DlgDeviceSettings"));
    tabWidget->setObjectName(QStringLiteral("tabWidget"));
    lbUnreadPages = new QLabel(this);
    lbUnreadPages->setObjectName(QStringLiteral("lbUnreadPages"));
    lbUnreadPages->setWordWrap(true);
    lbUnreadPages->hide();
    BuildButtons();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabWidget, 1);
    layout->addWidget(lbUnreadPages);
    auto *keys = new QHBoxLayout;
    keys->addWidget(groupDevice);
    keys->addWidget(groupFile);
    keys->addStretch(1);
    keys->addWidget(pbClose, 0, Qt::AlignBottom);
    layout->addLayout(keys);
    languageChange();

    currentFileName.clear();
    pb_ImportFromDevice_clicked();
    UpdateCaption();
}

void DlgDeviceSettings::BuildButtons()
{
    groupDevice = new QGroupBox(this);
    groupDevice->setObjectName(QStringLiteral("groupDevice"));
    pb_ImportFromDevice = NewButton(groupDevice, "pb_ImportFromDevice");
    pb_ExportToDevice_2 = NewButton(groupDevice, "pb_ExportToDevice_2");
    auto *device = new QHBoxLayout(groupDevice);
    device->addWidget(pb_ImportFromDevice);
    device->addWidget(pb_ExportToDevice_2);

    groupFile = new QGroupBox(this);
    groupFile->setObjectName(QStringLiteral("groupFile"));
    pb_Open = NewButton(groupFile, "pb_Open");
    pb_Save = NewButton(groupFile, "pb_Save");
    pb_SaveAs = NewButton(groupFile, "pb_SaveAs");
    auto *file = new QHBoxLayout(groupFile);
    file->addWidget(pb_Open);
    file->addWidget(pb_Save);
    file->addWidget(pb_SaveAs);

    pbClose = NewButton(this, "pbClose");
    pbClose->setAutoDefault(false);

    connect(pb_ImportFromDevice, &QPushButton::clicked, this,
            &DlgDeviceSettings::pb_ImportFromDevice_clicked);
    connect(pb_ExportToDevice_2, &QPushButton::clicked, this,
            &DlgDeviceSettings::pb_ExportToDevice_2_clicked);
    connect(pb_Open, &QPushButton::clicked, this, &DlgDeviceSettings::pb_Open_clicked);
    connect(pb_Save, &QPushButton::clicked, this, &DlgDeviceSettings::pb_Save_clicked);
    connect(pb_SaveAs, &QPushButton::clicked, this, &DlgDeviceSettings::pb_SaveAs_clicked);
    connect(pbClose, &QPushButton::clicked, this, &QDialog::accept);
}

void DlgDeviceSettings::languageChange()
{
    setWindowTitle(QStringLiteral("Device settings"));
    groupDevice->setTitle(QStringLiteral("Device "));
    pb_ImportFromDevice->setText(QStringLiteral("Import from device"));
    pb_ExportToDevice_2->setText(QStringLiteral("Export to device"));
    groupFile->setTitle(QStringLiteral("File "));
    pb_Open->setText(QStringLiteral("Open..."));
    pb_Save->setText(QStringLiteral("Save"));
    pb_SaveAs->setText(QStringLiteral("Save As..."));
    pbClose->setText(QStringLiteral("Close"));
}

void DlgDeviceSettings::UpdateCaption()
{
    const QString name = currentFileName.isEmpty() ? QStringLiteral("Untitled") : currentFileName;
    setWindowTitle(QStringLiteral("Device settings - %1").arg(name));
}

// The choice list of "Compression Ratio" follows the recorder kind, so it is
// rebuilt before the bytes are shown.
void DlgDeviceSettings::pb_ImportFromDevice_clicked()
{
    SettingsImage &image = SettingsImage::Current();
    const std::vector<int> unread = image.Import();
    const qint32 kind = CurrentDevice ? CurrentDevice->recorderKind : 0;
    const qint32 subKind = CurrentDevice ? CurrentDevice->recorderSubKind : 0;
    form.SetCompressionChoices(CompressionChoices(kind, subKind));
    form.ShowPages(image);
    ShowUnreadPages(unread);
}

void DlgDeviceSettings::ShowUnreadPages(const std::vector<int> &pages)
{
    QStringList labels;
    for (const int page : pages)
        labels << TabLabelOf(page);
    lbUnreadPages->setText(
        QStringLiteral("The recorder did not send these pages; they are not written back: %1")
            .arg(labels.join(QStringLiteral(", "))));
    lbUnreadPages->setVisible(!pages.empty());
}

void DlgDeviceSettings::pb_ExportToDevice_2_clicked()
{
    SettingsImage &image = SettingsImage::Current();
    form.CollectPages(image);
    image.Export();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    DelayMs(kApplySettleMs);
    QApplication::restoreOverrideCursor();
    pb_ImportFromDevice_clicked();
}

void DlgDeviceSettings::LoadDdf(const QString &name)
{
    std::vector<int> values;
    switch (ReadDdf(name, &values)) {
    case DdfRead::CannotOpen:
        return;
    case DdfRead::InvalidSize:
        QMessageBox::warning(this, kCaption, QStringLiteral("Invalid file size."));
        return;
    case DdfRead::Ok:
        break;
    }
    form.SetDdfValues(values);
    currentFileName = name;
    UpdateCaption();
    if (Ask(this, QStringLiteral("Apply new settings ?"),
            {QStringLiteral("&Yes"), QStringLiteral("No")}) == 0)
        pb_ExportToDevice_2_clicked();
}

bool DlgDeviceSettings::SaveDdf(const QString &name)
{
    if (!WriteDdf(name, form.DdfValues())) {
        QMessageBox::warning(
            this, kCaption, QStringLiteral("Could not write %1; the file is unchanged.").arg(name));
        return false;
    }
    currentFileName = name;
    UpdateCaption();
    return true;
}

void DlgDeviceSettings::pb_Save_clicked()
{
    Save();
}

void DlgDeviceSettings::pb_SaveAs_clicked()
{
    SaveAs();
}

bool DlgDeviceSettings::Save()
{
    return currentFileName.isEmpty() ? SaveAs() : SaveDdf(currentFileName);
}

// False only when a file was named and could not be written.
bool DlgDeviceSettings::SaveAs()
{
    const QString name = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save Configuration file"), QString(), kFileFilter);
    return name.isEmpty() || SaveDdf(DdfFileName(name));
}

// Loading replaces the fields, so the operator may keep them first; when that
// save fails the fields stay as they are.
void DlgDeviceSettings::pb_Open_clicked()
{
    const int answer =
        Ask(this, QStringLiteral("Save current file ?"),
            {QStringLiteral("&Yes"), QStringLiteral("No"), QStringLiteral("&Cancel")});
    if (answer == 2 || answer < 0 || (answer == 0 && !Save()))
        return;
    const QString name = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Configuration file"), QString(), kFileFilter);
    if (!name.isEmpty())
        LoadDdf(name);
}
