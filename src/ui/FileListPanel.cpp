#include "ui/FileListPanel.h"

#include "core/FileNames.h"
#include "core/TextBytes.h"
#include "filelist/DroppedFiles.h"
#include "filelist/FileListModel.h"
#include "filelist/ListFile.h"
#include "ui/FileErrorMessages.h"
#include "ui/FolderInFileManager.h"
#include "ui/MessageBoxes.h"
#include "ui/NameRowDelegate.h"
#include "ui/WindowScanHost.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
// The open and save dialogs show the file types as "*.*" and "*.lst"; Qt reads the mask from the parentheses.
const QString kAllFilesFilter = u"*.* (*)"_s;
const QString kListFileFilter = u"*.lst (*.lst)"_s;
const QString kUriList = u"text/uri-list"_s;
} // namespace

FileListPanel::FileListPanel(QWidget& window, const FileListControls& controls, FileListModel& files,
                             WindowScanHost& scanHost)
    : m_window(window), m_controls(controls), m_files(files), m_scanHost(scanHost), m_menu(new QMenu(&controls.list)),
      m_remove(new QAction(tr("移除文件"), &controls.list)), m_clear(new QAction(tr("清空列表"), &controls.list)),
      m_openFolder(new QAction(tr("打开所在文件夹"), &controls.list)) {
    m_controls.list.setModel(&m_files);
    m_controls.list.setItemDelegate(new NameRowDelegate(&m_controls.list));
    // The list control itself takes dropped files, not the whole window.
    m_controls.list.viewport()->setAcceptDrops(true);
    m_controls.list.viewport()->installEventFilter(this);

    m_menu->setObjectName(u"ListBox1Menu"_s);
    m_remove->setObjectName(u"ActRemoveFile"_s);
    m_clear->setObjectName(u"ActClearList"_s);
    m_openFolder->setObjectName(u"ActOpenFolder"_s);
    // The Delete key works while the list has the focus, as the menu shows.
    m_remove->setShortcut(QKeySequence::Delete);
    m_remove->setShortcutContext(Qt::WidgetShortcut);
    m_controls.list.addAction(m_remove);
    m_menu->addActions({m_remove, m_clear});
    m_menu->addSeparator();
    m_menu->addAction(m_openFolder);
    m_controls.list.setContextMenuPolicy(Qt::CustomContextMenu);

    connect(&m_controls.addFiles, &QPushButton::clicked, this, &FileListPanel::addFilesClicked);
    connect(&m_controls.removeFile, &QPushButton::clicked, this, &FileListPanel::removeFileClicked);
    connect(&m_controls.clearList, &QPushButton::clicked, this, &FileListPanel::clearListClicked);
    connect(&m_controls.exportList, &QPushButton::clicked, this, &FileListPanel::exportListClicked);
    connect(&m_controls.importList, &QPushButton::clicked, this, &FileListPanel::importListClicked);
    connect(&m_controls.list, &QWidget::customContextMenuRequested, this, &FileListPanel::contextMenuRequested);
    // Through the buttons' own click, so that a locked button also locks its entry and key.
    connect(m_remove, &QAction::triggered, &m_controls.removeFile, &QPushButton::click);
    connect(m_clear, &QAction::triggered, &m_controls.clearList, &QPushButton::click);
    connect(m_openFolder, &QAction::triggered, this, &FileListPanel::openContainingFolder);
    // The menu shows which entries apply now; the Delete key, the same action, decides when it is pressed.
    connect(m_menu, &QMenu::aboutToHide, this, [this] { m_remove->setEnabled(true); });
    for (auto rowsChanged : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(&m_files, rowsChanged, this, &FileListPanel::showFileCount);
    }
    connect(&m_files, &QAbstractItemModel::modelReset, this, &FileListPanel::showFileCount);
    showFileCount();
}

void FileListPanel::showFileCount() {
    m_controls.fileCount.setText(tr("共 %n 个文件", nullptr, m_files.size()));
}

void FileListPanel::addFilesClicked() {
    const QStringList chosen = QFileDialog::getOpenFileNames(&m_window, QString(), QString(), kAllFilesFilter, nullptr,
                                                             QFileDialog::HideNameFilterDetails);
    QByteArrayList staging;
    for (const QString& file : chosen) {
        staging.append(QFile::encodeName(file));
    }
    m_files.AppendUnique(staging);
}

void FileListPanel::removeFileClicked() {
    const QModelIndexList selected = m_controls.list.selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        return;
    }
    m_files.removeAt(selected.first().row());
    m_controls.list.clearSelection();
}

void FileListPanel::clearListClicked() {
    m_files.clear();
}

void FileListPanel::exportListClicked() {
    if (m_files.size() == 0) {
        ShowInformation(&m_window, tr("当前文件列表为空！"));
        return;
    }
    const QString fileName =
        QFileDialog::getSaveFileName(&m_window, QString(), u"file.lst"_s, tr("列表文件(*.lst) (*.lst)"), nullptr,
                                     QFileDialog::DontConfirmOverwrite | QFileDialog::HideNameFilterDetails);
    if (fileName.isEmpty()) {
        return;
    }
    const ListFileExport exported = ExportListFile(QFile::encodeName(fileName), m_files);
    if (exported.error.failed()) {
        ShowInformation(&m_window, FileErrorMessage(FileTask::ExportList, fileName, exported.error));
    } else if (exported.leftOut > 0) {
        ShowInformation(&m_window,
                        tr("有 %n 个文件的名称含有换行符，未写入列表，第一个是：\n%1", nullptr, int(exported.leftOut))
                            .arg(DisplayText(exported.firstLeftOut)));
    }
}

void FileListPanel::importListClicked() {
    const QString fileName = QFileDialog::getOpenFileName(&m_window, QString(), QString(), kListFileFilter, nullptr,
                                                          QFileDialog::HideNameFilterDetails);
    if (fileName.isEmpty()) {
        return;
    }
    const Fs::Error error = m_scanHost.importList(QFile::encodeName(fileName));
    if (error.failed()) {
        ShowInformation(&m_window, FileErrorMessage(FileTask::ImportList, fileName, error));
    }
    emit importEnded();
}

QByteArray FileListPanel::selectedPath() const {
    const QModelIndexList selected = m_controls.list.selectionModel()->selectedRows();
    return selected.isEmpty() ? QByteArray() : m_files.at(selected.first().row());
}

void FileListPanel::contextMenuRequested(const QPoint& position) {
    const bool selected = !selectedPath().isEmpty();
    m_remove->setEnabled(selected && m_controls.removeFile.isEnabled());
    m_clear->setEnabled(m_files.size() > 0 && m_controls.clearList.isEnabled());
    m_openFolder->setEnabled(selected);
    m_menu->popup(m_controls.list.viewport()->mapToGlobal(position));
}

void FileListPanel::openContainingFolder() {
    const QByteArray path = selectedPath();
    if (!path.isEmpty()) {
        OpenFolderInFileManager(&m_window, FolderOf(path));
    }
}

// Dropped files are added as they come, without the uniqueness test; folders and missing paths are left out.
bool FileListPanel::filesDragged(QDropEvent& drag) {
    if (!m_controls.list.viewport()->acceptDrops() || !drag.mimeData()->hasFormat(kUriList)) {
        drag.ignore();
        return true;
    }
    drag.acceptProposedAction();
    if (drag.type() == QEvent::Drop) {
        m_files.appendAll(KeepExistingFiles(LocalPathsFromUriList(drag.mimeData()->data(kUriList))));
    }
    return true;
}

bool FileListPanel::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove || event->type() == QEvent::Drop) &&
        watched == m_controls.list.viewport()) {
        return filesDragged(static_cast<QDropEvent&>(*event));
    }
    return QObject::eventFilter(watched, event);
}
