#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Small helpers for tests that build files on disk.

// Writes content to path, making the folders above it; returns the path as file-system bytes.
QByteArray WriteTestFile(const QString& path, const QByteArray& content = "data");

// Gives the file at path the modification time; false when it cannot.
bool SetModificationTime(const QString& path, const QDateTime& time);

// The content of path; empty when it cannot be read.
QByteArray ReadTestFile(const QString& path);

// The names in folder, hidden ones included, sorted.
QStringList EntriesOf(const QString& folder);
