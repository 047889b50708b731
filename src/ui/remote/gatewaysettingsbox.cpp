// SPDX-License-Identifier: GPL-3.0-or-later
#include "gatewaysettingsbox.h"

#include "listenchoices.h"
#include "ui/common/widgetfactory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>

GatewaySettingsBox::GatewaySettingsBox(QWidget *parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("gbGateways"));
    BuildWidgets();
    LayOut();
    languageChange();
}

void GatewaySettingsBox::BuildWidgets()
{
    cbDeckEnabled = NewNamed<QCheckBox>(this, "cbDeckEnabled");
    textLabelDeckPort = NewLabel(this, "textLabelDeckPort");
    sbDeckPort = NewNamed<QSpinBox>(this, "sbDeckPort");
    textLabelDeckListen = NewLabel(this, "textLabelDeckListen");
    cbDeckListen = NewNamed<QComboBox>(this, "cbDeckListen");
    cbDeckCommands = NewNamed<QCheckBox>(this, "cbDeckCommands");
    cbOscEnabled = NewNamed<QCheckBox>(this, "cbOscEnabled");
    textLabelOscPort = NewLabel(this, "textLabelOscPort");
    sbOscPort = NewNamed<QSpinBox>(this, "sbOscPort");
    textLabelOscListen = NewLabel(this, "textLabelOscListen");
    cbOscListen = NewNamed<QComboBox>(this, "cbOscListen");
    textLabelAllowedPeers = NewLabel(this, "textLabelAllowedPeers");
    leAllowedPeers = NewNamed<QLineEdit>(this, "leAllowedPeers");
    sbDeckPort->setRange(1, 65535);
    sbOscPort->setRange(1, 65535);
    textLabelDeckPort->setBuddy(sbDeckPort);
    textLabelDeckListen->setBuddy(cbDeckListen);
    textLabelOscPort->setBuddy(sbOscPort);
    textLabelOscListen->setBuddy(cbOscListen);
    textLabelAllowedPeers->setBuddy(leAllowedPeers);
    Describe(leAllowedPeers, "Allowed senders");
}

void GatewaySettingsBox::LayOut()
{
    auto *form = new QFormLayout(this);
    form->addRow(cbDeckEnabled);
    form->addRow(textLabelDeckPort, sbDeckPort);
    form->addRow(textLabelDeckListen, cbDeckListen);
    form->addRow(cbDeckCommands);
    form->addRow(cbOscEnabled);
    form->addRow(textLabelOscPort, sbOscPort);
    form->addRow(textLabelOscListen, cbOscListen);
    form->addRow(textLabelAllowedPeers, leAllowedPeers);
}

void GatewaySettingsBox::languageChange()
{
    setTitle(QStringLiteral("Deck protocol and OSC"));
    cbDeckEnabled->setText(QStringLiteral("Enable the deck-protocol gateway"));
    textLabelDeckPort->setText(QStringLiteral("Deck port :"));
    textLabelDeckListen->setText(QStringLiteral("Deck listens on :"));
    cbDeckCommands->setText(QStringLiteral("Deck clients may command"));
    cbOscEnabled->setText(QStringLiteral("Enable OSC"));
    textLabelOscPort->setText(QStringLiteral("OSC port :"));
    textLabelOscListen->setText(QStringLiteral("OSC listens on :"));
    textLabelAllowedPeers->setText(QStringLiteral("Senders allowed beyond loopback :"));
    leAllowedPeers->setPlaceholderText(QStringLiteral("192.168.1.20, 10.0.0.0/24"));
}

void GatewaySettingsBox::Show(const GatewaySettings &settings)
{
    cbDeckEnabled->setChecked(settings.deckEnabled);
    sbDeckPort->setValue(settings.deckPort);
    FillListenChoices(cbDeckListen, settings.deckListen);
    cbDeckCommands->setChecked(settings.deckCommands);
    cbOscEnabled->setChecked(settings.oscEnabled);
    sbOscPort->setValue(settings.oscPort);
    FillListenChoices(cbOscListen, settings.oscListen);
    leAllowedPeers->setText(settings.allowedPeers.join(QStringLiteral(", ")));
}

GatewaySettings GatewaySettingsBox::Settings() const
{
    GatewaySettings settings;
    settings.deckEnabled = cbDeckEnabled->isChecked();
    settings.deckPort = static_cast<quint16>(sbDeckPort->value());
    settings.deckListen = cbDeckListen->currentData().toString();
    settings.deckCommands = cbDeckCommands->isChecked();
    settings.oscEnabled = cbOscEnabled->isChecked();
    settings.oscPort = static_cast<quint16>(sbOscPort->value());
    settings.oscListen = cbOscListen->currentData().toString();
    static const QRegularExpression kSeparators(QStringLiteral("[,\\s]+"));
    settings.allowedPeers = leAllowedPeers->text().split(kSeparators, Qt::SkipEmptyParts);
    return settings;
}
