// A rectangle with the sizes the window code asks for.
#pragma once

#include "framework/win32/Win32.h"

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& rc) : RECT(rc) {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool PtInRect(POINT pt) const { return ::PtInRect(this, pt) != FALSE; }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }
};
