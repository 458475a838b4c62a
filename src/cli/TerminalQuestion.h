#pragma once

#include "engine/placement/Placement.h"

#include <QByteArray>

// The same-name question on the terminal: on standard error the evidence the window shows (sizes and times of the
// file there and of the new one incoming, where it comes from, whether the contents are the same) and the existing
// file's name; the answer read as a line from standard input: y yes, n no, a yes to all, N no to all. An end of
// input or a termination signal answers no to all, so that nothing is replaced that the user did not agree to.
OverwriteAnswer AskOverwriteOnTerminal(const QByteArray& existing, const QByteArray& incoming);
