#include "ui/WindowRunHost.h"

#include "core/FileNames.h"
#include "core/TextBytes.h"
#include "engine/BackgroundPlan.h"
#include "engine/Interruption.h"
#include "engine/SortRun.h"
#include "filelist/FileListModel.h"
#include "journal/History.h"
#include "journal/JournalRecorder.h"
#include "ui/CompletionBox.h"
#include "ui/JournalWarningBox.h"
#include "ui/MessageBoxes.h"
#include "ui/OverwriteQuestionBox.h"
#include "ui/WindowRunInputs.h"

#include <QComboBox>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

namespace {
constexpr int kProgressIntervalMs = 50;
}

WindowRunHost::WindowRunHost(QWidget& window, const MainWindowControls& controls, const FileListModel& files,
                             std::function<bool()> closing)
    : m_window(window), m_choices(controls.choices), m_runControls(controls.run), m_presets(controls.presets),
      m_fileList(controls.fileList), m_files(files), m_closing(std::move(closing)) {
    m_progressTimer.setSingleShot(true);
    QObject::connect(&m_progressTimer, &QTimer::timeout, &window, [this] { showPendingProgress(); });
}

void WindowRunHost::run() {
    m_stopClicked = false;
    m_running = true;
    RunSort(*this);
    m_running = false;
    enableUndoButton();
}

std::unique_ptr<BackgroundPlan> WindowRunHost::startPlan() {
    m_running = true;
    std::optional<QList<CheckedInputs>> checked = CheckInputsOf(*this);
    m_running = false;
    enableUndoButton();
    if (!checked || m_closing()) {
        return nullptr;
    }
    QByteArrayList files;
    files.reserve(fileCount());
    for (int i = 0; i < fileCount(); ++i) {
        files.append(fileAt(i));
    }
    return std::make_unique<BackgroundPlan>(std::move(*checked), std::move(files));
}

void WindowRunHost::enableUndoButton() {
    m_runControls.undoLastRun.setEnabled(!m_running && LastRunToUndo(JournalFolder::standard()).has_value());
}

int WindowRunHost::fileCount() const {
    return m_files.size();
}

QByteArray WindowRunHost::fileAt(int index) const {
    return m_files.at(index);
}

RunInputs WindowRunHost::runInputs() const {
    return ReadRunInputs(m_choices);
}

void WindowRunHost::setOutputFolder(const QString& folder) {
    m_choices.outputFolder.setText(folder);
}

RecordingStart WindowRunHost::startRecording(const RunDescription& run) {
    Fs::Result<std::unique_ptr<JournalRecorder>> journal = StartJournal(run);
    if (journal.failed()) {
        return {AskToRunWithoutJournal(&m_window, JournalFolder::standard().path()), nullptr};
    }
    return {true, std::move(*journal)};
}

OverwriteAnswer WindowRunHost::askOverwrite(const OverwriteQuestion& question) {
    return AskOverwrite(&m_window, question);
}

void WindowRunHost::setRunLock(bool locked) {
    m_runControls.stop.setEnabled(locked);
    // A preview, an undo or the history would read or change what the run is writing.
    m_runControls.preview.setEnabled(!locked);
    m_runControls.history.setEnabled(!locked);
    if (locked) {
        m_runControls.undoLastRun.setEnabled(false);
        m_runControls.start.setEnabled(false);
        m_choices.pages.setEnabled(false);
        m_runControls.chooseOutputFolder.setEnabled(false);
        m_choices.outputFolder.setReadOnly(true);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
        m_progressTimer.stop();
        m_sinceProgressShown.invalidate();
        m_runControls.progressFile.clear();
        m_runControls.start.setEnabled(true);
        m_choices.pages.setEnabled(true);
        m_runControls.chooseOutputFolder.setEnabled(true);
        m_choices.outputFolder.setReadOnly(false);
    }
    // The run walks the list by position, so nothing may change the list under it; export only reads it.
    for (QPushButton* listChanger : {&m_fileList.addFiles, &m_fileList.scanFolder, &m_fileList.removeFile,
                                     &m_fileList.clearList, &m_fileList.importList}) {
        listChanger->setEnabled(!locked);
    }
    m_fileList.list.viewport()->setAcceptDrops(!locked);
    // A saved sort chosen during the run would change the choices the run is reading.
    for (QWidget* presetControl :
         std::initializer_list<QWidget*>{&m_presets.name, &m_presets.save, &m_presets.remove}) {
        presetControl->setEnabled(!locked);
    }
}

void WindowRunHost::setProgress(int percent) {
    m_runControls.progressBar.setValue(percent);
}

void WindowRunHost::showProgress(int index, int count, const QByteArray& path) {
    m_progressIndex = index;
    m_progressCount = count;
    m_progressPath = path;
    if (!m_sinceProgressShown.isValid() || m_sinceProgressShown.elapsed() >= kProgressIntervalMs) {
        showPendingProgress();
    } else if (!m_progressTimer.isActive()) {
        m_progressTimer.start(kProgressIntervalMs - int(m_sinceProgressShown.elapsed()));
    }
}

void WindowRunHost::showPendingProgress() {
    m_progressTimer.stop();
    m_sinceProgressShown.start();
    const QString text = QStringLiteral("%1 / %2  %3")
                             .arg(m_progressIndex + 1)
                             .arg(m_progressCount)
                             .arg(DisplayText(FileNameOf(m_progressPath)));
    QLabel& label = m_runControls.progressFile;
    label.setText(label.fontMetrics().elidedText(text, Qt::ElideMiddle, label.contentsRect().width()));
    // Drawn now: the copy of a large file may keep the window from drawing for a while.
    label.repaint();
}

void WindowRunHost::processEvents() {
    QCoreApplication::processEvents();
}

bool WindowRunHost::stopRequested() const {
    return m_stopClicked || m_closing();
}

void WindowRunHost::showMessage(const QString& text) {
    ShowInformation(&m_window, text);
}

void WindowRunHost::showCompletion(const RunReport& report) {
    // A window that is closing, or a program told to end, waits for no box.
    if (m_closing() || InterruptionRequested()) {
        return;
    }
    ShowCompletionBox(&m_window, report, QFile::encodeName(m_choices.outputFolder.text()));
}

QWidget& WindowRunHost::control(InputField field) const {
    switch (field) {
    case InputField::Keywords:
        return m_choices.keywords; // EdtKeys
    case InputField::RangeBegin:
        return m_choices.rangeBegin; // EdtPartNameBegin
    case InputField::RangeEnd:
        return m_choices.rangeEnd; // EdtPartNameEnd
    case InputField::Size:
        return m_choices.size; // EdtSize
    case InputField::DatePattern:
        return m_choices.datePattern; // CmbDatePattern
    case InputField::PixelLimit:
        break;
    }
    return m_choices.pixels; // EdtPic
}

void WindowRunHost::showInputError(const InputError& error) {
    showMessage(error.message);
    control(error.field).setFocus();
}
