#include "ui/MainWindow.h"

#include "core/CriterionPage.h"
#include "engine/BackgroundPlan.h"
#include "engine/Interruption.h"
#include "filelist/FileListModel.h"
#include "journal/History.h"
#include "settings/SettingsFile.h"
#include "ui/AboutDialog.h"
#include "ui/FileErrorMessages.h"
#include "ui/FileListPanel.h"
#include "ui/FolderPickerDialog.h"
#include "ui/HistoryDialog.h"
#include "ui/Illustrations.h"
#include "ui/KeyFilter.h"
#include "ui/MessageBoxes.h"
#include "ui/OutputFolder.h"
#include "ui/PresetPanel.h"
#include "ui/PreviewDialog.h"
#include "ui/TypeEntryDialog.h"
#include "ui/TypeListColumns.h"
#include "ui/UndoBoxes.h"
#include "ui/WindowSettings.h"

#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>

using namespace Qt::StringLiterals;

namespace {
// The controls of the form design, made on window.
std::unique_ptr<Ui::MainWindow> setUpForm(QWidget& window) {
    auto form = std::make_unique<Ui::MainWindow>();
    form->setupUi(&window);
    return form;
}
} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), m_files(new FileListModel(this)), m_ui(setUpForm(*this)), m_controls(NamedControls(*m_ui)),
      m_runHost(*this, m_controls, *m_files, [this] { return m_closeRequested; }),
      m_scanHost(m_controls.fileList.list, *m_files, [this] { return m_closeRequested; }) {
    setUpControls();
    applyStartChoices();
}

MainWindow::~MainWindow() {
    // The type list empties its model when its controls go, after this part of the window is gone.
    m_controls.choices.typeList.model()->disconnect(this);
}

void MainWindow::setDialogs(FolderPickerDialog* folderPicker, AboutDialog* about, TypeEntryDialog* typeEntry) {
    m_folderPicker = folderPicker;
    m_about = about;
    m_typeEntry = typeEntry;
    m_typeEntry->setTypeList(&m_controls.choices.typeList);
}

// Everything the form design itself cannot say: window frame, panels, pictures, models, filters and signals.
void MainWindow::setUpControls() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    for (QFrame* panel : {m_ui->Panel8, m_ui->Panel3, m_ui->Panel5, m_ui->Panel4, m_ui->Panel7, m_ui->Panel6}) {
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, Qt::white);
        panel->setPalette(palette);
        panel->setAutoFillBackground(true);
    }
    // A translated item may be longer than the width the form design gives its drop-down list: the list grows to
    // show its longest item.
    for (QComboBox* list : {m_ui->CmbCondition, m_ui->CmbUnit, m_ui->CmbFileDate, m_ui->CmbPic}) {
        list->setFixedWidth(qMax(list->minimumWidth(), list->sizeHint().width()));
    }
    m_ui->Image3->setPixmap(KeywordIllustration());
    m_ui->Image2->setPixmap(NameIllustration());
    m_ui->Image1->setPixmap(TypeIllustration());

    m_fileListPanel = std::make_unique<FileListPanel>(*this, m_controls.fileList, *m_files, m_scanHost);
    connect(m_fileListPanel.get(), &FileListPanel::importEnded, this, &MainWindow::closeIfRequested);
    m_presetPanel = new PresetPanel(*this, m_controls.presets, m_controls.choices);
    // The saved sorts' row lies below the file list but is made after it: the tab key reaches it after the list's
    // buttons.
    setTabOrder(m_ui->BtnImpFileList, m_ui->CmbPreset);
    setTabOrder(m_ui->CmbPreset, m_ui->BtnSavePreset);
    setTabOrder(m_ui->BtnSavePreset, m_ui->BtnDeletePreset);
    connect(m_presetPanel, &PresetPanel::filled, this, &MainWindow::presetFilled);
    for (QLineEdit* numberField : {m_ui->EdtSize, m_ui->EdtPic, m_ui->EdtPartNameBegin, m_ui->EdtPartNameEnd}) {
        // Typed text passes the key filter; an input method would bypass it.
        numberField->setAttribute(Qt::WA_InputMethodEnabled, false);
        numberField->installEventFilter(this);
    }
    // Both lists flow into columns; the form design cannot say so. The picture types take the type list's place on
    // the image page, at its height.
    m_typeListColumns = std::make_unique<TypeListColumns>(*m_ui->ListBox2);
    m_ui->ChkLstPic->setWrapping(true);
    m_ui->ChkLstPic->setFixedHeight(m_ui->ListBox2->height());
    keepPagesFromMovingTheLayout();

    connect(m_ui->BtnCopy, &QPushButton::clicked, this, &MainWindow::startClicked);
    connect(m_ui->BtnStop, &QPushButton::clicked, this, &MainWindow::stopClicked);
    connect(m_ui->BtnPreview, &QPushButton::clicked, this, &MainWindow::previewClicked);
    connect(m_ui->BtnUndo, &QPushButton::clicked, this, &MainWindow::undoLastRunClicked);
    connect(m_ui->BtnHistory, &QPushButton::clicked, this, &MainWindow::historyClicked);
    connect(m_ui->PageControl1, &QTabWidget::currentChanged, this, &MainWindow::pageChanged);
    connect(m_ui->Button3, &QPushButton::clicked, this, &MainWindow::chooseOutputFolderClicked);
    connect(m_ui->BtnAout, &QPushButton::clicked, this, &MainWindow::aboutClicked);
    // toggled, not clicked: unchecking one box from the other's handler must also update the list buttons.
    connect(m_ui->ChkInclude, &QCheckBox::toggled, this, &MainWindow::includeTypesToggled);
    connect(m_ui->ChkExclude, &QCheckBox::toggled, this, &MainWindow::excludeTypesToggled);
    connect(m_ui->BtnAddSuffix, &QPushButton::clicked, this, &MainWindow::addTypeClicked);
    connect(m_ui->BtnDelSuffix, &QPushButton::clicked, this, &MainWindow::removeTypeClicked);
    connect(m_ui->ChkFileNamePart, &QCheckBox::clicked, this, &MainWindow::nameRangeClicked);
    connect(m_ui->Button5, &QPushButton::clicked, this, &MainWindow::scanFolderClicked);
}

// The window as it opens: its title, every picture type checked, the saved choices, and the undo button.
void MainWindow::applyStartChoices() {
    setWindowTitle(kApplicationTitle);
    QListWidget& pictureTypes = m_controls.choices.pictureTypes;
    for (int row = 0; row < pictureTypes.count(); ++row) {
        QListWidgetItem* item = pictureTypes.item(row);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    SettingsValues settings = LoadSettings(DefaultOutputFolder());
    if (settings.outputFolder.isEmpty()) {
        settings.outputFolder = DefaultOutputFolder() + u'/';
    }
    applySettings(settings);
    m_runHost.enableUndoButton();
}

void MainWindow::applySettings(const SettingsValues& values) {
    ApplySettings(m_controls.choices, values);
    m_presetPanel->showChosen(values.preset);
    // The page may be the one shown already, which changes nothing and so fires no page update.
    pageChanged();
}

SettingsValues MainWindow::currentSettings() const {
    SettingsValues values = CurrentSettings(m_controls.choices);
    values.preset = m_presetPanel->chosen();
    return values;
}

// What follows the choices when code fills them: the page's label and panels, and the type list's buttons.
void MainWindow::presetFilled() {
    pageChanged();
    enableTypeListButtons();
}

// Saves the choices; a file that cannot be written is reported, and the window closes all the same. A program told to
// end by a signal reports it on the standard error: nobody may be there to answer a box.
void MainWindow::saveSettingsOnClose() {
    const Fs::Error error = SaveSettings(currentSettings());
    if (!error.failed()) {
        return;
    }
    const QString message = FileErrorMessage(FileTask::SaveSettings, SettingsFilePath(), error);
    if (InterruptionRequested()) {
        qWarning("%s", qUtf8Printable(message));
    } else {
        ShowWarning(this, message);
    }
}

void MainWindow::startClicked() {
    m_runHost.run();
    closeIfRequested();
}

void MainWindow::stopClicked() {
    m_runHost.stop();
}

// Plans the run the start button would make now and shows the plan as it grows; nothing is written. The preview
// keeps the window's inputs from changing while the plan is made. Its start button then runs with the window's inputs
// as they are.
void MainWindow::previewClicked() {
    std::unique_ptr<BackgroundPlan> plan = m_runHost.startPlan();
    if (!plan) {
        closeIfRequested();
        return;
    }
    PreviewDialog preview(std::move(plan), this);
    if (preview.exec() == QDialog::Accepted) {
        startClicked();
    }
}

void MainWindow::undoLastRunClicked() {
    const JournalFolder journals = JournalFolder::standard();
    if (const std::optional<RunSummary> run = LastRunToUndo(journals)) {
        AskAndUndo(this, journals, *run, pageNames());
    }
    m_runHost.enableUndoButton();
}

void MainWindow::historyClicked() {
    HistoryDialog history(JournalFolder::standard(), pageNames(), this);
    history.exec();
    m_runHost.enableUndoButton();
}

QStringList MainWindow::pageNames() const {
    const QTabWidget& pages = m_controls.choices.pages;
    QStringList names;
    for (int page = 0; page < pages.count(); ++page) {
        // The tabs pad their names with blanks.
        names.append(pages.tabText(page).trimmed());
    }
    return names;
}

void MainWindow::closeIfRequested() {
    if (m_closeRequested) {
        close();
    }
}

void MainWindow::scanFolderClicked() {
    if (m_folderPicker->exec() != QDialog::Accepted) {
        return;
    }
    m_controls.run.progressFile.setText(m_scanHost.scan(m_folderPicker->scanRequest()));
    closeIfRequested();
}

// The two option panels take turns in one place, and the label above them names the page: each as large as the
// largest it becomes on any page, so that turning the pages neither moves the tabs nor resizes the window.
void MainWindow::keepPagesFromMovingTheLayout() {
    const PageOptionControls& options = m_controls.pageOptions;
    const int panelHeight =
        std::max(options.typeFilterPanel.sizeHint().height(), options.pictureTypePanel.sizeHint().height());
    options.typeFilterPanel.setMinimumHeight(panelHeight);
    options.pictureTypePanel.setMinimumHeight(panelHeight);
    const QTabWidget& pages = m_controls.choices.pages;
    int labelWidth = 0;
    for (int page = 0; page < pages.count(); ++page) {
        labelWidth = std::max(labelWidth, options.sortMethod.fontMetrics().horizontalAdvance(sortMethodText(page)));
    }
    options.sortMethod.setMinimumWidth(labelWidth);
}

QString MainWindow::sortMethodText(int page) const {
    return tr("分拣方式：%1").arg(m_controls.choices.pages.tabText(page));
}

void MainWindow::pageChanged() {
    const QTabWidget& pages = m_controls.choices.pages;
    const PageOptionControls& options = m_controls.pageOptions;
    const int page = pages.currentIndex();
    options.sortMethod.setText(sortMethodText(page));
    const bool imagePage = page == ImagePage;
    options.typeFilterPanel.setVisible(!imagePage);
    options.pictureTypePanel.setVisible(imagePage);
}

void MainWindow::chooseOutputFolderClicked() {
    QLineEdit& outputFolder = m_controls.choices.outputFolder;
    QString folder =
        QFileDialog::getExistingDirectory(this, tr("请选择文件夹"), ChooserStartFolder(outputFolder.text()));
    if (folder.isEmpty()) {
        return;
    }
    if (!folder.endsWith(u'/')) {
        folder += u'/';
    }
    outputFolder.setText(folder);
}

void MainWindow::aboutClicked() {
    m_about->exec();
}

// At most one of the two filter modes is on, and the type list can be edited while one is.
void MainWindow::includeTypesToggled() {
    if (m_controls.choices.includeTypes.isChecked()) {
        m_controls.choices.excludeTypes.setChecked(false);
    }
    enableTypeListButtons();
}

void MainWindow::excludeTypesToggled() {
    if (m_controls.choices.excludeTypes.isChecked()) {
        m_controls.choices.includeTypes.setChecked(false);
    }
    enableTypeListButtons();
}

void MainWindow::enableTypeListButtons() {
    const bool filtering = m_controls.choices.includeTypes.isChecked() || m_controls.choices.excludeTypes.isChecked();
    m_controls.pageOptions.addType.setEnabled(filtering);
    m_controls.pageOptions.removeType.setEnabled(filtering);
}

void MainWindow::addTypeClicked() {
    m_typeEntry->exec();
}

void MainWindow::removeTypeClicked() {
    qDeleteAll(m_controls.choices.typeList.selectedItems());
}

// Checking the range box fills in a start of 1 when both fields are empty and puts the focus where a number is
// missing; unchecking it empties both fields.
void MainWindow::nameRangeClicked() {
    QLineEdit& begin = m_controls.choices.rangeBegin;
    QLineEdit& end = m_controls.choices.rangeEnd;
    if (!m_controls.choices.nameRange.isChecked()) {
        begin.clear();
        end.clear();
        return;
    }
    const bool beginEmpty = begin.text().isEmpty();
    const bool endEmpty = end.text().isEmpty();
    if (beginEmpty && endEmpty) {
        begin.setText(u"1"_s);
        end.setFocus();
    } else if (beginEmpty) {
        begin.setFocus();
    } else if (endEmpty) {
        end.setFocus();
    }
}

bool MainWindow::sizeKeyPressed(const QKeyEvent& event) const {
    return TypesCharacterOutside(event, u"0123456789.");
}

bool MainWindow::pixelsKeyPressed(const QKeyEvent& event) const {
    return TypesCharacterOutside(event, u"0123456789");
}

bool MainWindow::rangeKeyPressed(const QKeyEvent& event) const {
    return TypesCharacterOutside(event, u"0123456789");
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const SortChoiceControls& choices = m_controls.choices;
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (watched == &choices.size) {
            return sizeKeyPressed(key);
        }
        if (watched == &choices.pixels) {
            return pixelsKeyPressed(key);
        }
        if (watched == &choices.rangeBegin || watched == &choices.rangeEnd) {
            return rangeKeyPressed(key);
        }
    }
    return QWidget::eventFilter(watched, event);
}

// A run of the command line may have been journaled while the window was in the background.
void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_runHost.running()) {
        m_runHost.enableUndoButton();
    }
    QWidget::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_runHost.running() || m_scanHost.scanning()) {
        // The run or scan ends first and then closes the window itself.
        m_closeRequested = true;
        event->ignore();
        return;
    }
    saveSettingsOnClose();
    event->accept();
}
