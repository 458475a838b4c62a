#pragma once

#include <QString>

// Files that every criterion sorts differently, written into folder: a_kw.txt (3000 bytes, modified 2020-01-01
// 12:00), b.doc, ab_cd.doc, wide.png (900 x 10 pixels) and narrow.jpg (10 x 10). False when a picture could not be
// written.
bool WriteCriteriaInputs(const QString& folder);
