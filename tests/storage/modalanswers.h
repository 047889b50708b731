// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers the message boxes and file dialogs an action opens, in the order
// they open, and keeps the text of every message box. A box without a queued
// answer is closed with its escape button, so a test never hangs on one.
//
//   ModalAnswers answers;
//   answers.Press(QStringLiteral("&Yes"));
//   actions.Format();
//   QCOMPARE(answers.texts.first(), QStringLiteral("Format disk ID : 3 on bus 2 ?"));
class ModalAnswers : public QObject
{
public:
    ModalAnswers()
    {
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, &ModalAnswers::Look);
        poll.start();
    }

    // The button to press in the next message box, by its text.
    void Press(const QString &button) { buttons << button; }
    // The file to choose in the next file dialog (a whole path); without one
    // the dialog is cancelled.
    void Choose(const QString &file) { files << file; }

    // Runs `act` at every poll while a modal dialog of its own is open (a
    // progress dialog, say), until it returns true.
    void WhileOpen(std::function<bool(QWidget *)> act) { watch = std::move(act); }

    QStringList texts;

private:
    void Look()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (box == handled)
                return;
            handled = box;
            texts << box->text();
            QAbstractButton *button = box->escapeButton();
            const QString wanted = buttons.isEmpty() ? QString() : buttons.takeFirst();
            for (QAbstractButton *candidate : box->buttons()) {
                if (candidate->text() == wanted)
                    button = candidate;
            }
            if (button)
                button->click();
            else
                box->done(0);
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            Choose(dialog);
        } else if (modal && watch && watch(modal)) {
            watch = nullptr;
        }
    }

    // The dialog does not take a name while its name field has the focus,
    // and may not until it has listed the folder: the name is given again at
    // the next poll until the dialog holds it.
    void Choose(QFileDialog *dialog)
    {
        auto *base = static_cast<QDialog *>(dialog);
        if (files.isEmpty()) {
            base->done(QDialog::Rejected);
            return;
        }
        if (QWidget *focus = dialog->focusWidget())
            focus->clearFocus();
        dialog->selectFile(files.first());
        // Two seconds at the most, so that a dialog that never takes the name
        // fails the test rather than hangs it.
        if (dialog->selectedFiles().value(0) != files.first() && ++fileTries < 200)
            return;
        fileTries = 0;
        files.removeFirst();
        base->done(QDialog::Accepted);
    }

    QTimer poll;
    QStringList buttons;
    QStringList files;
    int fileTries = 0;
    std::function<bool(QWidget *)> watch;
    QPointer<QMessageBox> handled;
};
