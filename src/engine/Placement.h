#pragma once

#include "core/FsError.h"

#include <QByteArray>
#include <QString>

// What to do when the destination folder already holds a file of the same name.
enum class SameNamePolicy { Overwrite, Ask, Skip, Rename };

// The same-name question: its text, the file already there and the file that would replace it.
struct OverwriteQuestion {
    QString text;
    QByteArray existing;
    QByteArray incoming;
};

// The answer to the same-name question. The answers "to all" also answer every further question of the run.
enum class OverwriteAnswer { Yes, No, YesToAll, NoToAll };

// The part of the window that placement consults, at every placement.
class PlacementHost {
public:
    virtual ~PlacementHost() = default;
    virtual SameNamePolicy sameNamePolicy() const = 0;
    // In move mode the source is deleted after its copy, so the copy is flushed to the disk first.
    virtual bool moveMode() const = 0;
    // Shows the same-name question and waits for the answer.
    virtual OverwriteAnswer askOverwrite(const OverwriteQuestion& question) = 0;
};

enum class PlaceResult {
    Copied,   // the copy was made
    Declined, // the same-name policy kept an existing file (skip, or the answer No)
    Failed,   // the copy could not be made
};

struct PlaceOutcome {
    PlaceResult result = PlaceResult::Declined;
    Fs::Error error; // why it failed
};

// Creates folder with every missing folder above it, unless a folder is already there. Failure is not reported:
// the copy that follows fails instead.
void EnsureFolder(const QByteArray& folder);

// Copies source into destFolder under the same-name policy read from host now. Makes exactly one copy attempt,
// never creates folders and never deletes anything.
PlaceOutcome PlaceFile(const QByteArray& source, const QByteArray& destFolder, PlacementHost& host);
