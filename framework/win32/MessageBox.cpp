#include "framework/win32/MessageBox.h"

#include "framework/portable/Utf16.h"
#include "framework/win32/WinApp.h"

#include <vector>

namespace {
MessageBoxFn g_pfnMessageBoxHook = nullptr;
}

int AfxShowMessageBox(HWND hOwner, LPCSTR pszText, LPCSTR pszCaption, UINT nType)
{
    if (g_pfnMessageBoxHook != nullptr)
        return g_pfnMessageBoxHook(hOwner, pszText, pszCaption, nType);
    std::wstring text = Widen(pszText != nullptr ? pszText : "");
    if (pszCaption == nullptr)
        return ::MessageBoxW(hOwner, text.c_str(), nullptr, nType);
    return ::MessageBoxW(hOwner, text.c_str(), Widen(pszCaption).c_str(), nType);
}

MessageBoxFn AfxSetMessageBoxHook(MessageBoxFn fn)
{
    MessageBoxFn previous = g_pfnMessageBoxHook;
    g_pfnMessageBoxHook = fn;
    return previous;
}

std::string AfxGetAppTitle()
{
    // A path may be longer than MAX_PATH; the size doubles until it fits.
    std::vector<wchar_t> path(MAX_PATH);
    DWORD nLength = 0;
    for (;;) {
        nLength = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (nLength == 0 || nLength < path.size() || path.size() >= 0x8000)
            break;
        path.resize(path.size() * 2);
    }
    std::wstring strPath(path.data(), nLength < path.size() ? nLength : 0);
    std::wstring strTitle = strPath.substr(strPath.find_last_of(L"\\/") + 1);
    std::size_t nDot = strTitle.rfind(L'.');
    if (nDot != std::wstring::npos)
        strTitle.erase(nDot);
    return Narrow(strTitle);
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
