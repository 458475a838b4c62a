#pragma once

#include <QByteArray>
#include <QString>

// What to do when the destination folder already holds a file of the same name.
enum class SameNamePolicy { Overwrite, Ask, Skip, Rename };

// The part of the window that placement consults, at every placement.
class PlacementHost {
public:
    virtual ~PlacementHost() = default;
    virtual SameNamePolicy sameNamePolicy() const = 0;
    // In move mode the source is deleted after its copy, so the copy is flushed to the disk first.
    virtual bool moveMode() const = 0;
    // Shows the overwrite question; true for Yes.
    virtual bool askOverwrite(const QString& question) = 0;
};

enum class PlaceResult {
    Copied,   // the copy was made
    Declined, // the same-name policy kept an existing file (skip, or the answer No)
    Failed,   // the copy could not be made
};

// Creates folder with every missing folder above it, unless a folder is already there. Failure is not reported:
// the copy that follows fails instead.
void EnsureFolder(const QByteArray& folder);

// Copies source into destFolder under the same-name policy read from host now. Makes exactly one copy attempt,
// never creates folders and never deletes anything.
PlaceResult PlaceFile(const QByteArray& source, const QByteArray& destFolder, PlacementHost& host);
