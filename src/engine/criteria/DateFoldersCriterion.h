#pragma once

#include "engine/criteria/Criterion.h"
#include "engine/criteria/DatePattern.h"
#include "engine/criteria/PageFields.h"

// Page 6: every file goes into the folders that the pattern makes of its own date (its taken, modification or
// creation time), below the output folder.
class DateFoldersCriterion : public Criterion {
public:
    DateFoldersCriterion(DatePattern pattern, DateSource source);

    FileOutcome sortFile(const QByteArray& source, const QByteArray& extension, SortContext& context) override;

private:
    DatePattern m_pattern;
    DateSource m_source;
};

// The parameter step of page 6: refuses a pattern that cannot name folders, with the date pattern as its field.
ParameterOutcome DateFoldersParameterStep(const DateFoldersPageFields& fields);
