#include "formshortcuts.h"

#include "app/images/imagefactory.h"
#include "panelbuttons.h"
#include "paneltheme.h"
#include "widgetfactory.h"

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
bool IsDigitKey(const PanelButtonEntry &entry)
{
    return entry.key[0] >= '0' && entry.key[0] <= '9' && entry.key[1] == '\0';
}

QWidget *KeyCell(QWidget *parent, const char *face, const QString &key)
{
    auto *cell = new QWidget(parent);
    auto *column = new QVBoxLayout(cell);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    auto *picture = new QLabel(cell);
    QPixmap pixmap = ImageFactory::Instance().Pixmap(QLatin1String(face));
    if (pixmap.height() > kPictureHeight)
        pixmap = pixmap.scaledToHeight(kPictureHeight, Qt::SmoothTransformation);
    picture->setPixmap(pixmap);
    auto *label = new QLabel(key, cell);
    label->setObjectName(QStringLiteral("key"));
    column->addWidget(picture, 0, Qt::AlignHCenter);
    column->addWidget(label, 0, Qt::AlignHCenter);
    return cell;
}

QWidget *PageKeys(QWidget *parent, const PageTitle &page)
{
    auto *group = new QGroupBox(QLatin1String(page.title), parent);
    group->setProperty("keyGroup", true);
    group->setProperty("titled", true);
    auto *grid = new QGridLayout(group);
    int cell = 0;
    bool digitsShown = false;
    for (auto *entry = PanelButtonsBegin(); entry != PanelButtonsEnd(); ++entry) {
        if (entry->page != page.page || !*entry->key)
            continue;
        QString key = QLatin1String(entry->key);
        if (IsDigitKey(*entry)) {
            if (digitsShown)
                continue;
            digitsShown = true;
            key = QStringLiteral("0...9");
        }
        grid->addWidget(KeyCell(group, entry->face, key), cell / kColumns, cell % kColumns);
        ++cell;
    }
    return group;
}

} // namespace

FormShortcuts::FormShortcuts(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormShortcuts"));
    setWindowTitle(QStringLiteral("Shortcuts"));
    ApplyPanelTheme(this);
    auto *layout = new QVBoxLayout(this);
    for (const PageTitle &page : kPages)
        layout->addWidget(PageKeys(this, page));

    auto *close = NewNamed<QPushButton>(this, "pbClose");
    const QPixmap face = ImageFactory::Instance().Pixmap(QStringLiteral("Close.png"));
    close->setIcon(face);
    close->setIconSize(face.size());
    close->setProperty("panelKey", true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *foot = new QHBoxLayout;
    foot->addStretch(1);
    foot->addWidget(close);
    layout->addLayout(foot);
}
