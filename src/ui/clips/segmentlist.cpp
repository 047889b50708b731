#include "segmentlist.h"

#include "protocol/filecommands.h"
#include "protocol/recorderstate.h"
#include "ui/common/listtable.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QHBoxLayout>
#include <QLineEdit>
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
    connect(TableClipList, &QTableWidget::cellClicked, this, &SegmentList::TableClipList_clicked);
    connect(TableClipList, &QTableWidget::cellDoubleClicked, this,
            &SegmentList::TableClipList_doubleClicked);
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
    Describe(TableClipList, "Segments");
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

void SegmentList::EndSegmentEntry()
{
    findEntry = 0;
    renameSegmentEntry = 0;
    renameDiskEntry = 0;
    EditLabel2->clear();
    lineEdit22_2->clear();
}

bool SegmentList::EditAllowed() const
{
    return session.Device() && !session.DelayModeHolds();
}

void SegmentList::ShowDiskInformation()
{
    if (legacyFirmware == 1) {
        QString name;
        DiskNameSense(name);
        EdDiskName->setText(name);
        textLabel1_3->setText(QStringLiteral("Disk name :"));
    } else {
        EdDiskName->clear();
        textLabel1_3->setText(QStringLiteral("Created from :"));
    }
}

void SegmentList::DoCreateClip() {}

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

void SegmentList::DoCut() {}

void SegmentList::DoRenameClip() {}

void SegmentList::DoFind() {}

void SegmentList::DoRenameDisk() {}

void SegmentList::lineEdit22_2_returnPressed() {}

void SegmentList::DoGotoIn() {}

void SegmentList::DoGotoOut() {}

void SegmentList::TableClipList_clicked(int, int) {}

void SegmentList::TableClipList_doubleClicked(int, int) {}

void SegmentList::MClearClipList(bool) {}

void SegmentList::Menu_Segment_Clear_all_activated() {}

void SegmentList::DoImport() {}

void SegmentList::reloadSegmentList() {}

void SegmentList::DoCopyToTimeline() {}

void SegmentList::DoCopyToEnd() {}

void SegmentList::DoUndo() {}

void SegmentList::DoPaste() {}
