#include "cli/UndoReasonWords.h"

#include "cli/CommandLineText.h"

QString UndoReasonWords(UndoReason reason) {
    switch (reason) {
    case UndoReason::Changed:
        return CommandLine::tr("the file was changed after the sort");
    case UndoReason::Gone:
        return CommandLine::tr("the file is no longer where the sort put it");
    case UndoReason::SourceTaken:
        return CommandLine::tr("another file is now where the file came from");
    case UndoReason::NameTaken:
        return CommandLine::tr("the name of the replaced file is taken now");
    case UndoReason::KeptMissing:
        return CommandLine::tr("the replaced file is no longer where it was kept (the trash may have been emptied)");
    case UndoReason::FolderNotEmpty:
        return CommandLine::tr("the folder is not empty");
    case UndoReason::Unconfirmed:
        return CommandLine::tr("the journal is incomplete, so the file cannot be told to be the sort's");
    case UndoReason::Refused:
        return CommandLine::tr("the file system refused");
    case UndoReason::Outside:
        return CommandLine::tr("the journal names a place outside the sort's output folder; left alone");
    case UndoReason::TrashInfoLeft:
        return CommandLine::tr("the trash record is not a plain file of yours; not removed");
    }
    return QString::fromLatin1(UndoReasonCode(reason));
}
