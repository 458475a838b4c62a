#include "ui/TForm1.h"

#include "engine/SortRun.h"
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

#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace {
constexpr int kTypeListColumns = 6;
}

TForm1::TForm1(QWidget* parent) : QWidget(parent), m_files(new FileListModel(this)) {
    setupUi(this);
    setUpControls();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::setDialogs(TForm3* folderPicker, TfrmAbout* about, TfrmSuffix* suffix) {
    m_folderPicker = folderPicker;
    m_about = about;
    m_suffix = suffix;
    m_suffix->setTypeList(ListBox2);
}

// Everything the form design itself cannot say: window frame, panels, pictures, models, filters and signals.
void TForm1::setUpControls() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    for (QFrame* panel : {Panel8, Panel3, Panel5, Panel4, Panel7, Panel6}) {
        QPalette palette = panel->palette();
        palette.setColor(QPalette::Window, Qt::white);
        panel->setPalette(palette);
        panel->setAutoFillBackground(true);
    }
    Image3->setPixmap(KeywordIllustration());
    Image2->setPixmap(NameIllustration());
    Image1->setPixmap(TypeIllustration());

    ListBox1->setModel(m_files);
    ListBox1->viewport()->installEventFilter(this);
    for (QLineEdit* numberField : {EdtSize, EdtPic, EdtPartNameBegin, EdtPartNameEnd}) {
        // Typed text passes the key filter; an input method would bypass it.
        numberField->setAttribute(Qt::WA_InputMethodEnabled, false);
        numberField->installEventFilter(this);
    }
    // Both lists flow into columns; the form design cannot say so.
    ListBox2->setWrapping(true);
    ChkLstPic->setWrapping(true);
    ListBox2->installEventFilter(this);

    connect(BtnCopy, &QPushButton::clicked, this, &TForm1::BtnCopyClick);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(BtnAout, &QPushButton::clicked, this, &TForm1::BtnAoutClick);
    // toggled, not clicked: unchecking one box from the other's handler must also update the list buttons.
    connect(ChkInclude, &QCheckBox::toggled, this, &TForm1::ChkIncludeClick);
    connect(ChkExclude, &QCheckBox::toggled, this, &TForm1::ChkExcludeClick);
    connect(BtnAddSuffix, &QPushButton::clicked, this, &TForm1::BtnAddSuffixClick);
    connect(BtnDelSuffix, &QPushButton::clicked, this, &TForm1::BtnDelSuffixClick);
    connect(ChkFileNamePart, &QCheckBox::clicked, this, &TForm1::ChkFileNamePartClick);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(BtnSaveFileList, &QPushButton::clicked, this, &TForm1::BtnSaveFileListClick);
    connect(BtnImpFileList, &QPushButton::clicked, this, &TForm1::BtnImpFileListClick);
}

void TForm1::FormCreate() {
    setWindowTitle(kApplicationTitle);
    // The list control itself takes dropped files, not the whole window.
    ListBox1->viewport()->setAcceptDrops(true);
    for (int row = 0; row < ChkLstPic->count(); ++row) {
        QListWidgetItem* item = ChkLstPic->item(row);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    applySettings(LoadSettings(QCoreApplication::applicationDirPath()));
}

// Puts the saved choices into the controls, in the order the settings are read.
void TForm1::applySettings(const SettingsValues& values) {
    EdtFilter->setText(values.filter);
    EdtOutDir->setText(values.outDir);
    switch (values.sameFile) {
    case 1:
        RbOverwrite->setChecked(true);
        break;
    case 2:
        RbAsk->setChecked(true);
        break;
    case 3:
        RbRename->setChecked(true);
        break;
    default:
        RbSkip->setChecked(true);
    }
    if (values.page >= 0) {
        PageControl1->setCurrentIndex(values.page);
    }
    PageControl1Change();
    ListBox2->addItems(values.suffixFilter);
    (values.picSize == 0 ? RbPicW : RbPicH)->setChecked(true);
    (values.fileAttr == 0 ? RbCreateTime : RbModifyTime)->setChecked(true);
    CmbPic->setCurrentIndex(values.cmbPic);
    EdtPic->setText(values.picSizeValue);
    CmbCondition->setCurrentIndex(values.cmbCondition);
    CmbUnit->setCurrentIndex(values.cmbUnit);
    EdtSize->setText(values.fileSize);
    if (values.dtDate) {
        DtDate->setDate(*values.dtDate);
    }
    if (values.dtTime) {
        DtTime->setTime(*values.dtTime);
    }
    CmbFileDate->setCurrentIndex(values.cmbFileDate);
    EdtKeys->setText(values.edtKeys);
}

SettingsValues TForm1::currentSettings() const {
    SettingsValues values;
    values.filter = EdtFilter->text();
    values.sameFile = RbOverwrite->isChecked() ? 1 : RbAsk->isChecked() ? 2 : RbRename->isChecked() ? 3 : 0;
    values.outDir = EdtOutDir->text();
    values.page = PageControl1->currentIndex();
    values.suffixFilter = typeList();
    values.picSize = RbPicW->isChecked() ? 0 : 1;
    values.cmbPic = CmbPic->currentIndex();
    values.picSizeValue = EdtPic->text();
    values.cmbCondition = CmbCondition->currentIndex();
    values.cmbUnit = CmbUnit->currentIndex();
    values.fileSize = EdtSize->text();
    values.edtKeys = EdtKeys->text();
    values.dtDate = DtDate->date();
    values.dtTime = DtTime->time();
    values.fileAttr = RbCreateTime->isChecked() ? 0 : 1;
    values.cmbFileDate = CmbFileDate->currentIndex();
    return values;
}

// Saves the choices; a file that cannot be written is reported, and the window closes all the same.
void TForm1::FormClose() {
    const Fs::Error error = SaveSettings(currentSettings());
    if (error.failed()) {
        ShowWarning(this, FileErrorMessage(FileTask::SaveSettings, SettingsFilePath(), error));
    }
}

int TForm1::fileCount() const {
    return m_files->size();
}

QByteArray TForm1::fileAt(int index) const {
    return m_files->at(index);
}

int TForm1::pageIndex() const {
    return PageControl1->currentIndex();
}

QString TForm1::keywordText() const {
    return EdtKeys->text();
}

NamePageFields TForm1::namePage() const {
    return {ChkFileNamePart->isChecked(), EdtPartNameBegin->text(), EdtPartNameEnd->text(), EdtFilter->text(),
            ChkOnlyMatchDir->isChecked()};
}

SizePageFields TForm1::sizePage() const {
    return {CmbCondition->currentIndex(), CmbCondition->currentText(), EdtSize->text(), CmbUnit->currentIndex(),
            CmbUnit->currentText()};
}

DatePageFields TForm1::datePage() const {
    return {RbCreateTime->isChecked(), CmbFileDate->currentIndex(), DtDate->date(), DtTime->time()};
}

ImagePageFields TForm1::imagePage() const {
    return {RbPicH->isChecked(), CmbPic->currentIndex(), CmbPic->currentText(), EdtPic->text()};
}

QString TForm1::outputFolder() const {
    return EdtOutDir->text();
}

void TForm1::setOutputFolder(const QString& folder) {
    EdtOutDir->setText(folder);
}

bool TForm1::moveMode() const {
    return RbMove->isChecked();
}

SameNamePolicy TForm1::sameNamePolicy() const {
    if (RbRename->isChecked()) {
        return SameNamePolicy::Rename;
    }
    if (RbAsk->isChecked()) {
        return SameNamePolicy::Ask;
    }
    if (RbSkip->isChecked()) {
        return SameNamePolicy::Skip;
    }
    return SameNamePolicy::Overwrite;
}

bool TForm1::askOverwrite(const QString& question) {
    return AskYesNo(this, question);
}

QStringList TForm1::typeList() const {
    QStringList entries;
    for (int row = 0; row < ListBox2->count(); ++row) {
        entries.append(ListBox2->item(row)->text());
    }
    return entries;
}

ExtensionFilterState TForm1::extensionFilter() const {
    ExtensionFilterState filter;
    filter.include = ChkInclude->isChecked();
    filter.exclude = ChkExclude->isChecked();
    filter.typeList = typeList();
    for (int row = 0; row < ChkLstPic->count(); ++row) {
        const QListWidgetItem* item = ChkLstPic->item(row);
        filter.pictureTypes.append({item->text(), item->checkState() == Qt::Checked});
    }
    return filter;
}

void TForm1::setRunLock(bool locked) {
    if (locked) {
        BtnCopy->setEnabled(false);
        PageControl1->setEnabled(false);
        Button3->setEnabled(false);
        EdtOutDir->setReadOnly(true);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
        BtnCopy->setEnabled(true);
        PageControl1->setEnabled(true);
        Button3->setEnabled(true);
        EdtOutDir->setReadOnly(false);
    }
    // The run walks the list by position, so nothing may change the list under it; export only reads it.
    for (QPushButton* listChanger : {Button1, Button5, Button2, Button6, BtnImpFileList}) {
        listChanger->setEnabled(!locked);
    }
    ListBox1->viewport()->setAcceptDrops(!locked);
}

void TForm1::setProgress(int percent) {
    ProgressBar1->setValue(percent);
}

void TForm1::processEvents() {
    QCoreApplication::processEvents();
}

void TForm1::repaintFileList() {
    ListBox1->viewport()->repaint();
}

void TForm1::showMessage(const QString& text) {
    ShowInformation(this, text);
}

void TForm1::showInputError(const InputError& error) {
    showMessage(error.message);
    if (QWidget* field = findChild<QWidget*>(error.field)) {
        field->setFocus();
    }
}

void TForm1::BtnCopyClick() {
    m_running = true;
    RunSort(*this);
    m_running = false;
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
    const QModelIndexList selected = ListBox1->selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        return;
    }
    m_files->removeAt(selected.first().row());
    ListBox1->clearSelection();
}

void TForm1::Button6Click() {
    m_files->clear();
}

void TForm1::BtnSaveFileListClick() {
    if (m_files->size() == 0) {
        showMessage(u"当前文件列表为空！"_s);
        return;
    }
    const QString fileName =
        QFileDialog::getSaveFileName(this, QString(), u"file.lst"_s, kListFileSaveFilter, nullptr,
                                     QFileDialog::DontConfirmOverwrite | QFileDialog::HideNameFilterDetails);
    if (fileName.isEmpty()) {
        return;
    }
    const Fs::Error error = ExportListFile(QFile::encodeName(fileName), *m_files);
    if (error.failed()) {
        showMessage(FileErrorMessage(FileTask::ExportList, fileName, error));
    }
}

void TForm1::BtnImpFileListClick() {
    const QString fileName = QFileDialog::getOpenFileName(this, QString(), QString(), kListFileFilter, nullptr,
                                                          QFileDialog::HideNameFilterDetails);
    if (fileName.isEmpty()) {
        return;
    }
    const Fs::Error error = ImportListFile(QFile::encodeName(fileName), *m_files);
    if (error.failed()) {
        showMessage(FileErrorMessage(FileTask::ImportList, fileName, error));
    }
}

// Dropped files are added as they come, without the uniqueness test; folders and missing paths are left out.
void TForm1::AddDroppedFiles(const QByteArray& uriList) {
    m_files->appendAll(KeepExistingFiles(LocalPathsFromUriList(uriList)));
}

bool TForm1::ListBox1DropEvent(QEvent* event) {
    auto* drag = static_cast<QDropEvent*>(event);
    if (m_running || !drag->mimeData()->hasFormat(u"text/uri-list"_s)) {
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
    m_scanning = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ScanChosenFolder(m_folderPicker->scanRequest(), *m_files, *this);
    QGuiApplication::restoreOverrideCursor();
    m_scanning = false;
    if (m_closeRequested) {
        close();
    }
}

void TForm1::PageControl1Change() {
    const int page = PageControl1->currentIndex();
    lblOption->setText(u"分拣方式："_s + PageControl1->tabText(page));
    const bool imagePage = page == 5;
    PnlOption->setVisible(!imagePage);
    PnlOption2->setVisible(imagePage);
}

void TForm1::Button3Click() {
    QString folder = QFileDialog::getExistingDirectory(this, u"请选择文件夹"_s, QDir::homePath());
    if (folder.isEmpty()) {
        return;
    }
    if (!folder.endsWith(u'/')) {
        folder += u'/';
    }
    EdtOutDir->setText(folder);
}

void TForm1::BtnAoutClick() {
    m_about->exec();
}

// At most one of the two filter modes is on, and the type list can be edited while one is.
void TForm1::ChkIncludeClick() {
    if (ChkInclude->isChecked()) {
        ChkExclude->setChecked(false);
    }
    enableTypeListButtons();
}

void TForm1::ChkExcludeClick() {
    if (ChkExclude->isChecked()) {
        ChkInclude->setChecked(false);
    }
    enableTypeListButtons();
}

void TForm1::enableTypeListButtons() {
    const bool filtering = ChkInclude->isChecked() || ChkExclude->isChecked();
    BtnAddSuffix->setEnabled(filtering);
    BtnDelSuffix->setEnabled(filtering);
}

void TForm1::BtnAddSuffixClick() {
    m_suffix->exec();
}

void TForm1::BtnDelSuffixClick() {
    qDeleteAll(ListBox2->selectedItems());
}

// Checking the range box fills in a start of 1 when both fields are empty and puts the focus where a number is
// missing; unchecking it empties both fields.
void TForm1::ChkFileNamePartClick() {
    if (!ChkFileNamePart->isChecked()) {
        EdtPartNameBegin->clear();
        EdtPartNameEnd->clear();
        return;
    }
    const bool beginEmpty = EdtPartNameBegin->text().isEmpty();
    const bool endEmpty = EdtPartNameEnd->text().isEmpty();
    if (beginEmpty && endEmpty) {
        EdtPartNameBegin->setText(u"1"_s);
        EdtPartNameEnd->setFocus();
    } else if (beginEmpty) {
        EdtPartNameBegin->setFocus();
    } else if (endEmpty) {
        EdtPartNameEnd->setFocus();
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
        if (watched == EdtSize) {
            return Edit1KeyPress(key);
        }
        if (watched == EdtPic) {
            return EdtPicKeyPress(key);
        }
        if (watched == EdtPartNameBegin || watched == EdtPartNameEnd) {
            return EdtPartNameBeginKeyPress(key);
        }
    } else if (watched == ListBox1->viewport() &&
               (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
                event->type() == QEvent::Drop)) {
        return ListBox1DropEvent(event);
    } else if (event->type() == QEvent::Resize && watched == ListBox2) {
        spreadTypeListColumns();
    }
    return QWidget::eventFilter(watched, event);
}

// The type list shows its entries in six columns, filled top to bottom.
void TForm1::spreadTypeListColumns() {
    const int rowHeight = ListBox2->fontMetrics().height() + 2;
    ListBox2->setGridSize(QSize(ListBox2->viewport()->width() / kTypeListColumns, rowHeight));
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (m_running || m_scanning) {
        // The run or scan ends first and then closes the window itself.
        m_closeRequested = true;
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}
