#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

#include <sys/types.h>

// The names this program gives the files it is still writing: ".varnoth-<pid>-<n>.part", hidden, beside the file's
// final name. They are never taken into the file list, and once their process has ended they are leftovers of a
// crash that a later run may remove.

namespace Fs {

// The temporary name number counter of the process pid.
QByteArray TemporaryName(pid_t pid, quint64 counter);

// The process that made fileName (a name without folder), or nothing when it is not one of our temporary names.
std::optional<pid_t> TemporaryNameOwner(QByteArrayView fileName);

inline bool IsTemporaryName(QByteArrayView fileName) {
    return TemporaryNameOwner(fileName).has_value();
}

} // namespace Fs
