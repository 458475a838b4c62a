#pragma once

// SIGINT, SIGTERM, SIGHUP and SIGPIPE end a sort cleanly: the first one asks the run to stop (the copy under way is
// aborted and its temporary file removed, and the run stops after that file); the program then exits with
// 128 + the signal's number. A second SIGINT, SIGTERM or SIGHUP ends the program at once, as if unhandled.

void CatchTerminationSignals();

// The first termination signal received, or 0.
int CaughtTerminationSignal();
