#include "ui/TForm1.h"

#include "core/CriterionPage.h"
#include "core/TextBytes.h"
#include "filelist/DroppedFiles.h"
#include "filelist/FileListModel.h"
#include "filelist/ListFile.h"
#include "settings/SettingsFile.h"
#include "ui/FileErrorMessages.h"
#include "ui/Illustrations.h"
#include "ui/KeyFilter.h"
#include "ui/MessageBoxes.h"
#include "ui/TForm3.h"
#include "ui/TfrmAbout.h"
#include "ui/TfrmSuffix.h"
#include "ui/WindowSettings.h"

#include "ui_TForm1.h"

#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace {
constexpr int kTypeListColumns = 6;
}

TForm1::TForm1(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::TForm1>()), m_files(new FileListModel(this)),
      m_runHost(*this, *m_ui, *m_files, [this] { return m_closeRequested; }),
      m_scanHost(*m_ui, *m_files, [this] { return m_closeRequested; }) {
    m_ui->setupUi(this);
    setUpControls();
    FormCreate();
}

TForm1::~TForm1() = default;

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
    m_ui->Image3->setPixmap(KeywordIllustration());
    m_ui->Image2->setPixmap(NameIllustration());
    m_ui->Image1->setPixmap(TypeIllustration());

    m_ui->ListBox1->setModel(m_files);
    m_ui->ListBox1->viewport()->installEventFilter(this);
    for (QLineEdit* numberField : {m_ui->EdtSize, m_ui->EdtPic, m_ui->EdtPartNameBegin, m_ui->EdtPartNameEnd}) {
        // Typed text passes the key filter; an input method would bypass it.
        numberField->setAttribute(Qt::WA_InputMethodEnabled, false);
        numberField->installEventFilter(this);
    }
    // Both lists flow into columns; the form design cannot say so.
    m_ui->ListBox2->setWrapping(true);
    m_ui->ChkLstPic->setWrapping(true);
    m_ui->ListBox2->installEventFilter(this);

    connect(m_ui->BtnCopy, &QPushButton::clicked, this, &TForm1::BtnCopyClick);
    connect(m_ui->PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
    connect(m_ui->Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(m_ui->BtnAout, &QPushButton::clicked, this, &TForm1::BtnAoutClick);
    // toggled, not clicked: unchecking one box from the other's handler must also update the list buttons.
    connect(m_ui->ChkInclude, &QCheckBox::toggled, this, &TForm1::ChkIncludeClick);
    connect(m_ui->ChkExclude, &QCheckBox::toggled, this, &TForm1::ChkExcludeClick);
    connect(m_ui->BtnAddSuffix, &QPushButton::clicked, this, &TForm1::BtnAddSuffixClick);
    connect(m_ui->BtnDelSuffix, &QPushButton::clicked, this, &TForm1::BtnDelSuffixClick);
    connect(m_ui->ChkFileNamePart, &QCheckBox::clicked, this, &TForm1::ChkFileNamePartClick);
    connect(m_ui->Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(m_ui->Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(m_ui->Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(m_ui->Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(m_ui->BtnSaveFileList, &QPushButton::clicked, this, &TForm1::BtnSaveFileListClick);
    connect(m_ui->BtnImpFileList, &QPushButton::clicked, this, &TForm1::BtnImpFileListClick);
}

void TForm1::FormCreate() {
    setWindowTitle(kApplicationTitle);
    // The list control itself takes dropped files, not the whole window.
    m_ui->ListBox1->viewport()->setAcceptDrops(true);
    for (int row = 0; row < m_ui->ChkLstPic->count(); ++row) {
        QListWidgetItem* item = m_ui->ChkLstPic->item(row);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    applySettings(LoadSettings(QCoreApplication::applicationDirPath()));
}

void TForm1::applySettings(const SettingsValues& values) {
    ApplySettings(*m_ui, values);
    // The page may be the one shown already, which changes nothing and so fires no page update.
    PageControl1Change();
}

SettingsValues TForm1::currentSettings() const {
    return CurrentSettings(*m_ui);
}

// Saves the choices; a file that cannot be written is reported, and the window closes all the same.
void TForm1::FormClose() {
    const Fs::Error error = SaveSettings(currentSettings());
    if (error.failed()) {
        ShowWarning(this, FileErrorMessage(FileTask::SaveSettings, SettingsFilePath(), error));
    }
}

void TForm1::BtnCopyClick() {
    m_runHost.run();
    closeIfRequested();
}

void TForm1::closeIfRequested() {
    if (m_closeRequested) {
        close();
    }
}

// The open and save dialogs show the file types as "*.*" and "*.lst"; Qt reads the mask from the parentheses.
namespace {
const QString kAllFilesFilter = u"*.* (*)"_s;
const QString kListFileFilter = u"*.lst (*.lst)"_s;
const QString kListFileSaveFilter = u"列表文件(*.lst) (*.lst)"_s;
} // namespace

void TForm1::Button1Click() {
    const QStringList chosen = QFileDialog::getOpenFileNames(this, QString(), QString(), kAllFilesFilter, nullptr,
                                                             QFileDialog::HideNameFilterDetails);
    QByteArrayList staging;
    for (const QString& file : chosen) {
        staging.append(QFile::encodeName(file));
    }
    m_files->AppendUnique(staging);
}

void TForm1::Button2Click() {
    const QModelIndexList selected = m_ui->ListBox1->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        return;
    }
    m_files->removeAt(selected.first().row());
    m_ui->ListBox1->clearSelection();
}

void TForm1::Button6Click() {
    m_files->clear();
}

void TForm1::BtnSaveFileListClick() {
    if (m_files->size() == 0) {
        ShowInformation(this, u"当前文件列表为空！"_s);
        return;
    }
    const QString fileName =
        QFileDialog::getSaveFileName(this, QString(), u"file.lst"_s, kListFileSaveFilter, nullptr,
                                     QFileDialog::DontConfirmOverwrite | QFileDialog::HideNameFilterDetails);
    if (fileName.isEmpty()) {
        return;
    }
    const ListFileExport exported = ExportListFile(QFile::encodeName(fileName), *m_files);
    if (exported.error.failed()) {
        ShowInformation(this, FileErrorMessage(FileTask::ExportList, fileName, exported.error));
    } else if (exported.leftOut > 0) {
        ShowInformation(this, u"有 %1 个文件的名称含有换行符，未写入列表，第一个是：\n%2"_s.arg(exported.leftOut)
                                  .arg(DisplayText(exported.firstLeftOut)));
    }
}

void TForm1::BtnImpFileListClick() {
    const QString fileName = QFileDialog::getOpenFileName(this, QString(), QString(), kListFileFilter, nullptr,
                                                          QFileDialog::HideNameFilterDetails);
    if (fileName.isEmpty()) {
        return;
    }
    const Fs::Error error = m_scanHost.importList(QFile::encodeName(fileName));
    if (error.failed()) {
        ShowInformation(this, FileErrorMessage(FileTask::ImportList, fileName, error));
    }
    closeIfRequested();
}

// Dropped files are added as they come, without the uniqueness test; folders and missing paths are left out.
void TForm1::AddDroppedFiles(const QByteArray& uriList) {
    m_files->appendAll(KeepExistingFiles(LocalPathsFromUriList(uriList)));
}

bool TForm1::ListBox1DropEvent(QEvent* event) {
    auto* drag = static_cast<QDropEvent*>(event);
    if (m_runHost.running() || !drag->mimeData()->hasFormat(u"text/uri-list"_s)) {
        drag->ignore();
        return true;
    }
    drag->acceptProposedAction();
    if (event->type() == QEvent::Drop) {
        AddDroppedFiles(drag->mimeData()->data(u"text/uri-list"_s));
    }
    return true;
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
    m_ui->lblOption->setText(u"分拣方式："_s + m_ui->PageControl1->tabText(page));
    const bool imagePage = page == ImagePage;
    m_ui->PnlOption->setVisible(!imagePage);
    m_ui->PnlOption2->setVisible(imagePage);
}

void TForm1::Button3Click() {
    QString folder = QFileDialog::getExistingDirectory(this, u"请选择文件夹"_s, QDir::homePath());
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
    } else if (watched == m_ui->ListBox1->viewport() &&
               (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
                event->type() == QEvent::Drop)) {
        return ListBox1DropEvent(event);
    } else if (event->type() == QEvent::Resize && watched == m_ui->ListBox2) {
        spreadTypeListColumns();
    }
    return QWidget::eventFilter(watched, event);
}

// The type list shows its entries in six columns, filled top to bottom.
void TForm1::spreadTypeListColumns() {
    const int rowHeight = m_ui->ListBox2->fontMetrics().height() + 2;
    m_ui->ListBox2->setGridSize(QSize(m_ui->ListBox2->viewport()->width() / kTypeListColumns, rowHeight));
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
