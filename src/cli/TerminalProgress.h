#pragma once

#include <QElapsedTimer>

// The progress of a run on a terminal: one line on standard error, redrawn in place, with the files dealt with, the
// rate and the time left. It draws nothing unless standard error is a terminal.
class TerminalProgress {
public:
    explicit TerminalProgress(bool wanted);
    // done of total files dealt with; redraws at most ten times a second.
    void show(int done, int total);
    // Removes the line, so that what follows starts on a clean line.
    void clear();

private:
    bool m_enabled;
    bool m_drawn = false;
    QElapsedTimer m_sinceStart;
    QElapsedTimer m_sinceDraw;
};
