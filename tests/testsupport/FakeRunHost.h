#pragma once

#include "engine/RunHost.h"

#include <QByteArrayList>
#include <QStringList>

#include <functional>

// A sort run's window as plain values, with a record of what the run showed and did.
struct FakeRunHost : RunHost {
    FakeRunHost() { inputs.policy = SameNamePolicy::Overwrite; }

    QByteArrayList files;
    RunInputs inputs; // the output folder normalised by the run
    OverwriteAnswer overwriteAnswer = OverwriteAnswer::No;
    bool stop = false;
    // Called after every file the run processed; a test can change copy or move, the policy or the filter there, as a
    // user can in the window during a run.
    std::function<void()> onProcessEvents;
    const Fs::CopyHooks* hooks = nullptr; // given to the run's copies

    QStringList messages;
    QStringList questions;
    QList<InputError> inputErrors;
    QList<RunReport> reports;
    QList<int> progress;
    QList<bool> locks;
    QList<PlanStep> endedSteps;

    RunInputs runInputs() const override;
    int fileCount() const override;
    QByteArray fileAt(int index) const override;
    void setOutputFolder(const QString& folder) override;
    OverwriteAnswer askOverwrite(const OverwriteQuestion& question) override;
    void setRunLock(bool locked) override;
    void setProgress(int percent) override;
    void showProgress(int index, int count, const QByteArray& path) override;
    void processEvents() override;
    bool stopRequested() const override;
    void showMessage(const QString& text) override;
    // Records the report; a run that did not stop also shows its completion message.
    void showCompletion(const RunReport& report) override;
    void showInputError(const InputError& error) override;
    void stepEnded(const PlanStep& step) override;
    const Fs::CopyHooks* copyHooks() const override;
};

Q_DECLARE_METATYPE(InputField)
