#include "framework/win32/MessageBox.h"

#include "framework/win32/WinApp.h"

namespace {
MessageBoxFn g_pfnMessageBoxHook = nullptr;
}

int AfxShowMessageBox(HWND hOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType)
{
    if (g_pfnMessageBoxHook != nullptr)
        return g_pfnMessageBoxHook(hOwner, pszText, pszCaption, nType);
    return ::MessageBoxA(hOwner, pszText, pszCaption, nType);
}

MessageBoxFn AfxSetMessageBoxHook(MessageBoxFn fn)
{
    MessageBoxFn previous = g_pfnMessageBoxHook;
    g_pfnMessageBoxHook = fn;
    return previous;
}

std::string AfxGetAppTitle()
{
    char szPath[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strPath(szPath, nLength < MAX_PATH ? nLength : 0);
    // The last separator, found with the code page in mind: a trail byte can be '\'.
    std::size_t nStart = 0;
    for (const char* p = strPath.c_str(); *p != '\0'; p = ::CharNextA(p)) {
        if (*p == '\\' || *p == '/')
            nStart = static_cast<std::size_t>(p - strPath.c_str()) + 1;
    }
    std::string strTitle = strPath.substr(nStart);
    std::size_t nDot = strTitle.rfind('.');
    if (nDot != std::string::npos)
        strTitle.erase(nDot);
    return strTitle;
}

int AfxMessageBox(LPCSTR pszText, UINT nType, UINT /*nIDHelp*/)
{
    // Owned by the application's main window or, while that runs a modal dialog or
    // is missing, by the window the user is working in.
    HWND hOwner = nullptr;
    if (CWnd* pMain = AfxGetMainWnd())
        hOwner = pMain->m_hWnd;
    if (hOwner == nullptr)
        hOwner = ::GetActiveWindow();
    if (hOwner != nullptr)
        hOwner = ::GetLastActivePopup(::GetAncestor(hOwner, GA_ROOT));
    return AfxShowMessageBox(hOwner, pszText, AfxGetAppTitle().c_str(), nType);
}
