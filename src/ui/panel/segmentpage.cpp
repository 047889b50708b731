#include "segmentpage.h"

#include "panelbuttons.h"
#include "tablesetup.h"
#include "widgetfactory.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The second copy of the display, with the menu keys that end an entry.
QWidget *BuildDisplay(QWidget *parent, SegmentPage &p)
{
    auto *group = NewNamed<QGroupBox>(parent, "buttonGroup4_2");
    group->setProperty("display", true);
    auto *row = new QHBoxLayout(group);
    row->addLayout(NewDisplayLines(group, "lineLCD2", "lineLCD4", p.lineLCD2, p.lineLCD4), 1);
    p.pbEsc2 = MakePanelButton(group, "pbEsc2");
    p.pb_Enter = MakePanelButton(group, "pb_Enter");
    row->addWidget(p.pbEsc2);
    row->addWidget(p.pb_Enter);
    return group;
}

QLayout *BuildFieldRow(QWidget *parent, QLabel *&label, const char *labelName, QLineEdit *&field,
                       const char *fieldName)
{
    auto *row = new QHBoxLayout;
    label = NewLabel(parent, labelName);
    label->setMinimumWidth(130);
    field = NewNamed<QLineEdit>(parent, fieldName);
    row->addWidget(label);
    row->addWidget(field, 1);
    return row;
}

QLayout *BuildSegments(QWidget *page, SegmentPage &p)
{
    auto *column = new QVBoxLayout;
    column->addLayout(
        BuildFieldRow(page, p.textLabel1_3, "textLabel1_3", p.EdDiskName, "EdDiskName"));
    p.EdDiskName->setReadOnly(true);
    column->addLayout(
        BuildFieldRow(page, p.EditLabel2, "EditLabel2", p.lineEdit22_2, "lineEdit22_2"));
    p.TableClipList = NewNamed<QTableWidget>(page, "TableClipList");
    SetUpListTable(p.TableClipList, 3);
    column->addWidget(p.TableClipList, 1);
    auto *keys = new QHBoxLayout;
    p.pbClip = MakePanelButton(page, "pbClip");
    p.pbClipIn = MakePanelButton(page, "pbClipIn");
    p.pbClipOut = MakePanelButton(page, "pbClipOut");
    keys->addWidget(p.pbClip);
    keys->addStretch(1);
    keys->addWidget(p.pbClipIn);
    keys->addWidget(p.pbClipOut);
    column->addLayout(keys);
    return column;
}

// The keys that move segments into and out of the playlist, between the two.
QLayout *BuildPlaylistEditing(QWidget *page, SegmentPage &p)
{
    auto *column = new QVBoxLayout;
    p.pbAddBefore = MakePanelButton(page, "pbAddBefore");
    p.pbAddAfter = MakePanelButton(page, "pbAddAfter");
    p.pbRemove = MakePanelButton(page, "pbRemove");
    p.pbRemoveAll = MakePanelButton(page, "pbRemoveAll");
    column->addStretch(1);
    column->addWidget(p.pbAddBefore);
    column->addWidget(p.pbAddAfter);
    column->addSpacing(16);
    column->addWidget(p.pbRemove);
    column->addWidget(p.pbRemoveAll);
    column->addStretch(1);
    return column;
}

QLayout *BuildPlaylist(QWidget *page, SegmentPage &p)
{
    auto *column = new QVBoxLayout;
    p.TablePlaylist = NewNamed<QTableWidget>(page, "TablePlaylist");
    SetUpListTable(p.TablePlaylist, 1);
    column->addWidget(p.TablePlaylist, 1);
    auto *keys = new QGridLayout;
    keys->setSpacing(4);
    p.pbPrev = MakePanelButton(page, "pbPrev");
    p.pbStart = MakePanelButton(page, "pbStart");
    p.pbNext = MakePanelButton(page, "pbNext");
    p.pbPause = MakePanelButton(page, "pbPause");
    p.pbAbort = MakePanelButton(page, "pbAbort");
    p.pbLoop = MakePanelButton(page, "pbLoop");
    p.pbLoop->setCheckable(true);
    keys->addWidget(p.pbPrev, 0, 0);
    keys->addWidget(p.pbStart, 0, 1);
    keys->addWidget(p.pbNext, 0, 2);
    keys->addWidget(p.pbPause, 1, 0);
    keys->addWidget(p.pbAbort, 1, 1);
    keys->addWidget(p.pbLoop, 1, 2);
    column->addLayout(keys);
    return column;
}

} // namespace

SegmentPage BuildSegmentPage(QWidget *page)
{
    SegmentPage p;
    p.page = page;
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    grid->addWidget(BuildDisplay(page, p), 0, 0, 1, 3);
    grid->addLayout(BuildSegments(page, p), 1, 0);
    grid->addLayout(BuildPlaylistEditing(page, p), 1, 1);
    grid->addLayout(BuildPlaylist(page, p), 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(2, 2);
    grid->setRowStretch(1, 1);
    return p;
}
