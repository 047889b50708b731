// SPDX-License-Identifier: GPL-3.0-or-later
#include "dlgremotecontrol.h"

#include "gatewaysettingsbox.h"
#include "listenchoices.h"
#include "remote/remotecontrol.h"
#include "remoteindicator.h"
#include "ui/common/widgetfactory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QHBoxLayout *Row(QWidget *field, QWidget *button)
{
    auto *row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(button);
    return row;
}

} // namespace

DlgRemoteControl::DlgRemoteControl(RemoteControl &remote, QWidget *parent)
    : QDialog(parent), remote(remote)
{
    setObjectName(QStringLiteral("DlgRemoteControl"));
    setModal(true);
    BuildWidgets();
    LayOut();
    languageChange();
    Show(remote.Settings());
    gateways->Show(remote.Gateways().Settings());
}

void DlgRemoteControl::BuildWidgets()
{
    cbRemoteEnabled = NewNamed<QCheckBox>(this, "cbRemoteEnabled");
    textLabelPort = NewLabel(this, "textLabelPort");
    sbRemotePort = NewNamed<QSpinBox>(this, "sbRemotePort");
    sbRemotePort->setRange(1, 65535);
    textLabelListen = NewLabel(this, "textLabelListen");
    cbRemoteListen = NewNamed<QComboBox>(this, "cbRemoteListen");
    textLabelToken = NewLabel(this, "textLabelToken");
    leRemoteToken = NewNamed<QLineEdit>(this, "leRemoteToken");
    pbGenerateToken = NewNamed<QPushButton>(this, "pbGenerateToken");
    cbReadOnlyAllowed = NewNamed<QCheckBox>(this, "cbReadOnlyAllowed");
    textLabelReadOnlyToken = NewLabel(this, "textLabelReadOnlyToken");
    leReadOnlyToken = NewNamed<QLineEdit>(this, "leReadOnlyToken");
    pbGenerateReadOnlyToken = NewNamed<QPushButton>(this, "pbGenerateReadOnlyToken");
    cbRecordingAllowed = NewNamed<QCheckBox>(this, "cbRecordingAllowed");
    textLabelTimeRate = NewLabel(this, "textLabelTimeRate");
    sbTimeRate = NewNamed<QSpinBox>(this, "sbTimeRate");
    sbTimeRate->setRange(1, 10);
    gateways = new GatewaySettingsBox(this);
    lbRemoteStatus = NewLabel(this, "lbRemoteStatus");
    pbOk = NewNamed<QPushButton>(this, "pbOk");
    pbCancel = NewNamed<QPushButton>(this, "pbCancel");
    pbOk->setDefault(true);
    textLabelPort->setBuddy(sbRemotePort);
    textLabelListen->setBuddy(cbRemoteListen);
    textLabelToken->setBuddy(leRemoteToken);
    textLabelReadOnlyToken->setBuddy(leReadOnlyToken);
    textLabelTimeRate->setBuddy(sbTimeRate);
    Describe(leRemoteToken, "Token");
    Describe(leReadOnlyToken, "Read-only token");
    connect(pbOk, &QPushButton::clicked, this, &DlgRemoteControl::pbOk_clicked);
    connect(pbCancel, &QPushButton::clicked, this, &DlgRemoteControl::pbCancel_clicked);
    connect(pbGenerateToken, &QPushButton::clicked, this,
            &DlgRemoteControl::pbGenerateToken_clicked);
    connect(pbGenerateReadOnlyToken, &QPushButton::clicked, this,
            &DlgRemoteControl::pbGenerateReadOnlyToken_clicked);
    connect(cbReadOnlyAllowed, &QCheckBox::toggled, this,
            &DlgRemoteControl::cbReadOnlyAllowed_toggled);
}

void DlgRemoteControl::LayOut()
{
    auto *form = new QFormLayout;
    form->addRow(cbRemoteEnabled);
    form->addRow(textLabelPort, sbRemotePort);
    form->addRow(textLabelListen, cbRemoteListen);
    form->addRow(textLabelToken, Row(leRemoteToken, pbGenerateToken));
    form->addRow(cbReadOnlyAllowed);
    form->addRow(textLabelReadOnlyToken, Row(leReadOnlyToken, pbGenerateReadOnlyToken));
    form->addRow(cbRecordingAllowed);
    form->addRow(textLabelTimeRate, sbTimeRate);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(pbOk);
    buttons->addWidget(pbCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(gateways);
    layout->addWidget(lbRemoteStatus);
    layout->addLayout(buttons);
}

void DlgRemoteControl::languageChange()
{
    setWindowTitle(QStringLiteral("Remote control"));
    cbRemoteEnabled->setText(QStringLiteral("Enable remote control"));
    textLabelPort->setText(QStringLiteral("Port :"));
    textLabelListen->setText(QStringLiteral("Listen on :"));
    textLabelToken->setText(QStringLiteral("Token :"));
    pbGenerateToken->setText(QStringLiteral("Generate"));
    cbReadOnlyAllowed->setText(QStringLiteral("Allow read-only clients"));
    textLabelReadOnlyToken->setText(QStringLiteral("Read-only token :"));
    pbGenerateReadOnlyToken->setText(QStringLiteral("Generate"));
    cbRecordingAllowed->setText(QStringLiteral("Allow remote recording without confirmation"));
    textLabelTimeRate->setText(QStringLiteral("Time updates per second :"));
    pbOk->setText(QStringLiteral("&Ok"));
    pbCancel->setText(QStringLiteral("&Cancel"));
    lbRemoteStatus->setText(
        RemoteStatusText(remote.Listening(), remote.ListenText(), remote.Clients()));
    const QString current = cbRemoteListen->currentData().toString();
    FillListenChoices(cbRemoteListen, current);
}

void DlgRemoteControl::Show(const RemoteSettings &settings)
{
    cbRemoteEnabled->setChecked(settings.enabled);
    sbRemotePort->setValue(settings.port);
    FillListenChoices(cbRemoteListen, settings.listenAddress);
    leRemoteToken->setText(settings.token);
    cbReadOnlyAllowed->setChecked(settings.readOnlyAllowed);
    leReadOnlyToken->setText(settings.readOnlyToken);
    cbReadOnlyAllowed_toggled(settings.readOnlyAllowed);
    cbRecordingAllowed->setChecked(settings.recordingAllowed);
    sbTimeRate->setValue(settings.timeRate);
}

RemoteSettings DlgRemoteControl::Settings() const
{
    RemoteSettings settings;
    settings.enabled = cbRemoteEnabled->isChecked();
    settings.port = static_cast<quint16>(sbRemotePort->value());
    settings.listenAddress = cbRemoteListen->currentData().toString();
    settings.token = leRemoteToken->text().trimmed();
    settings.readOnlyAllowed = cbReadOnlyAllowed->isChecked();
    settings.readOnlyToken = leReadOnlyToken->text().trimmed();
    settings.recordingAllowed = cbRecordingAllowed->isChecked();
    settings.timeRate = sbTimeRate->value();
    return settings;
}

void DlgRemoteControl::pbOk_clicked()
{
    const RemoteSettings settings = Settings();
    const GatewaySettings gatewaySettings = gateways->Settings();
    QString fault = settings.enabled ? settings.Fault() : QString();
    if (fault.isEmpty())
        fault = gatewaySettings.Fault();
    if (!fault.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Tavrel"), fault);
        return;
    }
    QString error;
    if (!remote.Apply(settings, true, error) ||
        !remote.Gateways().Apply(gatewaySettings, true, error)) {
        QMessageBox::warning(this, QStringLiteral("Tavrel"),
                             QStringLiteral("Remote control could not start: %1").arg(error));
        return;
    }
    accept();
}

void DlgRemoteControl::pbCancel_clicked()
{
    reject();
}

void DlgRemoteControl::pbGenerateToken_clicked()
{
    leRemoteToken->setText(NewToken());
}

void DlgRemoteControl::pbGenerateReadOnlyToken_clicked()
{
    leReadOnlyToken->setText(NewToken());
}

void DlgRemoteControl::cbReadOnlyAllowed_toggled(bool on)
{
    leReadOnlyToken->setEnabled(on);
    pbGenerateReadOnlyToken->setEnabled(on);
}
