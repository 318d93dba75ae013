// Owns a menu; the system menu, which the window owns, is reached as a plain HMENU
// through CWnd::GetSystemMenu and takes items through AfxAppendMenu.
#pragma once

#include "framework/win32/Handle.h"
#include "framework/win32/Wnd.h"

struct MenuTraits {
    using Handle = HMENU;
    static void Free(HMENU hMenu) { ::DestroyMenu(hMenu); }
};

// Appends an item to any menu; lpszNewItem is UTF-8 (null for a separator).
BOOL AfxAppendMenu(HMENU hMenu, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem);

class CMenu : public CHandle<MenuTraits> {
public:
    using CHandle::CHandle;

    // Replaces the menu held so far with a new empty popup menu.
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr)
    {
        return AfxAppendMenu(Get(), nFlags, nIDNewItem, lpszNewItem);
    }
    // Without TPM_RETURNCMD the chosen command goes to pWnd as WM_COMMAND.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr)
    {
        return ::TrackPopupMenu(Get(), nFlags, x, y, 0, pWnd->m_hWnd, lpRect);
    }
};
