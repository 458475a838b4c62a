#pragma once

#include "engine/RunHost.h"

#include <functional>

class FileListModel;
class QWidget;
namespace Ui {
class TForm1;
}

// The sort run's view of the main window. It reads the controls at the moment the run asks, locks the controls that
// must not change while the run walks the list, and shows the run's boxes over the window.
class WindowRunHost final : public RunHost {
public:
    // stopRequested tells whether the window wants the run to stop after the current file.
    WindowRunHost(QWidget& window, Ui::TForm1& ui, const FileListModel& files, std::function<bool()> stopRequested);

    // Sorts the listed files by what the window shows; running() is true until the run has ended.
    void run();
    bool running() const { return m_running; }

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
    OverwriteAnswer askOverwrite(const OverwriteQuestion& question) override;
    ExtensionFilterState extensionFilter() const override;
    void setRunLock(bool locked) override;
    void setProgress(int percent) override;
    void processEvents() override;
    bool stopRequested() const override;
    void showMessage(const QString& text) override;
    void showCompletion(const RunReport& report) override;
    void showInputError(const InputError& error) override;

private:
    QWidget& m_window;
    Ui::TForm1& m_ui;
    const FileListModel& m_files;
    std::function<bool()> m_stopRequested;
    bool m_running = false;
};
