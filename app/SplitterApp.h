// The application object: runs the main dialog as the main window and lets the
// program end when it is gone.
#pragma once

#include "framework/win32/WinApp.h"

class CSplitterApp : public CWinApp {
public:
    CSplitterApp() = default;

    // Runs the main dialog, with the file named on the command line if there is one.
    // Always FALSE: the dialog is the whole program, so no message loop follows it.
    BOOL InitInstance() override;
};
