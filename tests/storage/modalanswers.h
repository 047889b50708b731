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
    // The file to choose in the next file dialog; an empty name cancels it.
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
            const QString file = files.isEmpty() ? QString() : files.takeFirst();
            if (file.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(file);
                static_cast<QDialog *>(dialog)->accept();
            }
        } else if (modal && watch && watch(modal)) {
            watch = nullptr;
        }
    }

    QTimer poll;
    QStringList buttons;
    QStringList files;
    std::function<bool(QWidget *)> watch;
    QPointer<QMessageBox> handled;
};
