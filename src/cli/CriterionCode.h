#pragma once

#include "core/CriterionPage.h"

#include <QByteArray>

// The criterion page as the command line's lists write it (history, presets): keywords, name, type, size, date,
// image or date-folders; "-" for a page outside them.
QByteArray CriterionCode(CriterionPage page);
