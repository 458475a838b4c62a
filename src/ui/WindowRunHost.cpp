#include "ui/WindowRunHost.h"

#include "core/FileNames.h"
#include "core/TextBytes.h"
#include "engine/Interruption.h"
#include "engine/SortRun.h"
#include "engine/criteria/PageChoiceTexts.h"
#include "filelist/FileListModel.h"
#include "journal/History.h"
#include "journal/JournalRecorder.h"
#include "ui/CompletionBox.h"
#include "ui/FormChoices.h"
#include "ui/JournalWarningBox.h"
#include "ui/MessageBoxes.h"
#include "ui/OverwriteQuestionBox.h"

#include "ui_TForm1.h"

#include <QFile>
#include <QGuiApplication>

namespace {
constexpr int kProgressIntervalMs = 50;
}

WindowRunHost::WindowRunHost(QWidget& window, Ui::TForm1& ui, const FileListModel& files, std::function<bool()> closing)
    : m_window(window), m_ui(ui), m_files(files), m_closing(std::move(closing)) {
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

std::optional<SortPlan> WindowRunHost::plan() {
    m_stopClicked = false;
    m_running = true;
    std::optional<SortPlan> plan = PlanSort(*this);
    m_running = false;
    enableUndoButton();
    if (m_closing()) {
        return std::nullopt;
    }
    return plan;
}

void WindowRunHost::enableUndoButton() {
    m_ui.BtnUndo->setEnabled(!m_running && LastRunToUndo(JournalFolder::standard()).has_value());
}

int WindowRunHost::fileCount() const {
    return m_files.size();
}

QByteArray WindowRunHost::fileAt(int index) const {
    return m_files.at(index);
}

int WindowRunHost::pageIndex() const {
    return m_ui.PageControl1->currentIndex();
}

QString WindowRunHost::keywordText() const {
    return m_ui.EdtKeys->text();
}

NamePageFields WindowRunHost::namePage() const {
    return {m_ui.ChkFileNamePart->isChecked(), m_ui.EdtPartNameBegin->text(), m_ui.EdtPartNameEnd->text(),
            m_ui.EdtFilter->text(), m_ui.ChkOnlyMatchDir->isChecked()};
}

SizePageFields WindowRunHost::sizePage() const {
    // The folder is named from the items' source texts, not from what a translated list shows.
    const int condition = m_ui.CmbCondition->currentIndex();
    const int unit = m_ui.CmbUnit->currentIndex();
    return {condition, SizeConditionTexts().value(condition), m_ui.EdtSize->text(), unit, SizeUnitTexts().value(unit)};
}

DatePageFields WindowRunHost::datePage() const {
    return {m_ui.RbCreateTime->isChecked(), m_ui.CmbFileDate->currentIndex(), m_ui.DtDate->date(), m_ui.DtTime->time()};
}

ImagePageFields WindowRunHost::imagePage() const {
    const int condition = m_ui.CmbPic->currentIndex();
    return {m_ui.RbPicH->isChecked(), condition, PixelConditionTexts().value(condition), m_ui.EdtPic->text()};
}

QString WindowRunHost::outputFolder() const {
    return m_ui.EdtOutDir->text();
}

void WindowRunHost::setOutputFolder(const QString& folder) {
    m_ui.EdtOutDir->setText(folder);
}

bool WindowRunHost::moveMode() const {
    return m_ui.RbMove->isChecked();
}

SameNamePolicy WindowRunHost::sameNamePolicy() const {
    return CheckedSameNamePolicy(m_ui);
}

RecordingStart WindowRunHost::startRecording(const RunDescription& run) {
    const JournalFolder folder = JournalFolder::standard();
    Fs::Error error;
    RecordingStart start;
    start.recorder = JournalRecorder::start(folder, run, error);
    if (!start.recorder) {
        start.proceed = AskToRunWithoutJournal(&m_window, folder.path());
    }
    return start;
}

OverwriteAnswer WindowRunHost::askOverwrite(const OverwriteQuestion& question) {
    return AskOverwrite(&m_window, question);
}

ExtensionFilterState WindowRunHost::extensionFilter() const {
    ExtensionFilterState filter;
    filter.include = m_ui.ChkInclude->isChecked();
    filter.exclude = m_ui.ChkExclude->isChecked();
    filter.typeList = TypeListEntries(m_ui);
    for (int row = 0; row < m_ui.ChkLstPic->count(); ++row) {
        const QListWidgetItem* item = m_ui.ChkLstPic->item(row);
        filter.pictureTypes.append({item->text(), item->checkState() == Qt::Checked});
    }
    return filter;
}

void WindowRunHost::setRunLock(bool locked) {
    m_ui.BtnStop->setEnabled(locked);
    // A preview, an undo or the history would read or change what the run is writing.
    m_ui.BtnPreview->setEnabled(!locked);
    m_ui.BtnHistory->setEnabled(!locked);
    if (locked) {
        m_ui.BtnUndo->setEnabled(false);
        m_ui.BtnCopy->setEnabled(false);
        m_ui.PageControl1->setEnabled(false);
        m_ui.Button3->setEnabled(false);
        m_ui.EdtOutDir->setReadOnly(true);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
        m_progressTimer.stop();
        m_sinceProgressShown.invalidate();
        m_ui.LblProgress->clear();
        m_ui.BtnCopy->setEnabled(true);
        m_ui.PageControl1->setEnabled(true);
        m_ui.Button3->setEnabled(true);
        m_ui.EdtOutDir->setReadOnly(false);
    }
    // The run walks the list by position, so nothing may change the list under it; export only reads it.
    for (QPushButton* listChanger : {m_ui.Button1, m_ui.Button5, m_ui.Button2, m_ui.Button6, m_ui.BtnImpFileList}) {
        listChanger->setEnabled(!locked);
    }
    m_ui.ListBox1->viewport()->setAcceptDrops(!locked);
}

void WindowRunHost::setProgress(int percent) {
    m_ui.ProgressBar1->setValue(percent);
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
    QLabel& label = *m_ui.LblProgress;
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
    ShowCompletionBox(&m_window, report, QFile::encodeName(outputFolder()));
}

void WindowRunHost::showInputError(const InputError& error) {
    showMessage(error.message);
    if (QWidget* field = m_window.findChild<QWidget*>(error.field)) {
        field->setFocus();
    }
}
