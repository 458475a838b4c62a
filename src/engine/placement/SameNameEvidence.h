#pragma once

#include "core/FsSameContent.h"

#include <QByteArray>

#include <optional>
#include <sys/stat.h>

// Files larger than this are not compared byte for byte before the same-name question: reading two of them would
// keep the user waiting longer than the answer is worth.
inline constexpr qint64 kLargestComparedFile = qint64(256) << 20;

// What the user needs to know to answer the same-name question: the file already there and the new one (nothing
// where one cannot be looked up), and whether their contents are the same.
struct SameNameEvidence {
    enum class Contents {
        NotCompared, // the sizes differ, or a file cannot be read
        TooLarge,    // the same size, above kLargestComparedFile: not compared
        Same,
        Different,
    };
    std::optional<struct stat> existing;
    std::optional<struct stat> incoming;
    Contents contents = Contents::NotCompared;
};

// Gathers the evidence on the file at existing and the new file incoming. Their contents are compared only when the
// sizes are equal and at most kLargestComparedFile, in chunks with goOn called between two (see Fs::CompareContent).
SameNameEvidence GatherSameNameEvidence(const QByteArray& existing, const QByteArray& incoming, const Fs::GoOn& goOn);
