#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;
class QListWidget;
namespace Ui {
class TypeEntryDialog;
}

// The dialog that adds a file type such as *.txt to the type list of the main window. It keeps the last text typed
// from one showing to the next.
class TypeEntryDialog : public QDialog {
    Q_OBJECT
public:
    explicit TypeEntryDialog(QWidget* parent = nullptr);
    ~TypeEntryDialog() override;

    // The list the dialog adds to.
    void setTypeList(QListWidget* typeList) { m_typeList = typeList; }

private slots:
    void addClicked();

private:
    QLineEdit& typeField() const;

    std::unique_ptr<Ui::TypeEntryDialog> m_ui;
    QListWidget* m_typeList = nullptr;
};
