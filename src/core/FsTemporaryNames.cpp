#include "core/FsTemporaryNames.h"

#include <limits>

namespace Fs {

namespace {
constexpr QByteArrayView kPrefix = ".varnoth-";
constexpr QByteArrayView kSuffix = ".part";

// The decimal number that digits spells, without sign or leading zero; nothing for anything else.
std::optional<quint64> decimal(QByteArrayView digits) {
    if (digits.isEmpty() || digits.size() > 19 || (digits.size() > 1 && digits.front() == '0')) {
        return std::nullopt;
    }
    quint64 value = 0;
    for (const char digit : digits) {
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + quint64(digit - '0');
    }
    return value;
}
} // namespace

QByteArray TemporaryName(pid_t pid, quint64 counter) {
    return kPrefix.toByteArray() + QByteArray::number(qint64(pid)) + '-' + QByteArray::number(counter) +
           kSuffix.toByteArray();
}

std::optional<pid_t> TemporaryNameOwner(QByteArrayView fileName) {
    if (!fileName.startsWith(kPrefix) || !fileName.endsWith(kSuffix)) {
        return std::nullopt;
    }
    const QByteArrayView middle = fileName.sliced(kPrefix.size(), fileName.size() - kPrefix.size() - kSuffix.size());
    const qsizetype dash = middle.indexOf('-');
    if (dash < 0) {
        return std::nullopt;
    }
    const std::optional<quint64> pid = decimal(middle.first(dash));
    if (!pid || *pid == 0 || *pid > quint64(std::numeric_limits<pid_t>::max()) || !decimal(middle.sliced(dash + 1))) {
        return std::nullopt;
    }
    return pid_t(*pid);
}

} // namespace Fs
