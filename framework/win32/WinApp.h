// The application object. The program defines one global object of a class derived
// from CWinApp; its constructor makes it the current application, and the entry
// point (AppMain.cpp) runs its InitInstance.
#pragma once

#include "framework/win32/Wnd.h"

class CWinApp {
public:
    // The title always comes from the program's file name (AfxGetAppTitle).
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the program: a dialog application runs its main dialog here and returns
    // FALSE. No message loop follows in either case; ExitInstance ends the program.
    virtual BOOL InitInstance();
    // The process's exit code.
    virtual int ExitInstance();

    // On Win32 the 3-D look is the system's own; this initialises the common
    // controls the framework's classes use (tooltips), as AfxEnableControlContainer.
    BOOL Enable3dControls();

    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd = nullptr;  // cleared when that window is destroyed
};

CWinApp* AfxGetApp();
// The application's main window, or null.
CWnd* AfxGetMainWnd();
// The module holding the program's resources.
HINSTANCE AfxGetInstanceHandle();
// String nID of that module's string table, in UTF-8; empty when there is none.
CString AfxLoadString(UINT nID);
// Initialises the common controls the framework's classes use (tooltips and the
// standard control classes); there is no control container on Win32.
void AfxEnableControlContainer();
