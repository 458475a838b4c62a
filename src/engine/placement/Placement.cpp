#include "engine/placement/Placement.h"

#include "core/FileNames.h"
#include "core/TextBytes.h"
#include "engine/placement/PlacementActions.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

PlanAction PlacingAction(const PlaceRequest& request, bool replaces) {
    return request.numbered ? PlanAction::Number
           : replaces       ? PlanAction::Replace
           : request.move   ? PlanAction::Move
                            : PlanAction::Copy;
}

namespace {

PlaceOutcome declined(bool move) {
    PlaceOutcome outcome;
    outcome.result = PlaceResult::Declined;
    outcome.moveMode = move;
    return outcome;
}

// name with the number n: the name itself for 0, else stem_n.ext.
QByteArray numberedName(const QByteArray& name, qint64 n) {
    return n == 0 ? name : StemOf(name) + '_' + QByteArray::number(n) + ExtensionOf(name);
}

// Places source under the first of name, stem_1.ext, stem_2.ext, ... that no file in folder bears, never replacing:
// a name taken between the look and the placement only moves it on to the next number.
PlaceOutcome placeNumbered(const QByteArray& source, const QByteArray& folder, bool move, PlacementActions& actions) {
    const QByteArray name = FileNameOf(source);
    FolderMemory& folders = actions.folders();
    for (qint64 n = folders.nextNumber(folder, name);; ++n) {
        const QByteArray target = JoinPath(folder, numberedName(name, n));
        if (actions.nameTaken(folder, target)) {
            continue;
        }
        const PlaceOutcome outcome = actions.placeAt({source, folder, target, move, true, n != 0});
        if (outcome.result == PlaceResult::Declined) {
            continue;
        }
        if (outcome.result != PlaceResult::Failed) {
            folders.rememberTaken(folder, name, n);
        }
        return outcome;
    }
}

} // namespace

QString OverwriteQuestionText(const QByteArray& target) {
    return QCoreApplication::translate("Placement", "文件%1已存在，是否覆盖？").arg(DisplayText(target));
}

PlaceOutcome PlaceFile(const QByteArray& source, const QByteArray& destFolder, PlacementHost& host,
                       PlacementActions& actions, bool lastPlacement) {
    actions.enterFolder(destFolder);
    const bool move = lastPlacement && host.moveMode();
    const QByteArray target = JoinPath(destFolder, FileNameOf(source));
    switch (host.sameNamePolicy()) {
    case SameNamePolicy::Rename:
        return placeNumbered(source, destFolder, move, actions);
    case SameNamePolicy::Ask: {
        PlaceRequest request{source, destFolder, target, move, false};
        if (actions.nameTaken(destFolder, target)) {
            const std::optional<bool> replace =
                actions.confirmReplace(host, {OverwriteQuestionText(target), target, source}, request);
            if (!replace) {
                return declined(move);
            }
            request.failIfExists = !*replace;
        }
        return actions.placeAt(request);
    }
    case SameNamePolicy::Skip:
        return actions.placeAt({source, destFolder, target, move, true});
    case SameNamePolicy::Overwrite:
        break;
    }
    return actions.placeAt({source, destFolder, target, move, false});
}
