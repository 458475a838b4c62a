#include "filelist/FileListModel.h"

#include "core/TextBytes.h"

void FileListModel::AppendUnique(const QByteArrayList& candidates) {
    QByteArrayList fresh;
    for (const QByteArray& candidate : candidates) {
        // Counting the key at once also makes a later candidate with the same key, in this batch, a duplicate.
        int& count = m_keyCounts[CaseFoldKey(candidate)];
        if (count == 0) {
            count = 1;
            fresh.append(candidate);
        }
    }
    appendRows(fresh);
}

void FileListModel::appendAll(const QByteArrayList& paths) {
    for (const QByteArray& path : paths) {
        ++m_keyCounts[CaseFoldKey(path)];
    }
    appendRows(paths);
}

// Appends paths whose keys are already counted.
void FileListModel::appendRows(const QByteArrayList& paths) {
    if (paths.isEmpty()) {
        return;
    }
    beginInsertRows({}, size(), size() + int(paths.size()) - 1);
    // No reserve: the vector's own growth keeps many small batches linear in time.
    m_paths.insert(m_paths.end(), paths.begin(), paths.end());
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
