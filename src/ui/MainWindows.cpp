#include "MainWindows.h"

MainWindows::MainWindows() : form3(&form1), frmAbout(&form1), frmSuffix(&form1) {
    form1.setDialogs(&form3, &frmAbout, &frmSuffix);
}
