#pragma once

#include "engine/SortPlan.h"

#include <QString>

// The plan of a picture sort (width at least 1920, taken names skipped) made by the engine itself over sample files
// that it writes below folder: pictures wide enough and too narrow, a picture type not ticked, a file that is no
// picture, a name taken twice, a name a folder holds and a listed file gone. Its paths are shown as if folder were
// home, and its names are in the windows' language. Nothing when a file cannot be written or the plan is refused.
std::optional<SortPlan> SamplePicturePlan(const QString& folder, const QByteArray& home);
