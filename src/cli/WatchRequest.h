#pragma once

#include "cli/SortRequest.h"

#include <QByteArrayList>
#include <QCommandLineOption>
#include <QList>

#include <variant>

// The options of "varnoth watch" beyond those of sort: --new-only and --settle.
QList<QCommandLineOption> WatchOptionList();

// A watch as the options describe it: how each batch is sorted, and what is watched.
struct WatchRequest {
    SortRequest sort;       // each batch's inputs and output; its sources are empty
    QByteArrayList folders; // the folders to watch, the exact argument bytes
    int depth = 0;          // levels of sub-folders watched below each folder
    qint64 settleMs = 5000; // how long a file must have been quiet before it is taken
    bool newOnly = false;   // leave the files already there alone
};

// The watch described by the options and arguments that parser has parsed (with SortOptionList and
// WatchOptionList), or what is wrong with them.
std::variant<WatchRequest, UsageError> MakeWatchRequest(const QCommandLineParser& parser);
