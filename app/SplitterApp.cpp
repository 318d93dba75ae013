#include "app/SplitterApp.h"

#include "app/MainDialog.h"
#include "framework/portable/Utf16.h"

#include <shellapi.h>

namespace {

// Argument n of the command line (1: the file from "Open with", "Send to", a file
// dropped on the program's icon; 2: the folder to write into), read as UTF-16 so
// that any name arrives whole; empty for none.
CString CommandLineArgument(int n)
{
    int nArgs = 0;
    LPWSTR* ppArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    if (ppArgs == nullptr)
        return CString();
    CString strArgument = nArgs > n ? Narrow(ppArgs[n], std::wcslen(ppArgs[n])) : CString();
    ::LocalFree(ppArgs);
    return strArgument;
}

}  // namespace

BOOL CSplitterApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();

    CMainDialog dlg(nullptr, CommandLineArgument(1), CommandLineArgument(2));
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}
