#include "ui/FolderPickerDialog.h"

#include "ui/KeyFilter.h"

#include "ui_FolderPickerDialog.h"

#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
const QString kRootFolder = u"/"_s;
}

FolderPickerDialog::FolderPickerDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::FolderPickerDialog>()) {
    m_ui->setupUi(this);
    setUpControls();
    loadFolderTree();
    // The first showing opens at the home folder.
    selectFolder(QDir::homePath());
}

FolderPickerDialog::~FolderPickerDialog() = default;

// What the form design cannot say: the window frame, the buttons' icons, the filters and the signals.
void FolderPickerDialog::setUpControls() {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_ui->ShellTreeView1->installEventFilter(this);
    m_ui->ShellTreeView1->viewport()->installEventFilter(this);
    // Typed text passes the key filter; an input method would bypass it.
    for (QWidget* levelBox :
         {static_cast<QWidget*>(m_ui->ComboBox1), static_cast<QWidget*>(m_ui->ComboBox1->lineEdit())}) {
        levelBox->setAttribute(Qt::WA_InputMethodEnabled, false);
        levelBox->installEventFilter(this);
    }
    auto* completer = new QCompleter(this);
    auto* completions = new QFileSystemModel(completer);
    completions->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    completions->setRootPath(kRootFolder);
    completer->setModel(completions);
    pathField().setCompleter(completer);
    pathField().installEventFilter(this);
    setUpPlaces();
    m_ui->BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    m_ui->BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));

    connect(m_ui->ChkOtHidden, &QCheckBox::toggled, this, &FolderPickerDialog::hideHiddenToggled);
    // toggled also fires when a box is unchecked from code, which the exclusion of the two boxes relies on.
    connect(m_ui->CheckBox1, &QCheckBox::toggled, this, &FolderPickerDialog::wholeTreeToggled);
    connect(m_ui->CheckBox2, &QCheckBox::toggled, this, &FolderPickerDialog::depthLimitToggled);
    connect(m_ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

QTreeView& FolderPickerDialog::folderTree() const {
    return *m_ui->ShellTreeView1;
}

QCheckBox& FolderPickerDialog::hideHiddenFolders() const {
    return *m_ui->ChkOtHidden;
}

QCheckBox& FolderPickerDialog::wholeTree() const {
    return *m_ui->CheckBox1;
}

QCheckBox& FolderPickerDialog::depthLimit() const {
    return *m_ui->CheckBox2;
}

QComboBox& FolderPickerDialog::levels() const {
    return *m_ui->ComboBox1;
}

QLineEdit& FolderPickerDialog::pathField() const {
    return *m_ui->EdtPickerPath;
}

namespace {

// The shortcuts' folders, the home folder first.
constexpr QStandardPaths::StandardLocation kPlaces[] = {
    QStandardPaths::HomeLocation, QStandardPaths::DownloadLocation, QStandardPaths::PicturesLocation,
    QStandardPaths::DocumentsLocation, QStandardPaths::DesktopLocation};

} // namespace

QList<QToolButton*> FolderPickerDialog::placeButtons() const {
    return {m_ui->BtnPlaceHome, m_ui->BtnPlaceDownloads, m_ui->BtnPlacePictures, m_ui->BtnPlaceDocuments,
            m_ui->BtnPlaceDesktop};
}

void FolderPickerDialog::setUpPlaces() {
    const QList<QToolButton*> buttons = placeButtons();
    for (qsizetype place = 0; place < buttons.size(); ++place) {
        connect(buttons[place], &QToolButton::clicked, this, [this, place] {
            selectFolder(QStandardPaths::writableLocation(kPlaces[place]));
            folderTree().setFocus();
        });
    }
}

void FolderPickerDialog::showPlaces() {
    const QList<QToolButton*> buttons = placeButtons();
    for (qsizetype place = 0; place < buttons.size(); ++place) {
        const QString folder = QStandardPaths::writableLocation(kPlaces[place]);
        // Where a standard folder is not set up, the home folder stands for it: that one has its own shortcut.
        const bool own = place == 0 || folder != QDir::homePath();
        buttons[place]->setVisible(own && QFileInfo(folder).isDir());
        buttons[place]->setToolTip(folder);
    }
}

bool FolderPickerDialog::goToTypedFolder() {
    // A path is taken as from the home folder, "~" standing for it, as in a shell.
    QString text = pathField().text();
    if (text == u"~"_s || text.startsWith(u"~/"_s)) {
        text = QDir::homePath() + text.mid(1);
    }
    const QString typed = QDir::cleanPath(QDir::home().absoluteFilePath(text));
    if (!QFileInfo(typed).isDir()) {
        return false;
    }
    selectFolder(typed);
    return true;
}

void FolderPickerDialog::selectedFolderChanged() {
    if (!pathField().hasFocus()) {
        pathField().setText(selectedFolderText());
    }
}

void FolderPickerDialog::loadFolderTree() {
    auto* folders = new QFileSystemModel(this);
    folders->setFilter(QDir::Dirs | QDir::NoDotAndDotDot |
                       (hideHiddenFolders().isChecked() ? QDir::Filters() : QDir::Hidden));
    folders->setRootPath(kRootFolder);
    QTreeView& tree = folderTree();
    QItemSelectionModel* oldSelection = tree.selectionModel();
    tree.setModel(folders);
    delete oldSelection;
    delete m_folders;
    m_folders = folders;
    for (int column = 1; column < folders->columnCount(); ++column) {
        tree.hideColumn(column);
    }
    tree.expand(folders->index(kRootFolder));
    connect(tree.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FolderPickerDialog::selectedFolderChanged);
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
        QTreeView& tree = folderTree();
        tree.setCurrentIndex(folder);
        tree.expand(folder);
        tree.scrollTo(folder, QAbstractItemView::PositionAtCenter);
    }
}

void FolderPickerDialog::keepSelectionInView() {
    QTreeView& tree = folderTree();
    if (m_keepSelectionInView && tree.currentIndex().isValid()) {
        tree.scrollTo(tree.currentIndex(), QAbstractItemView::PositionAtCenter);
    }
}

QString FolderPickerDialog::selectedFolderText() const {
    const QModelIndexList selected = folderTree().selectionModel()->selectedRows();
    return selected.isEmpty() ? QString() : m_folders->filePath(selected.front());
}

// The tree offers only folders whose names it can read back as text (it leaves out names that are not valid
// UTF-8), so encoding the text gives the folder's bytes.
QByteArray FolderPickerDialog::selectedFolder() const {
    return QFile::encodeName(selectedFolderText());
}

bool FolderPickerDialog::wholeTreeChecked() const {
    return wholeTree().isChecked();
}

bool FolderPickerDialog::depthLimitedChecked() const {
    return depthLimit().isChecked();
}

QString FolderPickerDialog::levelText() const {
    return levels().currentText();
}

FolderScanRequest FolderPickerDialog::scanRequest() const {
    return {selectedFolder(), wholeTreeChecked(), depthLimitedChecked(), levelText()};
}

void FolderPickerDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    showPlaces();
    reloadTree();
}

void FolderPickerDialog::reloadTree() {
    const QString selected = selectedFolderText();
    loadFolderTree();
    if (!selected.isEmpty()) {
        selectFolder(selected);
    }
    m_keepSelectionInView = true;
    folderTree().setFocus();
}

void FolderPickerDialog::hideHiddenToggled() {
    QDir::Filters filter = m_folders->filter();
    filter.setFlag(QDir::Hidden, !hideHiddenFolders().isChecked());
    m_folders->setFilter(filter);
}

void FolderPickerDialog::wholeTreeToggled() {
    if (wholeTree().isChecked()) {
        depthLimit().setChecked(false);
    }
}

void FolderPickerDialog::depthLimitToggled() {
    if (depthLimit().isChecked()) {
        wholeTree().setChecked(false);
    }
    levels().setEnabled(depthLimit().isChecked());
}

bool FolderPickerDialog::levelKeyPressed(const QKeyEvent& event) const {
    return TypesCharacterOutside(event, u"0123456789");
}

bool FolderPickerDialog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    QTreeView& tree = folderTree();
    if ((watched == &tree || watched == tree.viewport()) &&
        (type == QEvent::MouseButtonPress || type == QEvent::Wheel || type == QEvent::KeyPress)) {
        m_keepSelectionInView = false;
    }
    if (type == QEvent::KeyPress && watched == &pathField()) {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        // Enter goes to the typed folder; it does not close the picker, which the default button would.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (!goToTypedFolder()) {
                QApplication::beep();
            }
            return true;
        }
    }
    if (type == QEvent::KeyPress && (watched == &levels() || watched == levels().lineEdit())) {
        return levelKeyPressed(static_cast<const QKeyEvent&>(*event));
    }
    return QDialog::eventFilter(watched, event);
}
