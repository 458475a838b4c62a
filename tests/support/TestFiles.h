#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

// Small helpers for tests that build files on disk.

// Writes content to path, making the folders above it; returns the path as file-system bytes.
inline QByteArray WriteTestFile(const QString& path, const QByteArray& content = "data") {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        qFatal("cannot write test file");
    }
    return QFile::encodeName(path);
}

inline QByteArray ReadTestFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The names in folder, hidden ones included, sorted.
inline QStringList EntriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
