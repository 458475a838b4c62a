#pragma once

#include "engine/RunHost.h"
#include "filelist/FolderScan.h"
#include "ui_TForm1.h"

#include <QWidget>

class FileListModel;
struct SettingsValues;
class QKeyEvent;
class TForm3;
class TfrmAbout;
class TfrmSuffix;

// The main window: the file list, the six criterion pages, the sort options and the start button. It is the host
// of the sort run, which reads its controls live.
class TForm1 : public QWidget, public RunHost, public ScanHost, private Ui::TForm1 {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The dialogs are created after the main window and live as long as it does.
    void setDialogs(TForm3* folderPicker, TfrmAbout* about, TfrmSuffix* suffix);

    FileListModel& fileList() { return *m_files; }

    // RunHost
    int fileCount() const override;
    QByteArray fileAt(int index) const override;
    int pageIndex() const override;
    QString keywordText() const override;
    NamePageFields namePage() const override;
    SizePageFields sizePage() const override;
    DatePageFields datePage() const override;
    ImagePageFields imagePage() const override;
    QString outputFolder() const override;
    void setOutputFolder(const QString& folder) override;
    bool moveMode() const override;
    SameNamePolicy sameNamePolicy() const override;
    bool askOverwrite(const QString& question) override;
    ExtensionFilterState extensionFilter() const override;
    void setRunLock(bool locked) override;
    void setProgress(int percent) override;
    void processEvents() override; // also for folder scans
    bool stopRequested() const override { return m_closeRequested; }
    void showMessage(const QString& text) override;
    void showInputError(const InputError& error) override;

    // ScanHost
    void repaintFileList() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void BtnCopyClick();
    void PageControl1Change();
    void Button3Click();
    void BtnAoutClick();
    void ChkIncludeClick();
    void ChkExcludeClick();
    void BtnAddSuffixClick();
    void BtnDelSuffixClick();
    void ChkFileNamePartClick();
    void Button1Click();
    void Button2Click();
    void Button5Click();
    void Button6Click();
    void BtnSaveFileListClick();
    void BtnImpFileListClick();

private:
    void FormCreate();
    void FormClose();
    void AddDroppedFiles(const QByteArray& uriList);
    bool ListBox1DropEvent(QEvent* event);
    void applySettings(const SettingsValues& values);
    SettingsValues currentSettings() const;
    void setUpControls();
    bool Edit1KeyPress(const QKeyEvent& event) const;
    bool EdtPicKeyPress(const QKeyEvent& event) const;
    bool EdtPartNameBeginKeyPress(const QKeyEvent& event) const;
    void spreadTypeListColumns();
    void enableTypeListButtons();
    QStringList typeList() const;

    FileListModel* m_files;
    TForm3* m_folderPicker = nullptr;
    TfrmAbout* m_about = nullptr;
    TfrmSuffix* m_suffix = nullptr;
    bool m_running = false;
    bool m_scanning = false;
    bool m_closeRequested = false;
};
