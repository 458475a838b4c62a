#pragma once

#include <QByteArray>
#include <QString>

// Writing to standard output and standard error without buffering, so that lines reach a pipe in the order they
// were written and nothing waits in a buffer when a signal ends the program.

void WriteStandardOutput(const QByteArray& bytes);
void WriteStandardError(const QByteArray& bytes);

// "varnoth: " + line + a line break, on standard error. The line must already have its names escaped.
void PrintErrorLine(const QString& line);

bool StandardErrorIsTerminal();
