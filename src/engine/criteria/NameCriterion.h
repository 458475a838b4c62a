#pragma once

#include "engine/criteria/Criterion.h"
#include "engine/criteria/PageFields.h"

#include <optional>

// name with every piece of filterText cut out. The pieces are the parts of filterText between asterisks, applied
// in order, each to the result of the ones before; an empty piece cuts nothing. A piece is cut wherever it occurs,
// searching on after each cut, so text that comes together through a cut is not searched again ("ab" cut out of
// "aabb" leaves "ab"). Letter case counts.
QByteArray RemoveFilterPieces(const QByteArray& name, const QByteArray& filterText);

// The character range of the stem that names the folder: count characters from begin (see CopyCharRange).
struct NameRange {
    qint64 begin = 1;
    qint64 count = 0;
};

// Page 1: a file goes into the folder named after its stem, or a character range of it, with the filter pieces cut
// out. Files whose derived names are equal therefore come together.
class NameCriterion : public Criterion {
public:
    NameCriterion(std::optional<NameRange> range, QByteArray filterText, bool onlyExisting);
    FileOutcome sortFile(const QByteArray& source, const QByteArray& extension, SortContext& context) override;

private:
    QByteArray folderNameFor(const QByteArray& fileName) const;

    std::optional<NameRange> m_range;
    QByteArray m_filterText;
    bool m_onlyExisting;
};

// The parameter step of page 1: with the range in use, both positions must be whole numbers. The larger one ends
// the range, which ends at position 254 at the latest.
ParameterOutcome NameParameterStep(const NamePageFields& fields);
