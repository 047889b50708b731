#include "mainwindow.h"

#include "paneltheme.h"
#include "widgetfactory.h"

#include <QKeyEvent>
#include <QLineEdit>
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
    BuildWidgets();
    BuildMenus();
    ConnectPanelButtons();
    ConnectWidgets();
    languageChange();
    GiveKeysToPanel();
    ResetDisplayLines();
    setMinimumSize(kMinimumSize);
    resize(kInitialSize.expandedTo(minimumSizeHint()));
    StartUp();
}

MainWindow::~MainWindow()
{
    // The pages go after this window's own members; a change of page on the
    // way must not reach the enabling rules any more.
    disconnect(tabWidget, nullptr, this, nullptr);
    ShutdownDevices();
}

void MainWindow::BuildWidgets()
{
    ApplyPanelTheme(this);
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    tabWidget = NewNamed<QTabWidget>(central, "tabWidget");
    tabWidget->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(tabWidget);
    setCentralWidget(central);
    statusBar()->setSizeGripEnabled(true);

    control = BuildControlPage(NewNamed<QWidget>(tabWidget, "tab"));
    segment = BuildSegmentPage(NewNamed<QWidget>(tabWidget, "tab_4"));
    server = BuildServerPage(NewNamed<QWidget>(tabWidget, "TabPage"));
    expert = BuildExpertPage(NewNamed<QWidget>(tabWidget, "TabPage_2"));
    for (QWidget *page : {control.page, segment.page, server.page, expert.page})
        tabWidget->addTab(page, QString());
    ApplyDisplayFonts(control.lineLCD1, control.lineLCD3);
    ApplyDisplayFonts(segment.lineLCD2, segment.lineLCD4);
}

// The Enter key of the numeric keypad is the panel's Enter key on every page;
// the Return key stays with the keys that carry it as their accelerator.
void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Enter && (event->modifiers() & Qt::KeypadModifier)) {
        OnPbEnter();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

int MainWindow::CurrentPage() const
{
    return tabWidget->currentIndex();
}
