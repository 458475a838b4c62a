#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Writing to standard output and standard error without buffering, so that lines reach a pipe in the order they
// were written and nothing waits in a buffer when a signal ends the program.

void WriteStandardOutput(const QByteArray& bytes);
void WriteStandardError(const QByteArray& bytes);

// "varnoth: " + line + a line break, on standard error. The line must already have its names escaped.
void PrintErrorLine(const QString& line);

bool StandardErrorIsTerminal();
bool StandardOutputIsTerminal();

// Reads up to size bytes of standard input, waiting as long as it takes unless a termination signal asks the program
// to stop: the count read, 0 at the end of input, or -1 with errno set (EINTR once a stop is asked for).
ssize_t ReadStandardInput(char* buffer, size_t size);
