// SPDX-License-Identifier: GPL-3.0-or-later
#include "sendsony9pcommand.h"

#include "protocol/commandengine.h"
#include "protocol/messagemonitor.h"
#include "ui/common/faces.h"
#include "ui/common/widgetfactory.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

// The dialog's list box as the command engine's message monitor.
class ListMonitor : public MessageMonitor
{
public:
    explicit ListMonitor(QListWidget *list) : list(list) {}

    void ClearLines() override { list->clear(); }
    void AddLine(const QString &line) override { list->addItem(line); }

private:
    QListWidget *list;
};

namespace {

// The keys are the buttons' own; no button is the dialog's default, or Return
// would send twice.
QPushButton *PictureButton(QWidget *parent, const char *name, const char *face,
                           const char *accessibleName, const char *key)
{
    QPushButton *button = NewPictureButton(parent, name, face);
    button->setAutoDefault(false);
    button->setShortcut(QKeySequence(QLatin1String(key)));
    Describe(button, accessibleName, key);
    return button;
}

} // namespace

SendSony9PCommand::SendSony9PCommand(QWidget *parent)
    : QDialog(parent), textLabel1(NewLabel(this, "textLabel1")),
      leSony9Pcommand(NewNamed<QLineEdit>(this, "leSony9Pcommand")),
      textLabel1_2(NewLabel(this, "textLabel1_2")),
      listBox1(NewNamed<QListWidget>(this, "listBox1")),
      pbSend(PictureButton(this, "pbSend", "Send.png", "Send", "Return")),
      pbSend_2(PictureButton(this, "pbSend_2", "Send.png", "Send", "Enter")),
      pbClose(PictureButton(this, "pbClose", "Close.png", "Close", "")),
      monitor(std::make_unique<ListMonitor>(listBox1))
{
    setObjectName(QStringLiteral("SendSony9PCommand"));
    setWindowTitle(QStringLiteral("Send sony 9Pin command"));
    textLabel1->setText(QStringLiteral("Enter hex command, separate bytes with '.' :"));
    textLabel1_2->setText(QStringLiteral("Description :"));
    QFont fixed(QStringLiteral("monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    leSony9Pcommand->setFont(fixed);
    listBox1->setFont(fixed);
    listBox1->setMinimumSize(380, 140);

    Describe(leSony9Pcommand, "Enter hex command, separate bytes with '.'");
    Describe(listBox1, "Description");
    connect(pbSend, &QPushButton::clicked, this, &SendSony9PCommand::pbSend_clicked);
    connect(pbSend_2, &QPushButton::clicked, this, &SendSony9PCommand::pbSend_clicked);
    connect(pbClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *keys = new QHBoxLayout;
    keys->addWidget(pbSend);
    keys->addWidget(pbSend_2);
    keys->addStretch(1);
    keys->addWidget(pbClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(textLabel1);
    layout->addWidget(leSony9Pcommand);
    layout->addWidget(textLabel1_2);
    layout->addWidget(listBox1, 1);
    layout->addLayout(keys);
}

SendSony9PCommand::~SendSony9PCommand() = default;

// Fewer than the two command bytes sends nothing; the monitor keeps what it
// showed.
void SendSony9PCommand::pbSend_clicked()
{
    SendManualCommand(leSony9Pcommand->text(), monitor.get());
}
