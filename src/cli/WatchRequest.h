#pragma once

#include "cli/SortRequest.h"

#include <QByteArrayList>
#include <QCommandLineOption>
#include <QList>

#include <variant>

// The options of "varnoth watch" beyond those of sort: --new-only, --settle and --save.
QList<QCommandLineOption> WatchOptionList();

// A watch as the options describe it: how each batch is sorted, and what is watched.
struct WatchRequest {
    SortRequest sort;       // each batch's inputs and output; its sources are empty
    QByteArrayList folders; // the folders to watch, the exact argument bytes
    int depth = 0;          // levels of sub-folders watched below each folder
    qint64 settleMs = 5000; // how long a file must have been quiet before it is taken
    bool newOnly = false;   // leave the files already there alone
    bool save = false;      // --save: store the folders in the saved sort (sort.preset) instead of watching
};

// The watch described by the options and arguments that parser has parsed (with SortOptionList and
// WatchOptionList), or what is wrong with them. Without FOLDER arguments, the folders are those the saved sort of
// --preset keeps (its WatchFolders key); a watch with no folder at all is wrong.
std::variant<WatchRequest, UsageError> MakeWatchRequest(const QCommandLineParser& parser);
