#pragma once

#include "filelist/CaseKeyIndex.h"
#include "filelist/PathArena.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QByteArrayList>

#include <vector>

// The file list: paths in the order they were added, kept as the bytes the file system gave. The bytes lie in one
// arena and each row is a reference into it; a hash index of case-folded keys, kept in step with the rows, finds
// the entries equal to a candidate ignoring case at once, so adding n paths to m entries costs O(n + m) and a
// million entries cost little more than their bytes.
//
// No entry ever holds a NUL byte, nor is empty: no file has such a path, and the system would act on a shorter
// path than the one shown and filtered.
class FileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int size() const { return int(m_rows.size()); }
    QByteArray at(int row) const { return view(row).toByteArray(); }
    QByteArrayView view(int row) const { return m_arena.view(m_rows[size_t(row)]); }
    // Every entry, in list order.
    QByteArrayList paths() const;

    // Appends each candidate in order unless the list holds the same entry by then, so the first occurrence wins,
    // also within the batch. Two paths are the same entry when they are equal ignoring letter case and name the
    // same file (device and inode), or when they are equal byte for byte. Case twins are examined only when they
    // meet; one that cannot be examined counts as the same entry.
    void AppendUnique(const QByteArrayList& candidates);
    // Appends without the uniqueness test (dropped files).
    void appendAll(const QByteArrayList& paths);

    // AppendUnique in two steps, for work that gathers many paths: stageUnique takes a candidate into the list at
    // once, as far as uniqueness is concerned, and showStaged makes the staged entries rows of the list, all in one
    // insertion that the view lays out once. Until then size() and the rows leave them out.
    void stageUnique(QByteArrayView candidate);
    qsizetype stagedCount() const { return qsizetype(m_staged.size()); }
    void showStaged();

    void removeAt(int row);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    // The rows of the batch being appended follow the listed ones until the batch is shown.
    QByteArrayView pathOfRow(quint32 row) const;
    bool listed(QByteArrayView candidate, QByteArrayView key, quint32 hash) const;
    void stage(QByteArrayView path, quint32 hash);

    PathArena m_arena;
    std::vector<PathArena::Ref> m_rows;
    std::vector<PathArena::Ref> m_staged;
    CaseKeyIndex m_index;
};
