#include "engine/BackgroundPlan.h"

#include "engine/RunHost.h"

#include <QFile>

#include <utility>

namespace {

// The host of a plan's thread: the list as it was copied, and nothing to show. A plan asks its host only for the
// list once its inputs were checked, so the rest is never called.
class ListCopyHost final : public RunHost {
public:
    explicit ListCopyHost(QByteArrayList files) : m_files(std::move(files)) {}

    RunInputs runInputs() const override { return {}; }
    int fileCount() const override { return int(m_files.size()); }
    QByteArray fileAt(int index) const override { return m_files.at(index); }
    OverwriteAnswer askOverwrite(const OverwriteQuestion&) override { return OverwriteAnswer::No; }
    void setRunLock(bool) override {}
    void setProgress(int) override {}
    void showProgress(int, int, const QByteArray&) override {}
    void processEvents() override {}
    bool stopRequested() const override { return false; }
    void showMessage(const QString&) override {}
    void showCompletion(const RunReport&) override {}
    void showInputError(const InputError&) override {}

private:
    const QByteArrayList m_files;
};

} // namespace

BackgroundPlan::BackgroundPlan(QList<CheckedInputs> checked, QByteArrayList files)
    : m_fileCount(int(files.size())), m_outputFolder(QFile::encodeName(checked.first().inputs.outputFolder)),
      m_thread([this, checked = std::move(checked), files = std::move(files)](const std::stop_token& stop) mutable {
          plan(stop, std::move(checked), std::move(files));
      }) {}

BackgroundPlan::~BackgroundPlan() = default;

void BackgroundPlan::plan(const std::stop_token& stop, QList<CheckedInputs> checked, QByteArrayList files) {
    ListCopyHost host(std::move(files));
    RunReport outcomes = PlanFileByFile(host, std::move(checked), [&](QList<PlanStep> steps, int filesLooked) {
        const std::lock_guard lock(m_mutex);
        m_steps += std::move(steps);
        m_filesLooked = filesLooked;
        return !stop.stop_requested();
    });
    const std::lock_guard lock(m_mutex);
    m_outcomes = std::move(outcomes);
}

BackgroundPlan::Progress BackgroundPlan::take() {
    const std::lock_guard lock(m_mutex);
    Progress progress{std::exchange(m_steps, {}), m_filesLooked, m_outcomes};
    return progress;
}

void BackgroundPlan::stop() {
    m_thread.request_stop();
}
