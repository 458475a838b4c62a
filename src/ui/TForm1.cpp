#include "ui/TForm1.h"

#include "core/CriterionPage.h"
#include "engine/Interruption.h"
#include "filelist/FileListModel.h"
#include "journal/History.h"
#include "settings/SettingsFile.h"
#include "ui/FileErrorMessages.h"
#include "ui/FileListPanel.h"
#include "ui/Illustrations.h"
#include "ui/KeyFilter.h"
#include "ui/MessageBoxes.h"
#include "ui/OutputFolder.h"
#include "ui/TForm3.h"
#include "ui/TfrmAbout.h"
#include "ui/TfrmHistory.h"
#include "ui/TfrmPreview.h"
#include "ui/TfrmSuffix.h"
#include "ui/TypeListColumns.h"
#include "ui/UndoBoxes.h"
#include "ui/WindowSettings.h"

#include "ui_TForm1.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>

using namespace Qt::StringLiterals;

TForm1::TForm1(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TForm1>()), m_files(new FileListModel(this)),
      m_runHost(*this, *m_ui, *m_files, [this] { return m_closeRequested; }),
      m_scanHost(*m_ui, *m_files, [this] { return m_closeRequested; }) {
    m_ui->setupUi(this);
    setUpControls();
    FormCreate();
}

TForm1::~TForm1() {
    // The type list empties its model when its controls go, after this part of the window is gone.
    m_ui->ListBox2->model()->disconnect(this);
}

void TForm1::setDialogs(TForm3* folderPicker, TfrmAbout* about, TfrmSuffix* suffix) {
    m_folderPicker = folderPicker;
    m_about = about;
    m_suffix = suffix;
    m_suffix->setTypeList(m_ui->ListBox2);
}

// Everything the form design itself cannot say: window frame, panels, pictures, models, filters and signals.
void TForm1::setUpControls() {
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

    m_fileListPanel = std::make_unique<FileListPanel>(*this, *m_ui, *m_files, m_scanHost);
    connect(m_fileListPanel.get(), &FileListPanel::importEnded, this, &TForm1::closeIfRequested);
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

    connect(m_ui->BtnCopy, &QPushButton::clicked, this, &TForm1::BtnCopyClick);
    connect(m_ui->BtnStop, &QPushButton::clicked, this, &TForm1::BtnStopClick);
    connect(m_ui->BtnPreview, &QPushButton::clicked, this, &TForm1::BtnPreviewClick);
    connect(m_ui->BtnUndo, &QPushButton::clicked, this, &TForm1::BtnUndoClick);
    connect(m_ui->BtnHistory, &QPushButton::clicked, this, &TForm1::BtnHistoryClick);
    connect(m_ui->PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
    connect(m_ui->Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(m_ui->BtnAout, &QPushButton::clicked, this, &TForm1::BtnAoutClick);
    // toggled, not clicked: unchecking one box from the other's handler must also update the list buttons.
    connect(m_ui->ChkInclude, &QCheckBox::toggled, this, &TForm1::ChkIncludeClick);
    connect(m_ui->ChkExclude, &QCheckBox::toggled, this, &TForm1::ChkExcludeClick);
    connect(m_ui->BtnAddSuffix, &QPushButton::clicked, this, &TForm1::BtnAddSuffixClick);
    connect(m_ui->BtnDelSuffix, &QPushButton::clicked, this, &TForm1::BtnDelSuffixClick);
    connect(m_ui->ChkFileNamePart, &QCheckBox::clicked, this, &TForm1::ChkFileNamePartClick);
    connect(m_ui->Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
}

void TForm1::FormCreate() {
    setWindowTitle(kApplicationTitle);
    for (int row = 0; row < m_ui->ChkLstPic->count(); ++row) {
        QListWidgetItem* item = m_ui->ChkLstPic->item(row);
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

void TForm1::applySettings(const SettingsValues& values) {
    ApplySettings(*m_ui, values);
    // The page may be the one shown already, which changes nothing and so fires no page update.
    PageControl1Change();
}

SettingsValues TForm1::currentSettings() const {
    return CurrentSettings(*m_ui);
}

// Saves the choices; a file that cannot be written is reported, and the window closes all the same. A program told to
// end by a signal reports it on the standard error: nobody may be there to answer a box.
void TForm1::FormClose() {
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

void TForm1::BtnCopyClick() {
    m_runHost.run();
    closeIfRequested();
}

void TForm1::BtnStopClick() {
    m_runHost.stop();
}

// Plans the run the start button would make now and shows the plan; nothing is written. The preview's start button
// then runs with the window's inputs as they are.
void TForm1::BtnPreviewClick() {
    std::optional<SortPlan> plan = m_runHost.plan();
    if (!plan || m_closeRequested) {
        closeIfRequested();
        return;
    }
    TfrmPreview preview(std::move(*plan), this);
    if (preview.exec() == QDialog::Accepted) {
        BtnCopyClick();
    }
}

void TForm1::BtnUndoClick() {
    const JournalFolder journals = JournalFolder::standard();
    if (const std::optional<RunSummary> run = LastRunToUndo(journals)) {
        AskAndUndo(this, journals, *run, pageNames());
    }
    m_runHost.enableUndoButton();
}

void TForm1::BtnHistoryClick() {
    TfrmHistory history(JournalFolder::standard(), pageNames(), this);
    history.exec();
    m_runHost.enableUndoButton();
}

QStringList TForm1::pageNames() const {
    QStringList names;
    for (int page = 0; page < m_ui->PageControl1->count(); ++page) {
        // The tabs pad their names with blanks.
        names.append(m_ui->PageControl1->tabText(page).trimmed());
    }
    return names;
}

void TForm1::closeIfRequested() {
    if (m_closeRequested) {
        close();
    }
}

void TForm1::Button5Click() {
    if (m_folderPicker->exec() != QDialog::Accepted) {
        return;
    }
    m_scanHost.scan(m_folderPicker->scanRequest());
    closeIfRequested();
}

void TForm1::PageControl1Change() {
    const int page = m_ui->PageControl1->currentIndex();
    m_ui->lblOption->setText(tr("分拣方式：%1").arg(m_ui->PageControl1->tabText(page)));
    const bool imagePage = page == ImagePage;
    m_ui->PnlOption->setVisible(!imagePage);
    m_ui->PnlOption2->setVisible(imagePage);
}

void TForm1::Button3Click() {
    QString folder =
        QFileDialog::getExistingDirectory(this, tr("请选择文件夹"), ChooserStartFolder(m_ui->EdtOutDir->text()));
    if (folder.isEmpty()) {
        return;
    }
    if (!folder.endsWith(u'/')) {
        folder += u'/';
    }
    m_ui->EdtOutDir->setText(folder);
}

void TForm1::BtnAoutClick() {
    m_about->exec();
}

// At most one of the two filter modes is on, and the type list can be edited while one is.
void TForm1::ChkIncludeClick() {
    if (m_ui->ChkInclude->isChecked()) {
        m_ui->ChkExclude->setChecked(false);
    }
    enableTypeListButtons();
}

void TForm1::ChkExcludeClick() {
    if (m_ui->ChkExclude->isChecked()) {
        m_ui->ChkInclude->setChecked(false);
    }
    enableTypeListButtons();
}

void TForm1::enableTypeListButtons() {
    const bool filtering = m_ui->ChkInclude->isChecked() || m_ui->ChkExclude->isChecked();
    m_ui->BtnAddSuffix->setEnabled(filtering);
    m_ui->BtnDelSuffix->setEnabled(filtering);
}

void TForm1::BtnAddSuffixClick() {
    m_suffix->exec();
}

void TForm1::BtnDelSuffixClick() {
    qDeleteAll(m_ui->ListBox2->selectedItems());
}

// Checking the range box fills in a start of 1 when both fields are empty and puts the focus where a number is
// missing; unchecking it empties both fields.
void TForm1::ChkFileNamePartClick() {
    if (!m_ui->ChkFileNamePart->isChecked()) {
        m_ui->EdtPartNameBegin->clear();
        m_ui->EdtPartNameEnd->clear();
        return;
    }
    const bool beginEmpty = m_ui->EdtPartNameBegin->text().isEmpty();
    const bool endEmpty = m_ui->EdtPartNameEnd->text().isEmpty();
    if (beginEmpty && endEmpty) {
        m_ui->EdtPartNameBegin->setText(u"1"_s);
        m_ui->EdtPartNameEnd->setFocus();
    } else if (beginEmpty) {
        m_ui->EdtPartNameBegin->setFocus();
    } else if (endEmpty) {
        m_ui->EdtPartNameEnd->setFocus();
    }
}

bool TForm1::Edit1KeyPress(const QKeyEvent& event) const {
    return TypesCharacterOutside(event, u"0123456789.");
}

bool TForm1::EdtPicKeyPress(const QKeyEvent& event) const {
    return TypesCharacterOutside(event, u"0123456789");
}

bool TForm1::EdtPartNameBeginKeyPress(const QKeyEvent& event) const {
    return TypesCharacterOutside(event, u"0123456789");
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (watched == m_ui->EdtSize) {
            return Edit1KeyPress(key);
        }
        if (watched == m_ui->EdtPic) {
            return EdtPicKeyPress(key);
        }
        if (watched == m_ui->EdtPartNameBegin || watched == m_ui->EdtPartNameEnd) {
            return EdtPartNameBeginKeyPress(key);
        }
    }
    return QWidget::eventFilter(watched, event);
}

// A run of the command line may have been journaled while the window was in the background.
void TForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_runHost.running()) {
        m_runHost.enableUndoButton();
    }
    QWidget::changeEvent(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (m_runHost.running() || m_scanHost.scanning()) {
        // The run or scan ends first and then closes the window itself.
        m_closeRequested = true;
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}
