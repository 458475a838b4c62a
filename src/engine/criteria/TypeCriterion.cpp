#include "engine/criteria/TypeCriterion.h"

#include "engine/SortContext.h"

FileOutcome TypeCriterion::sortFile(const QByteArray& source, const QByteArray& extension, SortContext& context) {
    // An extension begins at the last dot of the name, so it is never "..": the folder stays inside the output
    // folder ("." is the output folder itself).
    const QByteArray folder = context.outputFolder() + extension;
    context.ensureFolder(folder);
    context.place(source, folder);
    return {FileOutcome::Placed};
}
