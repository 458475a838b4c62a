#pragma once

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstdlib>

// The tree the keyword-sort benchmarks work on: 10,000 files of 4 KiB (or as many as asked), each name holding one
// of the keywords kw0 ... kw9, so a sort by those keywords places every file once, a tenth into each keyword folder.

inline const QString kKeywordSortKeywords = QStringLiteral("kw0 kw1 kw2 kw3 kw4 kw5 kw6 kw7 kw8 kw9");

// Makes the files under root and returns their paths in list order.
inline QByteArrayList MakeKeywordSortTree(const QString& root, int count = 10000) {
    QDir().mkpath(root);
    const QByteArray content(4096, 'x');
    QByteArrayList paths;
    for (int i = 0; i < count; ++i) {
        const QString path = QStringLiteral("%1/file_%2_kw%3.dat").arg(root).arg(i).arg(i % 10);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(1);
        }
        paths.append(QFile::encodeName(path));
    }
    return paths;
}
