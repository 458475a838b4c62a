#include "FileListModel.h"

#include "TextBytes.h"

bool FileListModel::containsIgnoringCase(const QByteArray& path) const {
    return m_keyCounts.contains(CaseFoldKey(path));
}

void FileListModel::AppendUnique(const QByteArrayList& candidates) {
    QByteArrayList fresh;
    QSet<QByteArray> batchKeys;
    for (const QByteArray& candidate : candidates) {
        const QByteArray key = CaseFoldKey(candidate);
        if (!m_keyCounts.contains(key) && !batchKeys.contains(key)) {
            batchKeys.insert(key);
            fresh.append(candidate);
        }
    }
    appendRows(fresh);
}

void FileListModel::appendAll(const QByteArrayList& paths) {
    appendRows(paths);
}

void FileListModel::appendRows(const QByteArrayList& paths) {
    if (paths.isEmpty()) {
        return;
    }
    beginInsertRows({}, size(), size() + int(paths.size()) - 1);
    m_paths.reserve(m_paths.size() + size_t(paths.size()));
    for (const QByteArray& path : paths) {
        m_paths.push_back(path);
        ++m_keyCounts[CaseFoldKey(path)];
    }
    endInsertRows();
}

void FileListModel::removeAt(int row) {
    if (row < 0 || row >= size()) {
        return;
    }
    beginRemoveRows({}, row, row);
    const QByteArray key = CaseFoldKey(m_paths[size_t(row)]);
    if (--m_keyCounts[key] == 0) {
        m_keyCounts.remove(key);
    }
    m_paths.erase(m_paths.begin() + row);
    endRemoveRows();
}

void FileListModel::clear() {
    beginResetModel();
    m_paths.clear();
    m_keyCounts.clear();
    endResetModel();
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : size();
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= size() || role != Qt::DisplayRole) {
        return {};
    }
    return DisplayText(at(index.row()));
}
