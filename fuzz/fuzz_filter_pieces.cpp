// Cutting the filter pieces out of a name.

#include "FuzzInput.h"
#include "engine/criteria/NameCriterion.h"

namespace {

// True when every byte of part occurs in whole, in the same order.
bool isSubsequence(const QByteArray& part, const QByteArray& whole) {
    qsizetype at = 0;
    for (const char c : whole) {
        if (at < part.size() && part[at] == c) {
            ++at;
        }
    }
    return at == part.size();
}

// How often piece occurs in text, counting from the left without overlaps.
qsizetype separateOccurrences(const QByteArray& text, const QByteArray& piece) {
    qsizetype count = 0;
    for (qsizetype at = text.indexOf(piece); at >= 0; at = text.indexOf(piece, at + piece.size())) {
        ++count;
    }
    return count;
}

} // namespace

// Input: the name, NUL, the filter text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QByteArray name = input.takePiece();
    const QByteArray filter = input.takeRest();

    const QByteArray result = RemoveFilterPieces(name, filter);
    // Cutting only ever takes bytes away.
    FUZZ_CHECK(isSubsequence(result, name));

    const qsizetype star = filter.indexOf('*');
    if (star < 0) {
        const qsizetype cuts = filter.isEmpty() ? 0 : separateOccurrences(name, filter);
        FUZZ_CHECK(result.size() == name.size() - cuts * filter.size());
    } else {
        // The pieces apply one after the other.
        const QByteArray first = RemoveFilterPieces(name, filter.left(star));
        FUZZ_CHECK(result == RemoveFilterPieces(first, filter.mid(star + 1)));
    }
    return 0;
}
