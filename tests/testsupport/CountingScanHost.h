#pragma once

#include "filelist/ScanHost.h"

// A folder scan's or list import's window as counters: what the work asked of it, and a close that comes after a
// number of event rounds.
struct CountingScanHost : ScanHost {
    void processEvents() override { ++eventPumps; }
    void repaintFileList() override { ++repaints; }
    bool stopRequested() const override { return stopAfterPumps > 0 && eventPumps >= stopAfterPumps; }

    int eventPumps = 0;
    int repaints = 0;
    int stopAfterPumps = 0; // 0: never
};
