#pragma once

// The command line's termination signals, which have no event loop to go through: the handler itself turns the signal
// into the engine's interruption request. SIGINT, SIGTERM, SIGHUP and SIGPIPE end a sort cleanly: the first one asks
// the run to stop (the copy under way is aborted and its temporary file removed, and the run stops after that file);
// the program then exits with 128 + the number of InterruptingSignal(). A second SIGINT, SIGTERM or SIGHUP ends the
// program at once, as if unhandled.

void InterruptOnTerminationSignals();

// The same for a command that finishes the file under way before it stops (the watch of folders): the first signal
// is only noted (InterruptingSignal), and the run stops after the current file, whose copy goes on to its end.
void FinishFileOnTerminationSignals();

// The first termination signal received, or 0.
int InterruptingSignal();
