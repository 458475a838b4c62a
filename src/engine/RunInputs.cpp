#include "engine/RunInputs.h"

#include <QFile>

QString NormalisedOutputFolder(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

RunDescription DescriptionOf(const RunInputs& inputs, int listSize) {
    return {inputs.page,
            inputs.move,
            inputs.policy,
            listSize,
            QFile::encodeName(NormalisedOutputFolder(inputs.outputFolder)),
            false,
            {}};
}
