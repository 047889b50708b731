// SPDX-License-Identifier: GPL-3.0-or-later
// The theme as drawn: every page and dialog is grabbed offscreen, and each
// widget that bears text has its text colour checked against the background
// drawn behind it, enabled and disabled.

#include "windowfixture.h"

#include "devices/adddevicedialog.h"
#include "devices/removedevicedialog.h"
#include "remote/remotecontrol.h"
#include "ui/clips/dlgaskclipname.h"
#include "ui/clips/serverpage.h"
#include "ui/common/busyprogress.h"
#include "ui/common/paneltheme.h"
#include "ui/panel/dlgabout.h"
#include "ui/panel/formshortcuts.h"
#include "ui/panel/mainwindowremote.h"
#include "ui/panel/sendsony9pcommand.h"
#include "ui/remote/dlgremotecontrol.h"
#include "ui/remote/remotelogwindow.h"
#include "ui/settings/dlgdevicesettings.h"
#include "ui/traffic/dlgrecordtraffic.h"
#include "ui/traffic/trafficmonitor.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolTip>

#include <cmath>

namespace {

// Text smaller than 18 points needs this contrast to be read with ease.
constexpr double kReadable = 4.5;

double Channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor &colour)
{
    return 0.2126 * Channel(colour.red()) + 0.7152 * Channel(colour.green()) +
           0.0722 * Channel(colour.blue());
}

double Contrast(const QColor &a, const QColor &b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour most of the area is drawn in: the background behind the text.
QColor DrawnBackground(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000u];
    }
    QRgb most = 0;
    int best = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > best) {
            best = it.value();
            most = it.key();
        }
    }
    return QColor::fromRgb(most);
}

// A widget that shows text: the part of it the text is drawn on and the
// palette role it is drawn with; an empty area for any other widget.
struct TextPart
{
    QWidget *widget = nullptr;
    QRect area; // in the widget's own coordinates
    QPalette::ColorRole role = QPalette::WindowText;
};

TextPart TextOf(QWidget *widget)
{
    TextPart part{widget, widget->rect(), widget->foregroundRole()};
    if (auto *label = qobject_cast<QLabel *>(widget)) {
        if (label->text().isEmpty())
            part.area = QRect();
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        const bool beside =
            qobject_cast<QCheckBox *>(widget) || qobject_cast<QRadioButton *>(widget);
        part.role = beside ? QPalette::WindowText : QPalette::ButtonText;
        if (button->text().isEmpty())
            part.area = QRect();
    } else if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        part.role = combo->isEditable() ? QPalette::Text : QPalette::ButtonText;
    } else if (auto *view = qobject_cast<QAbstractScrollArea *>(widget)) {
        part.role = QPalette::Text;
        part.area = QRect(view->viewport()->mapTo(widget, QPoint(0, 0)), view->viewport()->size());
    } else if (qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractSpinBox *>(widget)) {
        part.role = QPalette::Text;
    } else if (qobject_cast<QHeaderView *>(widget)) {
        part.role = QPalette::ButtonText;
    } else if (auto *group = qobject_cast<QGroupBox *>(widget)) {
        part.area = group->title().isEmpty()
                        ? QRect()
                        : QRect(0, 0, widget->width(), widget->fontMetrics().height());
    } else if (!qobject_cast<QTabBar *>(widget)) {
        part.area = QRect();
    }
    return part;
}

// Every text of the window as it is drawn now, as failures ("Dialog >
// object (class): 2.10:1").
QStringList UnreadableTexts(QWidget *window, const QString &where)
{
    window->show();
    QApplication::processEvents();
    const QImage drawn = window->grab().toImage();
    const qreal ratio = drawn.devicePixelRatio();
    QStringList failures;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (!widget->isVisibleTo(window) || widget->isWindow())
            continue;
        const TextPart part = TextOf(widget);
        if (part.area.isEmpty())
            continue;
        const QRect onWindow(widget->mapTo(window, part.area.topLeft()), part.area.size());
        const QRect pixels =
            QRect((QRectF(onWindow).topLeft() * ratio).toPoint(), onWindow.size() * ratio)
                .intersected(drawn.rect());
        if (pixels.isEmpty())
            continue;
        const QPalette::ColorGroup group =
            widget->isEnabled() ? QPalette::Active : QPalette::Disabled;
        const QColor text = widget->palette().color(group, part.role);
        const QColor background = DrawnBackground(drawn, pixels);
        const double contrast = Contrast(text, background);
        if (contrast < kReadable) {
            failures << QStringLiteral("%1 > %2 (%3%4): %5 on %6 = %7:1")
                            .arg(where, widget->objectName(), widget->metaObject()->className(),
                                 widget->isEnabled() ? QString() : QStringLiteral(", disabled"),
                                 text.name(), background.name())
                            .arg(contrast, 0, 'f', 2);
        }
    }
    return failures;
}

} // namespace

class TestTheme : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void paletteRolesReadWell_data();
    void paletteRolesReadWell();
    void pagesReadWell();
    void dialogsReadWell();
    void disabledDialogReadsWell();
    void comboBoxListsReadWell();
    void boxesAndToolTipsReadWell();
    void scrollBarsFollowTheDarkTheme();

private:
    void Check(QWidget *window, const QString &where);
};

void TestTheme::initTestCase()
{
    ApplyTheme(*qApp);
}

void TestTheme::Check(QWidget *window, const QString &where)
{
    const QStringList failures = UnreadableTexts(window, where);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
}

void TestTheme::paletteRolesReadWell_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("background");

    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::WindowText, QPalette::Window},
        {QPalette::Text, QPalette::Base},
        {QPalette::Text, QPalette::AlternateBase},
        {QPalette::PlaceholderText, QPalette::Base},
        {QPalette::ButtonText, QPalette::Button},
        {QPalette::HighlightedText, QPalette::Highlight},
        {QPalette::ToolTipText, QPalette::ToolTipBase},
        {QPalette::Link, QPalette::Base},
    };
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Disabled}) {
        for (const auto &[text, background] : pairs) {
            QTest::addRow("%s %d on %d", group == QPalette::Active ? "enabled" : "disabled",
                          int(text), int(background))
                << int(group) << int(text) << int(background);
        }
    }
}

void TestTheme::paletteRolesReadWell()
{
    QFETCH(int, group);
    QFETCH(int, text);
    QFETCH(int, background);
    const QPalette palette = ThemePalette();
    const auto colour = [&](int role) {
        return palette.color(QPalette::ColorGroup(group), QPalette::ColorRole(role));
    };
    QVERIFY2(Contrast(colour(text), colour(background)) >= kReadable,
             qPrintable(colour(text).name() + " on " + colour(background).name()));
}

void TestTheme::pagesReadWell()
{
    WindowFixture fixture("127.0.11.1");
    xrsim::Scenario scenario;
    scenario.files = {{QStringLiteral("CLIP0000"), 60, 8}, {QStringLiteral("CLIP0001"), 30, 8}};
    scenario.loaded = QStringLiteral("CLIP0000");
    QVERIFY2(fixture.Connect(scenario), qPrintable(fixture.sim.ErrorString()));
    auto *tabs = fixture.Find<QTabWidget>("tabWidget");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        fixture.Tick();
        Check(fixture.window.get(), tabs->tabText(page));
    }
}

void TestTheme::dialogsReadWell()
{
    WindowFixture fixture("127.0.11.2");
    QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.ErrorString()));
    MainWindow *window = fixture.window.get();

    DlgAbout about(window);
    Check(&about, QStringLiteral("About"));
    FormShortcuts shortcuts(window->PanelKeys(), window);
    Check(&shortcuts, QStringLiteral("Shortcuts"));
    SendSony9PCommand manual(window);
    Check(&manual, QStringLiteral("Manual command"));
    DlgAskClipName clipName(*window->server, window);
    Check(&clipName, QStringLiteral("Clip name"));
    Add_XR add(window);
    Check(&add, QStringLiteral("Add XR"));
    RemoveXR remove(window->recorders, window);
    Check(&remove, QStringLiteral("Remove XR"));
    BusyDialog busy(window, QStringLiteral("Reading segments..."), 10, true);
    Check(&busy, QStringLiteral("Progress"));
    TrafficMonitor traffic;
    Check(&traffic, QStringLiteral("Traffic monitor"));
    DlgRecordTraffic record(window);
    Check(&record, QStringLiteral("Record traffic"));

    WindowControl control(*window);
    RemoteControl remote(control);
    DlgRemoteControl remoteDialog(remote, window);
    Check(&remoteDialog, QStringLiteral("Remote control"));
    RemoteLogWindow remoteLog(remote.Log(), window);
    Check(&remoteLog, QStringLiteral("Remote log"));

    DlgDeviceSettings settings(window);
    for (int page = 0; page < settings.tabWidget->count(); ++page) {
        settings.tabWidget->setCurrentIndex(page);
        Check(&settings, QStringLiteral("Settings ") + settings.tabWidget->tabText(page));
    }
}

// Disabled text keeps the contrast of readable text: a greyed field must
// still say what it holds.
void TestTheme::disabledDialogReadsWell()
{
    DlgDeviceSettings settings;
    settings.setEnabled(false);
    for (int page = 0; page < settings.tabWidget->count(); ++page) {
        settings.tabWidget->setCurrentIndex(page);
        Check(&settings, QStringLiteral("Disabled settings ") + settings.tabWidget->tabText(page));
    }
    MainWindow window;
    window.setEnabled(false);
    Check(&window, QStringLiteral("Disabled window"));
}

void TestTheme::comboBoxListsReadWell()
{
    DlgDeviceSettings settings;
    settings.show();
    auto *combo = settings.findChild<QComboBox *>(QStringLiteral("item_0_2"));
    QVERIFY(combo);
    combo->showPopup();
    QAbstractItemView *list = combo->view();
    QTRY_VERIFY(list->isVisible());
    Check(list->window(), QStringLiteral("Combo box list"));
    combo->hidePopup();
}

void TestTheme::boxesAndToolTipsReadWell()
{
    MainWindow window;
    window.show();
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Tavrel"),
                    QStringLiteral("This window is not currently available for Pellet device."),
                    QMessageBox::Yes | QMessageBox::No, &window);
    Check(&box, QStringLiteral("Message box"));

    QFileDialog files(&window, QStringLiteral("Open playlist"), QDir::tempPath(),
                      QStringLiteral("Playlist (*.kpl)"));
    files.setOption(QFileDialog::DontUseNativeDialog);
    Check(&files, QStringLiteral("File dialog"));

    QToolTip::showText(window.mapToGlobal(QPoint(10, 10)), QStringLiteral("Play (Space)"), &window);
    QWidget *tip = nullptr;
    QTRY_VERIFY((tip = [] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->inherits("QTipLabel") && widget->isVisible())
                return widget;
        }
        return static_cast<QWidget *>(nullptr);
    }()));
    const QImage drawn = tip->grab().toImage();
    const QColor text = tip->palette().color(QPalette::ToolTipText);
    const QColor background = DrawnBackground(drawn, drawn.rect());
    QVERIFY2(Contrast(text, background) >= kReadable,
             qPrintable(text.name() + " on " + background.name()));
}

// A scroll bar in the dark window is dark too: its groove and handle are
// drawn from the palette, not a light platform default.
void TestTheme::scrollBarsFollowTheDarkTheme()
{
    MainWindow window;
    window.resize(782, 300);
    window.show();
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    int checked = 0;
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        QApplication::processEvents();
        for (QScrollBar *bar : window.findChildren<QScrollBar *>()) {
            if (!bar->isVisible())
                continue;
            const QImage drawn = bar->grab().toImage();
            const QColor groove = DrawnBackground(drawn, drawn.rect());
            QVERIFY2(Luminance(groove) < 0.1,
                     qPrintable(bar->parentWidget()->parentWidget()->objectName() +
                                QLatin1Char(' ') + groove.name()));
            ++checked;
        }
    }
    QVERIFY(checked > 0);
}

QTEST_MAIN(TestTheme)
#include "tst_theme.moc"
