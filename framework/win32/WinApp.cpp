#include "framework/win32/WinApp.h"

#include "framework/portable/Utf16.h"

#include <commctrl.h>

namespace {
// The one application object of the process, while it exists.
CWinApp* g_pApp = nullptr;
}

CWinApp::CWinApp() : m_hInstance(::GetModuleHandleW(nullptr))
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

BOOL CWinApp::Enable3dControls()
{
    AfxEnableControlContainer();
    return TRUE;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWnd* AfxGetMainWnd()
{
    return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApp != nullptr ? g_pApp->m_hInstance : ::GetModuleHandleW(nullptr);
}

CString AfxLoadString(UINT nID)
{
    // With no buffer the system hands out the resource itself, however long.
    const wchar_t* pText = nullptr;
    int nLength = ::LoadStringW(AfxGetInstanceHandle(), nID, reinterpret_cast<LPWSTR>(&pText), 0);
    if (nLength <= 0 || pText == nullptr)
        return CString();
    return Narrow(pText, static_cast<std::size_t>(nLength));
}

void AfxEnableControlContainer()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
}
