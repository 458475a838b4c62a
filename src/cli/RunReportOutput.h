#pragma once

struct RunReport;

// What a finished run reports. Each failed file goes to standard error with its reason, and so does each moved file
// whose name led to another file at the end, whose sorted copy is thus the only one. Standard output gets the
// summary line with the counts of the completion box, unless quiet; with json, it gets instead the summary
// object, the last line after the steps the run wrote as they ended.
void PrintRunReport(const RunReport& report, bool json, bool quiet);
