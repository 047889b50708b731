// SPDX-License-Identifier: GPL-3.0-or-later
#include "formshortcuts.h"

#include "app/images/imagefactory.h"
#include "ui/common/faces.h"
#include "ui/common/widgetfactory.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 6;
constexpr int kPictureHeight = 30; // the wide keys are shown at key height

struct PageTitle
{
    PanelPage page;
    const char *title;
};

const PageTitle kPages[] = {
    {PanelPage::Control, "Control"},
    {PanelPage::Segment, "Segment"},
    {PanelPage::Server, "Server"},
};

// The ten digit keys are shown once, as "0...9".
bool IsDigitKey(const KeyInfo &key)
{
    return key.key[0] >= '0' && key.key[0] <= '9' && key.key[1] == '\0';
}

QString KeyText(const KeyInfo &key)
{
    if (IsDigitKey(key))
        return QStringLiteral("0...9");
    if (key.sharedWith)
        return QStringLiteral("%1 (shared with %2)")
            .arg(QLatin1String(key.key), QLatin1String(key.sharedWith));
    return QLatin1String(key.key);
}

// A key's picture over its keyboard key. The cell carries the key's object
// name in its "key" property.
QWidget *KeyCell(QWidget *parent, const KeyInfo &key)
{
    auto *cell = new QWidget(parent);
    cell->setProperty("key", QLatin1String(key.name));
    auto *column = new QVBoxLayout(cell);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    auto *picture = new QLabel(cell);
    QPixmap pixmap =
        ImageFactory::Instance().Pixmap(QLatin1String(key.face), parent->devicePixelRatioF());
    const qreal density = pixmap.devicePixelRatio();
    if (pixmap.height() > kPictureHeight * density) {
        pixmap = pixmap.scaledToHeight(qRound(kPictureHeight * density), Qt::SmoothTransformation);
        pixmap.setDevicePixelRatio(density);
    }
    picture->setPixmap(pixmap);
    picture->setAccessibleName(QLatin1String(key.accessibleName));
    auto *label = new QLabel(KeyText(key), cell);
    label->setObjectName(QStringLiteral("key"));
    column->addWidget(picture, 0, Qt::AlignHCenter);
    column->addWidget(label, 0, Qt::AlignHCenter);
    return cell;
}

QWidget *PageKeys(QWidget *parent, const std::vector<KeyInfo> &keys, const PageTitle &page)
{
    auto *group = new QGroupBox(QLatin1String(page.title), parent);
    group->setProperty("keyGroup", true);
    group->setProperty("titled", true);
    auto *grid = new QGridLayout(group);
    int cell = 0;
    bool digitsShown = false;
    for (const KeyInfo &key : keys) {
        if (key.page != page.page || !*key.key || (IsDigitKey(key) && digitsShown))
            continue;
        digitsShown = digitsShown || IsDigitKey(key);
        grid->addWidget(KeyCell(group, key), cell / kColumns, cell % kColumns);
        ++cell;
    }
    return group;
}

} // namespace

FormShortcuts::FormShortcuts(const std::vector<KeyInfo> &keys, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormShortcuts"));
    setWindowTitle(QStringLiteral("Shortcuts"));
    auto *layout = new QVBoxLayout(this);
    for (const PageTitle &page : kPages)
        layout->addWidget(PageKeys(this, keys, page));

    QPushButton *close = NewPictureButton(this, "pbClose", "Close.png");
    Describe(close, "Close");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *foot = new QHBoxLayout;
    foot->addStretch(1);
    foot->addWidget(close);
    layout->addLayout(foot);
}
