#include "cli/StandardStreams.h"

#include "engine/Interruption.h"

#include <cerrno>
#include <poll.h>
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

bool StandardOutputIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}

ssize_t ReadStandardInput(char* buffer, size_t size) {
    // A signal that comes after the check and before a blocking read would leave the read waiting for ever; waiting
    // in short polls notices it at the next check.
    constexpr int kCheckIntervalMs = 100;
    for (;;) {
        if (InterruptionRequested()) {
            errno = EINTR;
            return -1;
        }
        pollfd input{STDIN_FILENO, POLLIN, 0};
        const int ready = ::poll(&input, 1, kCheckIntervalMs);
        if (ready > 0) {
            const ssize_t count = ::read(STDIN_FILENO, buffer, size);
            if (count >= 0 || errno != EINTR) {
                return count;
            }
        } else if (ready < 0 && errno != EINTR) {
            return -1;
        }
    }
}
