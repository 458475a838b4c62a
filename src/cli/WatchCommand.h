#pragma once

struct WatchRequest;

// `varnoth watch`: sorts what the folders hold (unless --new-only), then every file that arrives in them, each
// batch of files that became ready together one journaled run marked as a watch batch, until a termination signal:
// the file under way is finished and the exit status is 0. A folder that goes away is reported and the others are
// still watched; when none is left the status is 1. A folder that cannot be watched at the start is 2. A file that
// fails is reported and watching goes on.
int RunWatchCommand(const WatchRequest& request);
