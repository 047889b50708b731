#include "serverpage.h"

#include "devices/devicerecord.h"
#include "link/linkstatus.h"
#include "protocol/filecommands.h"
#include "ui/common/listtable.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

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

void ServerPage::pbUpdateListFile_pressed() {}

void ServerPage::pbLoadFile_pressed() {}

// A double click on a file loads it, as the Load key does.
void ServerPage::TableFileList_doubleClicked(int, int)
{
    pbLoadFile_pressed();
}

void ServerPage::pbCreateFile_2_clicked() {}

void ServerPage::pbRenameClip_clicked() {}

void ServerPage::pbDeleteFile_2_clicked() {}

// A name with "XXX" is the recorder's placeholder for no file. A failed sense
// leaves the title as it was.
void ServerPage::refreshLoadedFile()
{
    if (!session.Device())
        return;
    QString name;
    if (CurrentFileSense(name) != kStatusOk || !session.Device())
        return;
    ShowLoadedFileTitle(name);
}

void ServerPage::ShowLoadedFileTitle(const QString &name)
{
    const QString device = session.Device()->name;
    if (name.isEmpty() || name.contains(QLatin1String("XXX")))
        session.ShowTitle(QStringLiteral("Tavrel - %1 (No file Loaded).").arg(device));
    else
        session.ShowTitle(QStringLiteral("Tavrel - %1 (%2 Loaded).").arg(device, name));
}
