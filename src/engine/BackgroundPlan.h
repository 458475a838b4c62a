#pragma once

#include "engine/RunReport.h"
#include "engine/SortPlan.h"
#include "engine/SortStages.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>

#include <mutex>
#include <optional>
#include <thread>

// A plan made in a thread of its own, so that the window stays responsive however long the list. The thread works on
// what the plan was given at its start (the checked inputs with their criteria, and a copy of the list), never on
// what the window shows and the user may change meanwhile. The window takes the steps as they come. Destroying the
// plan stops it after the file it is at and waits for that file.
class BackgroundPlan {
public:
    // checked: as CheckInputsOf accepted them; files: the list as it stood when the plan was asked for.
    BackgroundPlan(QList<CheckedInputs> checked, QByteArrayList files);
    ~BackgroundPlan();
    BackgroundPlan(const BackgroundPlan&) = delete;
    BackgroundPlan& operator=(const BackgroundPlan&) = delete;

    int fileCount() const { return m_fileCount; }
    // Where the targets lie, ending in '/'.
    const QByteArray& outputFolder() const { return m_outputFolder; }

    // What the plan did since the last take.
    struct Progress {
        QList<PlanStep> steps;             // the steps of the files planned since, in the order of the list
        int filesLooked = 0;               // the files planned so far
        std::optional<RunReport> outcomes; // once the plan has ended: the listed files counted in the outcomes
    };
    Progress take();
    // Ends the plan after the file it is at, without waiting for it.
    void stop();

private:
    void plan(const std::stop_token& stop, QList<CheckedInputs> checked, QByteArrayList files);

    const int m_fileCount;
    const QByteArray m_outputFolder;
    std::mutex m_mutex; // guards what follows, up to the thread
    QList<PlanStep> m_steps;
    int m_filesLooked = 0;
    std::optional<RunReport> m_outcomes;
    std::jthread m_thread; // last: it starts once everything above is there, and ends first
};
