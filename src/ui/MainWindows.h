#pragma once

#include "ui/AboutDialog.h"
#include "ui/FolderPickerDialog.h"
#include "ui/MainWindow.h"
#include "ui/Translations.h"
#include "ui/TypeEntryDialog.h"

// The program's windows, created in start-up order (the main window first, then the folder picker, the About
// window and the type-entry dialog, hidden) and kept for the program's whole life, so each dialog keeps its state
// from one showing to the next. The program's translations are in place before the first window is made.
struct MainWindows {
    MainWindows();

    // Ends the program as closing the main window does, also while a dialog is open: every open dialog closes as
    // with Esc (a question is answered No), then the main window, which lets a run stop after its current file and
    // saves the settings.
    void closeAll();

    ProgramTranslations translations;
    MainWindow mainWindow;
    FolderPickerDialog folderPicker;
    AboutDialog about;
    TypeEntryDialog typeEntry;
};
