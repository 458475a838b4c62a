#pragma once

#include "engine/criteria/PageFields.h"
#include "engine/criteria/SingleFolderCriterion.h"

#include <optional>

// The length in bytes of the regular file at path, or nothing when it is anything else or cannot be opened for
// reading. The file is opened only to learn its length: nothing is read from it.
std::optional<qint64> ReadFileSize(const QByteArray& path);

// The size threshold in bytes for the number typed as sizeText: n × 1024 × 1024 in MB, otherwise n × 1024 (KB, also
// for no unit selected). Nothing when the text is not a whole number (see ParseIntegerField) or the threshold does
// not fit in 64 bits.
std::optional<qint64> SizeThreshold(const QString& sizeText, SizeUnit unit);

// Page 3: files strictly larger, or strictly smaller, than the threshold go into one folder named after the
// condition as the page shows it. With no condition selected, the smaller files go.
class SizeCriterion : public SingleFolderCriterion {
public:
    SizeCriterion(bool greater, qint64 threshold, QString subFolderName);

protected:
    Verdict judge(const QByteArray& source, SortContext& context) const override;

private:
    bool m_greater;
    qint64 m_threshold;
};

// The parameter step of page 3: refuses a size that is not a whole number or is too large, otherwise makes the
// folder "condition" + size as typed + "unit" (大于100KB), each choice named by its source text (PageChoiceTexts).
ParameterOutcome SizeParameterStep(const SizePageFields& fields);
