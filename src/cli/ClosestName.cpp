#include "cli/ClosestName.h"

#include <QList>

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int kMostEdits = 2;
} // namespace

int EditDistance(QByteArrayView a, QByteArrayView b) {
    const QByteArray left = a.toByteArray().toLower();
    const QByteArray right = b.toByteArray().toLower();
    const qsizetype columns = right.size() + 1;
    // distances[i * columns + j]: the distance of the first i characters of left to the first j of right.
    QList<int> distances((left.size() + 1) * columns);
    const auto at = [&](qsizetype i, qsizetype j) -> int& { return distances[i * columns + j]; };
    for (qsizetype i = 0; i <= left.size(); ++i) {
        at(i, 0) = int(i);
    }
    for (qsizetype j = 0; j <= right.size(); ++j) {
        at(0, j) = int(j);
    }
    for (qsizetype i = 1; i <= left.size(); ++i) {
        for (qsizetype j = 1; j <= right.size(); ++j) {
            const int replace = left[i - 1] == right[j - 1] ? 0 : 1;
            at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + replace});
            if (i > 1 && j > 1 && left[i - 1] == right[j - 2] && left[i - 2] == right[j - 1]) {
                at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
            }
        }
    }
    return at(left.size(), right.size());
}

std::optional<QByteArray> ClosestName(QByteArrayView word, const QByteArrayList& names) {
    std::optional<QByteArray> closest;
    int closestDistance = kMostEdits + 1;
    for (const QByteArray& name : names) {
        // Words whose lengths differ by more than the edits allowed are never near: a long argument costs nothing.
        if (std::abs(word.size() - name.size()) > kMostEdits) {
            continue;
        }
        const int distance = EditDistance(word, name);
        if (distance < closestDistance) {
            closest = name;
            closestDistance = distance;
        }
    }
    return closest;
}
