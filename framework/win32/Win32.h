// <windows.h> as the framework uses it. windows.h maps MessageBox to MessageBoxA,
// which would rename CWnd::MessageBox in some translation units and not in others;
// the macro is dropped so the member has one name everywhere. Include this (or any
// framework header) instead of <windows.h>.
#pragma once

#include <windows.h>

#ifdef MessageBox
#undef MessageBox
#endif
