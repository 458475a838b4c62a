#include "cli/StandardStreams.h"

#include <cerrno>
#include <unistd.h>

namespace {
// Writes all of bytes unless the stream is gone (a closed pipe): output is worth less than the run it reports on.
void writeAll(int fd, const QByteArray& bytes) {
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0 && errno != EINTR) {
            return;
        }
        written += count > 0 ? count : 0;
    }
}
} // namespace

void WriteStandardOutput(const QByteArray& bytes) {
    writeAll(STDOUT_FILENO, bytes);
}

void WriteStandardError(const QByteArray& bytes) {
    writeAll(STDERR_FILENO, bytes);
}

void PrintErrorLine(const QString& line) {
    WriteStandardError("varnoth: " + line.toUtf8() + '\n');
}

bool StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}
