#pragma once

#include "ui/TForm1.h"
#include "ui/TForm3.h"
#include "ui/TfrmAbout.h"
#include "ui/TfrmSuffix.h"

// The program's windows, created in start-up order (the main window first, then the folder picker, the About
// window and the type-entry dialog, hidden) and kept for the program's whole life, so each dialog keeps its state
// from one showing to the next.
struct MainWindows {
    MainWindows();

    TForm1 form1;
    TForm3 form3;
    TfrmAbout frmAbout;
    TfrmSuffix frmSuffix;
};
