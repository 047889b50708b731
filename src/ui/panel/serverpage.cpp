#include "serverpage.h"

#include "panelbuttons.h"
#include "tablesetup.h"
#include "widgetfactory.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QLayout *BuildFileKeys(QWidget *parent, ServerPage &p)
{
    auto *row = new QHBoxLayout;
    p.pbUpdateListFile = MakePanelButton(parent, "pbUpdateListFile");
    p.pbLoadFile = MakePanelButton(parent, "pbLoadFile");
    p.pbCreateFile_2 = MakePanelButton(parent, "pbCreateFile_2");
    p.pbDeleteFile_2 = MakePanelButton(parent, "pbDeleteFile_2");
    row->addWidget(p.pbUpdateListFile);
    row->addWidget(p.pbLoadFile);
    row->addWidget(p.pbCreateFile_2);
    row->addWidget(p.pbDeleteFile_2);
    row->addStretch(1);
    return row;
}

QLayout *BuildInformation(QWidget *parent, ServerPage &p)
{
    auto *column = new QVBoxLayout;
    column->addWidget(NewLabel(parent, "clipInfoLabel"));
    p.lbClipInfos_2 = NewNamed<QListWidget>(parent, "lbClipInfos_2");
    p.lbClipInfos_2->setFocusPolicy(Qt::NoFocus);
    column->addWidget(p.lbClipInfos_2, 1);
    auto *remaining = new QHBoxLayout;
    p.remainingTimeLabel = NewLabel(parent, "remainingTimeLabel");
    p.leRemainigTime = NewNamed<QLineEdit>(parent, "leRemainigTime");
    p.leRemainigTime->setReadOnly(true);
    p.leRemainigTime->setFocusPolicy(Qt::NoFocus);
    remaining->addWidget(p.remainingTimeLabel);
    remaining->addWidget(p.leRemainigTime, 1);
    column->addLayout(remaining);
    p.pbRenameClip = MakePanelButton(parent, "pbRenameClip");
    column->addWidget(p.pbRenameClip, 0, Qt::AlignRight);
    return column;
}

} // namespace

ServerPage BuildServerPage(QWidget *page)
{
    ServerPage p;
    p.page = page;
    auto *outer = new QVBoxLayout(page);
    outer->setContentsMargins(8, 8, 8, 8);
    auto *group = NewNamed<QGroupBox>(page, "buttonGroup15");
    outer->addWidget(group);

    auto *grid = new QGridLayout(group);
    grid->setSpacing(8);
    auto *files = new QVBoxLayout;
    files->addWidget(NewLabel(group, "fileListLabel"));
    p.TableFileList = NewNamed<QTableWidget>(group, "TableFileList");
    SetUpListTable(p.TableFileList, 1);
    p.TableFileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    files->addWidget(p.TableFileList, 1);
    grid->addLayout(files, 0, 0);
    grid->addLayout(BuildInformation(group, p), 0, 1);
    grid->addLayout(BuildFileKeys(group, p), 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return p;
}
