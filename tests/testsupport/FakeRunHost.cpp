#include "testsupport/FakeRunHost.h"

RunInputs FakeRunHost::runInputs() const {
    return inputs;
}

int FakeRunHost::fileCount() const {
    return int(files.size());
}

QByteArray FakeRunHost::fileAt(int index) const {
    return files.at(index);
}

void FakeRunHost::setOutputFolder(const QString& folder) {
    inputs.outputFolder = folder;
}

OverwriteAnswer FakeRunHost::askOverwrite(const OverwriteQuestion& question) {
    questions.append(question.text);
    return overwriteAnswer;
}

void FakeRunHost::setRunLock(bool locked) {
    locks.append(locked);
}

void FakeRunHost::setProgress(int percent) {
    progress.append(percent);
}

// The percentages of setProgress are what the tests check; the file shown is the window's business.
void FakeRunHost::showProgress(int, int, const QByteArray&) {}

void FakeRunHost::processEvents() {
    if (onProcessEvents) {
        onProcessEvents();
    }
}

bool FakeRunHost::stopRequested() const {
    return stop;
}

void FakeRunHost::showMessage(const QString& text) {
    messages.append(text);
}

void FakeRunHost::showCompletion(const RunReport& report) {
    reports.append(report);
    if (!report.stopped) {
        messages.append(CompletionMessage(report));
    }
}

void FakeRunHost::showInputError(const InputError& error) {
    messages.append(error.message);
    inputErrors.append(error);
}

void FakeRunHost::stepEnded(const PlanStep& step) {
    endedSteps.append(step);
}

const Fs::CopyHooks* FakeRunHost::copyHooks() const {
    return hooks;
}
