#include "framework/win32/Menu.h"

#include "framework/portable/Utf16.h"

BOOL AfxAppendMenu(HMENU hMenu, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    // Only a string item's argument is text; the others carry a bitmap or nothing.
    if (lpszNewItem == nullptr || (nFlags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) != 0)
        return ::AppendMenuW(hMenu, nFlags, nIDNewItem, reinterpret_cast<LPCWSTR>(lpszNewItem));
    return ::AppendMenuW(hMenu, nFlags, nIDNewItem, Widen(lpszNewItem).c_str());
}
