#pragma once

#include "engine/Placement.h"
#include "engine/RunReport.h"

#include <QByteArray>

#include <optional>

class RunHost;

// What a criterion's per-file step works with: the output folder and placement, and the record of what happened
// to the current file. It answers the same-name question itself once the user has answered it "to all".
class SortContext : private PlacementHost {
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
    bool failed() const { return m_firstFailure.failed(); }
    // Records a failure of the current file; the first one is the one reported.
    void noteFailure(const Fs::Error& error);
    // The outcome of the current file once its per-file step has placed it.
    RunOutcome outcome() const;
    // Why the current file failed, when it did.
    Fs::Error failure() const { return m_firstFailure; }

    // Records that a file's system keeps no creation time for it, so its modification time stood in.
    void noteBirthTimeFallback() { ++m_birthTimeFallbacks; }
    int birthTimeFallbacks() const { return m_birthTimeFallbacks; }

private:
    SameNamePolicy sameNamePolicy() const override;
    bool moveMode() const override;
    OverwriteAnswer askOverwrite(const OverwriteQuestion& question) override;

    RunHost& m_host;
    PlaceResult m_lastResult = PlaceResult::Declined;
    bool m_anyCopied = false;
    Fs::Error m_firstFailure;
    std::optional<OverwriteAnswer> m_answerToAll;
    int m_birthTimeFallbacks = 0;
};
