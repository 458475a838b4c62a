#pragma once

#include "engine/RunInputs.h"

#include <QByteArrayList>
#include <QString>

#include <optional>
#include <variant>

class QCommandLineParser;

// Where the files of a sort come from, in the order they are added: the PATH arguments, each list file, each
// scanned folder, then standard input. Paths are the exact argument bytes.
struct SortInputSources {
    QByteArrayList paths;
    QByteArrayList listFiles;
    QByteArrayList scanFolders;
    std::optional<int> depth; // levels below each scanned folder; the whole tree when not given
    bool standardInput = false;
    bool nulSeparated = false;

    // No paths, list files, folders or standard input.
    bool isEmpty() const;
};

// A saved sort that a sort runs: its name and its run's inputs, the options given applied over them.
struct RequestPreset {
    QString name;
    RunInputs inputs;
};

// A sort as the options describe it: the run's inputs (the page and its fields as the window would hold them, an
// absolute output folder), where its files come from, and how the command line runs it. With --preset, the inputs
// are the saved sort's with the options given applied over them.
struct SortRequest {
    RunInputs inputs;
    std::optional<RequestPreset> preset; // --preset: the first one given
    // --preset given more than once: every saved sort in the order given, the options given applied over each; a
    // file goes with the first that takes it. Empty otherwise.
    QList<RequestPreset> chain;
    std::optional<QString> savePreset; // --save-preset: the name to save the inputs as
    SortInputSources sources;
    bool dryRun = false; // print the plan and touch nothing
    bool journal = true; // write the run's journal (for history and undo)
    bool json = false;
    bool quiet = false;
    bool changesOnly = false; // the steps written leave out those that change nothing (PlanStepChangesNothing)
    bool watchBatch = false;  // the run is a batch of files that arrived in a watched folder (journaled as such)
};

// A wrong option or value: one line that names it and says what is expected.
struct UsageError {
    QString message;
};

// The sort described by the options and arguments that parser has parsed (with SortOptionList), or what is wrong
// with them. Nothing is read from the disk but the saved sort --preset names, the working folder's name and whether
// the output folder names a folder. For the batches of a watch (watchBatches), the PATH arguments are the folders
// and --depth stands alone.
std::variant<SortRequest, UsageError> MakeSortRequest(const QCommandLineParser& parser, bool watchBatches = false);
