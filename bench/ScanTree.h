#pragma once

#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The tree the folder-scan benchmarks work on: root/gN/fM/file_K.dat, 10 groups of 100 folders of 100 empty
// files, 100,000 files in 1,000 folders.

constexpr int kScanTreeFiles = 100000;

inline void FailBench(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::exit(1);
}

inline void MakeBenchFolder(const QByteArray& path) {
    if (::mkdir(path.constData(), 0755) != 0) {
        FailBench("cannot make a folder");
    }
}

inline void MakeBenchFile(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0 || ::close(fd) != 0) {
        FailBench("cannot make a file");
    }
}

inline void MakeScanTree(const QByteArray& root) {
    MakeBenchFolder(root);
    for (int group = 0; group < 10; ++group) {
        const QByteArray groupFolder = root + "/g" + QByteArray::number(group);
        MakeBenchFolder(groupFolder);
        for (int folder = 0; folder < 100; ++folder) {
            const QByteArray leaf = groupFolder + "/f" + QByteArray::number(folder);
            MakeBenchFolder(leaf);
            for (int file = 0; file < 100; ++file) {
                MakeBenchFile(leaf + "/file_" + QByteArray::number(file) + ".dat");
            }
        }
    }
}
