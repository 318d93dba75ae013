// <windows.h> as the framework uses it. windows.h maps MessageBox to MessageBoxA,
// which would rename IMessageOwner::MessageBox in some translation units and not in
// others; the macro is dropped so the interface has one name everywhere. Include
// this (or any framework header) before engine headers instead of <windows.h>.
#pragma once

#include <windows.h>

#ifdef MessageBox
#undef MessageBox
#endif
