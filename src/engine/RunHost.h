#pragma once

#include "engine/ActionRecorder.h"
#include "engine/RunReport.h"
#include "engine/SortPlan.h"
#include "engine/criteria/Criterion.h"
#include "engine/criteria/ExtensionFilter.h"
#include "engine/criteria/PageFields.h"
#include "engine/placement/Placement.h"

#include <QByteArray>
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

// The window a sort run works in. The run reads every value at the moment it needs it, so what the user changes
// during a run (mode, same-name policy, filters) takes effect from the next file or placement on.
class RunHost : public PlacementHost {
public:
    // The file list.
    virtual int fileCount() const = 0;
    virtual QByteArray fileAt(int index) const = 0;

    // The active criterion page, 0 to 5, and the fields of the pages.
    virtual int pageIndex() const = 0;
    virtual QString keywordText() const = 0;
    virtual NamePageFields namePage() const = 0;
    virtual SizePageFields sizePage() const = 0;
    virtual DatePageFields datePage() const = 0;
    virtual ImagePageFields imagePage() const = 0;

    virtual QString outputFolder() const = 0;
    virtual void setOutputFolder(const QString& folder) = 0;
    virtual ExtensionFilterState extensionFilter() const = 0;

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
