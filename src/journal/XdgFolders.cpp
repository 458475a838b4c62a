#include "journal/XdgFolders.h"

#include <QtGlobal>

#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray absoluteVariable(const char* name) {
    const QByteArray value = qgetenv(name);
    return value.startsWith('/') ? value : QByteArray();
}

QByteArray baseFolder(const char* variable, const char* defaultUnderHome) {
    const QByteArray value = absoluteVariable(variable);
    return value.isEmpty() ? HomeFolder() + defaultUnderHome : value;
}

} // namespace

QByteArray HomeFolder() {
    const QByteArray home = absoluteVariable("HOME");
    if (!home.isEmpty()) {
        return home;
    }
    const struct passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir ? QByteArray(entry->pw_dir) : QByteArray("/");
}

QByteArray StateHome() {
    return baseFolder("XDG_STATE_HOME", "/.local/state");
}

QByteArray DataHome() {
    return baseFolder("XDG_DATA_HOME", "/.local/share");
}

Fs::Error MakePrivateFolders(const QByteArray& path) {
    struct stat status {};
    if (::stat(path.constData(), &status) == 0) {
        return S_ISDIR(status.st_mode) ? Fs::Error() : Fs::Error{Fs::Operation::MakeFolder, ENOTDIR};
    }
    if (errno != ENOENT) {
        return Fs::FailureOf(Fs::Operation::MakeFolder);
    }
    const qsizetype slash = path.lastIndexOf('/');
    if (slash > 0) {
        if (const Fs::Error above = MakePrivateFolders(path.first(slash)); above.failed()) {
            return above;
        }
    }
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        return Fs::FailureOf(Fs::Operation::MakeFolder);
    }
    return {};
}
