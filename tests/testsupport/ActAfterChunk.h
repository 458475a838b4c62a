#pragma once

#include "core/FsFileCopy.h"

#include <functional>
#include <utility>

// Does something once, after the first chunk of a copy that brings the bytes written to atLeast: a test changes the
// source there, as a user could while it is being read (the first chunk) or once it was read (its whole size).
struct ActAfterChunk : Fs::CopyHooks {
    mutable std::function<void()> act;
    qint64 atLeast = 1;
    void chunkCopied(qint64 written) const override {
        if (act && written >= atLeast) {
            std::exchange(act, nullptr)();
        }
    }
};
