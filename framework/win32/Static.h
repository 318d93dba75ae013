// A static control. Nothing beyond CWnd is used; the class names the kind of
// control so that controls derived from it read as the framework's.
#pragma once

#include "framework/win32/Wnd.h"

class CStatic : public CWnd {
public:
    CStatic() = default;
};
