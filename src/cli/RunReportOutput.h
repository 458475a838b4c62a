#pragma once

struct RunReport;

// What a finished run reports. Each failed file goes to standard error with its reason. Standard output gets the
// summary line with the four counts of the completion box, unless quiet; with json, it gets instead one object per
// failed file and the summary object, and nothing else.
void PrintRunReport(const RunReport& report, bool json, bool quiet);
