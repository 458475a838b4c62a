#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <optional>

// The edit distance of two words: how many characters must be inserted, deleted, replaced or swapped with their
// neighbour to turn one into the other (swaps of two neighbours count once, as a typist makes them). ASCII letters
// compare without regard to case.
int EditDistance(QByteArrayView a, QByteArrayView b);

// The name among names that word is most likely a mistyping of: the nearest one by EditDistance when it is at most
// two edits away, the first of them on a tie; nothing when none is that near.
std::optional<QByteArray> ClosestName(QByteArrayView word, const QByteArrayList& names);
