#include "menukeys.h"

#include "devices/devicerecord.h"
#include "link/linkstatus.h"
#include "link/timing.h"
#include "panelkeycodes.h"
#include "protocol/commandengine.h"
#include "protocol/commandsend.h"
#include "protocol/filecommands.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QGridLayout>

#include <algorithm>

namespace {

using M = MenuKeys;
constexpr Trigger kPressed = Trigger::Pressed;
constexpr Trigger kClicked = Trigger::Clicked;

const KeyEntry<MenuKeys> kKeys[] = {
    {&M::pbEnter, "pbEnter", "Enter.png", "Enter", "Return", kPressed, &M::OnPbEnter},
    {&M::pbEsc, "pbEsc", "Esc.png", "Esc", "Esc", kPressed, &M::OnPbEscClicked},
    {&M::pbMenuUp, "pbMenuUp", "Up.png", "Menu up", "Up", kClicked, &M::MenuUp},
    {&M::pbMenuDown, "pbMenuDown", "Down.png", "Menu down", "Down", kClicked, &M::MenuDown},
    {&M::pbToggle, "pbToggle", "Toggle.png", "Toggle", "T", kClicked, &M::OnToggle},
    {&M::pbmoinsmoins, "pbmoinsmoins", "moinsmoins.png", "Minus", "-", kClicked, &M::DoMinus},
    {&M::pbPlusPlus, "pbPlusPlus", "plusplus.png", "Plus", "+", kClicked, &M::DoPlusPlus},
    {&M::pbSav, "pbSav", "Save.png", "Save", "Shift+S", kPressed, &M::pbSav_pressed},
    {&M::pbRecall, "pbRecall", "Recall.png", "Recall", "Shift+R", kPressed, &M::OnPbRecallPressed},
};

} // namespace

MenuKeys::MenuKeys(RecorderSession &session, QWidget *parent) : QGroupBox(parent), session(session)
{
    setObjectName(QStringLiteral("groupBox4"));
    setProperty("keyGroup", true);
    BuildKeys(*this, this, kKeys);
    textLabel1 = NewLabel(this, "textLabel1");
    textLabel1_4 = NewLabel(this, "textLabel1_4");
    LayOut();
}

std::vector<KeyInfo> MenuKeys::Keys()
{
    return DescribeKeys(kKeys, PanelPage::Control);
}

void MenuKeys::languageChange()
{
    textLabel1->setText(QStringLiteral("Menu"));
    textLabel1_4->setText(QStringLiteral("Chase"));
}

// Laid out as a cross: Up and Down around Toggle, the minus and plus keys
// beside it, Recall and Save above, Esc and Enter below.
void MenuKeys::LayOut()
{
    auto *grid = new QGridLayout(this);
    grid->setSpacing(4);
    grid->addWidget(textLabel1, 0, 0, 1, 2);
    grid->addWidget(textLabel1_4, 0, 2, Qt::AlignRight);
    QPushButton *const keys[3][3] = {{pbRecall, pbMenuUp, pbSav},
                                     {pbmoinsmoins, pbToggle, pbPlusPlus},
                                     {pbEsc, pbMenuDown, pbEnter}};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            grid->addWidget(keys[row][column], row + 1, column);
    }
}

void MenuKeys::FileBrowserKey(quint8 key)
{
    if (key == kFileBrowserNextKey) {
        FileListEntry entry;
        FileListNext(entry);
    } else if (key == kFileBrowserNextAllKey) {
        FileListNextAll();
    } else {
        return;
    }
    if (ReplyData(0) != kNoFileMark)
        ShowListedFile();
}

// The reply names the file; the display marks it when it is the recorder's
// loaded file.
void MenuKeys::ShowListedFile()
{
    const QString name = ReplyText(0, kFileNameLength);
    const QByteArray bytes = name.toLatin1();
    session.WriteMenuLine(bytes);
    if (DeviceRecord *device = session.Device()) {
        device->panelFileName.fill('\0');
        std::copy(bytes.begin(), bytes.end(), device->panelFileName.begin());
    }
    QString loaded;
    if (CurrentFileSense(loaded) == kStatusOk && loaded == name)
        session.WriteMenuLine(bytes + " Loaded");
}

bool MenuKeys::DelayedPlaybackDue(const DeviceRecord &device) const
{
    return device.delayPlayPending == 1 && delayPlayFired == 0 &&
           ElapsedMs(delayStartMs) >= delayMs;
}

void MenuKeys::MenuUp() {}

void MenuKeys::MenuDown() {}

void MenuKeys::DoMenu() {}

void MenuKeys::OnToggle() {}

void MenuKeys::DoMinus() {}

void MenuKeys::DoPlusPlus() {}

void MenuKeys::OnPbEscClicked() {}

void MenuKeys::OnPbEnter() {}

void MenuKeys::OnPbRecallPressed() {}

void MenuKeys::pbSav_pressed() {}
