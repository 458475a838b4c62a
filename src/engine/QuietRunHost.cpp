#include "engine/QuietRunHost.h"

QuietRunHost::QuietRunHost(RunInputs inputs, QByteArrayList files)
    : m_inputs(std::move(inputs)), m_files(std::move(files)) {}

RunInputs QuietRunHost::runInputs() const {
    return m_inputs;
}

int QuietRunHost::fileCount() const {
    return int(m_files.size());
}

QByteArray QuietRunHost::fileAt(int index) const {
    return m_files.at(index);
}

OverwriteAnswer QuietRunHost::askOverwrite(const OverwriteQuestion&) {
    return OverwriteAnswer::No;
}

void QuietRunHost::setRunLock(bool) {}

void QuietRunHost::setProgress(int) {}

void QuietRunHost::showProgress(int, int, const QByteArray&) {}

void QuietRunHost::processEvents() {}

bool QuietRunHost::stopRequested() const {
    return false;
}

void QuietRunHost::showMessage(const QString&) {}

void QuietRunHost::showCompletion(const RunReport&) {}

void QuietRunHost::showInputError(const InputError&) {}
