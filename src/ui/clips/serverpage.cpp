// SPDX-License-Identifier: GPL-3.0-or-later
#include "serverpage.h"

#include "dlgaskclipname.h"
#include "filenametext.h"

#include "link/linkstatus.h"
#include "link/timing.h"
#include "protocol/filecommands.h"
#include "protocol/recorderstate.h"
#include "ui/common/listtable.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The recorder needs these pauses after a command before the next one.
constexpr quint32 kLoadSettleMs = 500;
constexpr quint32 kNameSettleMs = 200;
constexpr quint32 kDeleteSettleMs = 100;

const QString kLoadedMark = QStringLiteral(" Loaded.");

// A row keeps the recorder's own name beside the text it shows.
constexpr int kNameRole = Qt::UserRole;

using F = ServerPage;
constexpr Trigger kPressed = Trigger::Pressed;
constexpr Trigger kClicked = Trigger::Clicked;

// Shift+L loads; the rename key beside it shows the key as Load's, since one
// key on two buttons of a page would press neither.
const KeyEntry<ServerPage> kKeys[] = {
    {&F::pbUpdateListFile, "pbUpdateListFile", "Update.png", "Refresh", "U", kPressed,
     &F::pbUpdateListFile_pressed},
    {&F::pbLoadFile, "pbLoadFile", "Load.png", "Load", "Shift+L", kPressed, &F::pbLoadFile_pressed},
    {&F::pbCreateFile_2, "pbCreateFile_2", "Create.png", "Create", "Shift+C", kClicked,
     &F::pbCreateFile_2_clicked},
    {&F::pbDeleteFile_2, "pbDeleteFile_2", "Delete.png", "Delete", "Del", kClicked,
     &F::pbDeleteFile_2_clicked},
    {&F::pbRenameClip, "pbRenameClip", "rename.png", "Rename", "Shift+L", kClicked,
     &F::pbRenameClip_clicked},
};

// An information box with the buttons "&Ok" and "&Cancel" (also Escape);
// true for "&Ok".
bool AskOk(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Tavrel"), text, QMessageBox::NoButton,
                    parent);
    QPushButton *ok = box.addButton(QStringLiteral("&Ok"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QStringLiteral("&Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

} // namespace

ServerPage::ServerPage(RecorderSession &session, QWidget *parent)
    : QWidget(parent), session(session)
{
    setObjectName(QStringLiteral("TabPage"));
    buttonGroup15 = NewNamed<QGroupBox>(this, "buttonGroup15");
    BuildKeys(*this, buttonGroup15, kKeys);
    BuildFields();
    LayOut();
    connect(TableFileList, &QTableWidget::cellDoubleClicked, this,
            &ServerPage::TableFileList_doubleClicked);
}

std::vector<KeyInfo> ServerPage::Keys()
{
    return DescribeKeys(kKeys, PanelPage::Server);
}

void ServerPage::languageChange()
{
    fileListLabel->setText(QStringLiteral("Files on the recorder"));
    clipInfoLabel->setText(QStringLiteral("Loaded file"));
    remainingTimeLabel->setText(QStringLiteral("Remaining time :"));
    SetHeaders(TableFileList, {"Name"});
}

void ServerPage::BuildFields()
{
    fileListLabel = NewLabel(buttonGroup15, "fileListLabel");
    TableFileList = NewNamed<QTableWidget>(buttonGroup15, "TableFileList");
    SetUpListTable(TableFileList, 1);
    TableFileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Describe(TableFileList, "Files");
    clipInfoLabel = NewLabel(buttonGroup15, "clipInfoLabel");
    lbClipInfos_2 = NewNamed<QListWidget>(buttonGroup15, "lbClipInfos_2");
    lbClipInfos_2->setFocusPolicy(Qt::NoFocus);
    Describe(lbClipInfos_2, "Loaded file information");
    remainingTimeLabel = NewLabel(buttonGroup15, "remainingTimeLabel");
    leRemainigTime = NewNamed<QLineEdit>(buttonGroup15, "leRemainigTime");
    leRemainigTime->setReadOnly(true);
    leRemainigTime->setFocusPolicy(Qt::NoFocus);
    Describe(leRemainigTime, "Remaining time");
}

// The files on the left, the loaded file's information on the right, the
// keys below.
void ServerPage::LayOut()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->addWidget(buttonGroup15);
    auto *grid = new QGridLayout(buttonGroup15);
    grid->setSpacing(8);
    auto *files = new QVBoxLayout;
    files->addWidget(fileListLabel);
    files->addWidget(TableFileList, 1);
    auto *information = new QVBoxLayout;
    information->addWidget(clipInfoLabel);
    information->addWidget(lbClipInfos_2, 1);
    auto *remaining = new QHBoxLayout;
    remaining->addWidget(remainingTimeLabel);
    remaining->addWidget(leRemainigTime, 1);
    information->addLayout(remaining);
    information->addWidget(pbRenameClip, 0, Qt::AlignRight);
    auto *keys = new QHBoxLayout;
    for (QPushButton *key : {pbUpdateListFile, pbLoadFile, pbCreateFile_2, pbDeleteFile_2})
        keys->addWidget(key);
    keys->addStretch(1);
    grid->addLayout(files, 0, 0);
    grid->addLayout(information, 0, 1);
    grid->addLayout(keys, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
}

void ServerPage::ClearFileList()
{
    for (int row = TableFileList->rowCount() - 1; row >= 0; --row)
        TableFileList->removeRow(row);
}

QString ServerPage::FileNameAt(int row) const
{
    const QTableWidgetItem *item = TableFileList->item(row, 0);
    return item ? item->data(kNameRole).toString() : QString();
}

bool ServerPage::FileLoadedAt(int row) const
{
    const QTableWidgetItem *item = TableFileList->item(row, 0);
    return item && item->text().endsWith(kLoadedMark);
}

// Walks the recorder's list, marks the loaded file and shows the recording
// time left. A recorder without files (or without a file store) leaves the
// list and the time empty.
void ServerPage::pbUpdateListFile_pressed()
{
    RefreshFileList();
}

Refusal ServerPage::RefreshFileList()
{
    if (!session.Device())
        return Refusal::NoRecorder;
    QStringList names;
    ReadFileList(names);
    ClearFileList();
    if (names.isEmpty()) {
        leRemainigTime->clear();
        return Refusal::None;
    }
    FillFileList(names);
    QString loaded;
    if (CurrentFileSense(loaded) == kStatusOk)
        MarkLoadedFile(loaded, false);
    ShowRemainingTime();
    return Refusal::None;
}

void ServerPage::FillFileList(QStringList names)
{
    std::sort(names.begin(), names.end());
    TableFileList->setRowCount(static_cast<int>(names.size()));
    for (int row = 0; row < names.size(); ++row) {
        auto *item = new QTableWidgetItem(ShownFileName(names.at(row)));
        item->setData(kNameRole, names.at(row));
        TableFileList->setItem(row, 0, item);
    }
}

// The loaded file's row gets the mark, every other row loses it. Names are
// compared whole: a short loaded name must not mark a longer name that
// starts with it, and no row is marked while nothing is loaded.
void ServerPage::MarkLoadedFile(const QString &loaded, bool select)
{
    const bool any = NamesAFile(loaded);
    for (int row = 0; row < TableFileList->rowCount(); ++row) {
        QTableWidgetItem *item = TableFileList->item(row, 0);
        const QString name = FileNameAt(row);
        const bool isLoaded = any && name == loaded;
        item->setText(ShownFileName(name) + (isLoaded ? kLoadedMark : QString()));
        if (isLoaded && select) {
            TableFileList->clearSelection();
            TableFileList->setCurrentCell(row, 0);
            TableFileList->selectRow(row);
        }
    }
}

void ServerPage::ShowRemainingTime()
{
    QString text;
    AvailableTimeSense(legacyFirmware != 0, text);
    leRemainigTime->setText(text);
}

// In player mode the file is loaded for playback; in recorder mode the
// recorder is told to record into it.
void ServerPage::pbLoadFile_pressed()
{
    LoadFileAt(TableFileList->currentRow());
}

Refusal ServerPage::LoadFileAt(int row)
{
    if (!session.Device())
        return Refusal::NoRecorder;
    const QString name = FileNameAt(row);
    if (row < 0 || name.isEmpty())
        return Refusal::NotFound;
    if (recPlayMode == kPlayerSide)
        LoadClip(name);
    else
        CreateFile(name);
    DelayMs(kLoadSettleMs);
    QString loaded;
    if (CurrentFileSense(loaded) == kStatusOk)
        MarkLoadedFile(loaded, true);
    return Refusal::None;
}

// A double click on a file loads it, as the Load key does.
void ServerPage::TableFileList_doubleClicked(int, int)
{
    pbLoadFile_pressed();
}

void ServerPage::pbCreateFile_2_clicked()
{
    if (!session.Device())
        return;
    AskClipName(0);
    pbUpdateListFile_pressed();
}

void ServerPage::pbRenameClip_clicked()
{
    if (session.Device())
        AskClipName(1);
}

void ServerPage::AskClipName(quint8 mode)
{
    createOrRename = mode;
    DlgAskClipName dialog(*this, this);
    dialog.exec();
}

void ServerPage::createOrRenameFile(const QString &name)
{
    const QString typed = TypedFileName(name);
    if (createOrRename == 0)
        CreateFile(typed);
    else
        RenameFile(typed);
    DelayMs(kNameSettleMs);
}

void ServerPage::pbDeleteFile_2_clicked()
{
    if (!session.Device() || TableFileList->currentRow() < 0)
        return;
    if (!AskOk(this, QStringLiteral("Are you sure you want to delete selected clip(s) ?")))
        return;
    for (const QString &name : SelectedFileNames()) {
        DeleteFile(name);
        DelayMs(kDeleteSettleMs);
    }
    pbUpdateListFile_pressed();
}

// The selected rows' names, top to bottom.
QStringList ServerPage::SelectedFileNames() const
{
    QStringList names;
    for (int row = 0; row < TableFileList->rowCount(); ++row) {
        const QTableWidgetItem *item = TableFileList->item(row, 0);
        if (item && item->isSelected())
            names << FileNameAt(row);
    }
    return names;
}
