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

// With skipIdentical, what becomes of a file whose name is taken, when the contents decide it: Identical, or Failed
// when the comparison was stopped; nothing when the policy is to decide.
std::optional<PlaceOutcome> identicalOutcome(const PlaceRequest& request, PlacementHost& host,
                                             PlacementActions& actions) {
    if (!host.skipIdentical()) {
        return std::nullopt;
    }
    return actions.identicalAtTarget(request, host);
}

// name with the number n: the name itself for 0, else stem_n.ext.
QByteArray numberedName(const QByteArray& name, qint64 n) {
    return n == 0 ? name : StemOf(name) + '_' + QByteArray::number(n) + ExtensionOf(name);
}

// Places source under the first of name, stem_1.ext, stem_2.ext, ... that no file in folder bears, never replacing:
// a name taken between the look and the placement only moves it on to the next number.
PlaceOutcome placeNumbered(const QByteArray& source, const QByteArray& folder, bool move, PlacementHost& host,
                           PlacementActions& actions) {
    const QByteArray name = FileNameOf(source);
    FolderMemory& folders = actions.folders();
    // Every name the file may already be under is compared, so numbering starts at the name itself.
    for (qint64 n = host.skipIdentical() ? 0 : folders.nextNumber(folder, name);; ++n) {
        const QByteArray target = JoinPath(folder, numberedName(name, n));
        if (actions.nameTaken(folder, target)) {
            if (std::optional<PlaceOutcome> same =
                    identicalOutcome({source, folder, target, move, true, n != 0, true}, host, actions)) {
                return *same;
            }
            continue;
        }
        const PlaceOutcome outcome = actions.placeAt({source, folder, target, move, true, n != 0, true});
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
    const SameNamePolicy policy = host.sameNamePolicy();
    if (policy == SameNamePolicy::Rename) {
        return placeNumbered(source, destFolder, move, host, actions);
    }
    PlaceRequest request{source, destFolder, target, move, policy == SameNamePolicy::Skip};
    const bool asks = policy == SameNamePolicy::Ask;
    if ((asks || host.skipIdentical()) && actions.nameTaken(destFolder, target)) {
        if (std::optional<PlaceOutcome> same = identicalOutcome(request, host, actions)) {
            return *same;
        }
        if (asks) {
            const std::optional<bool> replace =
                actions.confirmReplace(host, {OverwriteQuestionText(target), target, source}, request);
            if (!replace) {
                return declined(move);
            }
            request.failIfExists = !*replace;
        }
    }
    return actions.placeAt(request);
}
