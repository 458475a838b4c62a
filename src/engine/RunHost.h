#pragma once

#include "engine/ActionRecorder.h"
#include "engine/RunInputs.h"
#include "engine/RunReport.h"
#include "engine/SortPlan.h"
#include "engine/criteria/Criterion.h"
#include "engine/placement/Placement.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

namespace Fs {
class CopyHooks;
}

// A host's answer when a run is about to start recording.
struct RecordingStart {
    bool proceed = true;                      // false: the run ends here, before it touched anything
    std::unique_ptr<ActionRecorder> recorder; // takes down the run's actions; nullptr: the run keeps no record
};

// One saved sort of a chain: its name (UTF-8) and the inputs it sorts with.
struct ChainedInputs {
    QByteArray name;
    RunInputs inputs;
};

// The window a sort run works in: its inputs, and what changes or acts while the run goes on.
class RunHost {
public:
    virtual ~RunHost() = default;

    // The run's inputs as they stand now. A run or a plan reads them once, when it starts. The window locks the page
    // and the output folder during a run, but leaves copy or move, the same-name policy and the filter open: a run
    // reads those three again each time the host processed events (processEvents(), the same-name question), so that
    // what the user changes there applies from the next file or placement on.
    virtual RunInputs runInputs() const = 0;
    // The saved sorts a run applies in order, when it applies several: each file goes with the first whose filter
    // and criterion it passes. They stay as read at the start; runInputs() then stands for nothing but the first.
    // Empty by default: the run sorts with runInputs() alone.
    virtual QList<ChainedInputs> chainedInputs() const { return {}; }

    // The file list.
    virtual int fileCount() const = 0;
    virtual QByteArray fileAt(int index) const = 0;

    // Writes back the output folder as the run normalised it (with a '/' at its end), where the host shows it.
    // Nothing by default.
    virtual void setOutputFolder(const QString& folder) { Q_UNUSED(folder); }

    // Shows the same-name question and waits for the answer.
    virtual OverwriteAnswer askOverwrite(const OverwriteQuestion& question) = 0;

    // Locks or unlocks the controls that must not change during a run and shows the busy cursor.
    virtual void setRunLock(bool locked) = 0;
    virtual void setProgress(int percent) = 0;
    // The run is at the file with this index (from 0) of count, at path. Called before each file is looked at.
    virtual void showProgress(int index, int count, const QByteArray& path) = 0;
    virtual void processEvents() = 0;
    // True once the user asked the run to stop (or the window to close): the run stops after the current file.
    virtual bool stopRequested() const = 0;

    virtual void showMessage(const QString& text) = 0;
    // Reports the end of a run, also of a stopped one.
    virtual void showCompletion(const RunReport& report) = 0;
    // Shows the message of a page field and puts the focus on that field.
    virtual void showInputError(const InputError& error) = 0;

    // Told of each step of the run once it has ended, in the plan's terms: a placement copied, moved, replaced,
    // auto-numbered or skipped, or a file that did not match or that the filter passed over. A failed step holds
    // its reason, and its action is the one that was tried. A move made by a copy is told of once its source is
    // deleted or kept, which may come after the steps of later files. Nothing by default.
    virtual void stepEnded(const PlanStep& step) { Q_UNUSED(step); }

    // The journal hook. Asked once per real run, after its inputs were accepted (the checks and the page's
    // parameter step passed) and before it locks the controls or touches the disk; never asked by PlanSort, and
    // never when the checks refuse the run, so a refused run leaves no journal. The answer's recorder (for
    // example a JournalRecorder over the run's journal) takes down every action of the run and lives until the run
    // has finished it, just before showCompletion(). A host whose journal cannot be started may ask the user and
    // answer proceed = false to stop the run, or go on without a recorder. The default keeps no record.
    virtual RecordingStart startRecording(const RunDescription& run) {
        Q_UNUSED(run);
        return {};
    }

    // The fault tests' seam into the run's copies (see Fs::CopyHooks); the program's own hosts have none.
    virtual const Fs::CopyHooks* copyHooks() const { return nullptr; }
};
