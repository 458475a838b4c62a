#pragma once

class RunHost;

// The whole of a sort run, from the checks to the completion message: every listed file that passes the filter and
// meets the active page's criterion is placed under the output folder, and in move mode its source is deleted
// once its last copy succeeded.
void RunSort(RunHost& host);
