#pragma once

#include "journal/UndoResult.h"

#include <QString>

// Why undo left a step, in the command line's words: English, or in Chinese the window's own words.
QString UndoReasonWords(UndoReason reason);
