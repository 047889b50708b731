// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/gatewaysettings.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// The part of "Remote control" for the deck-protocol gateway and OSC: each
// enabled or not, its port and interface, whether deck clients may command,
// and the senders allowed beyond loopback, which both protocols need there
// since neither carries a token.
class GatewaySettingsBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit GatewaySettingsBox(QWidget *parent);

    void languageChange();
    void Show(const GatewaySettings &settings);
    GatewaySettings Settings() const;

    QCheckBox *cbDeckEnabled = nullptr;
    QLabel *textLabelDeckPort = nullptr;
    QSpinBox *sbDeckPort = nullptr;
    QLabel *textLabelDeckListen = nullptr;
    QComboBox *cbDeckListen = nullptr;
    QCheckBox *cbDeckCommands = nullptr;
    QCheckBox *cbOscEnabled = nullptr;
    QLabel *textLabelOscPort = nullptr;
    QSpinBox *sbOscPort = nullptr;
    QLabel *textLabelOscListen = nullptr;
    QComboBox *cbOscListen = nullptr;
    QLabel *textLabelAllowedPeers = nullptr;
    QLineEdit *leAllowedPeers = nullptr;

private:
    void BuildWidgets();
    void LayOut();
};
