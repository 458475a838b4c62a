#pragma once

#include <chrono>

// The window a folder scan or a list import runs in. Both run on the user-interface thread and keep the window
// responsive through it.
class ScanHost {
public:
    virtual ~ScanHost() = default;
    // Processes pending window events: asked for once per time slice (15 ms) while paths are being gathered.
    virtual void processEvents() = 0;
    // Called after each time slice of a whole-tree scan, so that what it added so far shows at once.
    virtual void repaintFileList() = 0;
    // True once the window is closing: the work stops at once, keeping what it added.
    virtual bool stopRequested() const = 0;
};

// How long a scan or an import works between two rounds of event processing.
constexpr std::chrono::milliseconds kScanTimeSlice{15};
