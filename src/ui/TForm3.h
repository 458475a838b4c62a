#pragma once

#include <QDialog>

// The folder picker shown before a folder scan.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};
