#pragma once

#include "core/FsError.h"
#include "core/FsSourceCheck.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

class PlacementActions;

// What to do when the destination folder already holds a file of the same name.
enum class SameNamePolicy { Overwrite, Ask, Skip, Rename };

// The same-name question: its text, the file already there and the file that would replace it.
struct OverwriteQuestion {
    QString text;
    QByteArray existing;
    QByteArray incoming;
};

// The question's text for a file of the same name at target, in the user's language.
QString OverwriteQuestionText(const QByteArray& target);

// The answer to the same-name question. The answers "to all" also answer every further question of the run.
enum class OverwriteAnswer { Yes, No, YesToAll, NoToAll };

// The part of the window that placement consults, at every placement.
class PlacementHost {
public:
    virtual ~PlacementHost() = default;
    virtual SameNamePolicy sameNamePolicy() const = 0;
    // True when a name held by a regular file of the same bytes leaves the file unplaced, whatever the policy.
    virtual bool skipIdentical() const = 0;
    // Called between two chunks of a comparison of contents: lets the window process events, and false once the run
    // is asked to stop, which ends the comparison.
    virtual bool keepComparing() = 0;
    // Read at a file's last placement: in move mode that placement moves the file instead of copying it.
    virtual bool moveMode() const = 0;
    // Shows the same-name question and waits for the answer.
    virtual OverwriteAnswer askOverwrite(const OverwriteQuestion& question) = 0;
};

enum class PlaceResult {
    Copied,    // a copy was made; in move mode its source is still to be deleted
    Moved,     // the file was renamed into place: it is the same file, no longer at its old name
    Declined,  // the same-name policy kept an existing file (skip, or the answer No)
    Identical, // a regular file of the same bytes holds the name (only with skipIdentical): nothing was placed
    Failed,    // the file could not be placed
    Deferred,  // decided, and made later with the batch it joined (see PlacementBatch): its ticket tells the outcome
};

// What a placement did.
struct PlaceOutcome {
    PlaceResult result = PlaceResult::Declined;
    Fs::Error error;         // why it failed
    bool moveMode = false;   // the placement was the file's last one, made in move mode
    QByteArray target;       // Copied or Moved: the file's name in the destination folder
    struct stat placed {};   // Copied or Moved: the placed file (its device and inode tell it apart)
    Fs::SourceRecord source; // Copied: the source as the copy read it, to be checked before it is deleted
    int ticket = 0;          // Deferred: the batch's ticket of the placement
};

// Places source into destFolder under the same-name policy read from host now, through actions (the disk, or a
// plan). A file's last placement reads the mode: in move mode a regular file is renamed into place when it can be
// (see RenameRegularFile) and copied otherwise; every other placement copies. With skipIdentical, a name held by a
// regular file of the same bytes is not used, and auto-numbering compares the file with every name it passes
// (starting from the name itself), so that a file is never placed twice into one folder. Makes exactly one attempt
// (auto-numbering tries the next number when a name is taken meanwhile), never creates folders and never deletes a
// file. actions keeps what the run learnt about destFolder: auto-numbering goes on from the last number given.
PlaceOutcome PlaceFile(const QByteArray& source, const QByteArray& destFolder, PlacementHost& host,
                       PlacementActions& actions, bool lastPlacement);
