#pragma once

#include "engine/Criterion.h"

class RunHost;

// A criterion that puts every matching file of a run into one folder, whose name is fixed in the parameter step.
class SingleFolderCriterion : public Criterion {
public:
    // folder is the destination folder: the output folder and the sub-folder name.
    explicit SingleFolderCriterion(QByteArray folder);
    FileOutcome sortFile(const QByteArray& source, const QByteArray& extension, SortContext& context) final;

protected:
    enum class Verdict {
        Unmeasurable, // the file is passed over
        NoMatch,
        Match,
    };
    // Measures source and compares; context takes note of what the run reports about the measuring.
    virtual Verdict judge(const QByteArray& source, SortContext& context) const = 0;

private:
    QByteArray m_folder;
};

// The destination folder of a run, output folder + subFolderName, made now, before the first file is looked at,
// whether or not any file will match.
QByteArray EnsureRunFolder(const RunHost& host, const QString& subFolderName);
