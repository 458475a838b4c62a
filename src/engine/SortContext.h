#pragma once

#include "engine/FilePlacements.h"
#include "engine/RunInputs.h"
#include "engine/placement/Placement.h"

#include <QByteArray>
#include <QByteArrayList>

#include <optional>
#include <utility>

class PlacementActions;
class RunHost;

// What a criterion's per-file step works with: the run's inputs, the output folder, the folders and placements
// (through the run's placement actions, on the disk or into a plan), and the record of what happened to the current
// file. It answers the same-name question itself once the user has answered it "to all".
class SortContext : private PlacementHost {
public:
    // inputs: as the run read them at its start. The run's output folder is that of actions. followsHost: the
    // choices the host leaves open are read again during the run (false for a saved sort of a chain, which keeps its
    // own).
    SortContext(RunHost& host, RunInputs inputs, PlacementActions& actions, bool followsHost = true);

    // The run's inputs, with copy or move, the same-name policy and the filter as last read from the host.
    const RunInputs& inputs() const { return m_inputs; }
    // Reads again what the host leaves open during a run (see RunHost::runInputs), after it processed events.
    void rereadOpenChoices();

    // The run's output folder as file-system bytes, ending in '/'.
    const QByteArray& outputFolder() const;

    // True when folder is a folder, as the run sees it.
    bool reachesFolder(const QByteArray& folder) const;
    // Makes folder with every missing folder above it, unless a folder is already there; a failure is
    // not reported (the placement that follows fails).
    void ensureFolder(const QByteArray& folder);

    // Places source into destFolder (PlaceFile). Only the file's last placement may move it; a criterion that
    // places a file more than once says which placements come before the last.
    void place(const QByteArray& source, const QByteArray& destFolder, bool lastPlacement = true);

    // Starts the record of a new file.
    void beginFile();
    // What became of the current file's placements so far, taken: the record starts anew.
    FilePlacements takeFile() { return std::exchange(m_file, {}); }

    // Records that a file's system keeps no creation time for it, so its modification time stood in.
    void noteBirthTimeFallback() { ++m_birthTimeFallbacks; }
    int birthTimeFallbacks() const { return m_birthTimeFallbacks; }
    // Records that source records no taken date, so its modification time stood in.
    void noteTakenDateFallback(const QByteArray& source) { m_takenDateFallbacks.append(source); }
    const QByteArrayList& takenDateFallbacks() const { return m_takenDateFallbacks; }

private:
    SameNamePolicy sameNamePolicy() const override;
    bool skipIdentical() const override;
    bool keepComparing() override;
    bool moveMode() const override;
    OverwriteAnswer askOverwrite(const OverwriteQuestion& question) override;

    RunHost& m_host;
    RunInputs m_inputs;
    PlacementActions& m_actions;
    bool m_followsHost = true;
    FilePlacements m_file;
    std::optional<OverwriteAnswer> m_answerToAll;
    int m_birthTimeFallbacks = 0;
    QByteArrayList m_takenDateFallbacks;
};
