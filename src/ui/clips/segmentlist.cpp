// SPDX-License-Identifier: GPL-3.0-or-later
#include "segmentlist.h"

#include "kplforms.h"

#include "protocol/filecommands.h"
#include "protocol/recorderstate.h"
#include "ui/common/listtable.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

using L = SegmentList;
constexpr Trigger kPressed = Trigger::Pressed;

const KeyEntry<SegmentList> kKeys[] = {
    {&L::pbClip, "pbClip", "Segment.png", "Create segment", "S", kPressed, &L::OnPbClip},
    {&L::pbClipIn, "pbClipIn", "In.png", "Mark in", "I", kPressed, &L::OnPbClipIn},
    {&L::pbClipOut, "pbClipOut", "Out.png", "Mark out", "O", kPressed, &L::OnPbClipOut},
};

QLayout *FieldRow(QLabel *label, QLineEdit *field)
{
    auto *row = new QHBoxLayout;
    label->setMinimumWidth(130);
    row->addWidget(label);
    row->addWidget(field, 1);
    return row;
}

} // namespace

SegmentList::SegmentList(RecorderSession &session, QWidget *parent)
    : QWidget(parent), session(session)
{
    BuildKeys(*this, this, kKeys);
    BuildFields();
    LayOut();
    connect(lineEdit22_2, &QLineEdit::returnPressed, this,
            &SegmentList::lineEdit22_2_returnPressed);
    connect(TableClipList, &QTableWidget::cellClicked, this,
            [this](int row, int column) { TableClipList_clicked(row, column); });
    connect(TableClipList, &QTableWidget::cellDoubleClicked, this,
            &SegmentList::TableClipList_doubleClicked);
    connect(TableClipList, &QWidget::customContextMenuRequested, this,
            &SegmentList::TableClipList_contextMenu);
}

std::vector<KeyInfo> SegmentList::Keys()
{
    return DescribeKeys(kKeys, PanelPage::Segment);
}

void SegmentList::languageChange()
{
    EditLabel2->setText(QStringLiteral("New segment name :"));
    textLabel1_3->setText(QStringLiteral("Disk name :"));
    SetHeaders(TableClipList, {"Name", "In", "Out"});
}

void SegmentList::BuildFields()
{
    textLabel1_3 = NewLabel(this, "textLabel1_3");
    EdDiskName = NewNamed<QLineEdit>(this, "EdDiskName");
    EdDiskName->setReadOnly(true);
    Describe(EdDiskName, "Disk line");
    EditLabel2 = NewLabel(this, "EditLabel2");
    lineEdit22_2 = NewNamed<QLineEdit>(this, "lineEdit22_2");
    Describe(lineEdit22_2, "Name entry");
    TableClipList = NewNamed<QTableWidget>(this, "TableClipList");
    SetUpListTable(TableClipList, 3);
    TableClipList->setSelectionMode(QAbstractItemView::SingleSelection);
    TableClipList->setContextMenuPolicy(Qt::CustomContextMenu);
    Describe(TableClipList, "Segments");
    contextMenu = NewNamed<QMenu>(this, "segmentContextMenu");
}

void SegmentList::LayOut()
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(FieldRow(textLabel1_3, EdDiskName));
    column->addLayout(FieldRow(EditLabel2, lineEdit22_2));
    column->addWidget(TableClipList, 1);
    auto *keys = new QHBoxLayout;
    keys->addWidget(pbClip);
    keys->addStretch(1);
    keys->addWidget(pbClipIn);
    keys->addWidget(pbClipOut);
    column->addLayout(keys);
}

// The keys these entries carry belong to other entries of the window (Ctrl+C
// deletes a segment), so the menu shows none.
void SegmentList::SetContextActions(std::initializer_list<QAction *> actions)
{
    for (QAction *action : actions) {
        action->setShortcutVisibleInContextMenu(false);
        contextMenu->addAction(action);
    }
}

void SegmentList::WatchPlaylist(const QTableWidget *playlist)
{
    playlistTable = playlist;
}

// The right button on a name renames the segment while a recorder is
// connected and the playlist is empty; otherwise it opens the list's menu.
void SegmentList::TableClipList_contextMenu(const QPoint &position)
{
    const QModelIndex index = TableClipList->indexAt(position);
    if (index.isValid() && RightClickRenames(index.column()))
        TableClipList_clicked(index.row(), index.column(), Qt::RightButton);
    else
        contextMenu->popup(TableClipList->viewport()->mapToGlobal(position));
}

bool SegmentList::RightClickRenames(int column) const
{
    return column == kNameCell && session.Device() &&
           (!playlistTable || playlistTable->rowCount() == 0);
}

void SegmentList::EndSegmentEntry()
{
    findEntry = 0;
    renameSegmentEntry = 0;
    renameDiskEntry = 0;
    EditLabel2->clear();
    lineEdit22_2->clear();
}

Refusal SegmentList::EditRefusal() const
{
    if (!session.Device())
        return Refusal::NoRecorder;
    return session.DelayModeHolds() ? Refusal::DelayMode : Refusal::None;
}

void SegmentList::ShowDiskInformation()
{
    if (legacyFirmware == 1) {
        QString name;
        if (DiskNameSense(name))
            SetDiskName(diskTable, name.toLatin1());
        EdDiskName->setText(name);
        textLabel1_3->setText(QStringLiteral("Disk name :"));
    } else {
        EdDiskName->clear();
        textLabel1_3->setText(QStringLiteral("Created from :"));
    }
}

void SegmentList::MClearClipList()
{
    removeRows(0, 0, TableClipList);
    rowsTimerMode = -1;
}

// The page's own keys for create, in and out.
void SegmentList::OnPbClip()
{
    DoCreateClip();
}

void SegmentList::OnPbClipIn()
{
    session.DoIn();
}

void SegmentList::OnPbClipOut()
{
    session.DoOut();
}

void SegmentList::StartEntry(const char *label, quint8 &flag)
{
    EditLabel2->setText(QLatin1String(label));
    flag = 1;
    lineEdit22_2->setFocus();
    lineEdit22_2->selectAll();
}

void SegmentList::DoRenameClip()
{
    int row = 0;
    if (EditAllowed() && currentRow(row, TableClipList))
        StartRename(row);
}

void SegmentList::StartRename(int row)
{
    lineEdit22_2->setText(QString::fromLatin1(getCell(row, kNameCell, TableClipList)));
    StartEntry("New segment name :", renameSegmentEntry);
}

void SegmentList::DoFind()
{
    if (!EditAllowed())
        return;
    lineEdit22_2->clear();
    StartEntry("Find segment :", findEntry);
}

void SegmentList::DoRenameDisk()
{
    if (!EditAllowed())
        return;
    lineEdit22_2->clear();
    StartEntry("New Disk Name :", renameDiskEntry);
}

// Return serves every entry mode in force, then ends them all and gives the
// list the keyboard again.
void SegmentList::lineEdit22_2_returnPressed()
{
    const QString text = lineEdit22_2->text();
    if (findEntry)
        FindSegment(text.toLatin1());
    if (renameSegmentEntry)
        RenameCurrentSegment(text);
    if (renameDiskEntry)
        RenameDisk(text);
    EndSegmentEntry();
    lineEdit22_2->clearFocus();
    TableClipList->setFocus();
}

void SegmentList::FindSegment(const QByteArray &text)
{
    int row = 0;
    if (findName(text, true, row, TableClipList))
        SelectOnlyRow(row, TableClipList);
}

// Names are the program's own, so nothing goes to the recorder. The rows
// that the playlist resolved to this segment take the new name with it.
void SegmentList::RenameCurrentSegment(const QString &text)
{
    int row = 0;
    if (text.isEmpty() || !currentRow(row, TableClipList))
        return;
    const QByteArray name = text.toLatin1();
    if (name == getCell(row, kNameCell, TableClipList))
        return;
    const QString refusal = NameRefusal(text, row);
    if (!refusal.isEmpty()) {
        Warn(refusal);
        return;
    }
    emit SegmentRenaming(row, name);
    setCell(name, row, kNameCell, TableClipList);
    MarkModified();
}

// A name must fit its cell, come back the same from a playlist file, and
// let the playlist tell the segment: no other row has it, and "Seg-<n>"
// is segment n's own, which a playlist file re-creates under number n.
QString SegmentList::NameRefusal(const QString &text, int row) const
{
    const QByteArray name = text.toLatin1();
    if (name.size() > kSegmentNameMax)
        return QStringLiteral("Segment name length is limited to %1 characters.")
            .arg(kSegmentNameMax);
    if (QString::fromLatin1(name) != text)
        return QStringLiteral("This name holds a character that a playlist file cannot keep.");
    const QString problem = KplNameProblem(name, kSegmentNameMax);
    if (!problem.isEmpty())
        return QStringLiteral("This name %1, which a playlist file cannot keep.").arg(problem);
    if (nameExists(name, TableClipList))
        return QStringLiteral("Name already exists !!!");
    const quint16 owner = DefaultNameNumber(name);
    if (owner != 0 && name != DefaultSegmentName(RowSegmentNumber(row, TableClipList)))
        return QStringLiteral("The name %1 belongs to segment %2.").arg(text).arg(owner);
    return {};
}

// The recorder keeps at most 15 characters of a disk name; the playlist
// file keeps it as well.
void SegmentList::RenameDisk(const QString &text)
{
    if (text.size() > kDiskNameMax) {
        Warn(QStringLiteral("Disk name length is limited to %1 characters.").arg(kDiskNameMax));
        return;
    }
    const QString problem = KplNameProblem(text.toLatin1(), kDiskNameMax);
    if (!problem.isEmpty() || QString::fromLatin1(text.toLatin1()) != text) {
        Warn(QStringLiteral("This disk name holds a character that a playlist file cannot keep."));
        return;
    }
    SetDiskName(diskTable, text.toLatin1());
    EdDiskName->setText(text);
    SetDiskName(text);
}

void SegmentList::Warn(const QString &text)
{
    QMessageBox::warning(this, QStringLiteral("Tavrel"), text);
}
