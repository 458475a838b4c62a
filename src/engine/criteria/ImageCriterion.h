#pragma once

#include "engine/criteria/ImageProbe.h"
#include "engine/criteria/PageFields.h"
#include "engine/criteria/SingleFolderCriterion.h"

// Page 5: pictures whose width (or height) is at least, at most or exactly the pixel limit go into one folder
// named after the condition and the limit as typed. A file that cannot be measured is passed over.
class ImageCriterion : public SingleFolderCriterion {
public:
    // With no condition selected, no file matches.
    ImageCriterion(ImageDimension dimension, PictureCondition condition, qint32 limit, QString subFolderName);

protected:
    Verdict judge(const QByteArray& source, SortContext& context) const override;

private:
    ImageDimension m_dimension;
    PictureCondition m_condition;
    qint32 m_limit;
};

// The parameter step of page 5: refuses a limit that is not a whole number in the 32-bit signed range, otherwise
// makes the folder "condition" + limit as typed (大于等于800), the condition named by its source text
// (PageChoiceTexts).
ParameterOutcome ImageParameterStep(const ImagePageFields& fields);
