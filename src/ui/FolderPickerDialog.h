#pragma once

#include "filelist/FolderScan.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QKeyEvent;
class QLineEdit;
class QToolButton;
class QTreeView;
namespace Ui {
class FolderPickerDialog;
}

// The folder picker shown before a folder scan: a folder tree of the whole file system, a path field that goes to a
// typed folder (with completion), shortcuts to the home folder and the standard folders, and the scan mode (the
// folder's own files, its whole tree, or a number of sub-folder levels). It is created once and reused, so every
// showing starts with the choices of the previous one; only the tree is read again from the disk. Each showing opens
// at the folder chosen last (the home folder at first), expanded and in view, with the keyboard focus in the tree.
class FolderPickerDialog : public QDialog {
    Q_OBJECT
public:
    explicit FolderPickerDialog(QWidget* parent = nullptr);
    ~FolderPickerDialog() override;

    // The folder selected in the tree as file-system bytes; empty when nothing is selected.
    QByteArray selectedFolder() const;
    bool wholeTreeChecked() const;
    bool depthLimitedChecked() const;
    QString levelText() const;
    // All of the above, as a folder scan takes it.
    FolderScanRequest scanRequest() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void hideHiddenToggled();
    void wholeTreeToggled();
    void depthLimitToggled();
    // The path field follows the folder selected in the tree.
    void selectedFolderChanged();

private:
    void setUpControls();
    // Folders made or removed since the last showing appear: the tree is read again, and the selection kept.
    void reloadTree();
    bool levelKeyPressed(const QKeyEvent& event) const;
    // A fresh folder model on the tree, showing hidden folders as the check box says.
    void loadFolderTree();
    void selectFolder(const QString& path);
    // Goes to the folder typed in the path field; false when it names no folder.
    bool goToTypedFolder();
    // The shortcuts to the home folder and the standard folders, each shown only where its folder exists (looked at
    // each time the picker shows).
    void setUpPlaces();
    void showPlaces();
    QList<QToolButton*> placeButtons() const;
    void keepSelectionInView();
    QString selectedFolderText() const;
    QTreeView& folderTree() const;
    QCheckBox& hideHiddenFolders() const;
    QCheckBox& wholeTree() const;
    QCheckBox& depthLimit() const;
    QComboBox& levels() const;
    QLineEdit& pathField() const;

    std::unique_ptr<Ui::FolderPickerDialog> m_ui;
    QFileSystemModel* m_folders = nullptr;
    // From a showing until the user scrolls, clicks or types in the tree.
    bool m_keepSelectionInView = false;
};
