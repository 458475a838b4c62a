#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The dialog that adds a file type such as *.txt to the type list of the main window. It keeps the last text typed
// from one showing to the next.
class TypeEntryDialog : public QDialog {
    Q_OBJECT
public:
    explicit TypeEntryDialog(QWidget* parent = nullptr);

    // The list the dialog adds to.
    void setTypeList(QListWidget* typeList) { m_typeList = typeList; }

private slots:
    void Button1Click();

private:
    QLabel* Label1;
    QLineEdit* Edit1;
    QPushButton* Button1;
    QListWidget* m_typeList = nullptr;
};
