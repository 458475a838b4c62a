#pragma once

#include "engine/Placement.h"

#include <QByteArray>

class RunHost;

// What a criterion's per-file step works with: the output folder and placement, and the record of what happened
// to the current file.
class SortContext {
public:
    explicit SortContext(RunHost& host);

    // The output folder as it stands now, as file-system bytes; during a run it ends in '/'.
    QByteArray outputFolder() const;

    // Places source into destFolder (PlaceFile) and keeps the result as the file's copy outcome.
    void place(const QByteArray& source, const QByteArray& destFolder);

    // Starts the record of a new file.
    void beginFile();
    // The copy outcome: true when the file's last placement made its copy.
    bool copied() const { return m_lastResult == PlaceResult::Copied; }
    // True when a copy or the deletion of the current file failed (a same-name refusal is not a failure).
    bool failed() const { return m_failed; }
    void noteFailure() { m_failed = true; }

private:
    RunHost& m_host;
    PlaceResult m_lastResult = PlaceResult::Declined;
    bool m_failed = false;
};
