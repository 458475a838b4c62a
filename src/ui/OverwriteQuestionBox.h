#pragma once

#include "engine/placement/Placement.h"

class QWidget;

// The same-name question over parent, with the question icon: the question's text, what is known of both files
// (OverwriteEvidence) and the answers 是, 全部是, 否 and 全部否. Esc and closing the box answer No.
OverwriteAnswer AskOverwrite(QWidget* parent, const OverwriteQuestion& question);
