#pragma once

#include "engine/criteria/ImageProbe.h"
#include "engine/criteria/SingleFolderCriterion.h"

class RunHost;

// How a picture's side is compared with the pixel limit: the index of the condition list.
enum class PixelCondition { AtLeast = 0, AtMost = 1, Exactly = 2 };

// Page 5: pictures whose width (or height) is at least, at most or exactly the pixel limit go into one folder
// named after the condition and the limit as typed. A file that cannot be measured is passed over.
class ImageCriterion : public SingleFolderCriterion {
public:
    // condition is the index of the condition list; an index outside it (no entry selected) matches no file.
    ImageCriterion(ImageDimension dimension, int condition, qint32 limit, QString subFolderName);

protected:
    Verdict judge(const QByteArray& source, SortContext& context) const override;

private:
    ImageDimension m_dimension;
    int m_condition;
    qint32 m_limit;
};

// The parameter step of page 5: refuses a limit that is not a whole number in the 32-bit signed range, otherwise
// makes the folder "condition" + limit as typed (大于等于800).
ParameterOutcome ImageParameterStep(const RunHost& host);
