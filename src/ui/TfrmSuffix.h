#pragma once

#include <QDialog>

// The dialog that adds a file type to the type list.
class TfrmSuffix : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSuffix(QWidget* parent = nullptr);
};
