#include "app/SplitterApp.h"

#include "app/MainDialog.h"
#include "framework/portable/Utf16.h"

#include <shellapi.h>

namespace {

// The first argument of the command line ("Open with", "Send to", a file dropped on
// the program's icon), read as UTF-16 so that any name arrives whole; empty for none.
CString FileFromCommandLine()
{
    int nArgs = 0;
    LPWSTR* ppArgs = ::CommandLineToArgvW(::GetCommandLineW(), &nArgs);
    if (ppArgs == nullptr)
        return CString();
    CString strFile = nArgs > 1 ? Narrow(ppArgs[1], std::wcslen(ppArgs[1])) : CString();
    ::LocalFree(ppArgs);
    return strFile;
}

}  // namespace

BOOL CSplitterApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();

    CMainDialog dlg(nullptr, FileFromCommandLine());
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}
