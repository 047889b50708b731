#pragma once

#include <QDialog>

// "Shortcuts": every key of the panel with its picture and the keyboard key
// that presses it, page by page.
class FormShortcuts : public QDialog
{
    Q_OBJECT

public:
    explicit FormShortcuts(QWidget *parent = nullptr);
};
