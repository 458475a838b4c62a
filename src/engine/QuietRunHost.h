#pragma once

#include "engine/RunHost.h"

#include <QByteArrayList>

// A run's host with fixed inputs and a fixed list that shows nothing and asks nothing: for a plan whose checks must
// pass without a window, or that runs where no window may be touched.
class QuietRunHost final : public RunHost {
public:
    QuietRunHost(RunInputs inputs, QByteArrayList files);

    RunInputs runInputs() const override;
    int fileCount() const override;
    QByteArray fileAt(int index) const override;
    OverwriteAnswer askOverwrite(const OverwriteQuestion& question) override;
    void setRunLock(bool locked) override;
    void setProgress(int percent) override;
    void showProgress(int index, int count, const QByteArray& path) override;
    void processEvents() override;
    bool stopRequested() const override;
    void showMessage(const QString& text) override;
    void showCompletion(const RunReport& report) override;
    void showInputError(const InputError& error) override;

private:
    const RunInputs m_inputs;
    const QByteArrayList m_files;
};
