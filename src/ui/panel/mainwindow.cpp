// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "controlpage.h"
#include "displaylines.h"
#include "menukeys.h"
#include "paneldisplay.h"
#include "transportkeys.h"
#include "transportstate.h"
#include "ui/clips/playlistfile.h"
#include "ui/clips/segmentpage.h"
#include "ui/clips/serverpage.h"
#include "ui/common/widgetfactory.h"
#include "ui/storage/expertpage.h"

#include <QKeyEvent>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// The smallest the window may become, and the size it opens with when its
// contents need no more.
const QSize kMinimumSize(21, 283);
const QSize kInitialSize(782, 531);

} // namespace

MainWindow::MainWindow() : QMainWindow(nullptr)
{
    setObjectName(QStringLiteral("MainWindow"));
    BuildPages();
    BuildMenus();
    ConnectMenus();
    connect(tabWidget, &QTabWidget::currentChanged, this,
            [this](int index) { tabWidget_currentChanged(tabWidget->widget(index)); });
    languageChange();
    GiveKeysToPanel();
    setMinimumSize(kMinimumSize);
    resize(kInitialSize.expandedTo(minimumSizeHint()));
    BuildRecorderMenu();
    SetNewState(kStateStop);
    WriteTimeLine(kInitialTimeLine);
}

// The pages go first, while the window can still serve them as their
// session; a change of page on the way must not reach the enabling rules.
MainWindow::~MainWindow()
{
    disconnect(tabWidget, nullptr, this, nullptr);
    segment->file->DeletePlaylistDocument();
    delete takeCentralWidget();
}

void MainWindow::BuildPages()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    tabWidget = NewNamed<QTabWidget>(central, "tabWidget");
    tabWidget->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(tabWidget);
    setCentralWidget(central);
    statusBar()->setSizeGripEnabled(true);

    control = new ControlPage(*this, tabWidget);
    segment = new SegmentPage(*this, tabWidget);
    server = new ServerPage(*this, tabWidget);
    expert = new ExpertPage(*this, tabWidget);
    for (QWidget *page : {static_cast<QWidget *>(control), static_cast<QWidget *>(segment),
                          static_cast<QWidget *>(server), static_cast<QWidget *>(expert)})
        tabWidget->addTab(page, QString());
    control->display->SetSecondLines(segment->lineLCD2, segment->lineLCD4);
}

void MainWindow::languageChange()
{
    setWindowTitle(QStringLiteral("Tavrel"));
    const char *const titles[] = {"Control", "Segment", "Server", "Expert"};
    for (int page = 0; page < tabWidget->count(); ++page)
        tabWidget->setTabText(page, QLatin1String(titles[page]));
    control->languageChange();
    segment->languageChange();
    server->languageChange();
    expert->languageChange();
    SetMenuTexts();
}

// The Enter key of the numeric keypad is the panel's Enter key on every page;
// the Return key stays with the keys that carry it as their accelerator.
void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Enter && (event->modifiers() & Qt::KeypadModifier)) {
        control->menuKeys->OnPbEnter();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

int MainWindow::TransportState() const
{
    return control->transport->TransportState();
}

QString MainWindow::TimeLine() const
{
    return control->display->TimeLine();
}

QString MainWindow::MenuLine() const
{
    return control->display->MenuLine();
}

void MainWindow::RefreshPanel(DeviceRecord &device)
{
    control->RefreshPanel(device, startMs);
}

void MainWindow::SetNewState(int state)
{
    control->transport->SetNewState(state);
}
