#pragma once

#include "core/FsFileCopy.h"

#include <functional>
#include <utility>

// Does something once, after the first chunk of a copy: a test changes the source there, as a user could while it
// is being read.
struct ActAfterFirstChunk : Fs::CopyHooks {
    mutable std::function<void()> act;
    void chunkCopied(qint64) const override {
        if (act) {
            std::exchange(act, nullptr)();
        }
    }
};
