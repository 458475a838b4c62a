// The keyword split and the keyword search in a file's stem.

#include "FuzzInput.h"
#include "engine/criteria/KeywordCriterion.h"

#include <algorithm>

namespace {

char upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool containsFolded(const QByteArray& stem, const QByteArray& keyword) {
    const auto equalFolded = [](char a, char b) { return upper(a) == upper(b); };
    return std::search(stem.begin(), stem.end(), keyword.begin(), keyword.end(), equalFolded) != stem.end();
}

} // namespace

// Input: the stem, NUL, the keyword text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QByteArray stem = input.takePiece();
    const QByteArray text = input.takeRest();

    const QByteArrayList keywords = SplitKeywords(text);
    FUZZ_CHECK(keywords.size() == text.count(' ') + 1);
    FUZZ_CHECK(keywords.join(' ') == text);
    for (const QByteArray& keyword : keywords) {
        FUZZ_CHECK(!keyword.contains(' '));
        FUZZ_CHECK(StemContainsKeyword(stem, keyword) == (!keyword.isEmpty() && containsFolded(stem, keyword)));
    }
    return 0;
}
