#pragma once

#include "core/CriterionPage.h"
#include "engine/ActionRecorder.h"
#include "engine/criteria/ExtensionFilter.h"
#include "engine/criteria/PageFields.h"
#include "engine/placement/Placement.h"

#include <QString>

// What a sort run is asked to do: the criterion page and its fields, the extension filter, the output folder, copy
// or move, and the same-name policy (with whether a file of the same bytes at the name is left alone). The command line
// builds it from its options, the window reads its controls into it when a run or a plan starts (RunHost::runInputs),
// and the tests fill it in.
struct RunInputs {
    bool operator==(const RunInputs&) const = default;
    CriterionPage page = KeywordPage;
    QString keywords;                  // page 0: keywords separated by spaces
    NamePageFields name;               // page 1
    SizePageFields size;               // page 3
    DatePageFields date;               // page 4
    ImagePageFields image;             // page 5
    DateFoldersPageFields dateFolders; // page 6
    ExtensionFilterState filter;
    QString outputFolder;
    bool move = false; // move the files instead of copying them
    SameNamePolicy policy = SameNamePolicy::Skip;
    // A name held by a regular file of the same bytes leaves the file unplaced, whatever the policy.
    bool skipIdentical = false;
};

// The output folder as a run works with it: with a '/' at its end.
QString NormalisedOutputFolder(const QString& folder);

// What the journal records of a run of inputs over a list of listSize files.
RunDescription DescriptionOf(const RunInputs& inputs, int listSize);
