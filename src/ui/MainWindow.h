#pragma once

#include "ui/MainWindowControls.h"
#include "ui/WindowRunHost.h"
#include "ui/WindowScanHost.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class AboutDialog;
class FileListModel;
class FileListPanel;
class FolderPickerDialog;
class PresetPanel;
class QKeyEvent;
struct SettingsValues;
class TypeEntryDialog;
class TypeListColumns;
namespace Ui {
class MainWindow;
}

// The main window: the file list, the six criterion pages, the sort options and the start button. The sort run and
// the folder scans work through their hosts, which read its controls live.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The dialogs are created after the main window and live as long as it does.
    void setDialogs(FolderPickerDialog* folderPicker, AboutDialog* about, TypeEntryDialog* typeEntry);

    FileListModel& fileList() { return *m_files; }

    // Puts saved choices into the controls, as at start; the choices the settings file keeps, as shown now.
    void applySettings(const SettingsValues& values);
    SettingsValues currentSettings() const;

    // The criterion pages' names in page order, as their tabs show them.
    QStringList pageNames() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private slots:
    void startClicked();
    void stopClicked();
    void previewClicked();
    void undoLastRunClicked();
    void historyClicked();
    void pageChanged();
    void chooseOutputFolderClicked();
    void aboutClicked();
    void includeTypesToggled();
    void excludeTypesToggled();
    void addTypeClicked();
    void removeTypeClicked();
    void nameRangeClicked();
    void scanFolderClicked();
    void presetFilled();

private:
    void setUpControls();
    void keepPagesFromMovingTheLayout();
    // The label that names the page, for page.
    QString sortMethodText(int page) const;
    void applyStartChoices();
    void saveSettingsOnClose();
    // The number fields' key filters: true swallows the key.
    bool sizeKeyPressed(const QKeyEvent& event) const;
    bool pixelsKeyPressed(const QKeyEvent& event) const;
    bool rangeKeyPressed(const QKeyEvent& event) const;
    void enableTypeListButtons();
    // A close asked for during a run or a scan waits for its end; this then closes the window.
    void closeIfRequested();

    FileListModel* m_files;
    std::unique_ptr<Ui::MainWindow> m_ui;
    const MainWindowControls m_controls;
    std::unique_ptr<FileListPanel> m_fileListPanel;
    PresetPanel* m_presetPanel;
    // Goes before the window's widgets: the type list's model resets while the list is torn down, and a layout redone
    // then would reach parts of the list already deleted.
    std::unique_ptr<TypeListColumns> m_typeListColumns;
    WindowRunHost m_runHost;
    WindowScanHost m_scanHost;
    FolderPickerDialog* m_folderPicker = nullptr;
    AboutDialog* m_about = nullptr;
    TypeEntryDialog* m_typeEntry = nullptr;
    bool m_closeRequested = false;
};
