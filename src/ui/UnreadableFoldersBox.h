#pragma once

#include "filelist/FolderScan.h"

#include <QList>

class QWidget;

// The information box after a scan that could not read some folders: how many, and the first few of them. What the
// scan could read is in the list already.
void ShowUnreadableFolders(QWidget* parent, const QList<UnreadableFolder>& folders);
