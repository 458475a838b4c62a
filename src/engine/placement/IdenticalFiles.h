#pragma once

#include "core/FsContentHash.h"
#include "core/FsSameContent.h"

#include <QByteArray>
#include <QHash>
#include <QSet>

#include <optional>

// Whether incoming holds the same bytes as there, the file that holds its target name: false when either cannot be
// read, when both are one file (the placement's own checks refuse a file onto itself), or when either was written
// to while it was read; nothing when goOn stopped the comparison.
std::optional<bool> SameBytes(const Fs::RegularFile& incoming, const Fs::RegularFile& there, const Fs::GoOn& goOn = {});

// A file a plan compares: by its path, or, where folder is an open folder, as the name of path in that folder (a
// symbolic link at the name is not followed).
struct ComparedFile {
    QByteArray path;
    int folder = -1;
};

// The comparisons of a plan, which reads but never writes. Files of one size that meet at one name are compared
// byte for byte; once more than two of them have met there, each is hashed once (Fs::HashContent) and only files of
// equal hashes are compared, so that many files of one size at one name are each read about once. Equal hashes
// alone never decide.
class PlanComparisons {
public:
    // Whether incoming holds the bytes of there; name is the name both go to (before any auto-number).
    bool same(const QByteArray& name, const ComparedFile& incoming, const ComparedFile& there);

private:
    std::optional<Fs::ContentHash> hashOf(const ComparedFile& file);

    QHash<QByteArray, QSet<QByteArray>> m_met;                  // by name, NUL, size: the paths that met there
    QHash<QByteArray, std::optional<Fs::ContentHash>> m_hashes; // by path
};
