#pragma once

#include "engine/criteria/ExtensionFilter.h"
#include "engine/criteria/PageFields.h"
#include "engine/placement/Placement.h"

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
};

// A sort as the options describe it: the page and its fields as the window would hold them, and the run's other
// choices.
struct SortRequest {
    int page = 0;
    QString keywordText;
    NamePageFields name;
    SizePageFields size;
    DatePageFields date;
    ImagePageFields image;
    QString outputFolder; // absolute
    bool move = false;
    SameNamePolicy policy = SameNamePolicy::Skip;
    ExtensionFilterState filter;
    SortInputSources inputs;
    bool dryRun = false; // print the plan and touch nothing
    bool journal = true; // write the run's journal (for history and undo)
    bool json = false;
    bool quiet = false;
};

// A wrong option or value: one line that names it and says what is expected.
struct UsageError {
    QString message;
};

// The sort described by the options and arguments that parser has parsed (with SortOptionList), or what is wrong
// with them. Nothing is read from the disk but the working folder's name and whether --out names a folder.
std::variant<SortRequest, UsageError> MakeSortRequest(const QCommandLineParser& parser);
