// The program's entry point: the application object registered itself while it was
// constructed; its InitInstance runs the program.
#include "framework/win32/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->m_hInstance = hInstance;
    // The program is one modal dialog with loops of its own: no message loop here.
    pApp->InitInstance();
    return pApp->ExitInstance();
}
