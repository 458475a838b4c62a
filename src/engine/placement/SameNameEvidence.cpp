#include "engine/placement/SameNameEvidence.h"

namespace {

std::optional<struct stat> statusOf(const QByteArray& path) {
    struct stat status {};
    return Fs::LookUpRegularFile(path, status) ? std::optional(status) : std::nullopt;
}

} // namespace

SameNameEvidence GatherSameNameEvidence(const QByteArray& existing, const QByteArray& incoming, const Fs::GoOn& goOn) {
    SameNameEvidence evidence{statusOf(existing), statusOf(incoming), SameNameEvidence::Contents::NotCompared};
    if (!evidence.existing || !evidence.incoming || evidence.existing->st_size != evidence.incoming->st_size) {
        return evidence;
    }
    if (evidence.existing->st_size > kLargestComparedFile) {
        evidence.contents = SameNameEvidence::Contents::TooLarge;
        return evidence;
    }
    const std::optional<bool> same = Fs::CompareContent(Fs::RegularFile(existing), Fs::RegularFile(incoming), goOn);
    if (same) {
        evidence.contents = *same ? SameNameEvidence::Contents::Same : SameNameEvidence::Contents::Different;
    }
    return evidence;
}
