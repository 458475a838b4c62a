#pragma once

#include <QByteArrayList>
#include <QString>

// List entries that name no regular file to measure, made in folder (made here, so it must not exist yet): a FIFO
// (opening it must never block), a folder, a missing file and a dangling symbolic link. Their names end in .png so that
// every filter lets them in.
QByteArrayList MakeUnmeasurables(const QString& folder);
