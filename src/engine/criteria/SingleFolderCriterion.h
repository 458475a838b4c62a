#pragma once

#include "engine/criteria/Criterion.h"

#include <QString>

// A criterion that puts every matching file of a run into one folder below the output folder, whose name is fixed in
// the parameter step.
class SingleFolderCriterion : public Criterion {
public:
    explicit SingleFolderCriterion(QString subFolderName);
    // Makes the destination folder before the first file is looked at, whether or not any file will match.
    void begin(SortContext& context) final;
    FileOutcome sortFile(const QByteArray& source, const QByteArray& extension, SortContext& context) final;

protected:
    struct Verdict {
        enum Kind {
            Unmeasurable, // the file is passed over
            NoMatch,
            Match,
        };
        Kind kind = Match;
        QString missed{}; // Unmeasurable and NoMatch: what was measured, or why nothing could be, in words
    };
    // Measures source and compares; context takes note of what the run reports about the measuring.
    virtual Verdict judge(const QByteArray& source, SortContext& context) const = 0;

private:
    QString m_subFolderName;
    QByteArray m_folder; // the output folder and the sub-folder name, from begin() on
};
