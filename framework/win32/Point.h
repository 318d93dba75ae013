// A point as message handlers receive it.
#pragma once

#include "framework/win32/Win32.h"

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(int nX, int nY) : POINT{nX, nY} {}
    CPoint(const POINT& pt) : POINT(pt) {}

    // Mouse messages carry signed 16-bit coordinates (negative off the left or top).
    static CPoint FromLParam(LPARAM lParam)
    {
        return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    }
};
