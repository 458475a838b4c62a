#include "filelist/FileListModel.h"

#include "core/TextBytes.h"

#include <QHashFunctions>

#include <sys/stat.h>

namespace {

quint32 hashOfKey(QByteArrayView key) {
    const size_t hash = qHash(key, 0);
    return quint32(hash ^ (quint64(hash) >> 32));
}

// A list entry can only be a non-empty path without NUL bytes.
bool canBeListed(QByteArrayView path) {
    return !path.isEmpty() && !path.contains('\0');
}

// Whether two paths equal ignoring case name different files. Only a pair that both exist and differ in device or
// inode does; a path that cannot be examined counts as naming the same file, so that nothing is listed twice.
bool differentFiles(QByteArrayView a, QByteArrayView b) {
    struct stat statA {};
    struct stat statB {};
    return ::stat(a.toByteArray().constData(), &statA) == 0 && ::stat(b.toByteArray().constData(), &statB) == 0 &&
           (statA.st_dev != statB.st_dev || statA.st_ino != statB.st_ino);
}

} // namespace

QByteArrayList FileListModel::paths() const {
    QByteArrayList all;
    all.reserve(size());
    for (int row = 0; row < size(); ++row) {
        all.append(at(row));
    }
    return all;
}

QByteArrayView FileListModel::pathOfRow(quint32 row) const {
    return row < m_rows.size() ? m_arena.view(m_rows[row]) : m_arena.view(m_staged[row - m_rows.size()]);
}

bool FileListModel::listed(QByteArrayView candidate, QByteArrayView key, quint32 hash) const {
    return m_index.anyOf(hash, [&](quint32 row) {
        const QByteArrayView path = pathOfRow(row);
        if (path == candidate) {
            return true;
        }
        return CaseFoldKey(path) == key && !differentFiles(path, candidate);
    });
}

void FileListModel::stage(QByteArrayView path, quint32 hash) {
    m_index.insert(hash, quint32(m_rows.size() + m_staged.size()));
    m_staged.push_back(m_arena.add(path));
}

void FileListModel::showStaged() {
    if (m_staged.empty()) {
        return;
    }
    beginInsertRows({}, size(), size() + int(m_staged.size()) - 1);
    m_rows.insert(m_rows.end(), m_staged.begin(), m_staged.end());
    m_staged.clear();
    endInsertRows();
}

void FileListModel::stageUnique(QByteArrayView candidate) {
    if (!canBeListed(candidate)) {
        return;
    }
    const QByteArray key = CaseFoldKey(candidate);
    const quint32 hash = hashOfKey(key);
    if (!listed(candidate, key, hash)) {
        stage(candidate, hash);
    }
}

void FileListModel::AppendUnique(const QByteArrayList& candidates) {
    for (const QByteArray& candidate : candidates) {
        stageUnique(candidate);
    }
    showStaged();
}

void FileListModel::appendAll(const QByteArrayList& paths) {
    for (const QByteArray& path : paths) {
        if (canBeListed(path)) {
            stage(path, hashOfKey(CaseFoldKey(path)));
        }
    }
    showStaged();
}

void FileListModel::removeAt(int row) {
    if (row < 0 || row >= size()) {
        return;
    }
    beginRemoveRows({}, row, row);
    // The removed path's bytes stay in the arena until the list is cleared; a row goes by one click at a time.
    m_index.remove(hashOfKey(CaseFoldKey(view(row))), quint32(row));
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void FileListModel::clear() {
    beginResetModel();
    m_rows.clear();
    m_staged.clear();
    m_rows.shrink_to_fit();
    m_arena.clear();
    m_index.clear();
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
