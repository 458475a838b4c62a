#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QByteArrayList>
#include <QHash>

#include <vector>

// The file list: paths in the order they were added, kept as the bytes the file system gave. A hash index of
// case-folded keys, kept in step with the list, answers "is an equal entry ignoring case already there?" at once,
// so adding n paths to m entries costs O(n + m).
class FileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int size() const { return int(m_paths.size()); }
    const QByteArray& at(int row) const { return m_paths[size_t(row)]; }
    // Every entry, in list order.
    QByteArrayList paths() const { return QByteArrayList(m_paths.begin(), m_paths.end()); }

    // Appends each candidate in order unless an entry equal to it ignoring letter case is present by then, so the
    // first occurrence wins, also within the batch.
    void AppendUnique(const QByteArrayList& candidates);
    // Appends without the uniqueness test (dropped files).
    void appendAll(const QByteArrayList& paths);
    void removeAt(int row);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void appendRows(const QByteArrayList& paths);
    std::vector<QByteArray> m_paths;
    QHash<QByteArray, int> m_keyCounts; // case-fold key -> number of entries with that key
};
