#include "engine/BackgroundPlan.h"

#include "engine/QuietRunHost.h"

#include <QFile>

#include <utility>

BackgroundPlan::BackgroundPlan(QList<CheckedInputs> checked, QByteArrayList files)
    : m_fileCount(int(files.size())), m_outputFolder(QFile::encodeName(checked.first().inputs.outputFolder)),
      m_thread([this, checked = std::move(checked), files = std::move(files)](const std::stop_token& stop) mutable {
          plan(stop, std::move(checked), std::move(files));
      }) {}

BackgroundPlan::~BackgroundPlan() = default;

void BackgroundPlan::plan(const std::stop_token& stop, QList<CheckedInputs> checked, QByteArrayList files) {
    // The inputs were checked already: the plan asks its host for nothing but the list.
    QuietRunHost host({}, std::move(files));
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
