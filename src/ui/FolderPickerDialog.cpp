#include "ui/FolderPickerDialog.h"

#include "ui/KeyFilter.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>

using namespace Qt::StringLiterals;

namespace {
const QString kRootFolder = u"/"_s;
}

FolderPickerDialog::FolderPickerDialog(QWidget* parent)
    : QDialog(parent), ShellTreeView1(new QTreeView(this)), ChkOtHidden(new QCheckBox(tr("不显示隐藏的文件夹"), this)),
      CheckBox1(new QCheckBox(tr("添加包括选定文件夹下的所有子文件夹中的文件"), this)),
      CheckBox2(new QCheckBox(tr("添加包括选定文件夹下"), this)), ComboBox1(new QComboBox(this)),
      Label1(new QLabel(tr("级子目录中所有文件"), this)), BitBtn1(new QPushButton(tr("确定"), this)),
      BitBtn2(new QPushButton(tr("取消"), this)) {
    setObjectName(u"TForm3"_s);
    setWindowTitle(tr("选择要添加的目录（文件夹）"));
    setUpControls();
    loadFolderTree();
    // The first showing opens at the home folder.
    selectFolder(QDir::homePath());
}

void FolderPickerDialog::setUpControls() {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    ShellTreeView1->setObjectName(u"ShellTreeView1"_s);
    ShellTreeView1->setHeaderHidden(true);
    ShellTreeView1->setRootIsDecorated(false);
    ShellTreeView1->installEventFilter(this);
    ShellTreeView1->viewport()->installEventFilter(this);
    ShellTreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ChkOtHidden->setObjectName(u"ChkOtHidden"_s);
    ChkOtHidden->setChecked(true);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    CheckBox2->setObjectName(u"CheckBox2"_s);
    ComboBox1->setObjectName(u"ComboBox1"_s);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->addItems({u"1"_s, u"2"_s, u"3"_s});
    ComboBox1->setCurrentText(u"1"_s);
    ComboBox1->setEnabled(false);
    // Typed text passes the key filter; an input method would bypass it.
    for (QWidget* levelBox : {static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(ComboBox1->lineEdit())}) {
        levelBox->setAttribute(Qt::WA_InputMethodEnabled, false);
        levelBox->installEventFilter(this);
    }
    Label1->setObjectName(u"Label1"_s);
    BitBtn1->setObjectName(u"BitBtn1"_s);
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setDefault(true);
    BitBtn2->setObjectName(u"BitBtn2"_s);
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    auto* levelRow = new QHBoxLayout;
    levelRow->setSpacing(2);
    levelRow->addWidget(CheckBox2);
    levelRow->addWidget(ComboBox1);
    levelRow->addWidget(Label1);
    levelRow->addStretch();
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(BitBtn1);
    buttonRow->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 8);
    layout->addWidget(ShellTreeView1, 1);
    layout->addWidget(ChkOtHidden);
    layout->addWidget(CheckBox1);
    layout->addLayout(levelRow);
    layout->addLayout(buttonRow);
    setFixedSize(409, 416);

    connect(ChkOtHidden, &QCheckBox::toggled, this, &FolderPickerDialog::ChkOtHiddenClick);
    // toggled also fires when a box is unchecked from code, which the exclusion of the two boxes relies on.
    connect(CheckBox1, &QCheckBox::toggled, this, &FolderPickerDialog::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &FolderPickerDialog::CheckBox2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void FolderPickerDialog::loadFolderTree() {
    auto* folders = new QFileSystemModel(this);
    folders->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | (ChkOtHidden->isChecked() ? QDir::Filters() : QDir::Hidden));
    folders->setRootPath(kRootFolder);
    QItemSelectionModel* oldSelection = ShellTreeView1->selectionModel();
    ShellTreeView1->setModel(folders);
    delete oldSelection;
    delete m_folders;
    m_folders = folders;
    for (int column = 1; column < folders->columnCount(); ++column) {
        ShellTreeView1->hideColumn(column);
    }
    ShellTreeView1->expand(folders->index(kRootFolder));
    // The model reads and sorts folders in the background: rows that come in or move above the selected folder
    // push it out of view, so the tree scrolls to it again until the user takes over.
    connect(folders, &QFileSystemModel::rowsInserted, this, &FolderPickerDialog::keepSelectionInView);
    connect(folders, &QFileSystemModel::layoutChanged, this, &FolderPickerDialog::keepSelectionInView);
}

// Selects the folder at path and shows it: its parents and the folder itself expanded, the folder in the middle of
// the tree.
void FolderPickerDialog::selectFolder(const QString& path) {
    const QModelIndex folder = m_folders->index(path);
    if (folder.isValid()) {
        ShellTreeView1->setCurrentIndex(folder);
        ShellTreeView1->expand(folder);
        ShellTreeView1->scrollTo(folder, QAbstractItemView::PositionAtCenter);
    }
}

void FolderPickerDialog::keepSelectionInView() {
    if (m_keepSelectionInView && ShellTreeView1->currentIndex().isValid()) {
        ShellTreeView1->scrollTo(ShellTreeView1->currentIndex(), QAbstractItemView::PositionAtCenter);
    }
}

QString FolderPickerDialog::selectedFolderText() const {
    const QModelIndexList selected = ShellTreeView1->selectionModel()->selectedRows();
    return selected.isEmpty() ? QString() : m_folders->filePath(selected.front());
}

// The tree offers only folders whose names it can read back as text (it leaves out names that are not valid
// UTF-8), so encoding the text gives the folder's bytes.
QByteArray FolderPickerDialog::selectedFolder() const {
    return QFile::encodeName(selectedFolderText());
}

bool FolderPickerDialog::wholeTreeChecked() const {
    return CheckBox1->isChecked();
}

bool FolderPickerDialog::depthLimitedChecked() const {
    return CheckBox2->isChecked();
}

QString FolderPickerDialog::levelText() const {
    return ComboBox1->currentText();
}

FolderScanRequest FolderPickerDialog::scanRequest() const {
    return {selectedFolder(), wholeTreeChecked(), depthLimitedChecked(), levelText()};
}

void FolderPickerDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

// Folders made or removed since the last showing appear correctly: the tree is read again, and the selection
// kept.
void FolderPickerDialog::FormShow() {
    const QString selected = selectedFolderText();
    loadFolderTree();
    if (!selected.isEmpty()) {
        selectFolder(selected);
    }
    m_keepSelectionInView = true;
    ShellTreeView1->setFocus();
}

void FolderPickerDialog::ChkOtHiddenClick() {
    QDir::Filters filter = m_folders->filter();
    filter.setFlag(QDir::Hidden, !ChkOtHidden->isChecked());
    m_folders->setFilter(filter);
}

void FolderPickerDialog::CheckBox1Click() {
    if (CheckBox1->isChecked()) {
        CheckBox2->setChecked(false);
    }
}

void FolderPickerDialog::CheckBox2Click() {
    if (CheckBox2->isChecked()) {
        CheckBox1->setChecked(false);
    }
    ComboBox1->setEnabled(CheckBox2->isChecked());
}

bool FolderPickerDialog::ComboBox1KeyPress(const QKeyEvent& event) const {
    return TypesCharacterOutside(event, u"0123456789");
}

bool FolderPickerDialog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((watched == ShellTreeView1 || watched == ShellTreeView1->viewport()) &&
        (type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::KeyPress)) {
        m_keepSelectionInView = false;
    }
    if (event->type() == QEvent::KeyPress && (watched == ComboBox1 || watched == ComboBox1->lineEdit())) {
        return ComboBox1KeyPress(static_cast<const QKeyEvent&>(*event));
    }
    return QDialog::eventFilter(watched, event);
}
